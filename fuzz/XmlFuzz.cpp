// Feeds arbitrary bytes to the XML reader, as text or as a "ZXML" container,
// from memory and from a file. A file is read in text mode, which drops
// carriage returns, so it must give the tree that memory gives for the bytes
// without them (a container is read in binary, so it must give the same tree
// as from memory). What is read must write out as text that reads back to
// the same tree.

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "fuzz/FuzzScratch.h"
#include "platform/xml/TXmlNode.h"
#include "platform/xml/Zxml.h"

namespace {

constexpr size_t kMaxInput = 1 << 20;

std::string TreeText(const TXmlNode& node) { return node.ToString().CStr(); }

std::string Parsed(const std::string& bytes) {
  TXmlNode node;
  node.ParseString(bytes.data(), bytes.size());
  return TreeText(node);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  TXmlNode fromMemory;
  bool whole = fromMemory.ParseString(bytes.data(), bytes.size());
  const std::string tree = TreeText(fromMemory);

  // The writer's text of a tree read whole reads back to the same tree.
  if (whole && Parsed(tree) != tree) std::abort();

  std::string textMode = bytes;
  textMode.erase(std::remove(textMode.begin(), textMode.end(), '\r'), textMode.end());
  const bool container = IsZxml(textMode.data(), textMode.size());
  // A file whose first bytes are "ZXML" only once carriage returns are gone
  // is taken for a container but is none; nothing to compare.
  if (container && !IsZxml(bytes.data(), bytes.size())) return 0;
  const FuzzScratch& scratch = FuzzScratch::Get();
  scratch.Write("user/input.xml", data, size);
  TXmlNode fromFile;
  fromFile.ParseFile("user:input.xml");
  if (TreeText(fromFile) != (container ? tree : Parsed(textMode))) std::abort();
  return 0;
}
