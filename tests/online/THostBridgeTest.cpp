#include "online/THostBridge.h"

#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/time/GameTime.h"
#include "platform/time/TClock.h"
#include "system/window/Window.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeHostWindow.h"
#include "tests/support/FakeNativeWindow.h"
#include "tests/support/FakePlatform.h"
#include "tests/support/FakeSoundManager.h"

namespace {

constexpr uint32_t kHostTextMessage = 1024;
constexpr float kPlayerVolume = 0.8f;

// A bridge installed for game time, in a main window held by a fake host,
// with a sound manager whose master volume the player set below full.
class THostBridgeTest : public testing::Test {
 protected:
  THostBridgeTest() {
    platform.mainWindow = &window;
    platform.soundManager = &sound;
    sound.SetVolume(kPlayerVolume);
  }
  void SetUp() override { SetHostBridge(&bridge); }
  void TearDown() override { SetHostBridge(nullptr); }

  // Turns the bridge on and lets the host take over, as at the first event.
  void StartHosted() {
    bridge.EnableHostBridge();
    bridge.SendSessionReady();
  }
  // The host has started a session and let the game go on.
  void StartSession() {
    StartHosted();
    bridge.HandleHostCommand(7);
  }
  std::vector<std::string> Texts() const { return host.Texts(); }
  float Volume() { return sound.GetVolume(-1); }
  // The play time the host is told, in seconds.
  std::string ToldPlayTime() {
    host.received.clear();
    bridge.SendScoreSubmit(1);
    std::vector<std::string> texts = Texts();
    if (texts.size() != 1) return "no text";
    const size_t begin = texts[0].find("<time>") + 6;
    return texts[0].substr(begin, texts[0].find("</time>") - begin);
  }

