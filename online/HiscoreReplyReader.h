#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "online/HiscoreRecords.h"
#include "platform/xml/TXmlNode.h"

// The elements a hiscore reply is read into. A reply may hold hundreds of
// scores, so the first "scores" list of the root is read straight into
// records while the document is parsed, without keeping its entries as
// elements; everything else of the root stays as elements.

// What elements nobody reads become: their content is passed over.
class THiscoreIgnoredNode : public TXmlNode {
 public:
  TXmlNode* CreateChild(const TString&) override { return this; }
  void AddText(const char*, size_t) override {}
  void AddAttribute(const TString&, const TString&, bool) override {}
};

// One "score" entry, read into the record it is currently given.
class THiscoreEntryNode : public THiscoreIgnoredNode {
 public:
  TXmlNode* CreateChild(const TString&) override { return &mIgnored; }
  // From now on the attributes go to `record`, entry `index` of its list;
  // the first entry marked as the asking account's sets the own index.
  void Begin(THiscoreRecord* record, int32_t index, int32_t* ownIndex);
  void AddAttribute(const TString& name, const TString& value, bool quoted) override;

 private:
  THiscoreRecord* mRecord = nullptr;
  int32_t mIndex = 0;
  int32_t* mOwnIndex = nullptr;
  uint32_t mSeen = 0;  // a bit per attribute name: the first of a name counts
  THiscoreIgnoredNode mIgnored;
};

// A "scores" list: its first `most` "score" entries become records, the
// first entry marked as the account's gives the own index.
class THiscoreScoresNode : public THiscoreIgnoredNode {
 public:
  static constexpr int32_t kNoEntry = -1;

  explicit THiscoreScoresNode(size_t most) : mMost(most) {}
  TXmlNode* CreateChild(const TString& name) override;

  std::vector<THiscoreRecord> records;
  int32_t ownIndex = kNoEntry;

 private:
  size_t mMost;
  THiscoreEntryNode mEntry;
  THiscoreIgnoredNode mIgnored;
};

// The root "hiscore": its first "scores" is read as a list, the rest kept.
class THiscoreRootNode : public TXmlNode {
 public:
  explicit THiscoreRootNode(size_t mostScores) : TXmlNode("hiscore"), mMostScores(mostScores) {}
  TXmlNode* CreateChild(const TString& name) override;
  // Null when the reply has no "scores".
  THiscoreScoresNode* Scores() const { return mScores.get(); }

 private:
  size_t mMostScores;
  std::unique_ptr<THiscoreScoresNode> mScores;
};

// The document: its first top element "hiscore" is the root.
class THiscoreReplyDocument : public TXmlNode {
 public:
  explicit THiscoreReplyDocument(size_t mostScores) : mMostScores(mostScores) {}
  TXmlNode* CreateChild(const TString& name) override;
  // Null when the reply has no root.
  THiscoreRootNode* Root() const { return mRoot.get(); }

 private:
  size_t mMostScores;
  std::unique_ptr<THiscoreRootNode> mRoot;
  THiscoreIgnoredNode mIgnored;
};
