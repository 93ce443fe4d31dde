#include "system/window/SdlWindow.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "system/window/DisplayLoss.h"
#include "system/window/MessageBox.h"
#include "system/window/VirtualKeys.h"
#include "tests/support/FakeNativeWindow.h"
#include "tests/support/LayerLogCapture.h"

namespace {

using sys::InputEvent;
using sys::InputKind;
using sys::MessageKind;

// The real main window under SDL's dummy video driver.
class SdlWindowTest : public testing::Test {
 protected:
  void SetUp() override {
    window = sys::CreateMainWindow();
    ASSERT_NE(window, nullptr);
    native = static_cast<sys::SdlWindow*>(&window->Native());
  }

  SDL_Event WindowEvent(SDL_WindowEventID id) const {
    SDL_Event event{};
    event.type = SDL_WINDOWEVENT;
    event.window.windowID = SDL_GetWindowID(native->Handle());
    event.window.event = static_cast<Uint8>(id);
    return event;
  }

  std::vector<InputEvent> Translate(const SDL_Event& event) const {
    std::vector<InputEvent> out;
    native->Translate(event, out);
    return out;
  }

  std::unique_ptr<sys::Window> window;
  sys::SdlWindow* native = nullptr;
};

TEST_F(SdlWindowTest, TheMainWindowIsAHiddenFixedVelmartisWindow) {
  SDL_Window* handle = native->Handle();
  EXPECT_STREQ(SDL_GetWindowTitle(handle), "Velmartis");
  int width = 0, height = 0;
  SDL_GetWindowSize(handle, &width, &height);
  EXPECT_EQ(width, 480);
  EXPECT_EQ(height, 360);
  Uint32 flags = SDL_GetWindowFlags(handle);
  EXPECT_FALSE(flags & SDL_WINDOW_RESIZABLE);
  EXPECT_TRUE(flags & SDL_WINDOW_HIDDEN);
  window->Show();
  EXPECT_FALSE(SDL_GetWindowFlags(handle) & SDL_WINDOW_HIDDEN);
}

TEST_F(SdlWindowTest, WindowEventsBecomeInput) {
  struct Case {
    SDL_WindowEventID id;
    std::vector<InputKind> expected;
  } cases[] = {
      {SDL_WINDOWEVENT_ENTER, {InputKind::PointerEntered}},
      {SDL_WINDOWEVENT_LEAVE, {InputKind::PointerLeft}},
      {SDL_WINDOWEVENT_FOCUS_GAINED, {InputKind::FocusGained}},
      {SDL_WINDOWEVENT_FOCUS_LOST, {InputKind::FocusLost}},
      {SDL_WINDOWEVENT_MINIMIZED, {InputKind::Minimised}},
      {SDL_WINDOWEVENT_RESTORED, {InputKind::Restored}},
      {SDL_WINDOWEVENT_EXPOSED, {InputKind::Exposed}},
      {SDL_WINDOWEVENT_CLOSE, {InputKind::CloseRequested}},
      {SDL_WINDOWEVENT_MOVED, {}},
  };
  for (const Case& c : cases) {
    std::vector<InputKind> kinds;
    for (const InputEvent& input : Translate(WindowEvent(c.id))) kinds.push_back(input.kind);
    EXPECT_EQ(kinds, c.expected) << "window event " << c.id;
  }
  SDL_Event other = WindowEvent(SDL_WINDOWEVENT_CLOSE);
  other.window.windowID += 100;
  EXPECT_TRUE(Translate(other).empty()) << "another window's events are not ours";
}

TEST_F(SdlWindowTest, MouseEventsKeepButtonAndPosition) {
  SDL_Event motion{};
  motion.type = SDL_MOUSEMOTION;
  motion.motion.x = -3;
  motion.motion.y = 400;
  std::vector<InputEvent> moved = Translate(motion);
  ASSERT_EQ(moved.size(), 1u);
  EXPECT_EQ(moved[0].kind, InputKind::PointerMoved);
  EXPECT_EQ(moved[0].x, -3);
  EXPECT_EQ(moved[0].y, 400);

  struct Case {
    Uint8 sdlButton;
    sys::MouseButton button;
  } cases[] = {{SDL_BUTTON_LEFT, sys::MouseButton::Left},   {SDL_BUTTON_RIGHT, sys::MouseButton::Right},
               {SDL_BUTTON_MIDDLE, sys::MouseButton::Middle}, {SDL_BUTTON_X1, sys::MouseButton::Extra1},
               {SDL_BUTTON_X2, sys::MouseButton::Extra2}};
  for (const Case& c : cases) {
    for (Uint32 type : {SDL_MOUSEBUTTONDOWN, SDL_MOUSEBUTTONUP}) {
      SDL_Event press{};
      press.type = type;
      press.button.button = c.sdlButton;
      press.button.x = 7;
      press.button.y = 9;
      std::vector<InputEvent> out = Translate(press);
      ASSERT_EQ(out.size(), 1u);
      EXPECT_EQ(out[0].kind, type == SDL_MOUSEBUTTONDOWN ? InputKind::ButtonPressed : InputKind::ButtonReleased);
      EXPECT_EQ(out[0].button, c.button);
      EXPECT_EQ(out[0].x, 7);
      EXPECT_EQ(out[0].y, 9);
    }
  }
}

TEST_F(SdlWindowTest, QuitAndDisplayEventsAreRequestsToTheWindow) {
  SDL_Event quit{};
  quit.type = SDL_QUIT;
  ASSERT_EQ(Translate(quit).size(), 1u);
  EXPECT_EQ(Translate(quit)[0].kind, InputKind::CloseRequested);
  SDL_Event display{};
  display.type = SDL_DISPLAYEVENT;
  ASSERT_EQ(Translate(display).size(), 1u);
  EXPECT_EQ(Translate(display)[0].kind, InputKind::DisplayChanged);
}

TEST_F(SdlWindowTest, PushedEventsReachTheProcedureAndThePump) {
  std::vector<MessageKind> delivered;
  window->SetProcedure([&](const sys::Message& message) {
    delivered.push_back(message.kind);
    return true;
  });
  SDL_Event close = WindowEvent(SDL_WINDOWEVENT_CLOSE);
  SDL_PushEvent(&close);
  SDL_Event key{};
  key.type = SDL_KEYDOWN;
  key.key.keysym.scancode = SDL_SCANCODE_ESCAPE;
  key.key.keysym.sym = SDLK_ESCAPE;
  SDL_PushEvent(&key);
  SDL_Event text{};
  text.type = SDL_TEXTINPUT;
  std::strcpy(text.text.text, "\xC3\xA9");
  SDL_PushEvent(&text);

  window->WaitForInput(1000);  // returns at once: input is waiting
  std::vector<sys::Message> taken;
  sys::Message message;
  while (window->TakeMessage(message)) taken.push_back(message);
  EXPECT_EQ(delivered, std::vector<MessageKind>{MessageKind::CloseRequest});
  ASSERT_EQ(taken.size(), 3u);
  EXPECT_EQ(taken[0].kind, MessageKind::KeyDown);
  EXPECT_EQ(taken[0].code, sys::vk::kEscape);
  EXPECT_EQ(taken[1].kind, MessageKind::Character);
  EXPECT_EQ(taken[1].code, 27u);
  EXPECT_EQ(taken[2].code, 0xE9u);
}

// Xlib may report a broken display more than once; the game is asked to
// close once, and only when the window next reads its input.
TEST_F(SdlWindowTest, ALostDisplayIsReadOnceAsACloseRequest) {
  std::vector<MessageKind> delivered;
  window->SetProcedure([&](const sys::Message& message) {
    delivered.push_back(message.kind);
    return true;
  });
  LayerLogCapture log;
  sys::NoteDisplayLost();
  sys::NoteDisplayLost();
  EXPECT_TRUE(delivered.empty());
  sys::Message message;
  while (window->TakeMessage(message)) {
  }
  EXPECT_EQ(delivered, std::vector<MessageKind>{MessageKind::CloseRequest});
  EXPECT_EQ(log.Lines(), std::vector<std::string>{"The display has gone away: the game closes"});
  delivered.clear();
  while (window->TakeMessage(message)) {
  }
  sys::NoteDisplayLost();
  while (window->TakeMessage(message)) {
  }
  EXPECT_TRUE(delivered.empty()) << "one loss, one request";
  EXPECT_EQ(log.Lines().size(), 1u);
  EXPECT_TRUE(sys::IsDisplayLost()) << "the window is left to the end of the process";
  sys::WatchForDisplayLoss(native->Handle());
  EXPECT_FALSE(sys::IsDisplayLost()) << "a window watched afresh is taken down again";
}

TEST_F(SdlWindowTest, ClipboardTextRoundTripsInWindows1252) {
  ASSERT_TRUE(window->SetClipboardText("caf\xE9 \x80 100%"));
  char* utf8 = SDL_GetClipboardText();
  EXPECT_STREQ(utf8, "caf\xC3\xA9 \xE2\x82\xAC 100%");
  SDL_free(utf8);
  EXPECT_EQ(window->GetClipboardText(), "caf\xE9 \x80 100%");
}

TEST_F(SdlWindowTest, WithoutADisplayMessageBoxesAreLoggedAndAnsweredAtOnce) {
  LayerLogCapture log;
  sys::ShowMessageBox("Error", "Failed to initialize window.", sys::MessageBoxIcon::Error, window.get());
  sys::ShowMessageBox("Reconfiguring", "Press OK to continue.", sys::MessageBoxIcon::Warning);
  EXPECT_TRUE(log.Contains("Message box \"Error\": Failed to initialize window."));
  EXPECT_TRUE(log.Contains("Message box \"Reconfiguring\": Press OK to continue."));
}

TEST(MessageBox, AnOwnedBoxIsShownByItsWindowInUtf8) {
  auto native = std::make_unique<FakeNativeWindow>();
  FakeNativeWindow* desktop = native.get();
  sys::Window window(std::move(native));
  LayerLogCapture log;
  sys::ShowMessageBox("Erreur", "D\xE9j\xE0 lanc\xE9", sys::MessageBoxIcon::None, &window);
  EXPECT_EQ(desktop->messageBoxes, std::vector<std::string>{"Erreur|D\xC3\xA9j\xC3\xA0 lanc\xC3\xA9"});
  EXPECT_TRUE(log.Lines().empty()) << "a shown box is not logged";
}

TEST_F(SdlWindowTest, ReportsItsGeometryOnTheDesktop) {
  int32_t width = 0, height = 0;
  native->GetClientSize(width, height);
  EXPECT_EQ(std::make_pair(width, height), std::make_pair(480, 360));
  native->SetClientSize(800, 600);
  native->GetClientSize(width, height);
  EXPECT_EQ(std::make_pair(width, height), std::make_pair(800, 600));
  native->GetDesktopSize(width, height);
  SDL_Rect display;
  ASSERT_EQ(SDL_GetDisplayBounds(0, &display), 0);
  EXPECT_EQ(std::make_pair(width, height), std::make_pair(display.w, display.h));
  sys::PixelRect work = native->GetWorkArea();
  EXPECT_LE(work.right - work.left, display.w);
  EXPECT_GT(work.right - work.left, 0);

  native->SetPosition(30, 40);
  int32_t x = 0, y = 0;
  native->GetPosition(x, y);
  EXPECT_EQ(std::make_pair(x, y), std::make_pair(30, 40));
  native->GetClientOrigin(x, y);
  EXPECT_GE(x, 30);
  EXPECT_GE(y, 40);
}

TEST_F(SdlWindowTest, ShowsFramesAtTheirSizeAndReadsThemBack) {
  sys::Picture picture;
  EXPECT_FALSE(native->ReadShownPicture(picture));
  std::vector<uint32_t> frame(480 * 360, 0x00336699);
  frame[479] = 0x00FFFFFF;
  native->ShowFrame(sys::FrameView{reinterpret_cast<const uint8_t*>(frame.data()), 480, 360, 480 * 4});
  ASSERT_TRUE(native->ReadShownPicture(picture));
  ASSERT_EQ(picture.width, 480);
  ASSERT_EQ(picture.height, 360);
  EXPECT_EQ(picture.At(0, 0), 0xFF336699u);
  EXPECT_EQ(picture.At(479, 0), 0xFFFFFFFFu);
  EXPECT_EQ(picture.At(479, 359), 0xFF336699u);
}

TEST_F(SdlWindowTest, DesktopFullScreenFitsTheFrameAndMapsThePointer) {
  native->Show();
  native->SetDesktopFullScreen(true);
  ASSERT_TRUE(native->IsDesktopFullScreen());
  int32_t width = 0, height = 0, desktopWidth = 0, desktopHeight = 0;
  native->GetClientSize(width, height);
  native->GetDesktopSize(desktopWidth, desktopHeight);
  ASSERT_EQ(std::make_pair(width, height), std::make_pair(desktopWidth, desktopHeight));

  // A frame half as wide as it is high sits in the middle between bars.
  int32_t frameHeight = height;
  int32_t frameWidth = height / 2;
  std::vector<uint32_t> frame(static_cast<size_t>(frameWidth * frameHeight), 0x00FF0000);
  auto* pixels = reinterpret_cast<const uint8_t*>(frame.data());
  native->ShowFrame(sys::FrameView{pixels, frameWidth, frameHeight, frameWidth * 4});
  sys::Picture picture;
  ASSERT_TRUE(native->ReadShownPicture(picture));
  EXPECT_EQ(picture.At(0, height / 2), 0xFF000000u);
  EXPECT_EQ(picture.At(width / 2, height / 2), 0xFFFF0000u);
  EXPECT_EQ(picture.At(width - 1, height / 2), 0xFF000000u);

  SDL_Event motion{};
  motion.type = SDL_MOUSEMOTION;
  motion.motion.windowID = SDL_GetWindowID(native->Handle());
  motion.motion.x = 0;
  motion.motion.y = height / 2;
  std::vector<InputEvent> input = Translate(motion);
  ASSERT_EQ(input.size(), 1u);
  EXPECT_EQ(std::make_pair(input[0].x, input[0].y), std::make_pair(0, frameHeight / 2));
  native->GetClientSize(width, height);
  EXPECT_EQ(std::make_pair(width, height), std::make_pair(frameWidth, frameHeight));

  native->SetDesktopFullScreen(false);
  EXPECT_FALSE(native->IsDesktopFullScreen());
  native->GetClientSize(width, height);
  EXPECT_NE(std::make_pair(width, height), std::make_pair(frameWidth, frameHeight));
}

}  // namespace
