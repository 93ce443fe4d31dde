#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/file/FileIndex.h"
#include "platform/text/Log.h"
#include "platform/xml/TStringTable.h"
#include "tests/support/TestFileLayer.h"
#include "tests/support/ZxmlWriter.h"

namespace {

// One spreadsheet row as a spreadsheet program saves it.
std::string Row(const std::string& label, const std::string& text) {
  return "<Row ss:AutoFitHeight=\"0\">\r\n"
         "  <Cell ss:StyleID=\"s21\"><Data ss:Type=\"String\">" +
         label +
         "</Data></Cell>\r\n"
         "  <Cell><Data ss:Type=\"String\">" +
         text +
         "</Data></Cell>\r\n"
         "</Row>\r\n";
}

std::string Workbook(const std::string& rows) {
  return "<?xml version=\"1.0\"?>\r\n<Workbook><Worksheet ss:Name=\"Strings\"><Table>\r\n" + rows +
         "</Table></Worksheet></Workbook>\r\n";
}

class TStringTableTest : public testing::Test {
 protected:
  void SetUp() override { SetLogFolder(mLogs.Path().c_str()); }

  // Writes rows as an asset and loads them into mTable.
  bool LoadRows(const std::string& rows, const char* name = "strings.xml") {
    mFiles.WriteAsset(name, Workbook(rows));
    ClearFileIndex();
    BuildFileIndex();
    return mTable.Load(name);
  }

  std::string LogText() const { return ReadWholeFile(GetLogPath().CStr()); }

