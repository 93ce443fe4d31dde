// The event pump and the main window's procedure, over a scripted desktop.
#include <gtest/gtest.h>

#include <csignal>
#include <string>
#include <vector>

#include "app/TAppPlatform.h"
#include "app/TEventPump.h"
#include "online/THostBridge.h"
#include "system/window/VirtualKeys.h"
#include "system/window/Window.h"
#include "tests/support/FakeClock.h"
#include "tests/support/FakeDisplayHandler.h"
#include "tests/support/FakeHostBridge.h"
#include "tests/support/FakeHostWindow.h"
#include "tests/support/FakeNativeWindow.h"
#include "tests/support/FakeSoundManager.h"
#include "tests/support/PlatformRun.h"
#include "windows/core/TWindowManager.h"

namespace {

using sys::InputKind;
using sys::MouseButton;

TEvent Next(TAppPlatform& platform) {
  TEvent event;
  event.type = -1;
  platform.GetEvent(&event);
  return event;
}

std::vector<int> Types(TAppPlatform& platform, int count) {
  std::vector<int> types;
  while (count-- > 0) types.push_back(Next(platform).type);
  return types;
}

// The types of the events up to and including the first idle one.
std::vector<int> TypesUntilIdle(TAppPlatform& platform) {
  std::vector<int> types;
  for (int count = 0; count < 50; ++count) {
    types.push_back(Next(platform).type);
    if (types.back() == kEventIdle) break;
  }
  return types;
}

void ExpectEvent(const TEvent& event, int type, int value = 0, int x = 0, int y = 0, uint32_t modifiers = 0) {
  EXPECT_EQ(event.type, type);
  EXPECT_EQ(event.value, value);
  EXPECT_EQ(event.x, x);
  EXPECT_EQ(event.y, y);
  EXPECT_EQ(event.modifiers, modifiers);
}

// The window has focus, and the focus is old enough that a press is no
// longer taken for the press that gave it.
void Focus(TAppPlatform& platform, FakeNativeWindow& desktop, FakeClock& clock) {
  desktop.Report(InputKind::FocusGained);
  TypesUntilIdle(platform);
  clock.Advance(1000);
}

std::string HostLine(const FakeHostWindow& host, const char* more = "") {
  char line[96];
  std::snprintf(line, sizeof line, "-wnd=%x %s", host.Handle(), more);
  return line;
}

TEST(EventPump, PendingPaintActivationAndCloseComeOnceEachInFixedOrder) {
  FakeClock clock;
  RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow& desktop) {
    desktop.Report(InputKind::CloseRequested);
    desktop.Report(InputKind::FocusLost);
    desktop.Report(InputKind::Exposed);
    ExpectEvent(Next(platform), kEventPaint);
    ExpectEvent(Next(platform), kEventActivation, 0);
    ExpectEvent(Next(platform), kEventClose);
    EXPECT_EQ(Next(platform).type, kEventIdle);
    EXPECT_TRUE(platform.ConsumeRepaintRequest()) << "the paint asked for a repaint";
    EXPECT_FALSE(platform.ConsumeRepaintRequest());
  }, &clock);
}

TEST(EventPump, RecordedFlagsAreReportedInTheirOrderBeforeAnyMessage) {
  FakeClock clock;
  RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow& desktop) {
    auto* display = InstallDisplay(platform);
    TEventPump& pump = platform.GetEventPump();
    pump.mDisplayChanged = true;
    pump.mShownChangePending = true;
    pump.mShown = false;
    pump.mPaintPending = true;
    pump.mActivationChanged = true;
    pump.mCloseRequested = true;
    pump.mMouseLeft = true;
    desktop.PressKey('K');
    ExpectEvent(Next(platform), kEventDisplayChanged);
    ExpectEvent(Next(platform), kEventActivation, 0);
    EXPECT_TRUE(display->Journal().Contains("ResetWorkingCount")) << "a hidden display restarts its count";
    ExpectEvent(Next(platform), kEventPaint);
    ExpectEvent(Next(platform), kEventActivation, 1);
    ExpectEvent(Next(platform), kEventClose);
    ExpectEvent(Next(platform), kEventMouseLost, 0, display->mouse.x, display->mouse.y);
    ExpectEvent(Next(platform), kEventKeyDown, 'K');
  }, &clock);
}

