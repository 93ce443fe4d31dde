#include "tests/support/game/StartScreenPlay.h"

#include "tests/support/game/GameDriver.h"

namespace {

// Far more pages than a start screen has.
constexpr int kMostStartScreenPages = 10;

}  // namespace

void ClickThroughStartScreen(GameDriver& driver, uint32_t settle) {
  for (int page = 0; page < kMostStartScreenPages && driver.FindWindow("startScreen"); ++page) {
    driver.Click(driver.FindWindow("nextButton") ? "nextButton" : "startScreen");
    driver.AdvanceTime(settle);
  }
}
