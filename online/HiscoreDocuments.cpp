#include "online/HiscoreDocuments.h"

#include <string>

#include "platform/crypto/TStringCipher.h"
#include "platform/xml/TXmlNode.h"

namespace {

constexpr char kHiscoreDocumentDeclaration[] = "<?xml version=\"1.0\"?>\n";

void SetOptionalAttribute(TXmlNode* element, const char* name, const TString& value) {
  if (!value.IsEmpty()) element->SetAttribute(name, value);
}

// The element written out, its content replaced by the given text: the text
// goes in unescaped, as the mark-up it is, and closes the document.
TString DocumentWithContent(const TXmlNode& element, const TString& content) {
  std::string text = element.ToString().CStr();
  const std::string endTag = std::string("</") + element.GetName().CStr() + ">";
  text.erase(text.find(endTag));
  text.append(content.CStr(), static_cast<size_t>(content.Length()));
  text += endTag;
  return TString(kHiscoreDocumentDeclaration) + TString(text.data(), static_cast<int>(text.size()));
}

}  // namespace

TString HiscoreScoreDocument(const THiscoreRecord& record, const THiscoreSubmitter& submitter) {
  TXmlNode score("score");
  score.SetAttribute("guid", record.guid);
  if (submitter.accountName) score.SetAttribute("name", submitter.accountName);
  if (submitter.password && *submitter.password) score.SetAttribute("password", submitter.password);
  score.SetAttribute("type", submitter.gameMode);
  SetOptionalAttribute(&score, "game", submitter.gameName);
  score.SetAttribute("score", record.score);
  SetOptionalAttribute(&score, "data", record.gameData);
  SetOptionalAttribute(&score, "ver", record.version);
  if (record.serverData.IsEmpty()) return TString(kHiscoreDocumentDeclaration) + score.ToString();
  return DocumentWithContent(score, record.serverData);
}

TString HiscoreMedalDocument(const char* medalLines, const char* accountName, const char* password,
                             const TString& gameName) {
  TXmlNode medals("medals");
  medals.SetAttribute("name", accountName);
  medals.SetAttribute("password", password);
  SetOptionalAttribute(&medals, "game", gameName);
  return DocumentWithContent(medals, medalLines);
}

TString EncodeHiscoreDocument(const TStringCipher& cipher, const TString& document) {
  const int size = cipher.Encrypt(document.CStr(), document.Length(), nullptr, 0, true);
  std::string text(static_cast<size_t>(size), '\0');
  if (size == 0 || cipher.Encrypt(document.CStr(), document.Length(), text.data(), size, true) != 0) return "";
  return TString(text.c_str());
}