// What the window procedure records during one call's look at the queue is
// reported by the next call.
TEST(EventPump, MinimiseAndRestoreBetweenTwoCallsCancelOut) {
  FakeClock clock;
  RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow& desktop) {
    auto* sound = InstallSound(platform);
    desktop.Report(InputKind::Minimised);
    desktop.Report(InputKind::Restored);
    EXPECT_EQ(Types(platform, 3), (std::vector<int>{kEventIdle, kEventIdle, kEventIdle}));
    EXPECT_EQ(sound->Journal().Count("SetActive 0"), 1) << "sound hears both changes";
    EXPECT_EQ(sound->Journal().Count("SetActive 1"), 1);

    desktop.Report(InputKind::Minimised);
    EXPECT_EQ(Next(platform).type, kEventIdle);
    ExpectEvent(Next(platform), kEventActivation, 0);
    EXPECT_FALSE(platform.GetEventPump().mShown);
    desktop.Report(InputKind::Restored);
    EXPECT_EQ(Next(platform).type, kEventIdle);
    ExpectEvent(Next(platform), kEventActivation, 1);
  }, &clock);
}

TEST(EventPump, ActivationIsReportedOnlyWhenItChanges) {
  FakeClock clock;
  RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow& desktop) {
    auto* sound = InstallSound(platform);
    desktop.Report(InputKind::FocusGained);
    EXPECT_EQ(Types(platform, 2), (std::vector<int>{kEventIdle, kEventIdle})) << "the program starts active";
    desktop.Report(InputKind::FocusLost);
    desktop.Report(InputKind::FocusGained);
    EXPECT_EQ(Types(platform, 3), (std::vector<int>{kEventIdle, kEventActivation, kEventIdle}));
    EXPECT_EQ(sound->Journal().Count("SetActive 0"), 1);
    EXPECT_EQ(sound->Journal().Count("SetActive 1"), 1);
  }, &clock);
}

struct SwallowCase {
  uint32_t delay;  // ms from the activating press to the click
  int type;
};

class ClickSwallow : public testing::TestWithParam<SwallowCase> {};

TEST_P(ClickSwallow, TakesAClickWithinItsWindowAfterActivationForTheActivatingOne) {
  FakeClock clock;
  RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow& desktop) {
    Focus(platform, desktop, clock);
    platform.GetMainWindow()->Deliver(sys::Message{.kind = sys::MessageKind::MouseActivation});
    clock.Advance(GetParam().delay);
    desktop.Press(MouseButton::Left, 3, 4);
    EXPECT_EQ(Next(platform).type, GetParam().type);
    desktop.Release(MouseButton::Left, 3, 4);
    EXPECT_EQ(Next(platform).type, GetParam().type == kEventNothing ? kEventNothing : kEventLeftUp);
    desktop.Press(MouseButton::Left, 3, 4);
    EXPECT_EQ(Next(platform).type, kEventLeftDown) << "the release disarmed the swallow";
  }, &clock);
}

INSTANTIATE_TEST_SUITE_P(Delays, ClickSwallow,
                         testing::Values(SwallowCase{0, kEventNothing}, SwallowCase{399, kEventNothing},
                                         SwallowCase{400, kEventLeftDown}, SwallowCase{5000, kEventLeftDown}));

TEST(EventPump, TheClickThatFocusesTheWindowDoesNotReachTheGame) {
  FakeClock clock;
  RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow& desktop) {
    desktop.Press(MouseButton::Right, 1, 1);
    desktop.Report(InputKind::FocusGained);
    EXPECT_EQ(Next(platform).type, kEventNothing);
    clock.Advance(500);
    desktop.Press(MouseButton::Right, 1, 1);
    EXPECT_EQ(Next(platform).type, kEventOtherButton);
  }, &clock);
}

