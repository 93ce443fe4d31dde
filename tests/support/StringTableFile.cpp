#include "tests/support/StringTableFile.h"

#include "platform/file/FileIndex.h"

namespace {

std::string Escaped(const std::string& text) {
  std::string escaped;
  for (char c : text) {
    if (c == '&') {
      escaped += "&amp;";
    } else if (c == '<') {
      escaped += "&lt;";
    } else if (c == '>') {
      escaped += "&gt;";
    } else {
      escaped += c;
    }
  }
  return escaped;
}

std::string Cell(const std::string& text) {
  return "<Cell><Data ss:Type=\"String\">" + Escaped(text) + "</Data></Cell>";
}

}  // namespace

std::string StringTableXml(const TableRows& rows) {
  std::string xml = "<?xml version=\"1.0\"?>\r\n<Workbook><Worksheet><Table>\r\n";
  for (const auto& [label, text] : rows) xml += "<Row>" + Cell(label) + Cell(text) + "</Row>\r\n";
  return xml + "</Table></Worksheet></Workbook>\r\n";
}

void WriteStringTable(const TestFileLayer& files, const std::string& name, const TableRows& rows) {
  files.WriteAsset(name, StringTableXml(rows));
  ClearFileIndex();
  BuildFileIndex();
}
