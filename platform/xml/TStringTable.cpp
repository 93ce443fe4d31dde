#include "platform/xml/TStringTable.h"

#include <algorithm>
#include <string_view>

#include "platform/text/Log.h"
#include "platform/file/TFile.h"
#include "platform/xml/XmlEntities.h"
#include "platform/xml/Zxml.h"

namespace {

constexpr int kMaxArgumentDigits = 9;

// Where one cell's content lies in the text.
struct Cell {
  size_t start = 0;
  size_t end = 0;  // the "<" after the content
};

// The first "<Data" cell in the row text[from, limit); false when the row
// holds none whole. Every search stops at the row's end (a cell's content may
// end at the "<" that starts the next row), so that a table loads in time
// that grows with its size, not with the square of it.
bool FindCell(std::string_view text, size_t from, size_t limit, Cell* cell) {
  std::string_view row = text.substr(0, limit);
  size_t data = row.find("<Data", from);
  if (data == std::string_view::npos) return false;
  size_t open = row.find('>', data);
  if (open == std::string_view::npos) return false;
  size_t close = text.substr(0, limit + 1).find('<', open + 1);
  if (close == std::string_view::npos) return false;
  *cell = {open + 1, close};
  return true;
}

TString CellText(const std::string& text, const Cell& cell) {
  std::string decoded = DecodeXmlEntities(text.data() + cell.start, cell.end - cell.start);
  return TString(decoded.data(), static_cast<int>(decoded.size()));
}

bool IsDigits(const std::string& text) {
  return !text.empty() &&
         std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

bool TStringTable::Load(const TString& name) {
  Clear();
  std::string text;
  if (!FileReadAll(name, &text)) return false;
  if (IsZxml(text.data(), text.size())) {
    std::string inflated;
    if (!InflateZxml(text.data(), text.size(), &inflated)) return false;
    text.swap(inflated);
  }
  ReadRows(text);
  return true;
}

// Every "<Row" starts a row that reaches to the next one. A row whose label
// cell is missing or broken is skipped; a row without a text cell stores an
// empty text. Either way the search stays inside the row, so later rows are
// read as written.
void TStringTable::ReadRows(const std::string& text) {
  for (size_t row = text.find("<Row"); row != std::string::npos;) {
    size_t next = text.find("<Row", row + 1);
    size_t limit = next == std::string::npos ? text.size() : next;
    Cell label, value;
    if (FindCell(text, row, limit, &label)) {
      bool hasValue = FindCell(text, label.end + 1, limit, &value);
      mEntries[CellText(text, label)] = hasValue ? CellText(text, value) : TString("");
    }
    row = next;
  }
}

TString TStringTable::Lookup(const TString& label, int count, const TString* arguments) const {
  auto found = mEntries.find(label);
  std::string out;
  if (found != mEntries.end() && Expand(found->second, count, arguments, &out)) {
    return TString(out.data(), static_cast<int>(out.size()));
  }
  if (!mQuiet) LogPrintf(" ##### : Missing string for label '%s'", label.CStr());
  return kMissing;
}

TString TStringTable::GetString(const TString& label, const TString& a1, const TString& a2,
                                const TString& a3, const TString& a4, const TString& a5) const {
  const TString arguments[] = {a1, a2, a3, a4, a5};
  return Lookup(label, 5, arguments);
}

bool TStringTable::Expand(const TString& raw, int count, const TString* arguments,
                          std::string* out) const {
  std::string text(raw.CStr(), static_cast<size_t>(raw.Length()));
  for (size_t at = 0; at < text.size();) {
    size_t open = text.find('%', at);
    size_t close = open == std::string::npos ? open : text.find('%', open + 1);
    if (close == std::string::npos) {
      out->append(text, at, std::string::npos);
      break;
    }
    out->append(text, at, open - at);
    if (!ExpandReference(text.substr(open + 1, close - open - 1), count, arguments, out)) return false;
    at = close + 1;
  }
  return true;
}

bool TStringTable::ExpandReference(const std::string& reference, int count, const TString* arguments,
                                   std::string* out) const {
  if (reference.empty()) {
    *out += '%';
    return true;
  }
  if (!IsDigits(reference)) return AppendLabel(reference, out);
  if (reference.size() > kMaxArgumentDigits) return false;
  int n = std::stoi(reference);
  if (n < 1 || n > count) return false;
  std::string argument(arguments[n - 1].CStr(), static_cast<size_t>(arguments[n - 1].Length()));
  if (argument.empty() || argument[0] != '%') {
    *out += argument;
    return true;
  }
  if (argument == "%%") {
    *out += '%';
    return true;
  }
  if (argument.size() < 3 || argument.back() != '%') return false;
  return AppendLabel(argument.substr(1, argument.size() - 2), out);
}

bool TStringTable::AppendLabel(const std::string& label, std::string* out) const {
  auto found = mEntries.find(TString(label.c_str()));
  if (found == mEntries.end()) return false;
  *out += found->second.CStr();
  return true;
}
