#include "online/HiscoreFile.h"

#include <algorithm>
#include <climits>
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

// The raw cipher text (or plain text) of the bytes, through the cipher's
// size-then-fill protocol.
Bytes RunHiscoreCipher(const TStringCipher& cipher, const uint8_t* bytes, size_t count, bool encipher) {
  const int size = static_cast<int>(count);
  const int needed = encipher ? cipher.Encrypt(bytes, size, nullptr, 0, false)
                              : cipher.Decrypt(bytes, size, nullptr, 0, false);
  Bytes out(static_cast<size_t>(needed));
  if (needed > 0) {
    if (encipher) {
      cipher.Encrypt(bytes, size, out.data(), needed, false);
    } else {
      cipher.Decrypt(bytes, size, out.data(), needed, false);
    }
  }
  return out;
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

THiscoreRecord RowRecord(const TXmlNode& row) {
  THiscoreRecord record;
  record.rank = HiscoreNumber(row.GetAttribute("rank"));
  record.score = HiscoreNumber(row.GetAttribute("score"));
  record.submitted = HiscoreNumber(row.GetAttribute("submit")) >= 1;
  record.guid = row.GetAttribute("guid");
  record.playerName = row.GetAttribute("name");
  record.gameData = row.GetAttribute("gameData");
  record.serverData = row.GetAttribute("serverData");
  record.version = row.GetAttribute("version");
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
    list.records.push_back(RowRecord(*row));
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

bool ChecksumMatches(const Bytes& trailer, uint32_t checksum) {
  if (trailer.size() < kChecksumSize) return false;
  uint32_t stored = 0;
  for (size_t i = 0; i < kChecksumSize; ++i) stored |= static_cast<uint32_t>(trailer[i]) << (8 * i);
  return stored == checksum;
}

// The document's length up to its zero byte, or the fault that keeps the
// plain text from being read: deciphering gives the padding, and the text
// ends in the zero byte it was written with.
const char* TextFault(size_t cipherSize, const Bytes& plain, size_t* length) {
  if (cipherSize % kHiscoreCipherBlock != 0) return "its length is no multiple of 8";
  if (plain.size() >= cipherSize || plain.size() + kHiscoreCipherBlock < cipherSize) {
    return "its padding is wrong";
  }
  auto zero = std::find(plain.begin(), plain.end(), 0);
  if (zero == plain.end()) return "its text has no end";
  *length = static_cast<size_t>(zero - plain.begin());
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
  Bytes text =
      RunHiscoreCipher(cipher, reinterpret_cast<const uint8_t*>(document.c_str()), document.size() + 1, true);
  if (text.empty()) return {};
  uint32_t checksum = HiscoreChecksum(text.data(), text.size());
  uint8_t word[kChecksumSize];
  for (size_t i = 0; i < kChecksumSize; ++i) word[i] = static_cast<uint8_t>(checksum >> (8 * i));
  Bytes trailer = RunHiscoreCipher(cipher, word, kChecksumSize, true);
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
  Bytes trailer = RunHiscoreCipher(cipher, data + cipherSize, kHiscoreTrailerSize, false);
  if (!ChecksumMatches(trailer, HiscoreChecksum(data, cipherSize))) {
    LogPrintf("HiScores: Checksum did not match! Ignoring saved score data.");
    return false;
  }
  Bytes plain;
  if (cipherSize % kHiscoreCipherBlock == 0) plain = RunHiscoreCipher(cipher, data, cipherSize, false);
  size_t length = 0;
  if (const char* fault = TextFault(cipherSize, plain, &length)) {
    LogPrintf("HiScores: The saved score data is damaged (%s). Ignoring it.", fault);
    return false;
  }
  TXmlNode document;
  document.ParseString(plain.data(), length);
  ReadDocument(&document, accounts, lists);
  return true;
}
