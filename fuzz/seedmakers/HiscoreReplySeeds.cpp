// Makes the seeds of HiscoreReplyFuzz: the replies of our own hiscore
// service (tools/hiscore) to every kind of request, and to faulty ones:
//   HiscoreReplySeeds fuzz/seeds
// Each seed is written as <seeds>/HiscoreReplyFuzz/<name>.xml; findings kept
// beside them are left alone.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "online/HiscoreDocuments.h"
#include "online/HttpEscape.h"
#include "platform/crypto/TStringCipher.h"
#include "tests/online/HiscoreRig.h"
#include "tools/hiscore/HiscoreService.h"

namespace {

namespace fs = std::filesystem;

constexpr char kSeedGame[] = "quorvane";
constexpr char kSeedQuery[] = "lang=en&ver=1.0&game=quorvane&";

std::string ScoreQuery(int32_t score, const char* name, const char* password, const char* guid) {
  THiscoreRecord record = HiscoreRow(1, score, "Pia", guid);
  record.gameData = "w1 l2";
  record.serverData = "<medal name=\"x\" per=\"game\"/>";
  record.version = "1.0";
  const TString document = HiscoreScoreDocument(record, {name, password, "quorvane_gamemode_adv", kSeedGame});
  return std::string(kSeedQuery) + "action=submit&score=" +
         HttpEscape(EncodeHiscoreDocument(TStringCipher(kHiscoreTestKey), document).CStr()).CStr();
}

void WriteSeed(const fs::path& folder, const std::string& name, const std::string& reply) {
  std::ofstream(folder / (name + ".xml"), std::ios::binary)
      .write(reply.data(), static_cast<std::streamsize>(reply.size()));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <seeds folder>\n", argv[0]);
    return 2;
  }
  const fs::path folder = fs::path(argv[1]) / "HiscoreReplyFuzz";
  fs::create_directories(folder);
  HiscoreService service;
  service.AddGame(kSeedGame, kHiscoreTestKey);
  service.AddCategory(kSeedGame, "alltime", "All time");
  service.AddCategory(kSeedGame, "week", "This & that week");
  WriteSeed(folder, "tables", service.Answer(std::string(kSeedQuery) + "action=tables"));
  WriteSeed(folder, "submitted", service.Answer(ScoreQuery(300, "Pia", "pw", "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa")));
  service.Answer(ScoreQuery(200, "Ola", nullptr, "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb"));
  WriteSeed(folder, "wrongpassword",
            service.Answer(ScoreQuery(100, "Pia", "other", "cccccccccccccccccccccccccccccccc")));
  WriteSeed(folder, "scores",
            service.Answer(std::string(kSeedQuery) + "action=get&type=quorvane_gamemode_adv&numScores=500&username=Pia"));
  WriteSeed(folder, "notype", service.Answer(std::string(kSeedQuery) + "action=get&numScores=500"));
  const TString medals = HiscoreMedalDocument("<medal name=\"quorvane_completedjourney\" per=\"game\"/>", "Pia", "pw",
                                              kSeedGame);
  WriteSeed(folder, "medals",
            service.Answer(std::string(kSeedQuery) + "action=medals&medals=" +
                           HttpEscape(EncodeHiscoreDocument(TStringCipher(kHiscoreTestKey), medals).CStr()).CStr()));
  WriteSeed(folder, "undeciphered", service.Answer(std::string(kSeedQuery) + "action=submit&score=AAAA"));
  return 0;
}
