// Writes the seeds of the platform's fuzzing programs (XmlFuzz, PackFuzz,
// PrefsFuzz, StringTableFuzz, CommandLineFuzz, CipherFuzz) into the folder
// given as its argument, one sub-folder per program, with the writers the
// tests use: PackWriter, MakeZxml, StringTableXml, TXmlNode::ToString, and
// the preference store and cipher themselves. Run by PlatformSeeds.sh.

#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "platform/crypto/Base64.h"
#include "platform/crypto/TStringCipher.h"
#include "platform/file/TFile.h"
#include "platform/prefs/SettingsSource.h"
#include "platform/prefs/TPrefs.h"
#include "platform/text/Log.h"
#include "platform/xml/TXmlNode.h"
#include "tests/support/PackWriter.h"
#include "tests/support/StringTableFile.h"
#include "tests/support/TestFileLayer.h"
#include "tests/support/ZxmlWriter.h"

namespace {

// The key of PrefsFuzz, which reads the enciphered seeds with it.
constexpr char kPrefsKey[] = "S2V5T2ZUaGVHYW1l";

using Seeds = std::map<std::string, std::string>;  // file name -> bytes

std::string Damaged(std::string bytes, size_t at) {
  if (at < bytes.size()) bytes[at] ^= 0x20;
  return bytes;
}

// A level table as the game's data files have it, in CR LF lines.
std::string LevelTable() {
  return "<?xml version=\"1.0\" encoding=\"utf-8\"?>\r\n<!-- worlds -->\r\n<levels world=3>\r\n"
         "  <level id=\"1\" rings=\"7\" timer=\"120.5\">\r\n"
         "    <name>Ring &amp; Tower &#233; caf\xC3\xA9 \xFF</name>\r\n"
         "    <pieces colours=\"5\" powerups=\"bomb,lock\"/>\r\n"
         "  </level>\r\n  <level id=\"2\"><target medal=gold>125000</target></level>\r\n</levels>\r\n";
}

// A document as the writer writes it: quoted and bare attributes, escaped
// text, a nameless root.
std::string WrittenDocument() {
  TXmlNode root;
  TXmlNode* table = root.AddChild("table");
  table->SetAttribute("name", "Ann & \"Bo\"");
  table->AddAttribute("rows", "2", false);
  table->AddChild("row")->AddText("col1\tcol2 < 3", 13);
  table->AddChild("row")->AddChild("empty");
  return root.ToString().CStr();
}

Seeds XmlSeeds() {
  std::string deep;
  for (int i = 0; i < 300; ++i) deep += "<a>";
  std::string container = MakeZxml(LevelTable());
  std::string shortContainer = container;
  SetZxmlLengths(&shortContainer, ZxmlCompressedLength(container), 10);
  return {
      {"level-table.xml", LevelTable()},
      {"settings.xml", "<?xml version=\"1.0\"?>\n<settings>\n  <fullscreen>0</fullscreen>\n"
                       "  <language>en</language>\n</settings>\n"},
      {"written.xml", WrittenDocument()},
      {"markup.xml", "<a b c=1 d=><e x = \"1\" /></a><!DOCTYPE r><f>x<g/>y &unknown; &#; &#65;</f>"},
      {"deep.xml", deep + "core"},
      {"level-table.zxml", container},
      {"short-text.zxml", shortContainer},
      {"damaged.zxml", Damaged(container, 20)},
  };
}

Seeds PackSeeds() {
  const PackWriter pack = PackWriter()
                              .Add("Fonts/Main.MVEC", "font bytes")
                              .Add("levels/world01.xml", "<levels>\r\n</levels>\r\n")
                              .Add("empty.txt", "");
  std::string truncated = pack.Bytes();
  truncated.resize(30);
  return {
      {"three-entries.vqp", pack.Bytes()},
      {"outside.vqp", PackWriter().Add("in.txt", "in").AddRaw("out.txt", 8, 1 << 20).AddRaw("neg.txt", -4, 2).Bytes()},
      {"bad-names.vqp", PackWriter().Add("user:prefs.dat", "x").Add("", "y").Add("ok.txt", "z").Bytes()},
      {"empty.vqp", PackWriter().Bytes()},
      {"truncated.vqp", truncated},
      {"wrong-magic.vqp", "VQPX" + pack.Bytes().substr(4)},
  };
}

std::string gPrefsKeySetting;

TString PrefsSetting(const TString& key) { return key == "encryptionkey" ? gPrefsKeySetting.c_str() : ""; }

// A preference file as the store saves it, with or without the key.
std::string SavedPrefs(const std::string& key) {
  TestFileLayer files;
  gPrefsKeySetting = key;
  SetSettingsReader(PrefsSetting);
  {
    TPrefs prefs(true);
    prefs.SetValue("name", "Ann \"the\" <best>", 1, false);
    prefs.SetInt("level", 12, 0, false);
    const unsigned char bytes[] = {0, 1, 2, 200, 255};
    prefs.SetData("data", bytes, sizeof bytes, -1, false);
    prefs.SetValue("volume", "80", -1, true);
  }
  SetSettingsReader(nullptr);
  std::string saved;
  FileReadAll("user:prefs.dat", &saved);
  return saved;
}

Seeds PrefsSeeds() {
  const std::string enciphered = SavedPrefs(kPrefsKey);
  return {
      {"plain.dat", SavedPrefs("")},
      {"enciphered.dat", enciphered},
      {"enciphered-damaged.dat", Damaged(enciphered, enciphered.find("data=\"") + 20)},
      {"two-installs.dat", "<install vqinstallkey=\"a\"><global x=1/></install>"
                           "<install vqinstallkey=\"unknown\"><user name=\"p0\"/><user/></install>"},
  };
}

Seeds StringTableSeeds() {
  const std::string table = StringTableXml({{"Title", "Ring & Tower"},
                                            {"Pair", "%1% and %2%"},
                                            {"Ref", "See %Title%!"},
                                            {"Percent", "100%%"},
                                            {"Open", "50% off"},
                                            {"Empty", ""}});
  std::string broken;
  for (const char* row : {"<Row><Cell/></Row>\r\n", "<Row><Cell><Data ss:Type=\"String\"",
                          "<Row><Cell><Data>OnlyLabel</Data></Cell></Row>\r\n", "<Row><Data>NoEnd", "<Row>"}) {
    broken += row;
  }
  return {
      {"table.xml", table},
      {"table.zxml", MakeZxml(table)},
      {"broken-rows.xml", StringTableXml({{"Before", "b"}}) + broken + StringTableXml({{"After", "a"}})},
      {"prefixed-cells.xml", "<Row><Cell><ss:Data>Label</ss:Data></Cell><Cell><ss:Data>Text</ss:Data></Cell></Row>"},
  };
}

Seeds CommandLineSeeds() {
  return {
      {"options.txt", "-x options=a=1&b=2 and more words"},
      {"options-across-blank.txt", "options=a=1 x&b=2&c=&d=x=y&"},
      {"firstpeek.txt", "--multiple options=firstpeek=1"},
      {"cheat.txt", "--cheat abc -multiple more"},
      {"host.txt", "-wnd=1a2B -host=firefox -msn --axtest -pq=3 screensaver"},
      {"arguments.txt", std::string("--cheat\0abc\0options=a=1", 23)},
  };
}

// CipherFuzz reads a key-length byte, the key text, then its input.
std::string CipherInput(const std::string& key, const std::string& input) {
  return std::string(1, static_cast<char>(key.size())) + key + input;
}

Seeds CipherSeeds() {
  const std::string key = "S2V5T2ZUaGVHYW1l";
  const std::string sealed = TStringCipher(key.c_str()).EncryptString("cheat code 0123").CStr();
  const std::string bytes("\x00\x01\xfe\xff plain bytes", 16);
  std::string encoded(static_cast<size_t>(Base64EncodedLength(static_cast<int>(bytes.size()))), '\0');
  Base64Encode(encoded.data(), bytes.data(), static_cast<int>(bytes.size()));
  return {
      {"enciphered-text.bin", CipherInput(key, sealed)},
      {"key-of-4k-plus-1.bin", CipherInput("S2V5T", sealed)},
      {"base64.bin", CipherInput(key, encoded)},
      {"not-base64.bin", CipherInput(key, "QUJD*RA==")},
      {"no-key.bin", CipherInput("", "QUJDRA==")},
  };
}

void WriteSeeds(const std::filesystem::path& folder, const Seeds& seeds) {
  std::filesystem::create_directories(folder);
  for (const auto& [name, bytes] : seeds) std::ofstream(folder / name, std::ios::binary) << bytes;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: " << argv[0] << " SEEDS_FOLDER\n";
    return 1;
  }
  TempFolder logs;
  SetLogFolder(logs.Path().c_str());
  const std::filesystem::path seeds = argv[1];
  WriteSeeds(seeds / "XmlFuzz", XmlSeeds());
  WriteSeeds(seeds / "PackFuzz", PackSeeds());
  WriteSeeds(seeds / "PrefsFuzz", PrefsSeeds());
  WriteSeeds(seeds / "StringTableFuzz", StringTableSeeds());
  WriteSeeds(seeds / "CommandLineFuzz", CommandLineSeeds());
  WriteSeeds(seeds / "CipherFuzz", CipherSeeds());
  return 0;
}
