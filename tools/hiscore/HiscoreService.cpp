#include "tools/hiscore/HiscoreService.h"

#include <algorithm>
#include <functional>

#include "online/HiscoreRecords.h"
#include "platform/crypto/TStringCipher.h"
#include "platform/xml/TXmlNode.h"

namespace {

int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// "%XX" back to its byte; a "%" without two digits stays as it is.
std::string Unescaped(const std::string& text) {
  std::string plain;
  for (size_t i = 0; i < text.size(); ++i) {
    const int high = i + 2 < text.size() && text[i] == '%' ? HexDigitValue(text[i + 1]) : -1;
    const int low = high >= 0 ? HexDigitValue(text[i + 2]) : -1;
    if (low < 0) {
      plain += text[i];
      continue;
    }
    plain += static_cast<char>(high * 16 + low);
    i += 2;
  }
  return plain;
}

// The first value of each name.
std::map<std::string, std::string> QueryParameters(const std::string& query) {
  std::map<std::string, std::string> parameters;
  size_t start = 0;
  while (start <= query.size()) {
    size_t end = query.find('&', start);
    if (end == std::string::npos) end = query.size();
    const std::string pair = query.substr(start, end - start);
    const size_t equals = pair.find('=');
    if (!pair.empty()) {
      parameters.emplace(Unescaped(pair.substr(0, equals)),
                         equals == std::string::npos ? "" : Unescaped(pair.substr(equals + 1)));
    }
    start = end + 1;
  }
  return parameters;
}

std::string Parameter(const std::map<std::string, std::string>& query, const std::string& name) {
  auto found = query.find(name);
  return found == query.end() ? "" : found->second;
}

std::string Document(std::function<void(TXmlNode*)> fill) {
  TXmlNode hiscore("hiscore");
  fill(&hiscore);
  return std::string("<?xml version=\"1.0\"?>\n") + hiscore.ToString().CStr();
}

std::string ProtocolError(const std::string& text) {
  return Document([&](TXmlNode* root) { root->AddChild("protocolError")->AddText(text.data(), text.size()); });
}

std::string UserMessage(const std::string& text) {
  return Document([&](TXmlNode* root) { root->AddChild("message")->AddText(text.data(), text.size()); });
}

std::string Attribute(const TXmlNode& element, const char* name) { return element.GetAttribute(name).CStr(); }

// What stands between the element's start tag and its end tag, as sent.
std::string RawContent(const std::string& document, const std::string& element) {
  const size_t start = document.find("<" + element);
  const size_t tagEnd = start == std::string::npos ? start : document.find('>', start);
  const size_t end = document.rfind("</" + element + ">");
  if (tagEnd == std::string::npos || end == std::string::npos || end <= tagEnd) return "";
  std::string content = document.substr(tagEnd + 1, end - tagEnd - 1);
  if (!content.empty() && content[0] == '\n') content.erase(0, 1);
  return content;
}

int32_t Number(const std::string& text) { return HiscoreNumber(TString(text.c_str())); }

}  // namespace

void HiscoreService::AddGame(const std::string& game, const std::string& keyText) {
  std::lock_guard lock(mMutex);
  mKeys[game] = keyText;
}

void HiscoreService::AddCategory(const std::string& game, const std::string& id, const std::string& name) {
  std::lock_guard lock(mMutex);
  mCategories[game].emplace_back(id, name);
}

std::string HiscoreService::Answer(const std::string& queryText) {
  const Parameters query = QueryParameters(queryText);
  const std::string action = Parameter(query, "action");
  std::lock_guard lock(mMutex);
  if (Parameter(query, "game").empty()) return ProtocolError("Missing required parameter: game");
  if (action == "tables") return Tables(query);
  if (action == "get") return Scores(query);
  if (action == "submit") return Submit(query);
  if (action == "medals") return SubmitMedals(query);
  return ProtocolError("Unknown action: " + action);
}

std::vector<std::string> HiscoreService::Documents() const {
  std::lock_guard lock(mMutex);
  return mDocuments;
}

std::vector<HiscoreService::Entry> HiscoreService::Table(const std::string& game, const std::string& type,
                                                         const std::string& category) const {
  std::lock_guard lock(mMutex);
  auto found = mTables.find({game, type, category});
  return found == mTables.end() ? std::vector<Entry>() : found->second;
}

std::set<std::string> HiscoreService::Medals(const std::string& account) const {
  std::lock_guard lock(mMutex);
  auto found = mMedals.find(account);
  return found == mMedals.end() ? std::set<std::string>() : found->second;
}

std::vector<std::string> HiscoreService::CategoriesOf(const std::string& game) const {
  std::vector<std::string> ids;
  auto found = mCategories.find(game);
  if (found != mCategories.end()) {
    for (const auto& [id, name] : found->second) ids.push_back(id);
  }
  if (ids.empty()) ids.push_back("");
  return ids;
}

std::string HiscoreService::Tables(const Parameters& query) const {
  auto found = mCategories.find(Parameter(query, "game"));
  return Document([&](TXmlNode* root) {
    TXmlNode* tables = root->AddChild("tables");
    if (found == mCategories.end()) return;
    for (const auto& [id, name] : found->second) {
      TXmlNode* table = tables->AddChild("table");
      table->SetAttribute("table", id.c_str());
      table->SetAttribute("name", name.c_str());
    }
  });
}

