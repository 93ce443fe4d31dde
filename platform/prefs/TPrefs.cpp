#include "platform/prefs/TPrefs.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "platform/crypto/Base64.h"
#include "platform/text/Log.h"
#include "platform/prefs/SettingsSource.h"
#include "platform/file/TFile.h"
#include "platform/crypto/TStringCipher.h"

namespace {

constexpr const char* kFileName = "user:prefs.dat";
constexpr const char* kInstallFile = "install.txt";
constexpr const char* kUnknownInstall = "unknown";
constexpr const char* kInstallKeyAttribute = "vqinstallkey";
constexpr const char* kMissingData = "=====";

// Each byte, read unsigned, is XORed in at the byte position i mod 4 of the
// word. Reading bytes unsigned keeps bytes from 128 up in their own position
// instead of smearing sign bits over the higher ones.
uint32_t Checksum(const TString& text) {
  uint32_t sum = 0;
  const char* bytes = text.CStr();
  for (int i = 0; i < text.Length(); ++i) {
    sum ^= static_cast<uint32_t>(static_cast<unsigned char>(bytes[i])) << (8 * (i % 4));
  }
  return sum;
}

// The stored checksum is signed decimal text; anything else never matches.
bool ChecksumMatches(const TString& text, const TString& stored) {
  char* end = nullptr;
  long long value = std::strtoll(stored.CStr(), &end, 10);
  return end != stored.CStr() && value == static_cast<int32_t>(Checksum(text));
}

TString TextOf(const std::string& bytes) {
  return TString(bytes.data(), static_cast<int>(bytes.size()));
}

}  // namespace

TPrefs::TPrefs(bool savingEnabled) : mTree(std::make_unique<TXmlNode>()), mSavingEnabled(savingEnabled) {
  mKey = ReadSetting("encryptionkey");
  if (mKey.IsEmpty()) LogPrintf("ERROR: No encryption key set before TPrefs construction!");
  mFileName = kFileName;
  mInstallKey = ReadSetting("installkey");
  if (mInstallKey.IsEmpty()) mInstallKey = kUnknownInstall;
  Load();
}

TPrefs::~TPrefs() = default;

void TPrefs::Load() {
  mTree = std::make_unique<TXmlNode>();
  mSection = nullptr;
  if (mKey.IsEmpty()) {
    mTree->ParseFile(mFileName);
  } else {
    LoadEnciphered();
  }
  ReadInstallKey();
  SelectSection();
}

void TPrefs::LoadEnciphered() {
  std::string fileBytes;
  if (!FileReadAll(mFileName, &fileBytes)) return;  // a fresh installation
  TString text;
  if (!Decipher(fileBytes, &text)) {
    LogPrintf("The preferences in %s fail their check and are not used; the file is kept as %s.bad",
              mFileName.CStr(), mFileName.CStr());
    KeepBadFile(fileBytes);
    return;
  }
  mTree->ParseString(text.CStr());
}

bool TPrefs::Decipher(const std::string& fileBytes, TString* text) const {
  TXmlNode file;
  file.ParseString(fileBytes.data(), fileBytes.size());
  TXmlNode* data = file.GetChild("data1");
  TXmlNode* checksum = file.GetChild("data2");
  if (!data || !checksum) return false;
  *text = TStringCipher(mKey).DecryptString(data->GetAttribute("data"));
  return ChecksumMatches(*text, checksum->GetAttribute("data"));
}

void TPrefs::KeepBadFile(const std::string& fileBytes) const {
  FileReplace(mFileName + ".bad", fileBytes.data(), static_cast<int32_t>(fileBytes.size()));
}

// A non-empty "install.txt" names the installation; an empty one adopts the
// last installation in the file.
void TPrefs::ReadInstallKey() {
  std::string content;
  if (!FileReadAll(kInstallFile, &content, kFileReadText)) return;
  if (!content.empty()) {
    mInstallKey = TextOf(content);
    return;
  }
  TXmlNode* last = nullptr;
  TString name;
  TXmlNode* child = nullptr;
  for (mTree->BeginChildren(); mTree->NextChild(&name, &child);) {
    if (name == "install") last = child;
  }
  if (last) mInstallKey = last->GetAttribute(kInstallKeyAttribute);
}