  TestFileLayer mFiles;
  TempFolder mLogs;
  TStringTable mTable;
};

TEST_F(TStringTableTest, ExpandsArgumentsAndLabels) {
  ASSERT_TRUE(LoadRows(Row("Title", "Ring &amp; Tower") + Row("Pair", "%1% and %2%") +
                       Row("Third", "[%3%]") + Row("Zero", "%0%") + Row("Sixth", "%6%") +
                       Row("Percent", "100%%") + Row("Ref", "See %Title%!") + Row("BadRef", "%Nope%") +
                       Row("Arg", "&lt;%1%&gt;") + Row("Raw", "The %1%") + Row("Nested", "%Raw%") +
                       Row("Open", "50% off") + Row("Empty", "")));
  struct Case {
    const char* label;
    std::vector<const char*> arguments;
    const char* expected;
  };
  const Case cases[] = {
      {"Title", {}, "Ring & Tower"},
      {"Pair", {"10", "20"}, "10 and 20"},
      {"Third", {"a", "b"}, "[]"},
      {"Zero", {"a"}, "#####"},
      {"Sixth", {"1", "2", "3", "4", "5"}, "#####"},
      {"Percent", {}, "100%"},
      {"Ref", {}, "See Ring & Tower!"},
      {"BadRef", {}, "#####"},
      {"Arg", {"%Title%"}, "<Ring & Tower>"},
      {"Arg", {"%%"}, "<%>"},
      {"Arg", {"%"}, "#####"},
      {"Arg", {"%Nope%"}, "#####"},
      {"Arg", {"%1%"}, "#####"},
      {"Arg", {"50%"}, "<50%>"},
      {"Nested", {"x"}, "The %1%"},
      {"Open", {}, "50% off"},
      {"Empty", {}, ""},
      {"Missing", {}, "#####"},
  };
  for (const Case& c : cases) {
    TString a[5];
    for (size_t i = 0; i < c.arguments.size(); ++i) a[i] = c.arguments[i];
    EXPECT_STREQ(mTable.GetString(c.label, a[0], a[1], a[2], a[3], a[4]).CStr(), c.expected) << c.label;
  }
}

TEST_F(TStringTableTest, MissingLabelsAreLoggedUnlessQuiet) {
  ASSERT_TRUE(LoadRows(Row("Here", "x")));
  EXPECT_STREQ(mTable.GetString("Gone").CStr(), "#####");
  EXPECT_NE(LogText().find(":  ##### : Missing string for label 'Gone'\n"), std::string::npos);
  mTable.SetQuiet(true);
  EXPECT_STREQ(mTable.GetString("Quiet").CStr(), "#####");
  EXPECT_EQ(LogText().find("Quiet"), std::string::npos);
}

TEST_F(TStringTableTest, ABrokenRowDoesNotLoseLaterRows) {
  const char* broken[] = {
      "<Row><Cell/></Row>\r\n",
      "<Row><Cell><Data ss:Type=\"String\"",
      "<Row><Cell><Data>OnlyLabel</Data></Cell></Row>\r\n",
      "<Row><Data>NoEnd",
      "<Row>",
  };
  for (const char* row : broken) {
    ASSERT_TRUE(LoadRows(Row("Before", "b") + row + Row("After", "a") + Row("Last", "l"))) << row;
    EXPECT_STREQ(mTable.GetString("Before").CStr(), "b") << row;
    EXPECT_STREQ(mTable.GetString("After").CStr(), "a") << row;
    EXPECT_STREQ(mTable.GetString("Last").CStr(), "l") << row;
  }
  EXPECT_STREQ(mTable.GetString("OnlyLabel").CStr(), "#####") << "another load emptied the table";
  LoadRows("<Row><Cell><Data>OnlyLabel</Data></Cell></Row>" + Row("After", "a"));
  EXPECT_STREQ(mTable.GetString("OnlyLabel").CStr(), "")
      << "a row without a text cell has an empty text";
}

TEST_F(TStringTableTest, LaterRowsReplaceEarlierOnesAndLoadingStartsAfresh) {
  ASSERT_TRUE(LoadRows(Row("Same", "first") + Row("Same", "second") + Row("Old", "o")));
  EXPECT_STREQ(mTable.GetString("Same").CStr(), "second");
  ASSERT_TRUE(LoadRows(Row("New", "n"), "other.xml"));
  EXPECT_STREQ(mTable.GetString("Old").CStr(), "#####");
  EXPECT_FALSE(mTable.Load("missing.xml"));
  EXPECT_STREQ(mTable.GetString("New").CStr(), "#####") << "a failed load leaves the table empty";
}

TEST_F(TStringTableTest, ContainerAndPlainTextGiveTheSameEntries) {
  std::string rows;
  for (int i = 0; i < 200; ++i) {
    rows += Row("Label" + std::to_string(i), "Text " + std::to_string(i) + " caf\xC3\xA9 &#233;");
  }
  mFiles.WriteAsset("plain.xml", Workbook(rows));
  mFiles.WriteAsset("zipped.xml", MakeZxml(Workbook(rows)));
  BuildFileIndex();
  TStringTable plain, zipped;
  ASSERT_TRUE(plain.Load("plain.xml"));
  ASSERT_TRUE(zipped.Load("zipped.xml"));
  for (int i = 0; i < 200; ++i) {
    TString label = TString::Format("Label%d", i);
    EXPECT_STREQ(zipped.GetString(label).CStr(), plain.GetString(label).CStr());
    EXPECT_EQ(std::string(plain.GetString(label).CStr()),
              "Text " + std::to_string(i) + " caf\xC3\xA9 \xE9");
  }
}

TEST_F(TStringTableTest, ADamagedContainerLoadsNothing) {
  std::string container = MakeZxml(Workbook(Row("Label", "text")));
  SetZxmlLengths(&container, ZxmlCompressedLength(container), 0xFFFFFFFF);
  mFiles.WriteAsset("bad.xml", container);
  BuildFileIndex();
  EXPECT_FALSE(mTable.Load("bad.xml"));
  EXPECT_STREQ(mTable.GetString("Label").CStr(), "#####");
  EXPECT_NE(LogText().find("ZXML"), std::string::npos);
}

}  // namespace