TEST(EventPump, NoClickIsSwallowedInsideAHostWindowOrWhileTheWindowManagerIsSuspended) {
  FakeClock clock;
  FakeHostWindow host;
  RunPlatform(HostLine(host), [&](TAppPlatform& platform, FakeNativeWindow& desktop) {
    Focus(platform, desktop, clock);
    platform.GetMainWindow()->Deliver(sys::Message{.kind = sys::MessageKind::MouseActivation});
    desktop.Press(MouseButton::Left, 3, 4);
    EXPECT_EQ(Next(platform).type, kEventLeftDown);
    EXPECT_EQ(desktop.focusTaken, 1) << "a press inside a host window takes the keyboard focus";
  }, &clock);
  RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow& desktop) {
    Focus(platform, desktop, clock);
    platform.GetWindowManager()->SetSuspended(true);
    platform.GetMainWindow()->Deliver(sys::Message{.kind = sys::MessageKind::MouseActivation});
    desktop.Press(MouseButton::Left, 3, 4);
    EXPECT_EQ(Next(platform).type, kEventLeftDown);
    EXPECT_EQ(desktop.focusTaken, 0);
  }, &clock);
}

struct ButtonCase {
  MouseButton button;
  bool press;
  int type;
  int value;
};

TEST(EventPump, ButtonsMapToTheirEventsAndHoldTheCaptureWhileDown) {
  const ButtonCase cases[] = {
      {MouseButton::Left, true, kEventLeftDown, 0},
      {MouseButton::Left, false, kEventLeftUp, 0},
      {MouseButton::Right, true, kEventOtherButton, kButtonRightDown},
      {MouseButton::Right, false, kEventOtherButton, kButtonRightUp},
      {MouseButton::Middle, true, kEventOtherButton, kButtonMiddleDown},
      {MouseButton::Middle, false, kEventOtherButton, kButtonMiddleUp},
      {MouseButton::Extra1, true, kEventOtherButton, kButtonExtra1Down},
      {MouseButton::Extra1, false, kEventNothing, 0},
      {MouseButton::Extra2, true, kEventOtherButton, kButtonExtra2Down},
      {MouseButton::Extra2, false, kEventNothing, 0},
  };
  FakeClock clock;
  RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow& desktop) {
    Focus(platform, desktop, clock);
    for (const ButtonCase& c : cases) {
      if (c.press) {
        desktop.Press(c.button, -7, 300);
      } else {
        desktop.Release(c.button, -7, 300);
      }
      TEvent event = Next(platform);
      int line = static_cast<int>(&c - cases);
      EXPECT_EQ(event.type, c.type) << line;
      EXPECT_EQ(event.value, c.value) << line;
      if (c.type != kEventNothing) {
        EXPECT_EQ(event.x, -7) << "without a display, the message's own position";
        EXPECT_EQ(event.y, 300);
        EXPECT_EQ(desktop.captured, c.press) << line;
      }
    }
    InstallDisplay(platform);
    desktop.Press(MouseButton::Left, -7, 300);
    ExpectEvent(Next(platform), kEventLeftDown, 0, 11, 22);
  }, &clock);
}

TEST(EventPump, MovesArmHoverAndLeaveWhichComeBackAsHoverAndMouseLost) {
  FakeClock clock;
  RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow& desktop) {
    desktop.MoveTo(30, 40);
    ExpectEvent(Next(platform), kEventMouseMove, 0, 30, 40);
    EXPECT_EQ(Next(platform).type, kEventIdle);
    clock.Advance(400);
    ExpectEvent(Next(platform), kEventHover, 0, 30, 40);
    desktop.Report(InputKind::PointerLeft);
    EXPECT_EQ(Next(platform).type, kEventNothing) << "the leave message itself reports nothing";
    ExpectEvent(Next(platform), kEventMouseLost, 0, 30, 40);
    EXPECT_EQ(Next(platform).type, kEventIdle);
  }, &clock);
}

TEST(EventPump, TheDisplayHearsThePointerEnterAndLeave) {
  FakeClock clock;
  RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow& desktop) {
    auto* display = InstallDisplay(platform);
    desktop.MoveTo(30, 40);
    desktop.MoveTo(31, 40);
    ExpectEvent(Next(platform), kEventMouseMove, 0, 11, 22);
    desktop.MoveTo(32, 40);
    Next(platform);
    EXPECT_EQ(display->Journal().Count("OnWindowMoved"), 1) << "entering counts until the pointer leaves";
    desktop.Report(InputKind::PointerLeft);
    TypesUntilIdle(platform);
    EXPECT_EQ(display->Journal().Count("UpdateCursorBounds"), 1);
    desktop.MoveTo(33, 40);
    Next(platform);
    EXPECT_EQ(display->Journal().Count("OnWindowMoved"), 2);
  }, &clock);
}

