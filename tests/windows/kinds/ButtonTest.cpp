// Buttons: states and the layer each shows, the capture, the commands and
// messages of a click, radio groups and the hit mask.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "media/texture/PngDecoder.h"
#include "media/texture/TTexture.h"
#include "media/texture/TTextureData.h"
#include "media/sound/TSound.h"
#include "platform/asset/TAssetManager.h"
#include "platform/file/FileIndex.h"
#include "media/sound/TSoundManager.h"
#include "system/audio/ManualAudioDevice.h"
#include "tests/media/texture/ImageFiles.h"
#include "tests/support/FakeTextureData.h"
#include "tests/support/SteppedSoundWait.h"
#include "tests/support/OggFixture.h"
#include "tests/support/TestFileLayer.h"
#include "tests/support/windows/RecordingWindowScript.h"
#include "tests/windows/core/WindowTree.h"
#include "windows/kinds/TButton.h"
#include "windows/core/TMessage.h"
#include "windows/kinds/TModalWindow.h"

namespace {

using Calls = std::vector<std::string>;

// Takes every message without a target, writing "message type name".
class MessageLog : public TMessageHandler {
 public:
  explicit MessageLog(CallJournal* journal) : mJournal(journal) {}
  bool Handle(TMessage& message) override {
    mJournal->Add("message " + std::to_string(message.GetType()) + " " + message.GetName().CStr());
    return true;
  }

 private:
  CallJournal* mJournal;
};

// Writes "action name checked" and ends the click as told.
class RecordingAction : public TButton::Action {
 public:
  RecordingAction(CallJournal* journal, bool result) : mJournal(journal), mResult(result) {}
  bool Execute(TButton& button) override {
    mJournal->Add(std::string("action ") + button.GetName().CStr() + (button.IsChecked() ? " checked" : " unchecked"));
    return mResult;
  }

 private:
  CallJournal* mJournal;
  bool mResult;
};

// Texture data whose lock hands out pixels the test wrote, blue, green, red,
// alpha, at a pitch wider than the rows; a lock that fails when told to.
class LockableTextureData final : public FakeTextureData {
 public:
  LockableTextureData(int32_t width, int32_t height, int32_t pitch, bool locks)
      : FakeTextureData(nullptr, width, height, 0),
        mPixels(static_cast<size_t>(pitch * height), 0),
        mPitch(pitch),
        mLocks(locks) {}
  // The pixels of a decoded image, at the pitch of its square buffer.
  explicit LockableTextureData(const TDecodedImage& image)
      : FakeTextureData(nullptr, image.width, image.height, 0),
        mPixels(image.pixels.get(), image.pixels.get() + static_cast<size_t>(image.side) * image.side * 4),
        mPitch(image.side * 4),
        mLocks(true) {}

  bool Lock(void** pixels, int32_t* width, int32_t* height, int32_t* pitch) override {
    if (!mLocks) return false;
    *pixels = mPixels.data();
    *width = mWidth;
    *height = mHeight;
    *pitch = mPitch;
    ++locked;
    return true;
  }
  void Unlock() override { --locked; }
  std::pair<int32_t, int32_t> GetSurfaceSize() const override { return {mWidth, mHeight}; }

  int32_t locked = 0;

 private:
  std::vector<uint8_t> mPixels;
  int32_t mPitch;
  bool mLocks;
};

class ButtonTest : public testing::Test {
 protected:
  ButtonTest() {
    auto handler = std::make_unique<MessageLog>(&tree.platform.journal);
    tree.manager.AddHandler(std::move(handler));
    tree.a->takesMessages = true;
  }

  // A button of 40 x 20 at 10 10 in a, with a child in each layer.
  TButton* AddButton(int32_t kind, const char* name = "ok", uint32_t flags = 0) {
    auto window = std::make_unique<TButton>(kind);
    TButton* button = window.get();
    button->SetName(name);
    button->SetFlags(flags);
    for (int32_t layer = 0; layer < button->GetLayerCount(); ++layer) {
      button->SetLayer(static_cast<uint32_t>(layer));
      AddRecordingChild(*button, "layer" + std::to_string(layer), TRect(0, 0, 40, 20));
    }
    std::unique_ptr<TWindow> child = std::move(window);
    tree.a->AddChild(child, true);
    button->SetPosition(10, 10);
    tree.Settle();
    return button;
  }

  // Which layer children show, as their names.
  static std::string Shown(TButton& button) {
    std::string shown;
    for (TWindow* child : button.GetChildren()) {
      if (child->IsVisible()) shown += child->GetName().CStr();
    }
    return shown;
  }

