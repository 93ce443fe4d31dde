// Feeds arbitrary bytes to the pack reader as a pack file. Every entry it
// puts in the index must have a file name (lower case, no ":") and read back
// exactly the bytes of the pack at its offset and size: whole, in text mode
// (without carriage returns) and from the middle after a seek; a seek outside
// it lands at its end. So no entry reaches outside the pack.

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz/FuzzScratch.h"
#include "platform/file/PackFiles.h"
#include "platform/file/TFlatFileMap.h"

namespace {

constexpr size_t kMaxInput = 1 << 20;
constexpr int kMaxEntriesChecked = 256;

void Require(bool condition) {
  if (!condition) std::abort();
}

std::string ReadAll(TFlatFileMap& entry, int32_t size) {
  std::string bytes(static_cast<size_t>(size) + 1, '\0');
  int32_t got = entry.Read(bytes.data(), static_cast<int32_t>(bytes.size()));
  Require(got >= 0 && got <= size);
  bytes.resize(static_cast<size_t>(got));
  return bytes;
}

void CheckEntry(const TString& name, const TString& location, const std::string& pack) {
  Require(!name.IsEmpty() && name.FindChar(':') < 0 && TString(name).ToLower() == name);
  long number = -1, offset = -1, size = -1;
  Require(std::sscanf(location.CStr(), "@%ld:%ld,%ld", &number, &offset, &size) == 3);
  Require(offset >= 0 && size >= 0 && static_cast<size_t>(offset + size) <= pack.size());
  const std::string expected = pack.substr(static_cast<size_t>(offset), static_cast<size_t>(size));
  const int32_t length = static_cast<int32_t>(size);

  TFlatFileMap entry;
  Require(entry.Open(location, kFileReadBinary));
  Require(entry.GetSize() == length);
  Require(ReadAll(entry, length) == expected && entry.Eof());
  entry.Seek(length / 2, kSeekStart);
  Require(ReadAll(entry, length) == expected.substr(static_cast<size_t>(length / 2)));
  entry.Seek(-1, kSeekStart);
  Require(entry.Tell() == length && entry.Eof());

  Require(entry.Open(location, kFileReadText));
  std::string text = expected;
  text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
  Require(ReadAll(entry, length) == text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size > kMaxInput) return 0;
  const FuzzScratch& scratch = FuzzScratch::Get();
  scratch.Write("program/assets/fuzz.vqp", data, size);
  TFileIndex index;
  OpenPack(index, ("::" + scratch.Path("program/assets/fuzz.vqp")).c_str());
  const std::string pack(reinterpret_cast<const char*>(data), size);
  int checked = 0;
  for (const auto& [name, location] : index) {
    if (++checked > kMaxEntriesChecked) break;
    CheckEntry(name, location, pack);
  }
  return 0;
}