TEST(EventPump, TheDisplayDecidesWhetherTheSystemCursorShows) {
  FakeClock clock;
  RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow& desktop) {
    auto* display = InstallDisplay(platform);
    display->drawsCursor = true;
    desktop.cursorVisible = false;
    desktop.MoveTo(1, 1);
    Next(platform);
    EXPECT_FALSE(desktop.cursorVisible);
    display->drawsCursor = false;
    desktop.MoveTo(2, 2);
    Next(platform);
    EXPECT_TRUE(desktop.cursorVisible);
  }, &clock);
}

struct KeyCase {
  bool press;
  uint32_t key;
  uint32_t modifiers;  // as the window layer reports them
  int type;
  uint32_t eventModifiers;
};

TEST(EventPump, KeysMapWithTheirModifiers) {
  using sys::kModifierAlt;
  using sys::kModifierControl;
  using sys::kModifierExtended;
  using sys::kModifierShift;
  namespace vk = sys::vk;
  const KeyCase cases[] = {
      {true, 'A', 0, kEventKeyDown, 0},
      {true, vk::kLeft, kModifierExtended, kEventKeyDown, kEventExtendedKey},
      {true, 'B', kModifierShift | kModifierControl, kEventKeyDown, kEventShift | kEventControl},
      {true, vk::kInsert, 0, kEventNothing, 0},
      {true, vk::kInsert, kModifierExtended, kEventNothing, 0},
      {true, vk::kInsert, kModifierControl, kEventNothing, 0},
      {true, vk::kInsert, kModifierShift, kEventKeyDown, kEventShift},
      {true, vk::kInsert, kModifierShift | kModifierExtended, kEventKeyDown, kEventShift | kEventExtendedKey},
      {true, 'X', kModifierAlt, kEventKeyDown, kEventAlt},
      {true, vk::kLeft, kModifierAlt | kModifierExtended, kEventKeyDown, kEventAlt | kEventExtendedKey},
      {true, vk::kInsert, kModifierAlt, kEventKeyDown, kEventAlt},
      {true, vk::kF1, kModifierAlt, kEventNothing, 0},
      {false, 'A', 0, kEventKeyUp, 0},
      {false, 'A', kModifierShift, kEventKeyUp, 0},
      {false, 'A', kModifierAlt, kEventNothing, 0},
  };
  FakeClock clock;
  RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow& desktop) {
    for (const KeyCase& c : cases) {
      int line = static_cast<int>(&c - cases);
      if (c.press) {
        desktop.PressKey(c.key, c.modifiers);
      } else {
        desktop.ReleaseKey(c.key, c.modifiers);
      }
      TEvent event = Next(platform);
      EXPECT_EQ(event.type, c.type) << line;
      if (c.type != kEventNothing) {
        EXPECT_EQ(event.value, static_cast<int>(c.key)) << line;
      }
      EXPECT_EQ(event.modifiers, c.eventModifiers) << line;
      TypesUntilIdle(platform);
    }
  }, &clock);
}

TEST(EventPump, AltF1TogglesTheOverlay) {
  RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow& desktop) {
    desktop.PressKey(sys::vk::kF1, sys::kModifierAlt);
    Next(platform);
    EXPECT_TRUE(platform.GetEventPump().mOverlayOn);
    desktop.PressKey(sys::vk::kF1, sys::kModifierAlt);
    Next(platform);
    EXPECT_FALSE(platform.GetEventPump().mOverlayOn);
  });
}

TEST(EventPump, CharactersComeAsWindows1252Codes) {
  RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow& desktop) {
    desktop.Type("a\xc3\xa9\xe2\x82\xac");  // a, e acute, euro sign
    ExpectEvent(Next(platform), kEventCharacter, 'a');
    ExpectEvent(Next(platform), kEventCharacter, 0xE9);
    ExpectEvent(Next(platform), kEventCharacter, 0x80);
  });
}

