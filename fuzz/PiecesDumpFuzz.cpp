// Feeds arbitrary bytes to a tower as its dump "user:pieces.dump". Whatever
// the tower loads it must write out as a dump of its own size in the dump's
// codes, and a tower that loads that dump must write out the same.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "game/rules/tower/TTower.h"
#include "tests/support/FuzzFileLayer.h"
#include "tests/support/TempFolder.h"
#include "tests/support/rules/KitTower.h"
#include "tests/support/rules/NullPieceViews.h"

namespace {

using namespace GamePlay;

constexpr uint32_t kRings = 8;
constexpr uint32_t kSlots = 12;
const char* const kDumpCodes = "n012345ABCDEFZ";

std::string DumpPath() { return FuzzFileLayer().UserPath("pieces.dump"); }

// Loads the dump into an empty tower and saves it again; the saved text.
std::string LoadAndSave() {
  NullPieceViewFactory views;
  KitPieceFactory pieces(&views);
  KitTower kit(pieces, TTowerSetup{}, std::vector<std::string>(kRings));
  kit.tower->LoadDump();
  kit.tower->SaveDump();
  return ReadWholeFile(DumpPath());
}

bool IsDumpOfTheTower(const std::string& text) {
  if (text.size() != kRings * (kSlots + 2)) return false;
  for (size_t ring = 0; ring < kRings; ++ring) {
    const std::string line = text.substr(ring * (kSlots + 2), kSlots + 2);
    if (line.find_first_not_of(kDumpCodes) != kSlots || line.substr(kSlots) != "\r\n") {
      return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzFileLayer().Write("user/pieces.dump", FuzzText(data, size));
  const std::string saved = LoadAndSave();
  if (!IsDumpOfTheTower(saved)) abort();
  if (LoadAndSave() != saved) abort();
  return 0;
}
