#include <gtest/gtest.h>
#include <sys/mman.h>
#include <unistd.h>

#include <cstring>
#include <string>

#include "platform/file/FileIndex.h"
#include "platform/text/Log.h"
#include "platform/xml/TXmlNode.h"
#include "tests/support/PackWriter.h"
#include "tests/support/TestFileLayer.h"
#include "tests/support/ZxmlWriter.h"

namespace {

// A compact picture of a tree: name[attributes]{text}(children).
std::string Dump(TXmlNode* node) {
  std::string out = node->GetName().CStr();
  std::string attributes;
  TString name, value;
  node->BeginAttributes();
  while (node->NextAttribute(&name, &value)) {
    bool quoted = false;
    node->GetAttribute(name, &quoted);
    attributes += std::string(attributes.empty() ? "" : ",") + name.CStr() + "=" +
                  (quoted ? "\"" + std::string(value.CStr()) + "\"" : value.CStr());
  }
  if (!attributes.empty()) out += "[" + attributes + "]";
  if (!node->GetText().IsEmpty()) out += std::string("{") + node->GetText().CStr() + "}";
  std::string children;
  TXmlNode* child = nullptr;
  node->BeginChildren();
  while (node->NextChild(nullptr, &child)) children += (children.empty() ? "" : " ") + Dump(child);
  if (!children.empty()) out += "(" + children + ")";
  return out;
}

std::string Parsed(const std::string& text) {
  TXmlNode document;
  document.ParseString(text.data(), text.size());
  return Dump(&document);
}

TEST(TXmlNodeParsing, ReadsTheXmlTheFilesUse) {
  struct Case {
    const char* xml;
    const char* tree;
  };
  const Case cases[] = {
      {"<a>\n a  b </a>", "(a{a b})"},
      {"<a x=5 y=\"two words\"/>", "(a[x=5,y=\"two words\"])"},
      {"<a x = \"1\" />", "(a[x=\"1\"])"},
      {"<a b c=1 d=>", "(a[c=1])"},
      {"<a>x<b/>y</a>", "(a{x y}(b))"},
      {"<a><b>deep</b><b/></a><c/>", "(a(b{deep} b) c)"},
      {"<a>&lt;b&gt; &amp; &#65;&#9;&quot;&apos; &unknown; &#;</a>", "(a{<b> & A\t\"' &unknown; &#;})"},
      {"<a v=\"&lt;&#233;&gt;\">&lt;</a>", "(a[v=\"<\xE9>\"]{<})"},
      {"<?xml version=\"1.0\"?>\n<!DOCTYPE root>\n<root/>", "(?xml[version=\"1.0\"] !DOCTYPE root)"},
      {"<!-- note --><a/>", "(!-- a)"},
      {"<a><b>unclosed", "(a(b{unclosed}))"},
      {"<a>caf\xC3\xA9 \xFF</a>", "(a{caf\xC3\xA9 \xFF})"},
      {"<>\n<a/>\n</>\n<b/>", "(a)"},
      {"text before <a/>", "{text before}(a)"},
      {"", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(Parsed(c.xml), c.tree) << c.xml;
}

TEST(TXmlNodeParsing, AByte255IsACharacterNotTheEnd) {
  TXmlNode document;
  EXPECT_TRUE(document.ParseString("<a>x\xFFy</a><b/>"));
  EXPECT_EQ(Dump(&document), "(a{x\xFFy} b)");
}

TEST(TXmlNodeParsing, DeepNestingStopsCleanly) {
  TempFolder logs;
  SetLogFolder(logs.Path().c_str());
  struct Case {
    int depth;
    bool complete;
  };
  for (const Case& c :
       {Case{TXmlNode::kMaxDepth, true}, Case{TXmlNode::kMaxDepth + 1, false}, Case{100000, false}}) {
    std::string xml;
    for (int i = 0; i < c.depth; ++i) xml += "<a>";
    xml += "core";
    for (int i = 0; i < c.depth; ++i) xml += "</a>";
    xml += "<after/>";
    TXmlNode document;
    EXPECT_EQ(document.ParseString(xml.c_str()), c.complete) << c.depth;
    EXPECT_EQ(document.GetChild("after") != nullptr, c.complete) << c.depth;
    int levels = 0;
    for (TXmlNode* node = document.GetChild("a"); node; node = node->GetChild("a")) ++levels;
    EXPECT_EQ(levels, std::min(c.depth, TXmlNode::kMaxDepth)) << c.depth;
  }
  EXPECT_NE(ReadWholeFile(GetLogPath().CStr()).find("nested deeper than 256"), std::string::npos);
}

TEST(TXmlNodeWriting, WritesIndentedElementsWithEndTags) {
  TXmlNode root("root");
  root.SetAttribute("name", "Ann");
  root.SetAttribute("count", 3);
  TXmlNode* child = root.AddChild("child");
  child->AddText("caf\xE9\t<&", 7);
  child->AddChild("empty");
  EXPECT_STREQ(root.ToString().CStr(),
               "<root\n"
               "    name=\"Ann\"\n"
               "    count=\"3\">\n"
               "    <child>\n"
               "    caf&#233;&#9;&lt;&amp;\n"
               "        <empty>\n"
               "        </empty>\n"
               "    </child>\n"
               "</root>\n");
}

TEST(TXmlNodeWriting, WrittenTextReadsBackTheSame) {
  struct Case {
    const char* fault;
    std::string text;
    std::string value;
  };
  std::string allHighBytes;
  for (int byte = 128; byte < 256; ++byte) allHighBytes += static_cast<char>(byte);
  const Case cases[] = {
      {"markup characters", "a < b & c > d \"e\" 'f'", "<&>\"'"},
      {"a tab and a line feed", "col1\tcol2\nline", "\t"},
      {"bytes from 128 up", allHighBytes, "caf\xC3\xA9"},
      {"control bytes", "\x01\x1f", "\x7f"},
  };
  for (const Case& c : cases) {
    TXmlNode root("root");
    TXmlNode* item = root.AddChild("item");
    item->AddText(c.text.data(), c.text.size());
    item->SetAttribute("v", c.value.c_str());
    item->AddAttribute("bare", "5", false);
    TXmlNode read;
    read.ParseString(root.ToString().CStr());
    TXmlNode* back = read.GetChild("root") ? read.GetChild("root")->GetChild("item") : nullptr;
    ASSERT_NE(back, nullptr) << c.fault;
    EXPECT_EQ(std::string(back->GetText().CStr()), c.text) << c.fault;
    bool quoted = false;
    EXPECT_EQ(std::string(back->GetAttribute("v", &quoted).CStr()), c.value) << c.fault;
    EXPECT_TRUE(quoted);
    EXPECT_STREQ(back->GetAttribute("bare", &quoted).CStr(), "5");
    EXPECT_FALSE(quoted) << "an attribute read without quotes is written without them";
    EXPECT_STREQ(read.GetChild("root")->ToString().CStr(), root.ToString().CStr()) << c.fault;
  }
}

TEST(TXmlNodeWriting, WhateverIsReadWritesBackTheSame) {
  struct Case {
    const char* fault;
    std::string xml;
    const char* tree;
  };
  const Case cases[] = {
      {"a value without quotes ending in a slash", "<a x=b/ >text</a><c/>", "(a[x=b/]{text} c)"},
      {"a declaration inside an element", "<a><?pi x=\"1\"?><b/></a><c/>", "(a(?pi[x=\"1\"] b) c)"},
      {"a declaration before the document", "<?xml version=\"1.0\"?><!-- c --><root/>",
       "(?xml[version=\"1.0\"] !-- root)"},
      {"blanks and = written as references", "<a&#32;b c&#61;d=e&#32;f>x&#32;&#32;y</a&#32;b>",
       "(a b[c=d=e f]{x  y})"},
      {"a quoted text", "<a>\" x=1  \" z</a>", "(a{ x=1   z})"},
      {"names that look like markup", "<&#47;a &#63;=1 &#47;=2/>", "(/a[?=1,/=2])"},
      {"names cut at a zero byte",
       std::string("<r><\0x>t</\0x><a \"\"=1 y=\0z w=\"\0\" v=p\0q/></r>", 43),
       "(r{t} a[w=\"\",v=p])"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.fault);
    TXmlNode first;
    ASSERT_TRUE(first.ParseString(c.xml.data(), c.xml.size()));
    EXPECT_EQ(Dump(&first), c.tree);
    const std::string written = first.ToString().CStr();
    TXmlNode second;
    second.ParseString(written.data(), written.size());
    EXPECT_EQ(second.ToString().CStr(), written);
  }
}

TEST(TXmlNodeWriting, ANamelessRootReadsBackAsChildren) {
  TXmlNode document;
  document.AddChild("first")->SetAttribute("n", 1);
  document.AddChild("second");
  TXmlNode read;
  read.ParseString(document.ToString().CStr());
  EXPECT_EQ(Dump(&read), "(first[n=\"1\"] second)");
}

TEST(TXmlNodeEditing, DuplicateAttributesKeepTheirOrder) {
  TXmlNode document;
  document.ParseString("<a k=\"1\" k=\"2\"/>");
  TXmlNode* a = document.GetChild("a");
  ASSERT_NE(a, nullptr);
  EXPECT_STREQ(a->GetAttribute("k").CStr(), "1");
  a->SetAttribute("k", "changed");
  a->SetAttribute("new", "n");
  EXPECT_EQ(Dump(a), "a[k=\"changed\",k=\"2\",new=\"n\"]");
  EXPECT_STREQ(a->GetAttribute("K").CStr(), "") << "names are case-sensitive";
}

TEST(TXmlNodeEditing, RemovingTheCurrentChildKeepsIterating) {
  TXmlNode document;
  document.ParseString("<a/><b/><c/>");
  document.BeginChildren();
  TString name;
  TXmlNode* node = nullptr;
  ASSERT_TRUE(document.NextChild(&name, &node));
  EXPECT_STREQ(name.CStr(), "a");
  document.RemoveChild(document.GetChild("b"));
  ASSERT_TRUE(document.NextChild(&name, &node));
  EXPECT_STREQ(name.CStr(), "c");
  EXPECT_FALSE(document.NextChild(&name, &node));
  TXmlNode stranger("x");
  document.RemoveChild(&stranger);
  EXPECT_EQ(Dump(&document), "(a c)");
}

class ZxmlTest : public testing::Test {
 protected:
  void SetUp() override { SetLogFolder(mLogs.Path().c_str()); }
  std::string LogText() const { return ReadWholeFile(GetLogPath().CStr()); }

  TempFolder mLogs;
};

const std::string kDocument =
    "<table rows=\"2\">\r\n  <row>caf\xC3\xA9 \xFF</row>\r\n  <row/>\r\n</table>\r\n";

TEST_F(ZxmlTest, AContainerReadsAsItsPlainText) {
  std::string container = MakeZxml(kDocument);
  ASSERT_NE(container.find('\0', 12), std::string::npos) << "the container holds zero bytes";
  TXmlNode zipped;
  EXPECT_TRUE(zipped.ParseString(container.data(), container.size()));
  EXPECT_EQ(Dump(&zipped), Parsed(kDocument));
  EXPECT_EQ(Dump(&zipped), "(table[rows=\"2\"](row{caf\xC3\xA9 \xFF} row))");
}

TEST_F(ZxmlTest, DamagedContainersFailWithALogLine) {
  std::string good = MakeZxml(kDocument);
  uint32_t compressed = ZxmlCompressedLength(good);
  uint32_t size = static_cast<uint32_t>(kDocument.size());
  struct Case {
    const char* fault;
    std::string bytes;
    bool reads;
  };
  auto withLengths = [&good](uint32_t c, uint32_t u) {
    std::string bytes = good;
    SetZxmlLengths(&bytes, c, u);
    return bytes;
  };
  std::string corrupt = good;
  corrupt[20] = static_cast<char>(corrupt[20] ^ 0x55);
  const Case cases[] = {
      {"compressed length past the end", withLengths(0xFFFFFFFF, size), true},
      {"text length larger than the text", withLengths(compressed, size + 100), true},
      {"text length smaller than the text", withLengths(compressed, size - 1), false},
      {"text length over 64 MiB", withLengths(compressed, 64 * 1024 * 1024 + 1), false},
      {"text length at the 32-bit maximum", withLengths(compressed, 0xFFFFFFFF), false},
      {"data cut short", good.substr(0, good.size() / 2), false},
      {"damaged stream", corrupt, false},
      {"header only", good.substr(0, 12), false},
      {"short header", good.substr(0, 7), false},
  };
  for (const Case& c : cases) {
    std::remove(GetLogPath().CStr());
    TXmlNode document;
    EXPECT_EQ(document.ParseString(c.bytes.data(), c.bytes.size()), c.reads) << c.fault;
    EXPECT_EQ(Dump(&document), c.reads ? Parsed(kDocument) : "") << c.fault;
    EXPECT_EQ(LogText().find("ZXML") != std::string::npos, !c.reads) << c.fault;
  }
}

// Memory whose last readable byte is followed by an unreadable page, so a
// read past the end of the data faults at once.
class GuardedBytes {
 public:
  explicit GuardedBytes(const std::string& bytes) {
    size_t page = static_cast<size_t>(sysconf(_SC_PAGESIZE));
    mSize = (bytes.size() / page + 2) * page;
    mBase = static_cast<char*>(
        mmap(nullptr, mSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0));
    mprotect(mBase + mSize - page, page, PROT_NONE);
    mData = mBase + mSize - page - bytes.size();
    std::memcpy(mData, bytes.data(), bytes.size());
  }
  ~GuardedBytes() { munmap(mBase, mSize); }
  const char* Data() const { return mData; }

 private:
  char* mBase;
  char* mData;
  size_t mSize;
};

TEST_F(ZxmlTest, ReadsNoFurtherThanTheBytesGiven) {
  std::string container = MakeZxml(kDocument);
  std::string cut = container.substr(0, container.size() - 5);
  SetZxmlLengths(&cut, 0x7FFFFFFF, static_cast<uint32_t>(kDocument.size()));
  GuardedBytes guarded(cut);
  TXmlNode document;
  EXPECT_FALSE(document.ParseString(guarded.Data(), cut.size()));
}

class TXmlNodeFileTest : public testing::Test {
 protected:
  TestFileLayer mFiles;
};

TEST_F(TXmlNodeFileTest, FilesReadAlikeFromDiskPacksAndContainers) {
  std::string expected = Parsed(kDocument);
  mFiles.WriteAsset("plain.xml", kDocument);
  mFiles.WriteAsset("zipped.xml", MakeZxml(kDocument));
  mFiles.WriteAsset(
      "data.vqp",
      PackWriter().Add("packed.xml", kDocument).Add("packedzip.xml", MakeZxml(kDocument)).Bytes());
  BuildFileIndex();
  for (const char* name : {"plain.xml", "zipped.xml", "packed.xml", "packedzip.xml"}) {
    TXmlNode document;
    EXPECT_TRUE(document.ParseFile(name)) << name;
    EXPECT_EQ(Dump(&document), expected) << name;
  }
}

TEST_F(TXmlNodeFileTest, AMissingFileLeavesTheNodeAsItWas) {
  TXmlNode document("kept");
  document.AddChild("child");
  EXPECT_FALSE(document.ParseFile("missing.xml"));
  EXPECT_EQ(Dump(&document), "kept(child)");
}

}  // namespace