  // Messages and actions, in order, once the queue is delivered.
  Calls Commands() {
    tree.manager.DispatchMessages();
    Calls calls;
    for (const std::string& call : tree.Calls()) {
      if (call.rfind("message", 0) == 0 || call.rfind("action", 0) == 0 || call.rfind("HandleMessage", 0) == 0) {
        calls.push_back(call);
      }
    }
    tree.platform.journal.Clear();
    return calls;
  }

  bool Captures(TButton* button) const {
    const std::vector<TWindow*>& captures = tree.manager.GetCaptures();
    return std::find(captures.begin(), captures.end(), button) != captures.end();
  }

  WindowTree tree;
};

TEST_F(ButtonTest, StatesLayersCaptureAndCommandsOverASequenceOfMoves) {
  enum Step { kMoveIn, kMoveOut, kPress, kReleaseIn, kReleaseOut };
  struct Case {
    const char* what;
    int32_t kind;
    bool checked;
    std::vector<Step> steps;
    int32_t state;
    const char* shown;
    bool checkedAfter;
    Calls commands;
  };
  const Case cases[] = {
      {"hover", TButton::kPush, false, {kMoveIn}, TButton::kHover, "layer2", false, {}},
      {"hover then leave", TButton::kPush, false, {kMoveIn, kMoveOut}, TButton::kNormal, "layer0", false, {}},
      {"press", TButton::kPush, false, {kMoveIn, kPress}, TButton::kPressed, "layer1", false, {}},
      {"click", TButton::kPush, false, {kPress, kReleaseIn}, TButton::kHover, "layer2", false,
       {"HandleMessage a 3 ok"}},
      {"release outside", TButton::kPush, false, {kPress, kReleaseOut}, TButton::kNormal, "layer0", false, {}},
      {"check box click", TButton::kCheck, false, {kPress, kReleaseIn}, TButton::kHover, "layer3", true,
       {"HandleMessage a 3 ok"}},
      {"checked box click", TButton::kCheck, true, {kPress, kReleaseIn}, TButton::kHover, "layer2", false,
       {"HandleMessage a 3 ok"}},
      {"checked box pressed", TButton::kCheck, true, {kPress}, TButton::kPressed, "layer0", true, {}},
      {"checked box at rest", TButton::kCheck, true, {}, TButton::kNormal, "layer1", true, {}},
      {"radio click", TButton::kRadio, false, {kPress, kReleaseIn}, TButton::kHover, "layer3", true,
       {"HandleMessage a 3 ok"}},
      {"checked radio click", TButton::kRadio, true, {kPress, kReleaseIn}, TButton::kHover, "layer3", true,
       {"HandleMessage a 3 ok"}},
      {"release without press", TButton::kPush, false, {kReleaseIn}, TButton::kNormal, "layer0", false, {}},
  };
  for (const Case& c : cases) {
    TButton* button = AddButton(c.kind);
    if (c.checked) button->SetChecked(true);
    for (Step step : c.steps) {
      switch (step) {
        case kMoveIn: button->OnMouseMove(5, 5); break;
        case kMoveOut: button->OnMouseMove(50, 5); break;
        case kPress: button->OnMouseDown(5, 5); break;
        case kReleaseIn: button->OnMouseUp(5, 5); break;
        case kReleaseOut: button->OnMouseUp(5, 41); break;
      }
    }
    EXPECT_EQ(button->GetState(), c.state) << c.what;
    EXPECT_EQ(Shown(*button), c.shown) << c.what;
    EXPECT_EQ(button->IsChecked(), c.checkedAfter) << c.what;
    EXPECT_EQ(Captures(button), c.state != TButton::kNormal) << c.what;
    EXPECT_EQ(Commands(), c.commands) << c.what;
    tree.a->RemoveChild(button);
  }
}

TEST_F(ButtonTest, ACheckBoxsCommandSeesTheCheckedFlagAsItWas) {
  TButton* box = AddButton(TButton::kCheck, "box");
  box->SetAction(std::make_unique<RecordingAction>(&tree.platform.journal, false));
  box->OnMouseDown(1, 1);
  box->OnMouseUp(1, 1);
  box->OnMouseDown(1, 1);
  box->OnMouseUp(1, 1);
  EXPECT_EQ(Commands(), (Calls{"action box unchecked", "action box checked", "HandleMessage a 3 box",
                               "HandleMessage a 3 box"}));
  EXPECT_FALSE(box->IsChecked());
}

TEST_F(ButtonTest, ARadioButtonUnchecksOnlyItsGroupAndOnlyAfterAGroupStart) {
  TButton* loose1 = AddButton(TButton::kRadio, "loose1");
  TButton* loose2 = AddButton(TButton::kRadio, "loose2");
  TButton* first = AddButton(TButton::kRadio, "first", TButton::kSetBeginsGroup);
  TButton* second = AddButton(TButton::kRadio, "second");
  TButton* next = AddButton(TButton::kRadio, "next", TButton::kSetBeginsGroup);
  for (TButton* button : {loose1, first, next}) button->SetChecked(true);
  loose2->SetChecked(true);
  EXPECT_TRUE(loose1->IsChecked()) << "no group start before loose2: nothing is unchecked";
  second->SetChecked(true);
  EXPECT_FALSE(first->IsChecked());
  EXPECT_TRUE(second->IsChecked());
  EXPECT_TRUE(next->IsChecked()) << "the next group start ends the group";
  EXPECT_TRUE(loose1->IsChecked()) << "buttons before the group start stay";
  first->SetChecked(true);
  EXPECT_FALSE(second->IsChecked()) << "the group start itself unchecks the rest";
}

TEST_F(ButtonTest, ACloseButtonWhoseActionReplacesTheDialogPostsTheCommandOnlyToTheParent) {
  auto owned = std::make_unique<RecordingWindowScript>();
  RecordingWindowScript* script = owned.get();
  tree.manager.SetScript(std::move(owned));
  for (const bool toParent : {false, true}) {
    auto modal = std::make_unique<TModalWindow>();
    TModalWindow* dialog = modal.get();
    dialog->SetSize(200, 200);
    tree.manager.PushModal(std::move(modal));
    auto window = std::make_unique<TButton>(TButton::kPush);
    TButton* button = window.get();
    button->SetName("close");
    button->SetSize(40, 20);
    button->SetFlags(TButton::kSetClose | (toParent ? TButton::kSetSendToParent : 0u));
    button->SetAction(std::make_unique<RecordingAction>(&tree.platform.journal, true));
    std::unique_ptr<TWindow> child = std::move(window);
    dialog->AddChild(child, true);
    const std::string closeName = TMessage::CloseName(dialog->GetSerial()).CStr();
    tree.manager.PushModal(std::make_unique<TModalWindow>());
    tree.platform.journal.Clear();
    script->received.clear();
    EXPECT_TRUE(button->DoCommand());
    EXPECT_EQ(Commands(), (Calls{"action close unchecked", "message 1 " + closeName}));
    EXPECT_EQ(script->received, toParent ? Calls{"3 close"} : Calls{})
        << "the command message reaches the script only with sendToParent";
    EXPECT_EQ(script->GetString("gReturnValue", ""), "close");
  }
}

TEST_F(ButtonTest, ALuaActionSendsItsMessageToTheScript) {
  auto owned = std::make_unique<RecordingWindowScript>();
  RecordingWindowScript* script = owned.get();
  tree.manager.SetScript(std::move(owned));
  TButton* button = AddButton(TButton::kPush, "go");
  lua_State* L = script->GetState();
  lua_pushnil(L);
  button->SetAction(std::make_unique<TButton::LuaAction>(std::make_unique<TLuaFunction>(L)));
  EXPECT_FALSE(button->DoCommand()) << "the dialog is still on top";
  EXPECT_EQ(Commands(), Calls{"HandleMessage a 3 go"});
  EXPECT_EQ(script->received, Calls{"8 LuaAction:go and a command"});
}

TEST_F(ButtonTest, APressOverANearBlackMaskPixelDoesNotPressAndReleasesTheCapture) {
  TButton* button = AddButton(TButton::kPush);  // 40 x 20 over a 4 x 2 mask: 10 x 10 per mask pixel
  PngPicture mask;  // near black (a green of 15) except two pixels grey enough to be hit (a green of 20)
  mask.width = 4;
  mask.height = 2;
  mask.colourType = PNG_COLOR_TYPE_RGB;
  for (int32_t pixel = 0; pixel < 8; ++pixel) {
    const uint8_t green = (pixel == 1 || pixel == 7) ? 20 : 15;
    mask.rows.insert(mask.rows.end(), {0, green, 0});
  }
  TestFileLayer files;
  files.WriteAsset("ui/mask.png", PngBytes(mask));
  BuildFileIndex();
  TDecodedImage image;
  ASSERT_TRUE(DecodePng("ui/mask.png", "", false, image));
  auto owned = std::make_unique<LockableTextureData>(image);
  LockableTextureData* data = owned.get();
  auto texture = std::make_shared<TTexture>(std::move(owned));
  button->SetMask(texture);
  EXPECT_EQ(data->locked, 0) << "unlocked again";
  button->OnMouseMove(15, 5);
  EXPECT_EQ(button->GetState(), TButton::kHover) << "over a lit pixel";
  button->OnMouseDown(5, 5);
  EXPECT_EQ(button->GetState(), TButton::kNormal) << "over a near-black pixel";
  EXPECT_FALSE(Captures(button));
  button->OnMouseDown(39, 19);
  EXPECT_EQ(button->GetState(), TButton::kPressed) << "the last mask pixel, lit";
  button->OnMouseUp(40, 20);
  EXPECT_EQ(button->GetState(), TButton::kNormal) << "the far edge maps past the mask: outside";
}

TEST_F(ButtonTest, AMaskIsMadeOnlyFromATextureThatLocks) {
  TButton* button = AddButton(TButton::kPush);
  button->SetMask(std::make_shared<TTexture>(std::make_unique<LockableTextureData>(4, 2, 16, false)));
  button->SetMask(std::make_shared<TTexture>(std::make_unique<LockableTextureData>(0, 0, 0, true)));
  button->SetMask(std::make_shared<TTexture>());
  button->SetMask(nullptr);
  button->OnMouseDown(5, 5);
  EXPECT_EQ(button->GetState(), TButton::kPressed) << "no mask: the whole rectangle is hit";
}

TEST_F(ButtonTest, AClickPlaysThePressSoundEnteringTheRollOverOneAndAMissingOneIsNotUsed) {
  TestFileLayer files;
  TAssetManager assets;
  TSoundManager sounds(std::make_unique<sys::ManualAudioDevice>(441), std::make_unique<SteppedSoundWait>());
  tree.platform.assetManager = &assets;
  tree.platform.soundManager = &sounds;
  ASSERT_TRUE(sounds.Init());
  files.WriteAsset("sounds/click.ogg", EncodeOgg(1, 22050, 0.2));
  BuildFileIndex();
  TButton* button = AddButton(TButton::kPush);
  button->SetSound(TButton::kPressed, "sounds/click.ogg");
  button->SetSound(TButton::kHover, "sounds/missing.ogg");
  std::shared_ptr<TSound> click = button->GetSound(TButton::kPressed);
  ASSERT_TRUE(click);
  EXPECT_FALSE(button->GetSound(TButton::kHover));
  button->OnMouseMove(5, 5);
  EXPECT_FALSE(click->Stop(-1)) << "hovering plays no press sound";
  button->OnMouseDown(5, 5);
  EXPECT_FALSE(click->Stop(-1)) << "the press itself is silent";
  button->OnMouseUp(5, 5);
  EXPECT_TRUE(click->Stop(-1)) << "the click played it";
  EXPECT_FALSE(click->Stop(-1)) << "once";
  files.WriteAsset("sounds/over.ogg", EncodeOgg(1, 22050, 0.2, 2));
  BuildFileIndex();
  button->SetSound(TButton::kHover, "sounds/over.ogg");
  std::shared_ptr<TSound> over = button->GetSound(TButton::kHover);
  ASSERT_TRUE(over);
  button->OnMouseMove(50, 5);
  EXPECT_FALSE(over->Stop(-1)) << "leaving plays nothing";
  button->OnMouseMove(5, 5);
  EXPECT_TRUE(over->Stop(-1)) << "the roll-over sound on entering";
  EXPECT_FALSE(over->Stop(-1));
  tree.a->RemoveChild(button);
  tree.platform.soundManager = nullptr;
  tree.platform.assetManager = nullptr;
}

TEST_F(ButtonTest, AButtonWithoutAreaTreatsEveryPointAsOutside) {
  TButton* button = AddButton(TButton::kPush);
  button->SetSize(0, 20);
  EXPECT_TRUE(button->IsOutside(0, 0));
  EXPECT_FALSE(button->OnMouseMove(0, 0));
  EXPECT_EQ(button->GetState(), TButton::kNormal);
}

TEST(Button, TheClassAndItsLayers) {
  TButton push(TButton::kPush);
  TButton radio(TButton::kRadio);
  EXPECT_EQ(push.GetLayerCount(), 3);
  EXPECT_EQ(radio.GetLayerCount(), 4);
  EXPECT_EQ(TButton::Cast(&push), &push);
  EXPECT_TRUE(push.IsKindOf(TLayeredWindow::ClassId()));
  TWindow plain;
  EXPECT_EQ(TButton::Cast(&plain), nullptr);
  EXPECT_EQ(TButton::Cast(nullptr), nullptr);
}

}  // namespace
