#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "online/HiscoreRecords.h"
#include "platform/text/TString.h"
#include "online/HiscoreReplyReader.h"

// A reply of the hiscore service, a document with the root "hiscore". It
// comes from outside: lists are read only as far as the client ever asks,
// numbers are held to 32 bits, and texts are kept as plain text.
class THiscoreReply {
 public:
  // As many scores as a score request asks for.
  static constexpr size_t kMostScores = 500;
  // Far more categories than a game has.
  static constexpr size_t kMostTables = 256;

  explicit THiscoreReply(const char* text);

  // False, with a log line, for a reply without the root, with a "message"
  // (whose text becomes the message) or with a "protocolError" (the message
  // stays empty).
  bool Check(TString* message) const;
  bool Has(const char* child) const;
  // Hands over the "scores" list in document order, and the position of the
  // first entry marked as the asking account's (kNoEntry for none); false,
  // with a log line, without the list.
  bool ReadScores(THiscoreList* list, int32_t* ownIndex);
  // The "tables" list of categories; false, with a log line, without it.
  bool ReadTables(std::vector<THiscoreTable>* tables) const;

  static constexpr int32_t kNoEntry = THiscoreScoresNode::kNoEntry;

 private:
  THiscoreReplyDocument mDocument;
  THiscoreRootNode* mRoot;
};
