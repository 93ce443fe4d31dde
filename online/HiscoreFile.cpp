#include "online/HiscoreFile.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <iterator>
#include <vector>

#include "platform/crypto/TStringCipher.h"
#include "platform/text/Log.h"
#include "platform/xml/TXmlNode.h"

namespace {

constexpr char kHiscoreDeclaration[] = "<?xml version=\"1.0\"?>\n";
constexpr size_t kHiscoreTrailerSize = 8;
constexpr size_t kHiscoreCipherBlock = 8;
constexpr size_t kHiscoreChecksumSize = 4;

using HiscoreBytes = std::vector<uint8_t>;

size_t HiscoreCipherSize(size_t count) { return count + kHiscoreCipherBlock - count % kHiscoreCipherBlock; }

// Appends the raw cipher text of the bytes. Its size is known beforehand, so
// the cipher runs once instead of twice through its size-then-fill protocol.
void AppendEnciphered(const TStringCipher& cipher, const void* bytes, size_t count, std::string* out) {
  const size_t at = out->size();
  out->resize(at + HiscoreCipherSize(count));
  cipher.Encrypt(bytes, static_cast<int>(count), out->data() + at, static_cast<int>(out->size() - at), false);
}

// The padding that the last block of a cipher text declares, 1 to 8, or 0
// when it declares none that fits. Deciphered alone the block gives 8 - n
// bytes for a padding byte n of 1 to 8, but nothing for 8 and for the bytes
// beyond; the block twice over leaves 8 bytes for 8 alone.
size_t DeclaredPadding(const TStringCipher& cipher, const uint8_t* lastBlock) {
  const int left = cipher.Decrypt(lastBlock, kHiscoreCipherBlock, nullptr, 0, false);
  if (left > 0) return left < static_cast<int>(kHiscoreCipherBlock) ? kHiscoreCipherBlock - left : 0;
  uint8_t twice[2 * kHiscoreCipherBlock];
  std::memcpy(twice, lastBlock, kHiscoreCipherBlock);
  std::memcpy(twice + kHiscoreCipherBlock, lastBlock, kHiscoreCipherBlock);
  const int twiceLeft = cipher.Decrypt(twice, sizeof twice, nullptr, 0, false);
  return twiceLeft == static_cast<int>(kHiscoreCipherBlock) ? kHiscoreCipherBlock : 0;
}

// The plain bytes of the whole blocks, without their padding; false when
// the padding is wrong. The cipher runs once over the text.
bool DecipherHiscoreBytes(const TStringCipher& cipher, const uint8_t* bytes, size_t count,
                          HiscoreBytes* plain) {
  const size_t padding = DeclaredPadding(cipher, bytes + count - kHiscoreCipherBlock);
  if (padding == 0) return false;
  plain->resize(count - padding);
  return cipher.Decrypt(bytes, static_cast<int>(count), plain->data(), static_cast<int>(plain->size()),
                        false) == 0;
}

void AddHiscoreRow(TXmlNode* list, const THiscoreRecord& record) {
  TXmlNode* row = list->AddChild("row");
  row->SetAttribute("rank", record.rank);
  row->SetAttribute("score", record.score);
  row->SetAttribute("submit", record.submitted ? 1 : 0);
  const std::pair<const char*, const TString*> optional[] = {
      {"guid", &record.guid},         {"name", &record.playerName},
      {"gameData", &record.gameData}, {"serverData", &record.serverData},
      {"version", &record.version},
  };
  for (const auto& [name, value] : optional) {
    if (!value->IsEmpty()) row->SetAttribute(name, *value);
  }
}

// The document and its zero byte. The elements are written first and joined
// into one text of the size they add up to, which a file of full tables
// would otherwise copy over and over as it grows.
std::string HiscoreDocument(const THiscoreAccounts& accounts, const THiscoreLists& lists) {
  std::vector<TString> elements;
  for (const auto& [player, account] : accounts) {
    TXmlNode user("user");
    user.SetAttribute("player", account.playerName);
    user.SetAttribute("name", account.accountName);
    user.SetAttribute("pass", account.password);
    elements.push_back(user.ToString());
  }
  for (const auto& [mode, list] : lists) {
    TXmlNode score("score");
    score.SetAttribute("name", mode);
    for (const THiscoreRecord& record : list.records) AddHiscoreRow(&score, record);
    elements.push_back(score.ToString());
  }
  size_t size = sizeof kHiscoreDeclaration;
  for (const TString& element : elements) size += static_cast<size_t>(element.Length());
  std::string text;
  text.reserve(size);
  text = kHiscoreDeclaration;
  for (const TString& element : elements) text.append(element.CStr(), static_cast<size_t>(element.Length()));
  text.push_back('\0');
  return text;
}

// The attributes of a row and where each goes.
struct THiscoreRowAttribute {
  const char* name;
  void (*read)(THiscoreRecord* record, const TString& value);
};
constexpr THiscoreRowAttribute kHiscoreRowAttributes[] = {
    {"rank", [](THiscoreRecord* record, const TString& value) { record->rank = HiscoreNumber(value); }},
    {"score", [](THiscoreRecord* record, const TString& value) { record->score = HiscoreNumber(value); }},
    {"submit",
     [](THiscoreRecord* record, const TString& value) { record->submitted = HiscoreNumber(value) >= 1; }},
    {"guid", [](THiscoreRecord* record, const TString& value) { record->guid = value; }},
    {"name", [](THiscoreRecord* record, const TString& value) { record->playerName = value; }},
    {"gameData", [](THiscoreRecord* record, const TString& value) { record->gameData = value; }},
    {"serverData", [](THiscoreRecord* record, const TString& value) { record->serverData = value; }},
    {"version", [](THiscoreRecord* record, const TString& value) { record->version = value; }},
};

// One pass over the row's attributes instead of a search for each name,
// which a file of thousands of rows feels; as with a search, the first
// attribute of a name counts.
THiscoreRecord HiscoreRowRecord(TXmlNode* row) {
  THiscoreRecord record;
  bool seen[std::size(kHiscoreRowAttributes)] = {};
  TString name;
  TString value;
  for (row->BeginAttributes(); row->NextAttribute(&name, &value);) {
    for (size_t i = 0; i < std::size(kHiscoreRowAttributes); ++i) {
      if (seen[i] || std::strcmp(name.CStr(), kHiscoreRowAttributes[i].name) != 0) continue;
      seen[i] = true;
      kHiscoreRowAttributes[i].read(&record, value);
      break;
    }
  }
  return record;
}

// The rows in document order, at most as many as a list keeps: the file may
// have been made by anyone, since the key is in the program.
void ReadHiscoreList(TXmlNode* score, THiscoreLists* lists) {
  THiscoreList list;
  list.name = score->GetAttribute("name");
  TString name;
  TXmlNode* row = nullptr;
  size_t rows = 0;
  for (score->BeginChildren(); score->NextChild(&name, &row);) rows += name == "row" ? 1 : 0;
  list.records.reserve(std::min(rows, THiscoreList::kMaxRecords));
  for (score->BeginChildren(); score->NextChild(&name, &row);) {
    if (name != "row") continue;
    list.records.push_back(HiscoreRowRecord(row));
    if (list.records.size() == THiscoreList::kMaxRecords) break;
  }
  if (!list.records.empty()) (*lists)[list.name] = std::move(list);
}

void ReadHiscoreDocument(TXmlNode* document, THiscoreAccounts* accounts, THiscoreLists* lists) {
  TString name;
  TXmlNode* element = nullptr;
  for (document->BeginChildren(); document->NextChild(&name, &element);) {
    if (name == "user") {
      THiscoreAccount account{element->GetAttribute("player"), element->GetAttribute("name"),
                              element->GetAttribute("pass")};
      (*accounts)[account.playerName] = std::move(account);
    } else if (name == "score") {
      ReadHiscoreList(element, lists);
    }
  }
}

bool HiscoreChecksumMatches(const TStringCipher& cipher, const uint8_t* trailer, uint32_t checksum) {
  HiscoreBytes word;
  if (!DecipherHiscoreBytes(cipher, trailer, kHiscoreTrailerSize, &word) ||
      word.size() < kHiscoreChecksumSize) {
    return false;
  }
  uint32_t stored = 0;
  for (size_t i = 0; i < kHiscoreChecksumSize; ++i) stored |= static_cast<uint32_t>(word[i]) << (8 * i);
  return stored == checksum;
}

// The document's length up to its zero byte, or the fault that keeps the
// plain text from being read: whole blocks, the padding they declare, and
// the zero byte the text was written with.
const char* HiscoreTextFault(const TStringCipher& cipher, const uint8_t* cipherText, size_t cipherSize,
                             HiscoreBytes* plain, size_t* length) {
  if (cipherSize % kHiscoreCipherBlock != 0) return "its length is no multiple of 8";
  if (!DecipherHiscoreBytes(cipher, cipherText, cipherSize, plain)) return "its padding is wrong";
  auto zero = std::find(plain->begin(), plain->end(), 0);
  if (zero == plain->end()) return "its text has no end";
  *length = static_cast<size_t>(zero - plain->begin());
  return nullptr;
}

}  // namespace

