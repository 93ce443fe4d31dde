#include "online/HiscoreRecords.h"

#include <algorithm>
#include <climits>
#include <cstdlib>

void THiscoreList::Add(THiscoreRecord record, bool replaceOwn) {
  if (replaceOwn) {
    auto own = std::find_if(records.begin(), records.end(),
                            [&](const THiscoreRecord& kept) { return kept.playerName == record.playerName; });
    if (own != records.end()) {
      if (record.score <= own->score) return;
      record.guid = own->guid;
      records.erase(own);
    }
  }
  auto place = std::find_if(records.begin(), records.end(),
                            [&](const THiscoreRecord& kept) { return kept.score < record.score; });
  records.insert(place, std::move(record));
  if (records.size() > kMaxRecords) records.pop_back();
  Renumber();
}

const THiscoreRecord* THiscoreList::FindUnsubmitted(const TString& playerName) const {
  auto found = std::find_if(records.begin(), records.end(), [&](const THiscoreRecord& kept) {
    return kept.playerName == playerName && !kept.submitted;
  });
  return found == records.end() ? nullptr : &*found;
}

// Ranks always count 1..n, also after a record was taken out, so that the
// best is always rank 1.
void THiscoreList::Renumber() {
  for (size_t i = 0; i < records.size(); ++i) records[i].rank = static_cast<int32_t>(i + 1);
}

int32_t HiscoreNumber(const TString& text) {
  long long value = std::strtoll(text.CStr(), nullptr, 10);
  return static_cast<int32_t>(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
}
