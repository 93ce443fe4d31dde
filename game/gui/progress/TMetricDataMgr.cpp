#include "game/gui/progress/TMetricDataMgr.h"

#include "platform/file/TFile.h"
#include "platform/text/Log.h"

namespace GamePlay {

TString QuotedField(const TString& text) { return TString("\"") + text + '"'; }

TString TMetricDataMgr::TMetricData::GetFieldText(size_t index) const {
  return index < mFields.size() ? mFields[index]->Format() : TString("");
}

void TMetricDataMgr::TMetricData::FormatLine(const sys::LocalDateTime& when) {
  TString line = QuotedField(GetName()) + TString::Format(", %02d.%02d.%04d, %02d:%02d:%02d", when.day, when.month,
                                                          when.year, when.hour, when.minute, when.second);
  for (const std::unique_ptr<THandler>& field : mFields) line += TString(", ") + field->Format();
  mLine = line + '\n';
}

void TMetricDataMgr::Add(std::unique_ptr<TMetricData> record) {
  record->FormatLine(sys::LocalNow());
  mRecords.push_back(std::move(record));
}

bool TMetricDataMgr::AppendTo(const TString& fileName) const {
  TFile* file = FileOpen(fileName, kFileAppendText);
  if (!file) {
    LogPrintf("Cannot open %s to add the records of this session; they are lost", fileName.CStr());
    return false;
  }
  for (const std::unique_ptr<TMetricData>& record : mRecords) {
    FileWrite(file, record->GetLine().CStr(), record->GetLine().Length());
  }
  FileClose(file);
  return true;
}

}  // namespace GamePlay