  FakeClock clock{1000};
  FakeHostWindow host;
  sys::Window window{std::make_unique<FakeNativeWindow>(), &host};
  FakeSoundManager sound;
  FakePlatform platform;
  THostBridge bridge;
};

TEST_F(THostBridgeTest, OffBridgeAnswersNothingIgnoresTheHostAndTellsNothing) {
  bridge.SendSessionReady();
  for (uint32_t command = 0; command <= 11; ++command) bridge.HandleHostCommand(command);
  bridge.SendGameReady("zen");
  bridge.SendGameBreak();
  bridge.SendGameEnd();
  bridge.SendScoreSubmit(10);
  bridge.SendScoreBroadcast(10);
  bridge.SendCustomEvent();
  bridge.SetGamePaused(true);
  clock.Advance(500);
  EXPECT_FALSE(bridge.IsHostPaused());
  EXPECT_EQ(bridge.GetHostPausedTime(), 0u);
  EXPECT_FALSE(bridge.TakeHostQuitRequest());
  EXPECT_FALSE(bridge.TakeHostResumeRequest());
  EXPECT_TRUE(host.received.empty());
  EXPECT_FLOAT_EQ(Volume(), kPlayerVolume);
  bridge.EnableHostBridge();
  EXPECT_FALSE(bridge.IsHostPaused()) << "commands sent while off leave no trace";
  EXPECT_EQ(bridge.GetHostPausedTime(), 0u);
  EXPECT_FALSE(bridge.TakeHostQuitRequest());
}

struct EventTextCase {
  const char* name;
  std::function<void(THostBridge&)> send;
  std::string text;
  bool beginsHostPause;
};

class HostEventText : public THostBridgeTest, public testing::WithParamInterface<EventTextCase> {};

// 65.4 seconds into a session, as the host reassembles each text.
TEST_P(HostEventText, ReachesTheHostWhole) {
  StartSession();
  clock.Advance(65432);
  host.received.clear();
  GetParam().send(bridge);
  EXPECT_EQ(Texts(), std::vector<std::string>{GetParam().text});
  EXPECT_EQ(bridge.IsHostPaused(), GetParam().beginsHostPause);
}

INSTANTIATE_TEST_SUITE_P(
    Events, HostEventText,
    testing::Values(
        EventTextCase{"ScoreSubmit", [](THostBridge& b) { b.SendScoreSubmit(-120345); },
                      "ScoreSubmit(\"<game><score>-120345</score><time>65</time></game>\")", false},
        EventTextCase{"ScoreBroadcast", [](THostBridge& b) { b.SendScoreBroadcast(2147483647); },
                      "ScoreBroadcast(\"<game><score>2147483647</score><time>65</time></game>\")", false},
        EventTextCase{"GameEnd", [](THostBridge& b) { b.SendGameEnd(); }, "GameEnd(\"<gamedata></gamedata>\")",
                      true},
        EventTextCase{"GameBreak", [](THostBridge& b) { b.SendGameBreak(); },
                      "GameBreak(\"<data><breakpoint>1</breakpoint></data>\")", true},
        EventTextCase{"GameReady", [](THostBridge& b) { b.SendGameReady("JourneyWeb"); },
                      "GameReady(\"<data><mode>JourneyWeb</mode></data>\")", true},
        EventTextCase{"CustomEvent", [](THostBridge& b) { b.SendCustomEvent(); },
                      "CustomEvent(\"<gamedata>CustomEvent</gamedata>\")", false}),
    [](const testing::TestParamInfo<EventTextCase>& info) { return info.param.name; });

TEST_F(THostBridgeTest, SessionReadyIsToldOnceAndHandsOverToTheHost) {
  StartHosted();
  EXPECT_EQ(Texts(), std::vector<std::string>{"SessionReady(\"<data></data>\")"});
  EXPECT_TRUE(bridge.IsHostPaused());
  bridge.HandleHostCommand(7);
  EXPECT_FALSE(bridge.IsHostPaused());
  bridge.SendSessionReady();
  EXPECT_EQ(Texts().size(), 1u) << "only the first notice is told";
  EXPECT_FALSE(bridge.IsHostPaused()) << "only the first notice pauses";
}

// Eight bytes a message: a text whose zero byte starts a piece of its own
// goes in a last message that holds that byte alone.
TEST_F(THostBridgeTest, TextGoesInPiecesOfEightBytesTheLastHoldingTheZeroByte) {
  bridge.EnableHostBridge();
  bridge.SendGameReady("z");  // 40 characters
  ASSERT_EQ(host.received.size(), 6u);
  EXPECT_EQ(host.received[0].code, kHostTextMessage);
  EXPECT_EQ(host.received[0].first, 0x656d6147u) << "\"Game\", first byte lowest";
  EXPECT_EQ(host.received[0].second, 0x64616552) << "\"Read\"";
  EXPECT_EQ(host.received[5].first & 0xff, 0u);
  EXPECT_FALSE(host.received[5].sent) << "posted, not sent";
  host.received.clear();
  bridge.SendGameReady("zen");  // 42 characters: the zero byte closes the sixth piece
  ASSERT_EQ(host.received.size(), 6u);
  EXPECT_EQ(host.received[5].first & 0xffffff, 0x002922u) << "the closing quote and bracket, then zero";
}

TEST_F(THostBridgeTest, BreakPointsCountUpUntilANewSession) {
  StartSession();
  bridge.SendGameBreak();
  bridge.SendGameBreak();
  bridge.HandleHostCommand(7);
  bridge.SendGameBreak();
  const std::vector<std::string> texts = Texts();
  ASSERT_EQ(texts.size(), 4u);
  EXPECT_NE(texts[1].find("<breakpoint>1<"), std::string::npos);
  EXPECT_NE(texts[2].find("<breakpoint>2<"), std::string::npos);
  EXPECT_NE(texts[3].find("<breakpoint>1<"), std::string::npos);
}

// A host page only wants the session running: it hears nothing and never
// pauses the game by an event.
TEST_F(THostBridgeTest, HostPageHearsNothingAndItsEventsRunTheSession) {
  platform.hostDecidesFullScreen = true;
  StartHosted();
  bridge.SendGameReady("Journey");
  bridge.SendGameBreak();
  bridge.SendScoreBroadcast(50);
  EXPECT_TRUE(host.received.empty());
  EXPECT_FALSE(bridge.IsHostPaused());
  EXPECT_FLOAT_EQ(Volume(), kPlayerVolume) << "no event changes the sound";
  bridge.HandleHostCommand(11);
  EXPECT_FLOAT_EQ(Volume(), kPlayerVolume) << "the session runs, so sound may play";
}

TEST_F(THostBridgeTest, HostPagePauseTakesTheMouseCaptureBack) {
  for (bool hostPage : {false, true}) {
    platform.hostDecidesFullScreen = hostPage;
    THostBridge fresh;
    fresh.EnableHostBridge();
    window.SetCapture();
    fresh.HandleHostCommand(4);
    EXPECT_TRUE(fresh.IsHostPaused());
    EXPECT_EQ(window.HasCapture(), !hostPage) << "host page " << hostPage;
    window.ReleaseCapture();
  }
}

enum class StartState { kEnabled, kSession, kHostMuted, kHostPaused };

struct CommandCase {
  uint32_t command;
  StartState start;
  bool pausedAfter;
  float volumeAfter;
  bool quit;
  bool resume;
};

class HostCommand : public THostBridgeTest, public testing::WithParamInterface<CommandCase> {
 protected:
  void Reach(StartState state) {
    bridge.EnableHostBridge();
    if (state == StartState::kEnabled) return;
    bridge.HandleHostCommand(7);
    if (state == StartState::kHostMuted) bridge.HandleHostCommand(2);
    if (state == StartState::kHostPaused) bridge.HandleHostCommand(4);
  }
};

TEST_P(HostCommand, SetsTheFlagsThePauseAndTheSound) {
  const CommandCase& c = GetParam();
  Reach(c.start);
  bridge.HandleHostCommand(c.command);
  EXPECT_EQ(bridge.IsHostPaused(), c.pausedAfter);
  EXPECT_FLOAT_EQ(Volume(), c.volumeAfter);
  EXPECT_EQ(bridge.TakeHostQuitRequest(), c.quit);
  EXPECT_EQ(bridge.TakeHostResumeRequest(), c.resume);
  EXPECT_FALSE(bridge.TakeHostQuitRequest()) << "taken once";
  EXPECT_FALSE(bridge.TakeHostResumeRequest()) << "taken once";
  EXPECT_TRUE(host.received.empty()) << "commands tell the host nothing";
}

constexpr float kSilent = 0.0f;

INSTANTIATE_TEST_SUITE_P(
    Commands, HostCommand,
    testing::Values(CommandCase{1, StartState::kSession, false, kPlayerVolume, true, false},
                    CommandCase{2, StartState::kSession, false, kSilent, false, false},
                    CommandCase{3, StartState::kHostMuted, false, kPlayerVolume, false, false},
                    CommandCase{3, StartState::kEnabled, false, kSilent, false, false},
                    CommandCase{4, StartState::kSession, true, kSilent, false, false},
                    CommandCase{4, StartState::kHostPaused, true, kSilent, false, false},
                    CommandCase{5, StartState::kHostPaused, false, kPlayerVolume, false, false},
                    CommandCase{6, StartState::kHostPaused, false, kPlayerVolume, false, false},
                    CommandCase{9, StartState::kHostPaused, false, kPlayerVolume, false, false},
                    CommandCase{10, StartState::kHostPaused, false, kPlayerVolume, false, false},
                    CommandCase{5, StartState::kHostMuted, false, kSilent, false, false},
                    CommandCase{7, StartState::kEnabled, false, kPlayerVolume, false, false},
                    CommandCase{7, StartState::kHostPaused, false, kPlayerVolume, false, false},
                    CommandCase{8, StartState::kSession, false, kPlayerVolume, false, true},
                    CommandCase{11, StartState::kSession, false, kPlayerVolume, false, false},
                    CommandCase{0, StartState::kEnabled, false, kSilent, false, false},
                    CommandCase{11, StartState::kHostPaused, true, kSilent, false, false}),
    [](const testing::TestParamInfo<CommandCase>& info) {
      return "Command" + std::to_string(info.param.command) + "From" +
             std::to_string(static_cast<int>(info.param.start));
    });

TEST_F(THostBridgeTest, PausedTimeCountsThePauseUnderWayAndEachPauseOnce) {
  StartHosted();
  clock.Advance(300);
  EXPECT_EQ(bridge.GetHostPausedTime(), 300u);
  bridge.HandleHostCommand(5);
  clock.Advance(1000);
  bridge.HandleHostCommand(4);
  clock.Advance(200);
  bridge.HandleHostCommand(4);
  clock.Advance(50);
  bridge.HandleHostCommand(5);
  bridge.HandleHostCommand(6);
  clock.Advance(1000);
  EXPECT_EQ(bridge.GetHostPausedTime(), 550u);
}

TEST_F(THostBridgeTest, GameTimeStandsStillWhileTheHostPausesAndNeverRunsBack) {
  TClock running;
  running.Start();
  clock.Advance(40);
  StartHosted();
  uint32_t atPause = GetGameTime();
  EXPECT_EQ(atPause, 1040u);
  for (int i = 0; i < 5; ++i) {
    clock.Advance(1000);
    EXPECT_EQ(GetGameTime(), atPause);
    EXPECT_EQ(running.GetTime(), 40u) << "clocks on game time stand still too";
  }
  bridge.HandleHostCommand(7);
  EXPECT_EQ(GetGameTime(), atPause) << "no jump back when the pause ends";
  clock.Advance(25);
  EXPECT_EQ(GetGameTime(), atPause + 25);
  EXPECT_EQ(running.GetTime(), 65u);
}

// The play time told leaves out the game's own pauses and the host's, and a
// new session starts it from 0.
TEST_F(THostBridgeTest, PlayTimeRunsOnlyWhileNeitherTheGameNorTheHostPauses) {
  StartSession();
  clock.Advance(3000);
  bridge.SetGamePaused(true);
  clock.Advance(5000);
  EXPECT_EQ(ToldPlayTime(), "3");
  bridge.HandleHostCommand(4);
  bridge.HandleHostCommand(5);
  clock.Advance(5000);
  EXPECT_EQ(ToldPlayTime(), "3") << "the end of a host pause does not run a paused game's time";
  bridge.SetGamePaused(false);
  clock.Advance(2000);
  EXPECT_EQ(ToldPlayTime(), "5");
  bridge.HandleHostCommand(4);
  bridge.SetGamePaused(true);
  bridge.SetGamePaused(false);
  clock.Advance(9000);
  EXPECT_EQ(ToldPlayTime(), "5") << "resuming the game during a host pause leaves the time stopped";
  bridge.HandleHostCommand(7);
  clock.Advance(1500);
  EXPECT_EQ(ToldPlayTime(), "1");
}

TEST_F(THostBridgeTest, BeforeTheFirstSessionTheFirstEventMutesUntilTheSessionRuns) {
  bridge.EnableHostBridge();
  EXPECT_FLOAT_EQ(Volume(), kPlayerVolume);
  bridge.SendCustomEvent();
  EXPECT_FLOAT_EQ(Volume(), kSilent) << "no session runs yet";
  bridge.HandleHostCommand(7);
  EXPECT_FLOAT_EQ(Volume(), kPlayerVolume) << "the saved master volume comes back";
}

// The game sets the player's volume as it starts, after its first event
// has muted it: the silence holds, and that volume is the one to come back.
TEST_F(THostBridgeTest, AVolumeSetDuringTheSilenceIsSilencedAndComesBackLater) {
  bridge.EnableHostBridge();
  bridge.SendGameReady("Journey");
  sound.SetVolume(0.6f);
  bridge.SendSessionReady();
  EXPECT_FLOAT_EQ(Volume(), kSilent);
  bridge.HandleHostCommand(7);
  EXPECT_FLOAT_EQ(Volume(), 0.6f);
}

TEST_F(THostBridgeTest, GamePauseAndHostMuteSilenceTheSoundUntilBothEnd) {
  StartSession();
  bridge.SetGamePaused(true);
  EXPECT_FLOAT_EQ(Volume(), kSilent);
  bridge.HandleHostCommand(2);
  bridge.SetGamePaused(false);
  EXPECT_FLOAT_EQ(Volume(), kSilent) << "the host still mutes";
  bridge.HandleHostCommand(3);
  EXPECT_FLOAT_EQ(Volume(), kPlayerVolume);
  bridge.SendGameEnd();
  EXPECT_FLOAT_EQ(Volume(), kSilent) << "the session is over";
}

TEST_F(THostBridgeTest, WithoutASoundManagerOrAWindowNothingIsMutedOrPosted) {
  platform.soundManager = nullptr;
  platform.mainWindow = nullptr;
  StartHosted();
  bridge.SendGameBreak();
  bridge.HandleHostCommand(2);
  EXPECT_TRUE(host.received.empty());
  platform.soundManager = &sound;
  bridge.HandleHostCommand(7);
  bridge.HandleHostCommand(3);
  EXPECT_FLOAT_EQ(Volume(), kPlayerVolume);
}

TEST_F(THostBridgeTest, ScoreBroadcastNeedsAChangedScoreAndASecondSinceTheLast) {
  StartSession();
  host.received.clear();
  bridge.SendScoreBroadcast(0);
  EXPECT_TRUE(Texts().empty()) << "a session starts at score 0";
  bridge.SendScoreBroadcast(100);
  clock.Advance(999);
  bridge.SendScoreBroadcast(200);
  EXPECT_EQ(Texts().size(), 1u) << "within a second of the last";
  clock.Advance(1);
  bridge.SendScoreBroadcast(100);
  EXPECT_EQ(Texts().size(), 1u) << "the score told last";
  bridge.SendScoreBroadcast(200);
  ASSERT_EQ(Texts().size(), 2u);
  EXPECT_NE(Texts()[1].find("<score>200<"), std::string::npos);
  bridge.HandleHostCommand(7);
  bridge.SendScoreBroadcast(200);
  EXPECT_EQ(Texts().size(), 3u) << "a new session forgets the last broadcast";
}

// The cursor and sound threads read game time, and so the paused time,
// while the main thread carries out the host's commands.
TEST_F(THostBridgeTest, PausedTimeMayBeReadWhileTheHostCommands) {
  StartSession();
  std::atomic<bool> done{false};
  std::thread reader([&] {
    uint32_t last = 0;
    while (!done.load()) {
      const uint32_t now = GetGameTime();
      EXPECT_GE(now, last);
      last = now;
      bridge.IsHostPaused();
    }
  });
  for (int round = 0; round < 200; ++round) {
    bridge.HandleHostCommand(round % 2 == 0 ? 4 : 5);
    bridge.SetGamePaused(round % 3 == 0);
    bridge.SendScoreBroadcast(round);
    clock.Advance(7);
  }
  done = true;
  reader.join();
  EXPECT_EQ(bridge.GetHostPausedTime(), 700u);
}

TEST(HostBridgeFunctions, ReachTheProcessWideBridgeWhichStartsOff) {
  FakeClock clock;
  EXPECT_FALSE(IsHostPaused());
  EXPECT_EQ(GetHostPausedTime(), 0u);
  SendSessionReady();
  HandleHostCommand(4);
  EXPECT_FALSE(IsHostPaused());
}

}  // namespace