uint32_t HiscoreChecksum(const uint8_t* bytes, size_t count) {
  uint32_t sum = 0;
  for (size_t i = 0; i < count; ++i) sum ^= static_cast<uint32_t>(bytes[i]) << (8 * (i % 4));
  return sum;
}

std::string HiscoreFileBytes(const TStringCipher& cipher, const THiscoreAccounts& accounts,
                             const THiscoreLists& lists) {
  return SealHiscoreFile(cipher, HiscoreDocument(accounts, lists));
}

// A cipher without a key enciphers even no bytes into nothing.
std::string SealHiscoreFile(const TStringCipher& cipher, const std::string& plain) {
  if (cipher.Encrypt(nullptr, 0, nullptr, 0, false) == 0) return {};
  std::string file;
  file.reserve(HiscoreCipherSize(plain.size()) + kHiscoreTrailerSize);
  AppendEnciphered(cipher, plain.data(), plain.size(), &file);
  const uint32_t checksum = HiscoreChecksum(reinterpret_cast<const uint8_t*>(file.data()), file.size());
  uint8_t word[kHiscoreChecksumSize];
  for (size_t i = 0; i < kHiscoreChecksumSize; ++i) word[i] = static_cast<uint8_t>(checksum >> (8 * i));
  AppendEnciphered(cipher, word, kHiscoreChecksumSize, &file);
  return file;
}

bool ReadHiscoreFile(const TStringCipher& cipher, const std::string& bytes, THiscoreAccounts* accounts,
                     THiscoreLists* lists) {
  if (bytes.size() <= kHiscoreTrailerSize) return false;
  if (bytes.size() > static_cast<size_t>(INT_MAX)) {
    LogPrintf("HiScores: The saved score data is too large. Ignoring it.");
    return false;
  }
  const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
  const size_t cipherSize = bytes.size() - kHiscoreTrailerSize;
  if (!HiscoreChecksumMatches(cipher, data + cipherSize, HiscoreChecksum(data, cipherSize))) {
    LogPrintf("HiScores: Checksum did not match! Ignoring saved score data.");
    return false;
  }
  HiscoreBytes plain;
  size_t length = 0;
  if (const char* fault = HiscoreTextFault(cipher, data, cipherSize, &plain, &length)) {
    LogPrintf("HiScores: The saved score data is damaged (%s). Ignoring it.", fault);
    return false;
  }
  TXmlNode document;
  document.ParseString(plain.data(), length);
  ReadHiscoreDocument(&document, accounts, lists);
  return true;
}
