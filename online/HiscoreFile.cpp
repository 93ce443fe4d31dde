#include "online/HiscoreFile.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <iterator>
#include <cstdlib>
#include <vector>

#include "platform/crypto/TStringCipher.h"
#include "platform/text/Log.h"
#include "platform/xml/TXmlNode.h"

namespace {

constexpr char kHiscoreDeclaration[] = "<?xml version=\"1.0\"?>\n";
constexpr size_t kHiscoreTrailerSize = 8;
constexpr size_t kHiscoreCipherBlock = 8;
constexpr size_t kChecksumSize = 4;

using Bytes = std::vector<uint8_t>;

// The raw cipher text of the bytes; empty for a cipher without a key, which
// enciphers even no bytes into nothing. The size is known beforehand, so the
// cipher runs once instead of twice through its size-then-fill protocol.
Bytes EncipherHiscoreBytes(const TStringCipher& cipher, const uint8_t* bytes, size_t count) {
  if (cipher.Encrypt(nullptr, 0, nullptr, 0, false) == 0) return {};
  Bytes out(count + kHiscoreCipherBlock - count % kHiscoreCipherBlock);
  cipher.Encrypt(bytes, static_cast<int>(count), out.data(), static_cast<int>(out.size()), false);
  return out;
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
bool DecipherHiscoreBytes(const TStringCipher& cipher, const uint8_t* bytes, size_t count, Bytes* plain) {
  const size_t padding = DeclaredPadding(cipher, bytes + count - kHiscoreCipherBlock);
  if (padding == 0) return false;
  plain->resize(count - padding);
  return cipher.Decrypt(bytes, static_cast<int>(count), plain->data(), static_cast<int>(plain->size()),
                        false) == 0;
}

void AddRow(TXmlNode* list, const THiscoreRecord& record) {
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

void AppendElement(std::string* text, const TXmlNode& element) {
  TString written = element.ToString();
  text->append(written.CStr(), static_cast<size_t>(written.Length()));
}

std::string HiscoreDocument(const THiscoreAccounts& accounts, const THiscoreLists& lists) {
  std::string text = kHiscoreDeclaration;
  for (const auto& [player, account] : accounts) {
    TXmlNode user("user");
    user.SetAttribute("player", account.playerName);
    user.SetAttribute("name", account.accountName);
    user.SetAttribute("pass", account.password);
    AppendElement(&text, user);
  }
  for (const auto& [mode, list] : lists) {
    TXmlNode score("score");
    score.SetAttribute("name", mode);
    for (const THiscoreRecord& record : list.records) AddRow(&score, record);
    AppendElement(&text, score);
  }
  return text;
}

// Decimal text as a 32-bit number: what lies outside the range is held at
// its end instead of wrapping round, text that is no number reads as 0.
int32_t HiscoreNumber(const TString& text) {
  long long value = std::strtoll(text.CStr(), nullptr, 10);
  return static_cast<int32_t>(std::clamp<long long>(value, INT32_MIN, INT32_MAX));
}

// The attributes of a row and where each goes.
struct TRowAttribute {
  const char* name;
  void (*read)(THiscoreRecord* record, const TString& value);
};
constexpr TRowAttribute kRowAttributes[] = {
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
THiscoreRecord RowRecord(TXmlNode* row) {
  THiscoreRecord record;
  bool seen[std::size(kRowAttributes)] = {};
  TString name;
  TString value;
  for (row->BeginAttributes(); row->NextAttribute(&name, &value);) {
    for (size_t i = 0; i < std::size(kRowAttributes); ++i) {
      if (seen[i] || std::strcmp(name.CStr(), kRowAttributes[i].name) != 0) continue;
      seen[i] = true;
      kRowAttributes[i].read(&record, value);
      break;
    }
  }
  return record;
}

// The rows in document order, at most as many as a list keeps: the file may
// have been made by anyone, since the key is in the program.
void ReadList(TXmlNode* score, THiscoreLists* lists) {
  THiscoreList list;
  list.name = score->GetAttribute("name");
  TString name;
  TXmlNode* row = nullptr;
  for (score->BeginChildren(); score->NextChild(&name, &row);) {
    if (name != "row") continue;
    list.records.push_back(RowRecord(row));
    if (list.records.size() == THiscoreList::kMaxRecords) break;
  }
  if (!list.records.empty()) (*lists)[list.name] = std::move(list);
}

void ReadDocument(TXmlNode* document, THiscoreAccounts* accounts, THiscoreLists* lists) {
  TString name;
  TXmlNode* element = nullptr;
  for (document->BeginChildren(); document->NextChild(&name, &element);) {
    if (name == "user") {
      THiscoreAccount account{element->GetAttribute("player"), element->GetAttribute("name"),
                              element->GetAttribute("pass")};
      (*accounts)[account.playerName] = std::move(account);
    } else if (name == "score") {
      ReadList(element, lists);
    }
  }
}

bool ChecksumMatches(const TStringCipher& cipher, const uint8_t* trailer, uint32_t checksum) {
  Bytes word;
  if (!DecipherHiscoreBytes(cipher, trailer, kHiscoreTrailerSize, &word) || word.size() < kChecksumSize) {
    return false;
  }
  uint32_t stored = 0;
  for (size_t i = 0; i < kChecksumSize; ++i) stored |= static_cast<uint32_t>(word[i]) << (8 * i);
  return stored == checksum;
}

// The document's length up to its zero byte, or the fault that keeps the
// plain text from being read: whole blocks, the padding they declare, and
// the zero byte the text was written with.
const char* TextFault(const TStringCipher& cipher, const uint8_t* cipherText, size_t cipherSize, Bytes* plain,
                      size_t* length) {
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
  std::string document = HiscoreDocument(accounts, lists);
  document.push_back('\0');
  return SealHiscoreFile(cipher, document);
}

std::string SealHiscoreFile(const TStringCipher& cipher, const std::string& plain) {
  Bytes text = EncipherHiscoreBytes(cipher, reinterpret_cast<const uint8_t*>(plain.data()), plain.size());
  if (text.empty()) return {};
  uint32_t checksum = HiscoreChecksum(text.data(), text.size());
  uint8_t word[kChecksumSize];
  for (size_t i = 0; i < kChecksumSize; ++i) word[i] = static_cast<uint8_t>(checksum >> (8 * i));
  Bytes trailer = EncipherHiscoreBytes(cipher, word, kChecksumSize);
  std::string file(text.begin(), text.end());
  file.append(trailer.begin(), trailer.end());
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
  if (!ChecksumMatches(cipher, data + cipherSize, HiscoreChecksum(data, cipherSize))) {
    LogPrintf("HiScores: Checksum did not match! Ignoring saved score data.");
    return false;
  }
  Bytes plain;
  size_t length = 0;
  if (const char* fault = TextFault(cipher, data, cipherSize, &plain, &length)) {
    LogPrintf("HiScores: The saved score data is damaged (%s). Ignoring it.", fault);
    return false;
  }
  TXmlNode document;
  document.ParseString(plain.data(), length);
  ReadDocument(&document, accounts, lists);
  return true;
}
