#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <mutex>
#include <set>
#include <string>
#include <tuple>
#include <vector>

class TXmlNode;

// A hiscore service of our own, for tests and for trying the game by hand:
// it answers the client's queries ("lang", "ver", "action", ...) with the
// documents the client reads, and keeps everything in memory.
//
// Its rules:
// - Each game has its categories, in the order they were added; "tables"
//   lists them.
// - A table is kept per game, game mode ("type") and category, best score
//   first, equal scores in the order they arrived, at most kTableSize
//   entries. "get" answers at most "numScores" (and at most 500) entries of
//   the category "table", else of the game's first category; each entry has
//   its "rank", "anonymous" ("true" for scores sent without an account) and,
//   for the asking "username", "account" "true". Without "type" it answers
//   the protocol error "Missing required parameter: type".
// - "submit" and "medals" carry a document enciphered with the game's key
//   (Blowfish, base64); one that does not decipher, holds a zero byte or is
//   not the expected element is a protocol error. A score goes into every
//   category of its game and mode (a category "" when the game has none); a
//   second score of the same GUID replaces the first. The reply holds
//   "score" with the rank when the score entered the table.
// - A name with a password is an account: the first submission makes it,
//   later ones with another password get the message
//   "hiscore.error.invalidUsernameOrPassword". A name without a password
//   submits anonymously and is never checked.
// - Medals are kept per account (by their "name"); the reply holds "medals".
// - Anything else is a protocol error naming what is wrong.
class HiscoreService {
 public:
  static constexpr size_t kTableSize = 1000;
  static constexpr size_t kMostAnswered = 500;
  static constexpr char kInvalidAccount[] = "hiscore.error.invalidUsernameOrPassword";

  // One scores table's entry.
  struct Entry {
    std::string name;
    std::string data;
    std::string serverData;
    std::string version;
    std::string guid;
    int32_t score = 0;
    bool anonymous = true;
  };

  // Submissions of a game are deciphered with its key (base64 text, as the
  // game's setting "encryptionkey").
  void AddGame(const std::string& game, const std::string& keyText);
  void AddCategory(const std::string& game, const std::string& id, const std::string& name);

  // The reply document to a query string (what follows "?" in the address).
  std::string Answer(const std::string& query);

  // The deciphered documents of all submissions so far, in order.
  std::vector<std::string> Documents() const;
  std::vector<Entry> Table(const std::string& game, const std::string& type, const std::string& category) const;
  std::set<std::string> Medals(const std::string& account) const;

 private:
  using Parameters = std::map<std::string, std::string>;
  using TableKey = std::tuple<std::string, std::string, std::string>;

  std::string Tables(const Parameters& query) const;
  std::string Scores(const Parameters& query) const;
  std::string Submit(const Parameters& query);
  std::string SubmitMedals(const Parameters& query);
  // The document of a submission parameter, or "" (with the fault) when it
  // cannot be read.
  std::string Decipher(const Parameters& query, const char* parameter, std::string* fault);
  // The element named as the parameter in the parameter's document, parsed
  // into `parsed`; null (with the fault) when there is none.
  TXmlNode* ReadSubmission(const Parameters& query, const char* parameter, TXmlNode* parsed, std::string* document,
                           std::string* fault);
  // False when the name has an account with another password; makes the
  // account on its first use with a password.
  bool Admit(const std::string& name, const std::string& password);
  std::vector<std::string> CategoriesOf(const std::string& game) const;
  // The rank (1 for the best) the entry got, or 0 when it did not enter.
  size_t Enter(const TableKey& key, const Entry& entry);

  mutable std::mutex mMutex;
  std::map<std::string, std::string> mKeys;
  std::map<std::string, std::vector<std::pair<std::string, std::string>>> mCategories;
  std::map<TableKey, std::vector<Entry>> mTables;
  std::map<std::string, std::string> mPasswords;
  std::map<std::string, std::set<std::string>> mMedals;
  std::vector<std::string> mDocuments;
};
