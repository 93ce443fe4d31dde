#include "online/HiscoreReplyReader.h"

#include <cstring>
#include <iterator>

namespace {

// The attributes of a downloaded score and where each goes.
struct TDownloadedAttribute {
  const char* name;
  void (*read)(THiscoreRecord* record, const TString& value);
};
constexpr TDownloadedAttribute kDownloadedAttributes[] = {
    {"name", [](THiscoreRecord* record, const TString& value) { record->playerName = value; }},
    {"data", [](THiscoreRecord* record, const TString& value) { record->gameData = value; }},
    {"serverData", [](THiscoreRecord* record, const TString& value) { record->serverData = value; }},
    {"ver", [](THiscoreRecord* record, const TString& value) { record->version = value; }},
    {"guid", [](THiscoreRecord* record, const TString& value) { record->guid = value; }},
    {"anonymous", [](THiscoreRecord* record, const TString& value) { record->anonymous = value == "true"; }},
    {"score", [](THiscoreRecord* record, const TString& value) { record->score = HiscoreNumber(value); }},
    {"rank", [](THiscoreRecord* record, const TString& value) { record->rank = HiscoreNumber(value); }},
};
// The attribute that marks the asking account's entry.
constexpr char kAccountAttribute[] = "account";
constexpr uint32_t kAccountSeen = uint32_t{1} << std::size(kDownloadedAttributes);
static_assert(std::size(kDownloadedAttributes) < 32, "one bit per attribute");

}  // namespace

void THiscoreEntryNode::Begin(THiscoreRecord* record, int32_t index, int32_t* ownIndex) {
  mRecord = record;
  mIndex = index;
  mOwnIndex = ownIndex;
  mSeen = 0;
}

void THiscoreEntryNode::AddAttribute(const TString& name, const TString& value, bool) {
  if (std::strcmp(name.CStr(), kAccountAttribute) == 0) {
    if (!(mSeen & kAccountSeen) && value == "true" && *mOwnIndex == THiscoreScoresNode::kNoEntry) *mOwnIndex = mIndex;
    mSeen |= kAccountSeen;
    return;
  }
  for (size_t i = 0; i < std::size(kDownloadedAttributes); ++i) {
    const uint32_t bit = uint32_t{1} << i;
    if ((mSeen & bit) || std::strcmp(name.CStr(), kDownloadedAttributes[i].name) != 0) continue;
    mSeen |= bit;
    kDownloadedAttributes[i].read(mRecord, value);
    return;
  }
}

TXmlNode* THiscoreScoresNode::CreateChild(const TString& name) {
  if (name != "score" || records.size() >= mMost) return &mIgnored;
  THiscoreRecord& record = records.emplace_back();
  record.anonymous = false;
  mEntry.Begin(&record, static_cast<int32_t>(records.size()) - 1, &ownIndex);
  return &mEntry;
}

TXmlNode* THiscoreRootNode::CreateChild(const TString& name) {
  if (name != "scores" || mScores) return AddChild(name);
  mScores = std::make_unique<THiscoreScoresNode>(mMostScores);
  return mScores.get();
}

TXmlNode* THiscoreReplyDocument::CreateChild(const TString& name) {
  if (name != "hiscore" || mRoot) return &mIgnored;
  mRoot = std::make_unique<THiscoreRootNode>(mMostScores);
  return mRoot.get();
}
