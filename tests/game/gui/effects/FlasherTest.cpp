// Flashers: the beat's pulse and accent in time, restarts, pausing with the
// game clocks, refused tempos; the delivery flasher following its rate.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "game/gui/effects/TBpmFlasher.h"
#include "game/gui/effects/TDeliverFlasher.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "platform/text/Log.h"
#include "tests/support/FakeClock.h"
#include "tests/support/TempFolder.h"

namespace GUI {
namespace {

constexpr float kNear = 1e-6f;

class BpmFlasherTest : public testing::Test {
 protected:
  BpmFlasherTest() { SetLogFolder(mLogs.Path().c_str()); }
  ~BpmFlasherTest() override { GamePlay::TClockProxyRegistry::Instance().ResumeAll(); }

  // Moves game time on to `at` milliseconds after the start, then updates.
  void UpdateAt(TBpmFlasher& flasher, uint32_t at) {
    clock.Advance(at - mNow);
    mNow = at;
    flasher.Update(0.01f);
  }
  std::string LogText() const { return ReadWholeFile(GetLogPath().CStr()); }

  FakeClock clock;

 private:
  TempFolder mLogs;
  uint32_t mNow = 0;
};

struct BeatCase {
  uint32_t at;  // milliseconds after the start
  float pulse;
  float accent;
};

TEST_F(BpmFlasherTest, At120BeatsPerMinuteTheValuesPeakAtMidBeatAndTheAccentEveryFourthBeat) {
  TBpmFlasher flasher(120.0f);
  EXPECT_EQ(flasher.GetPulseValue(), 0.0f) << "nothing before the first update";
  const float eighth = std::sin(3.1415927f / 4.0f);
  const std::vector<BeatCase> cases = {
      {0, 0.0f, 0.0f},     {250, 1.0f, 1.0f},          {500, 0.0f, 0.0f},
      {750, 1.0f, 0.5f},   {1125, eighth, eighth / 2}, {1750, 1.0f, 0.5f},
      {2000, 0.0f, 0.0f},  {2250, 1.0f, 1.0f},         {4250, 1.0f, 1.0f},
  };
  for (const BeatCase& c : cases) {
    UpdateAt(flasher, c.at);
    EXPECT_NEAR(flasher.GetPulseValue(), c.pulse, kNear) << c.at << " ms";
    EXPECT_NEAR(flasher.GetAccentValue(), c.accent, kNear) << c.at << " ms";
  }
}

TEST_F(BpmFlasherTest, AResetStartsTheBeatAndItsCountAgain) {
  TBpmFlasher flasher(120.0f);
  UpdateAt(flasher, 700);
  flasher.Reset();
  UpdateAt(flasher, 950);
  EXPECT_NEAR(flasher.GetPulseValue(), 1.0f, kNear) << "mid-beat 250 ms after the reset";
  EXPECT_NEAR(flasher.GetAccentValue(), 1.0f, kNear) << "the beat after a reset is an accented one";
  UpdateAt(flasher, 1450);
  EXPECT_NEAR(flasher.GetAccentValue(), 0.5f, kNear);
}

TEST_F(BpmFlasherTest, PausedGameClocksFreezeBothValues) {
  TBpmFlasher flasher(120.0f);
  UpdateAt(flasher, 100);
  const float pulse = flasher.GetPulseValue();
  ASSERT_GT(pulse, 0.0f);
  GamePlay::TClockProxyRegistry::Instance().PauseAll();
  UpdateAt(flasher, 1000);
  EXPECT_EQ(flasher.GetPulseValue(), pulse);
  EXPECT_EQ(flasher.GetAccentValue(), pulse);
  GamePlay::TClockProxyRegistry::Instance().ResumeAll();
  UpdateAt(flasher, 1150);
  EXPECT_NEAR(flasher.GetPulseValue(), 1.0f, kNear) << "250 ms of running time in all";
  EXPECT_NEAR(flasher.GetAccentValue(), 1.0f, kNear);
}

TEST_F(BpmFlasherTest, ATempoWithoutAWholePeriodIsRefusedAndItsValuesStayZero) {
  const float refused[] = {0.0f, -120.0f, 60001.0f, 1e-9f, std::numeric_limits<float>::quiet_NaN(),
                           std::numeric_limits<float>::infinity()};
  uint32_t at = 0;
  for (float tempo : refused) {
    TBpmFlasher flasher(tempo);
    at += 250;
    UpdateAt(flasher, at);
    EXPECT_EQ(flasher.GetPulseValue(), 0.0f) << tempo;
    EXPECT_EQ(flasher.GetAccentValue(), 0.0f) << tempo;
  }
  EXPECT_NE(LogText().find("Flasher tempo of 60001 beats per minute refused"), std::string::npos);
  EXPECT_NE(LogText().find("Flasher tempo of 0 beats per minute refused"), std::string::npos);
}

TEST_F(BpmFlasherTest, TheFastestTempoBeatsEveryMillisecond) {
  TBpmFlasher flasher(60000.0f);
  UpdateAt(flasher, 3);
  EXPECT_EQ(LogText().find("refused"), std::string::npos);
  EXPECT_EQ(flasher.GetPulseValue(), 0.0f) << "every whole millisecond is a beat";
}

class FakeRate final : public GamePlay::IRateController {
 public:
  float GetRate() override { return rate; }
  void AddTime(float) override {}
  float rate = 0.0f;
};

TEST(DeliverFlasher, BothValuesFollowTheRateAtEachUpdate) {
  FakeRate rate;
  TDeliverFlasher flasher(&rate);
  rate.rate = 0.25f;
  EXPECT_EQ(flasher.GetPulseValue(), 0.0f) << "read only on update";
  flasher.Update(0.01f);
  EXPECT_EQ(flasher.GetPulseValue(), 0.25f);
  EXPECT_EQ(flasher.GetAccentValue(), 0.25f);
  rate.rate = 0.75f;
  flasher.Reset();
  EXPECT_EQ(flasher.GetAccentValue(), 0.25f) << "a reset changes nothing";
  flasher.Update(0.01f);
  EXPECT_EQ(flasher.GetAccentValue(), 0.75f);
}

}  // namespace
}  // namespace GUI
