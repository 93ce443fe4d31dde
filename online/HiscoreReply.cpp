#include "online/HiscoreReply.h"

#include "platform/text/Log.h"

namespace {

THiscoreRecord DownloadedRecord(const TXmlNode& entry) {
  THiscoreRecord record;
  record.playerName = entry.GetAttribute("name");
  record.gameData = entry.GetAttribute("data");
  record.serverData = entry.GetAttribute("serverData");
  record.version = entry.GetAttribute("ver");
  record.guid = entry.GetAttribute("guid");
  record.anonymous = entry.GetAttribute("anonymous") == "true";
  record.score = HiscoreNumber(entry.GetAttribute("score"));
  record.rank = HiscoreNumber(entry.GetAttribute("rank"));
  return record;
}

// Calls read for each child of that name, in order, at most `most` times.
template <class Read>
void ReadChildren(TXmlNode* parent, const char* childName, size_t most, Read read) {
  TString name;
  TXmlNode* child = nullptr;
  size_t count = 0;
  for (parent->BeginChildren(); count < most && parent->NextChild(&name, &child);) {
    if (name != childName) continue;
    read(*child);
    ++count;
  }
}

}  // namespace

THiscoreReply::THiscoreReply(const char* text) {
  mDocument.ParseString(text ? text : "");
  mRoot = mDocument.GetChild("hiscore");
}

bool THiscoreReply::Check(TString* message) const {
  *message = "";
  if (!mRoot) {
    LogPrintf("HiScore XML parsing error!");
    return false;
  }
  if (TXmlNode* userMessage = mRoot->GetChild("message")) {
    *message = userMessage->GetText();
    LogPrintf("HiScore User Message: %s", message->CStr());
    return false;
  }
  if (TXmlNode* protocolError = mRoot->GetChild("protocolError")) {
    LogPrintf("HiScore Protocol Error: %s", protocolError->GetText().CStr());
    return false;
  }
  return true;
}

bool THiscoreReply::Has(const char* child) const { return mRoot && mRoot->GetChild(child); }

bool THiscoreReply::ReadScores(THiscoreList* list, int32_t* ownIndex) const {
  TXmlNode* scores = mRoot ? mRoot->GetChild("scores") : nullptr;
  if (!scores) {
    LogPrintf("HiScores parsed incorrectly");
    return false;
  }
  ReadChildren(scores, "score", kMostScores, [&](const TXmlNode& entry) {
    if (*ownIndex == kNoEntry && entry.GetAttribute("account") == "true") {
      *ownIndex = static_cast<int32_t>(list->records.size());
    }
    list->records.push_back(DownloadedRecord(entry));
  });
  return true;
}

bool THiscoreReply::ReadTables(std::vector<THiscoreTable>* tables) const {
  TXmlNode* list = mRoot ? mRoot->GetChild("tables") : nullptr;
  if (!list) {
    LogPrintf("HiScore Tables parsed incorrectly");
    return false;
  }
  ReadChildren(list, "table", kMostTables, [&](const TXmlNode& entry) {
    tables->push_back({entry.GetAttribute("table"), entry.GetAttribute("name")});
  });
  return true;
}