TEST(EventPump, AltEnterSwitchesTheDisplayAndReportsTheOutcome) {
  RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow& desktop) {
    auto* display = InstallDisplay(platform);
    desktop.PressKey(sys::vk::kReturn, sys::kModifierAlt);
    ExpectEvent(Next(platform), kEventFullScreen, 1, 0, 0, 1);
    desktop.PressKey(sys::vk::kReturn, sys::kModifierAlt);
    ExpectEvent(Next(platform), kEventFullScreen, 0, 0, 0, 0);
    display->fullScreenChanges = false;
    desktop.PressKey(sys::vk::kReturn, sys::kModifierAlt);
    // A refused switch reports the state kept.
    ExpectEvent(Next(platform), kEventFullScreen, 0, 0, 0, 1);
  });
}

TEST(EventPump, InsideAHostWindowAltEnterIsTheHostsUnlessItRunsThePqMode) {
  FakeHostWindow host;
  RunPlatform(HostLine(host), [&](TAppPlatform& platform, FakeNativeWindow& desktop) {
    auto* display = InstallDisplay(platform);
    desktop.PressKey(sys::vk::kReturn, sys::kModifierAlt);
    EXPECT_EQ(Next(platform).type, kEventNothing);
    EXPECT_FALSE(display->Journal().Contains("SetFullScreen 1"));
    EXPECT_TRUE(host.received.empty());
  });
  RunPlatform(HostLine(host, "-pq=1"), [&](TAppPlatform& platform, FakeNativeWindow& desktop) {
    auto* display = InstallDisplay(platform);
    desktop.PressKey(sys::vk::kReturn, sys::kModifierAlt);
    ExpectEvent(Next(platform), kEventFullScreen, 1, 0, 0, 1);
    ASSERT_EQ(host.received.size(), 1u);
    EXPECT_EQ(host.received[0].code, 1024u);
    EXPECT_EQ(host.received[0].first, 1u);
    EXPECT_TRUE(display->Journal().Contains("SetFullScreen 0")) << "the display itself stays a window";
    EXPECT_FALSE(display->fullScreen);
  });
}

TEST(EventPump, TheIdlePassRunsTasksAndSoundThenWaitsOneMillisecond) {
  struct CountingTask : TTask {
    explicit CountingTask(int& steps) : steps(steps) {}
    bool Step() override { return ++steps < 2; }
    int& steps;
  };
  FakeClock clock;
  RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow& desktop) {
    auto* sound = InstallSound(platform);
    int steps = 0;
    platform.AddTask(std::make_unique<CountingTask>(steps));
    uint32_t waited = desktop.waitedMilliseconds;
    ExpectEvent(Next(platform), kEventIdle);
    ExpectEvent(Next(platform), kEventIdle);
    ExpectEvent(Next(platform), kEventIdle);
    EXPECT_EQ(steps, 2) << "the task ended after its second step";
    EXPECT_EQ(sound->Journal().Count("DispatchNotifications"), 3);
    EXPECT_EQ(desktop.waitedMilliseconds - waited, 3u);
  }, &clock);
}

TEST(EventPump, ALostDisplayOnlyLetsQuitThroughAndWaitsWhileItIsRestored) {
  FakeClock clock;
  RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow& desktop) {
    auto* display = InstallDisplay(platform);
    display->ready = false;
    desktop.Report(InputKind::CloseRequested);
    desktop.PressKey('A');
    uint32_t waited = desktop.waitedMilliseconds;
    EXPECT_EQ(Next(platform).type, kEventNothing);
    EXPECT_EQ(Next(platform).type, kEventNothing);
    EXPECT_EQ(display->Journal().Count("Restore"), 2);
    EXPECT_EQ(desktop.waitedMilliseconds - waited, 2u) << "no busy spin while the display is lost";
    platform.GetMainWindow()->PostQuit();
    EXPECT_EQ(Next(platform).type, kEventQuit);

    platform.GetEventPump().mShown = false;
    Next(platform);
    EXPECT_EQ(display->Journal().Count("Restore"), 2) << "a hidden window restores nothing";
    platform.GetEventPump().mShown = true;

    display->ready = true;
    EXPECT_EQ(Next(platform).type, kEventClose) << "what came meanwhile still arrives";
    ExpectEvent(Next(platform), kEventKeyDown, 'A');
  }, &clock);
}