std::string HiscoreService::Scores(const Parameters& query) const {
  if (!query.count("type")) return ProtocolError("Missing required parameter: type");
  const std::string game = Parameter(query, "game");
  std::string category = Parameter(query, "table");
  if (!query.count("table")) category = CategoriesOf(game).front();
  const size_t asked = static_cast<size_t>(std::clamp<int32_t>(Number(Parameter(query, "numScores")), 0,
                                                               static_cast<int32_t>(kMostAnswered)));
  const std::string username = Parameter(query, "username");
  auto found = mTables.find({game, Parameter(query, "type"), category});
  return Document([&](TXmlNode* root) {
    TXmlNode* scores = root->AddChild("scores");
    if (found == mTables.end()) return;
    const std::vector<Entry>& entries = found->second;
    for (size_t i = 0; i < std::min(asked, entries.size()); ++i) {
      const Entry& entry = entries[i];
      TXmlNode* score = scores->AddChild("score");
      score->SetAttribute("name", entry.name.c_str());
      score->SetAttribute("data", entry.data.c_str());
      score->SetAttribute("serverData", entry.serverData.c_str());
      score->SetAttribute("ver", entry.version.c_str());
      score->SetAttribute("guid", entry.guid.c_str());
      score->SetAttribute("anonymous", entry.anonymous ? "true" : "false");
      score->SetAttribute("score", entry.score);
      score->SetAttribute("rank", static_cast<int>(i + 1));
      if (!username.empty() && !entry.anonymous && entry.name == username) score->SetAttribute("account", "true");
    }
  });
}

std::string HiscoreService::Decipher(const Parameters& query, const char* parameter, std::string* fault) {
  auto key = mKeys.find(Parameter(query, "game"));
  if (key == mKeys.end()) {
    *fault = "Unknown game";
    return "";
  }
  const std::string text = Parameter(query, parameter);
  const TStringCipher cipher(key->second.c_str());
  const int size = cipher.Decrypt(text.data(), static_cast<int>(text.size()), nullptr, 0, true);
  std::string plain(static_cast<size_t>(size), '\0');
  if (size == 0 || cipher.Decrypt(text.data(), static_cast<int>(text.size()), plain.data(), size, true) != 0) {
    *fault = std::string("Cannot decipher parameter: ") + parameter;
    return "";
  }
  if (plain.find('\0') != std::string::npos) {
    *fault = std::string("Zero byte in parameter: ") + parameter;
    return "";
  }
  mDocuments.push_back(plain);
  return plain;
}

TXmlNode* HiscoreService::ReadSubmission(const Parameters& query, const char* parameter, TXmlNode* parsed,
                                         std::string* document, std::string* fault) {
  *document = Decipher(query, parameter, fault);
  if (document->empty()) return nullptr;
  parsed->ParseString(document->data(), document->size());
  TXmlNode* element = parsed->GetChild(parameter);
  if (!element) *fault = std::string("The document holds no ") + parameter;
  return element;
}

bool HiscoreService::Admit(const std::string& name, const std::string& password) {
  if (name.empty() || password.empty()) return true;
  auto [account, made] = mPasswords.emplace(name, password);
  return made || account->second == password;
}

size_t HiscoreService::Enter(const TableKey& key, const Entry& entry) {
  std::vector<Entry>& entries = mTables[key];
  std::erase_if(entries, [&](const Entry& kept) { return !entry.guid.empty() && kept.guid == entry.guid; });
  auto place = std::find_if(entries.begin(), entries.end(), [&](const Entry& kept) { return kept.score < entry.score; });
  const size_t rank = static_cast<size_t>(place - entries.begin()) + 1;
  if (rank > kTableSize) return 0;
  entries.insert(place, entry);
  if (entries.size() > kTableSize) entries.pop_back();
  return rank;
}

std::string HiscoreService::Submit(const Parameters& query) {
  TXmlNode parsed;
  std::string document;
  std::string fault;
  const TXmlNode* score = ReadSubmission(query, "score", &parsed, &document, &fault);
  if (!score) return ProtocolError(fault);
  const std::string type = Attribute(*score, "type");
  if (type.empty()) return ProtocolError("Missing required parameter: type");
  Entry entry{Attribute(*score, "name"), Attribute(*score, "data"), RawContent(document, "score"),
              Attribute(*score, "ver"),  Attribute(*score, "guid"), Number(Attribute(*score, "score")),
              Attribute(*score, "password").empty()};
  if (!Admit(entry.name, Attribute(*score, "password"))) return UserMessage(kInvalidAccount);
  const std::string game = Parameter(query, "game");
  size_t best = 0;
  for (const std::string& category : CategoriesOf(game)) {
    const size_t rank = Enter({game, type, category}, entry);
    if (rank > 0 && (best == 0 || rank < best)) best = rank;
  }
  return Document([&](TXmlNode* root) {
    root->AddChild("accepted");
    if (best > 0) root->AddChild("score")->SetAttribute("rank", static_cast<int>(best));
  });
}

std::string HiscoreService::SubmitMedals(const Parameters& query) {
  TXmlNode parsed;
  std::string document;
  std::string fault;
  TXmlNode* medals = ReadSubmission(query, "medals", &parsed, &document, &fault);
  if (!medals) return ProtocolError(fault);
  const std::string name = Attribute(*medals, "name");
  if (!Admit(name, Attribute(*medals, "password"))) return UserMessage(kInvalidAccount);
  TString childName;
  TXmlNode* medal = nullptr;
  size_t kept = 0;
  for (medals->BeginChildren(); medals->NextChild(&childName, &medal);) {
    if (childName != "medal") continue;
    mMedals[name].insert(Attribute(*medal, "name"));
    ++kept;
  }
  return Document([&](TXmlNode* root) { root->AddChild("medals")->SetAttribute("count", static_cast<int>(kept)); });
}