void TPrefs::SelectSection() {
  TString name;
  TXmlNode* child = nullptr;
  for (mTree->BeginChildren(); mTree->NextChild(&name, &child);) {
    if (name == "install" && child->GetAttribute(kInstallKeyAttribute) == mInstallKey) {
      mSection = child;
      return;
    }
  }
  mSection = mTree->AddChild("install");
  mSection->SetAttribute(kInstallKeyAttribute, mInstallKey);
}

void TPrefs::Save() {
  if (!mSavingEnabled) return;
  TString text = FileText();
  FileReplace(mFileName, text.CStr(), text.Length() + 1, kFileWriteText);
}

// The document, or with a key the nameless wrapper around its cipher text
// ("data1") and checksum ("data2").
TString TPrefs::FileText() const {
  TString document = mTree->ToString();
  if (mKey.IsEmpty()) return document;
  TXmlNode file;
  file.AddChild("data1")->SetAttribute("data", TStringCipher(mKey).EncryptString(document));
  file.AddChild("data2")->SetAttribute("data", static_cast<int>(Checksum(document)));
  return file.ToString();
}

TXmlNode* TPrefs::GlobalSection() {
  TXmlNode* global = mSection->GetChild("global");
  return global ? global : mSection->AddChild("global");
}

std::vector<TXmlNode*> TPrefs::Users() {
  std::vector<TXmlNode*> users;
  TString name;
  TXmlNode* child = nullptr;
  for (mSection->BeginChildren(); mSection->NextChild(&name, &child);) {
    if (name == "user") users.push_back(child);
  }
  return users;
}

// The global section is made on first use; a player's section only by a
// write, which first makes every player before it.
TXmlNode* TPrefs::Section(int player, bool create) {
  if (player < 0) return GlobalSection();
  std::vector<TXmlNode*> users = Users();
  if (player < static_cast<int>(users.size())) return users[player];
  if (!create) return nullptr;
  TXmlNode* user = nullptr;
  for (int count = static_cast<int>(users.size()); count <= player; ++count) {
    user = mSection->AddChild("user");
  }
  return user;
}

TString TPrefs::GetValue(const TString& name, const TString& defaultValue, int player) {
  TXmlNode* section = Section(player, false);
  TString value = section ? section->GetAttribute(name) : TString("");
  return value.IsEmpty() ? defaultValue : value;
}

void TPrefs::SetValue(const TString& name, const TString& value, int player, bool saveNow) {
  Section(player, true)->SetAttribute(name, value);
  if (saveNow) Save();
}

int TPrefs::GetInt(const TString& name, int defaultValue, int player) {
  return GetValue(name, TString::Format("%d", defaultValue), player).ToInt();
}

void TPrefs::SetInt(const TString& name, int value, int player, bool saveNow) {
  SetValue(name, TString::Format("%d", value), player, saveNow);
}

int TPrefs::GetData(const TString& name, void* buffer, int bufferSize, int player) {
  TString text = GetValue(name, kMissingData, player);
  if (text == kMissingData) return -1;
  std::string bytes(static_cast<size_t>(Base64DecodedLength(text.Length())), '\0');
  bytes.resize(static_cast<size_t>(Base64Decode(bytes.data(), text.CStr(), text.Length())));
  int size = static_cast<int>(bytes.size());
  if (!buffer || bufferSize < size) return size;
  bytes.copy(static_cast<char*>(buffer), bytes.size());
  return 0;
}

void TPrefs::SetData(const TString& name, const void* bytes, int count, int player, bool saveNow) {
  count = bytes ? std::max(count, 0) : 0;
  std::string text(static_cast<size_t>(Base64EncodedLength(count)), '\0');
  text.resize(static_cast<size_t>(Base64Encode(text.data(), bytes, count)));
  SetValue(name, TextOf(text), player, saveNow);
}

int TPrefs::GetUserCount() { return static_cast<int>(Users().size()); }

void TPrefs::RemoveUser(int player) {
  std::vector<TXmlNode*> users = Users();
  if (player < 0 || player >= static_cast<int>(users.size())) return;
  mSection->RemoveChild(users[player]);
}