TEST(EventPump, ScreensaverModeEndsAtInput) {
  FakeClock clock;
  RunPlatform("screensaver", [&](TAppPlatform& platform, FakeNativeWindow& desktop) {
    Focus(platform, desktop, clock);
    desktop.MoveTo(100, 100);
    EXPECT_EQ(Next(platform).type, kEventNothing) << "the first move only records the place";
    desktop.MoveTo(150, 100);
    EXPECT_EQ(Next(platform).type, kEventNothing) << "one coordinate alone does not end it";
    desktop.MoveTo(150, 130);
    EXPECT_EQ(Next(platform).type, kEventQuit);
    desktop.Press(MouseButton::Right, 1, 1);
    EXPECT_EQ(Next(platform).type, kEventOtherButton);
    desktop.Press(MouseButton::Left, 1, 1);
    EXPECT_EQ(Next(platform).type, kEventQuit);
    desktop.PressKey('A');
    EXPECT_EQ(Next(platform).type, kEventQuit);
    desktop.ReleaseKey('A');
    EXPECT_EQ(Next(platform).type, kEventQuit);
  }, &clock);
  FakeHostWindow host;
  RunPlatform(HostLine(host, "screensaver"), [&](TAppPlatform& platform, FakeNativeWindow& desktop) {
    Focus(platform, desktop, clock);
    desktop.MoveTo(100, 100);
    desktop.MoveTo(150, 130);
    desktop.PressKey('A');
    EXPECT_EQ(TypesUntilIdle(platform), (std::vector<int>{kEventNothing, kEventNothing, kEventIdle}))
        << "inside a host window the host ends it";
  }, &clock);
}

TEST(EventPump, WhileTheHostPausesTheGameOnlyMessagesArePumped) {
  FakeHostBridge bridge;
  FakeClock clock;
  RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow& desktop) {
    int readyBefore = bridge.sessionReadyCalls;
    bridge.pausedChecks = 3;
    uint32_t waited = desktop.waitedMilliseconds;
    desktop.PressKey('A');
    desktop.Report(InputKind::CloseRequested);
    EXPECT_EQ(Next(platform).type, kEventClose) << "the key went by unreported during the pause";
    EXPECT_EQ(desktop.waitedMilliseconds - waited, 2u) << "three waits, the first ended at once by the waiting input";
    EXPECT_EQ(bridge.sessionReadyCalls - readyBefore, 1);

    bridge.pausedChecks = 100;
    platform.GetMainWindow()->PostQuit();
    EXPECT_EQ(Next(platform).type, kEventQuit);
    bridge.pausedChecks = 0;
  }, &clock);
}

// Started for a host that is not there, the game has no one to end the pause
// its first event fetch would begin: a close request (SIGTERM) comes through.
TEST(EventPump, WithoutAHostWindowTheHostSwitchLeavesTheGameClosable) {
  THostBridge bridge;
  SetHostBridge(&bridge);
  RunPlatform("-msn", [&](TAppPlatform& platform, FakeNativeWindow&) {
    bridge.SendSessionReady();
    ASSERT_FALSE(bridge.IsHostPaused()) << "the bridge is off: no host pauses the game";
    std::raise(SIGTERM);
    EXPECT_EQ(Types(platform, 2), (std::vector<int>{kEventIdle, kEventClose})) << "heard by the first look at the queue";
  });
  SetHostBridge(nullptr);
}

TEST(EventPump, HostMessagesGoToTheBridgeOrOnToTheHost) {
  FakeHostBridge bridge;
  FakeHostWindow host;
  RunPlatform(HostLine(host), [&](TAppPlatform& platform, FakeNativeWindow&) {
    sys::Window& window = *platform.GetMainWindow();
    window.PostHostMessage(1024, 7, 0);
    window.PostHostMessage(1026, 3, -4);
    window.PostHostMessage(1025, 1, 1);
    EXPECT_EQ(TypesUntilIdle(platform), (std::vector<int>{kEventNothing, kEventNothing, kEventNothing, kEventIdle}));
    EXPECT_EQ(bridge.commands, std::vector<uint32_t>{7});
    ASSERT_EQ(host.received.size(), 1u);
    EXPECT_EQ(host.received[0].code, 1026u);
    EXPECT_EQ(host.received[0].first, 3u);
    EXPECT_EQ(host.received[0].second, -4);
    EXPECT_TRUE(host.received[0].sent);
  });
}

