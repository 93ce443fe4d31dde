#pragma once

#include <map>
#include <string>

#include "platform/text/TString.h"

// Labels and their texts, read from a spreadsheet saved as XML (plain or in
// a "ZXML" container): the first two cells of each row are the label and
// its text. Texts are expanded on lookup:
//   "%%"        one "%"
//   "%n%"       argument n (1-based); an argument "%%" gives "%" and an
//               argument "%label%" the raw text of that label
//   "%label%"   the raw text of that label
// A "%" without a closing "%" stays as written. Inserted texts are not
// expanded again. A missing label or a bad reference gives "#####" and,
// unless the table is quiet, a log line.
class TStringTable {
 public:
  static constexpr const char* kMissing = "#####";

  // Empties the table and reads a file into it; false when the file cannot
  // be opened or its container cannot be inflated.
  bool Load(const TString& name);
  void Clear() { mEntries.clear(); }
  void SetQuiet(bool quiet) { mQuiet = quiet; }

  TString Lookup(const TString& label, int count, const TString* arguments) const;
  TString GetString(const TString& label, const TString& a1 = "", const TString& a2 = "",
                    const TString& a3 = "", const TString& a4 = "", const TString& a5 = "") const;

 private:
  void ReadRows(const std::string& text);
  bool Expand(const TString& raw, int count, const TString* arguments, std::string* out) const;
  bool ExpandReference(const std::string& reference, int count, const TString* arguments,
                       std::string* out) const;
  bool AppendLabel(const std::string& label, std::string* out) const;

  std::map<TString, TString> mEntries;
  bool mQuiet = false;
};
