#pragma once

#include <cstddef>
#include <memory>
#include <vector>

#include "platform/text/TString.h"
#include "system/os/LocalTime.h"

namespace GamePlay {

class TMetrics;

// The records of play of one session, in the order they were made. Each
// record is one line of text, formatted when it is added, with the values
// and the local date and time of that moment.
class TMetricDataMgr {
 public:
  // A record: its name, the moment it was made and a row of fields, each
  // written by a formatter of the record's own.
  class TMetricData {
   public:
    class THandler {
     public:
      virtual ~THandler() = default;
      virtual TString Format() const = 0;
    };
    // Writes a field through one of the record's own operations.
    template <class TRecord>
    class THandlerTemplate final : public THandler {
     public:
      using Formatter = TString (TRecord::*)() const;
      THandlerTemplate(const TRecord& record, Formatter formatter) : mRecord(record), mFormatter(formatter) {}
      TString Format() const override { return (mRecord.*mFormatter)(); }

     private:
      const TRecord& mRecord;
      Formatter mFormatter;
    };
    using Fields = std::vector<std::unique_ptr<THandler>>;

    explicit TMetricData(const TMetrics& metrics) : mMetrics(metrics) {}
    virtual ~TMetricData() = default;
    TMetricData(const TMetricData&) = delete;
    TMetricData& operator=(const TMetricData&) = delete;

    virtual TString GetName() const = 0;
    virtual size_t GetFieldCount() const { return mFields.size(); }
    // "" past the last field.
    virtual TString GetFieldText(size_t index) const;
    virtual const Fields& GetFields() const { return mFields; }

    // The quoted name, the date, the time and the fields, separated by
    // ", ", ended by a line feed.
    void FormatLine(const sys::LocalDateTime& when);
    const TString& GetLine() const { return mLine; }

   protected:
    template <class TRecord>
    void AddField(TString (TRecord::*formatter)() const) {
      mFields.push_back(
          std::make_unique<THandlerTemplate<TRecord>>(static_cast<const TRecord&>(*this), formatter));
    }
    const TMetrics& Metrics() const { return mMetrics; }

   private:
    const TMetrics& mMetrics;
    Fields mFields;
    TString mLine;
  };

  // The record's line is formatted now, at the local time of this moment.
  void Add(std::unique_ptr<TMetricData> record);
  size_t GetCount() const { return mRecords.size(); }
  const TMetricData& Get(size_t index) const { return *mRecords.at(index); }
  // Writes every line, in order, at the end of the file; false, with a log
  // line, when the file cannot be opened (the lines are then lost).
  bool AppendTo(const TString& fileName) const;
  void Clear() { mRecords.clear(); }

 private:
  std::vector<std::unique_ptr<TMetricData>> mRecords;
};

// A field text in double quotes.
TString QuotedField(const TString& text);

}  // namespace GamePlay