TEST(EventPump, CaptureTakenFromOutsideIsMouseLost) {
  FakeClock clock;
  RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow& desktop) {
    Focus(platform, desktop, clock);
    desktop.Press(MouseButton::Left, 5, 5);
    EXPECT_EQ(Next(platform).type, kEventLeftDown);
    desktop.Report(InputKind::FocusLost);
    ExpectEvent(Next(platform), kEventMouseLost);
    ExpectEvent(Next(platform), kEventActivation, 0);
    desktop.Press(MouseButton::Left, 5, 5);
    desktop.Release(MouseButton::Left, 5, 5);
    TypesUntilIdle(platform);
    EXPECT_FALSE(desktop.captured);
  }, &clock);
}

TEST(EventPump, ADisplayChangeWhileMinimisedRereadsTheDesktop) {
  RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow& desktop) {
    auto* display = InstallDisplay(platform);
    desktop.Report(InputKind::DisplayChanged);
    TypesUntilIdle(platform);
    EXPECT_FALSE(display->Journal().Contains("GetDesktopMode"));
    desktop.Report(InputKind::Minimised);
    TypesUntilIdle(platform);
    desktop.Report(InputKind::DisplayChanged);
    TypesUntilIdle(platform);
    EXPECT_TRUE(display->Journal().Contains("GetDesktopMode"));
  });
}

TEST(EventPump, QuitEndsTheLoop) {
  RunPlatform("", [&](TAppPlatform& platform, FakeNativeWindow&) {
    platform.GetMainWindow()->PostQuit();
    EXPECT_EQ(Next(platform).type, kEventQuit);
  });
}

// The pump alone: its owner here is a window over a scripted desktop, with no
// display and no sound, and full screen as a flag.
class PumpOwner final : public IEventPumpOwner {
 public:
  PumpOwner() {
    auto native = std::make_unique<FakeNativeWindow>(&clock);
    desktop = native.get();
    window = std::make_unique<sys::Window>(std::move(native));
    window->SetProcedure([this](const sys::Message& message) { return pump.HandleWindowMessage(message); });
  }

  sys::Window* GetMainWindow() const override { return window.get(); }
  TDisplayHandler* GetDisplayHandler() const override { return nullptr; }
  TSoundManager* GetSoundManager() const override { return nullptr; }
  bool IsWindowManagerSuspended() const override { return false; }
  bool IsEmbedded() const override { return false; }
  bool IsScreensaver() const override { return false; }
  bool HasHostWindow() const override { return false; }
  bool HostDecidesFullScreen() const override { return false; }
  bool IsFullScreen() override { return fullScreen; }
  bool SetFullScreen(bool on) override {
    fullScreen = on;
    return true;
  }
  void Restore() override {}
  void RunIdleTasks() override { ++idlePasses; }
  int64_t SendToHost(uint32_t, uint64_t, int64_t) override { return 0; }

  FakeClock clock;
  TEventPump pump{*this};
  FakeNativeWindow* desktop = nullptr;
  std::unique_ptr<sys::Window> window;
  bool fullScreen = false;
  int idlePasses = 0;
};

TEST(EventPumpAlone, RecordsThroughItsProcedureAndActsThroughItsOwner) {
  PumpOwner owner;
  owner.desktop->Report(InputKind::CloseRequested);
  owner.desktop->PressKey(sys::vk::kReturn, sys::kModifierAlt);
  TEvent event;
  owner.pump.GetEvent(&event);
  ExpectEvent(event, kEventFullScreen, 1, 0, 0, 1);
  EXPECT_TRUE(owner.fullScreen);
  owner.pump.GetEvent(&event);
  ExpectEvent(event, kEventClose);
  owner.pump.GetEvent(&event);
  ExpectEvent(event, kEventIdle);
  EXPECT_EQ(owner.idlePasses, 1);
  EXPECT_EQ(owner.desktop->waitedMilliseconds, 1u);
}

}  // namespace
