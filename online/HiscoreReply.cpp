#include "online/HiscoreReply.h"

#include <utility>

#include "platform/text/Log.h"

THiscoreReply::THiscoreReply(const char* text) : mDocument(kMostScores) {
  mDocument.ParseString(text ? text : "");
  mRoot = mDocument.Root();
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

bool THiscoreReply::ReadScores(THiscoreList* list, int32_t* ownIndex) {
  THiscoreScoresNode* scores = mRoot ? mRoot->Scores() : nullptr;
  if (!scores) {
    LogPrintf("HiScores parsed incorrectly");
    return false;
  }
  list->records = std::move(scores->records);
  *ownIndex = scores->ownIndex;
  return true;
}

bool THiscoreReply::ReadTables(std::vector<THiscoreTable>* tables) const {
  TXmlNode* list = mRoot ? mRoot->GetChild("tables") : nullptr;
  if (!list) {
    LogPrintf("HiScore Tables parsed incorrectly");
    return false;
  }
  TString name;
  TXmlNode* entry = nullptr;
  for (list->BeginChildren(); tables->size() < kMostTables && list->NextChild(&name, &entry);) {
    if (name == "table") tables->push_back({entry->GetAttribute("table"), entry->GetAttribute("name")});
  }
  return true;
}
