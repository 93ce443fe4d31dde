// The framework's window kinds built from window tables: plain windows,
// buttons, bitmaps, texts and text edits, their keys from the table and the
// style chain, the factories they are made by, the button's window-bound
// "cleanup", label translation and the font errors.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "media/sound/TSound.h"
#include "media/text/TTextLayout.h"
#include "media/texture/TTexture.h"
#include "platform/xml/TStringTable.h"
#include "tests/support/FakeTextureData.h"
#include "tests/support/SizedTexture.h"
#include "tests/support/StringTableFile.h"
#include "tests/support/windows/RecordingWindowScript.h"
#include "tests/windows/script/ScriptedWindows.h"
#include "windows/kinds/FrameworkFactories.h"
#include "windows/script/LuaBinding.h"
#include "windows/kinds/TButton.h"
#include "windows/kinds/TImage.h"
#include "windows/script/TLuaObjectWrapper.h"
#include "windows/kinds/TText.h"
#include "windows/kinds/TTextEdit.h"
#include "windows/kinds/TWindowStyle.h"

namespace {

using Entries = std::vector<std::string>;
using Stack = std::vector<TWindow*>;
using Layer = std::vector<TWindow*>;

std::string ColorText(const TColor& color) {
  return std::to_string(color.r) + " " + std::to_string(color.g) + " " + std::to_string(color.b) + " " +
         std::to_string(color.a);
}

// Texture data of one black pixel that locks: a mask that hits nowhere.
class BlackPixelData final : public FakeTextureData {
 public:
  BlackPixelData() : FakeTextureData(nullptr, 1, 1, 0) {}
  bool Lock(void** pixels, int32_t* width, int32_t* height, int32_t* pitch) override {
    *pixels = mPixel;
    *width = 1;
    *height = 1;
    *pitch = 4;
    return true;
  }

 private:
  uint8_t mPixel[4] = {0, 0, 0, 255};
};

// Counts the windows alive.
class CountedWindow : public TWindow {
 public:
  static inline int live = 0;
  CountedWindow() { ++live; }
  ~CountedWindow() override { --live; }
};

// Makes the window its maker gives.
class MakingFactory : public TWindowFactory {
 public:
  using Maker = std::unique_ptr<TWindow> (*)();
  explicit MakingFactory(Maker maker) : mMaker(maker) {}
  std::unique_ptr<TWindow> Create(const TWindowStyle&) override { return mMaker(); }

 private:
  Maker mMaker;
};

// A button of a class of the game's own.
class GameButton : public TButton {
 public:
  GameButton() : TButton(kCheck) {}
};

class FrameworkWindowKindsTest : public testing::Test {
 protected:
  FrameworkWindowKindsTest() {
    windows.manager.SetScript(std::make_unique<RecordingWindowScript>());
    script = static_cast<RecordingWindowScript*>(windows.manager.GetScript());
    windows.script = script;
    CountedWindow::live = 0;
    windows.kit.ClearLog();
  }
  ~FrameworkWindowKindsTest() override {
    EXPECT_EQ(lua_gettop(script->GetState()), 0) << "the stack is left as it was";
  }

  void Run(const std::string& text) { script->DoLuaString(text.c_str()); }
  // Runs the Lua text and returns the window it made the current window.
  template <class Kind>
  Kind* Make(const std::string& text) {
    TWindow* before = script->GetWindow();
    Run(text);
    TWindow* made = script->GetWindow();
    return made != before ? dynamic_cast<Kind*>(made) : nullptr;
  }
  std::shared_ptr<TTexture> AddTexture(const char* key, int32_t width, int32_t height) {
    auto texture = std::make_shared<SizedTexture>(width, height);
    windows.kit.platform.assetManager->Register(key, texture);
    return texture;
  }
  TString Global(const char* name) { return script->GetString(name, "<missing>"); }
  Entries Log() const { return windows.kit.LogEntries(); }

  ScriptedWindows windows;
  TWindowManager& manager = windows.manager;
  TWindow* root = windows.root;
  RecordingWindowScript* script = nullptr;
};

// ---- Plain windows and factories.

TEST_F(FrameworkWindowKindsTest, APlainWindowIsAttachedFromItsTable) {
  TWindow* made = Make<TWindow>("CreateWindow{ name = 'panel', x = 10, w = 30, h = 40 }");
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->GetParent(), root);
  EXPECT_EQ(made->GetName(), "panel");
  EXPECT_EQ(made->GetRect(), TRect(10, 0, 40, 40));
  EXPECT_EQ(script->GetWindowStack(), (Stack{root, made}));
}

TEST_F(FrameworkWindowKindsTest, TheFactoryComesFromTheTableElseTheStyleChain) {
  manager.SetFactory("_window", std::make_unique<MakingFactory>([]() -> std::unique_ptr<TWindow> {
                       return std::make_unique<CountedWindow>();
                     }));
  manager.SetFactory("_styled", std::make_unique<MakingFactory>([]() -> std::unique_ptr<TWindow> {
                       return std::make_unique<TButton>(TButton::kPush);
                     }));
  EXPECT_NE(Make<CountedWindow>("CreateWindow{ }"), nullptr) << "the kind's own factory name";
  Run("gCurrentDefaultStyle = { parent = { factory = '_styled' } }");
  EXPECT_NE(Make<TButton>("CreateWindow{ }"), nullptr) << "from the style's parent";
  TWindow* plain = Make<TWindow>("CreateWindow{ factory = '_none' }");
  ASSERT_NE(plain, nullptr) << "no factory of that name: a plain window";
  EXPECT_EQ(dynamic_cast<CountedWindow*>(plain), nullptr);
}

TEST_F(FrameworkWindowKindsTest, AFactoryThatMakesNothingAttachesNothing) {
  manager.SetFactory("_window", std::make_unique<MakingFactory>([]() -> std::unique_ptr<TWindow> { return nullptr; }));
  Run("CreateWindow{ } CreateButton{ factory = '_window' } after = 'ran'");
  EXPECT_EQ(Global("after"), "ran");
  EXPECT_TRUE(root->GetChildren().empty());
}

TEST_F(FrameworkWindowKindsTest, TheScriptRegistersTheButtonFactoryWhichMakesTheKindOfTheType) {
  TWindowFactory* factory = manager.GetFactory("_button");
  ASSERT_NE(factory, nullptr);
  lua_State* L = script->GetState();
  Run("gCurrentDefaultStyle = { type = 2 } style = { }");
  PushGlobal(L, "style");
  const TWindowStyle style(*script, std::make_unique<TLuaObjectWrapper>(L));
  std::unique_ptr<TWindow> made = factory->Create(style);
  TButton* button = TButton::Cast(made.get());
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->GetKind(), TButton::kRadio);
}

TEST_F(FrameworkWindowKindsTest, AButtonFactoryThatMakesAnotherClassIsRefusedAndItsWindowDeleted) {
  manager.SetFactory("_button", std::make_unique<MakingFactory>([]() -> std::unique_ptr<TWindow> {
                       return std::make_unique<CountedWindow>();
                     }));
  Run("CreateButton{ name = 'wrong', graphics = { 'up.png' } }");
  EXPECT_EQ(CountedWindow::live, 0);
  EXPECT_TRUE(root->GetChildren().empty());
  EXPECT_EQ(script->GetWindowStack(), Stack{root});
  EXPECT_EQ(Log(), Entries{"The factory \"_button\" made a window that is no TButton: not supported"});
}

TEST_F(FrameworkWindowKindsTest, AButtonFactoryThatMakesADerivedButtonIsUsed) {
  manager.SetFactory("_button", std::make_unique<MakingFactory>([]() -> std::unique_ptr<TWindow> {
                       return std::make_unique<GameButton>();
                     }));
  GameButton* made = Make<GameButton>("CreateButton{ name = 'game', graphics = { 'a', 'b', 'c', 'd' } }");
  ASSERT_NE(made, nullptr);
  EXPECT_EQ(made->GetLayerCount(), 4) << "a layer per image of the button the factory made";
  EXPECT_EQ(made->GetLayerChildren(3).size(), 1u);
}

TEST_F(FrameworkWindowKindsTest, FunctionsWithoutAWindowTableMakeNothing) {
  Run("CreateWindow() CreateButton('x') CreateBitmap(3)");
  EXPECT_TRUE(root->GetChildren().empty());
  EXPECT_EQ(Log(), (Entries{"CreateWindow: no window table", "CreateButton: no window table",
                            "CreateBitmap: no window table"}));
}

// ---- Buttons.

TEST_F(FrameworkWindowKindsTest, TwoImagesOfAPushButtonShowTheSecondInLayersOneAndTwo) {
  auto up = AddTexture("up.png:tex", 40, 20);
  auto down = AddTexture("down.png:tex", 40, 20);
  TButton* button = Make<TButton>("CreateButton{ name = 'ok', scale = 0.5, graphics = { 'up.png', 'down.png' } }");
  ASSERT_NE(button, nullptr);
  ASSERT_EQ(button->GetLayerCount(), 3);
  auto* first = dynamic_cast<TImage*>(button->FindChild("image0", 1));
  auto* second = dynamic_cast<TImage*>(button->FindChild("image1", 1));
  ASSERT_NE(first, nullptr);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(button->GetChildren().size(), 2u) << "the second image is one window in two layers";
  EXPECT_EQ(button->GetLayerChildren(0), Layer{first});
  EXPECT_EQ(button->GetLayerChildren(1), Layer{second});
  EXPECT_EQ(button->GetLayerChildren(2), Layer{second});
  EXPECT_EQ(first->GetTexture(), up);
  EXPECT_EQ(second->GetTexture(), down);
  EXPECT_EQ(first->GetRect(), TRect(0, 0, 20, 10)) << "at the button's scale";
  EXPECT_TRUE(first->GetFlags() & kWindowSnapshotMember);
  EXPECT_EQ(button->GetRect(), TRect(0, 0, 20, 10)) << "its size from its images";
  EXPECT_EQ(button->GetLayer(), TLayeredWindow::kAllLayers) << "children to come show in every layer";
}

TEST_F(FrameworkWindowKindsTest, AMissingOrWrongTypedItemReusesTheImageBeforeAndAMissingFirstLeavesLayerZeroEmpty) {
  TButton* button = Make<TButton>("CreateButton{ graphics = { nil, 'over.png', { } } }");
  ASSERT_NE(button, nullptr);
  TWindow* over = button->FindChild("image1", 1);
  ASSERT_NE(over, nullptr);
  EXPECT_TRUE(button->GetLayerChildren(0).empty());
  EXPECT_EQ(button->GetLayerChildren(1), Layer{over});
  EXPECT_EQ(button->GetLayerChildren(2), Layer{over}) << "a table is no image name";
  EXPECT_EQ(button->GetChildren().size(), 1u);
}

TEST_F(FrameworkWindowKindsTest, AButtonThatIsNoPushButtonHasFourLayers) {
  TButton* button = Make<TButton>("CreateButton{ type = 1, graphics = { 'a', 'b', 'c', 'd', 'e' } }");
  ASSERT_NE(button, nullptr);
  EXPECT_EQ(button->GetKind(), TButton::kCheck);
  ASSERT_EQ(button->GetLayerCount(), 4);
  EXPECT_EQ(button->GetLayerChildren(3), Layer{button->FindChild("image3", 1)});
  EXPECT_EQ(button->FindChild("image4", 1), nullptr) << "no layer for the fifth";
}

TEST_F(FrameworkWindowKindsTest, GraphicsComeFromTheStyleAndSomethingElseThanATableShowsNothing) {
  Run("gCurrentDefaultStyle = { parent = { graphics = { 'styled.png' } } }");
  TButton* styled = Make<TButton>("CreateButton{ }");
  ASSERT_NE(styled, nullptr);
  EXPECT_NE(styled->FindChild("image0", 1), nullptr);
  script->PopWindow();
  TButton* plain = Make<TButton>("CreateButton{ graphics = 'up.png' }");
  ASSERT_NE(plain, nullptr);
  EXPECT_TRUE(plain->GetChildren().empty());
}

TEST_F(FrameworkWindowKindsTest, CheckedFlagsSoundsAndMaskComeFromTheTableAndTheStyleChain) {
  auto click = std::make_shared<TSound>("click.ogg", 0);
  auto over = std::make_shared<TSound>("over.ogg", 0);
  windows.kit.platform.assetManager->Register("click.ogg;1;0", click);
  windows.kit.platform.assetManager->Register("over.ogg;1;0", over);
  auto mask = std::make_shared<TTexture>(std::make_unique<BlackPixelData>());
  windows.kit.platform.assetManager->Register("mask.png:tex", mask);
  Run("gCurrentDefaultStyle = { close = true, parent = { sendToParent = 1, rolloversound = 'over.ogg' } }");
  TButton* button = Make<TButton>(
      "CreateButton{ name = 'b', type = 1, on = true, beginGroup = 1, default = true, sound = 'click.ogg', "
      "mask = 'mask.png', tooltip = 'Press me', w = 10, h = 10 }");
  ASSERT_NE(button, nullptr);
  EXPECT_TRUE(button->IsChecked());
  EXPECT_EQ(button->GetButtonFlags(),
            TButton::kChecked | TButton::kSendToParent | TButton::kClose | TButton::kDefault);
  EXPECT_TRUE(button->GetFlags() & kWindowBeginsGroup);
  EXPECT_EQ(button->GetSound(TButton::kPressed), click);
  EXPECT_EQ(button->GetSound(TButton::kHover), over);
  EXPECT_EQ(button->GetTooltip(), "Press me");
  EXPECT_TRUE(button->IsOutside(5, 5)) << "the black mask hits nowhere";
  script->PopWindow();
  TButton* bare = Make<TButton>("gCurrentDefaultStyle = nil CreateButton{ w = 10, h = 10 }");
  ASSERT_NE(bare, nullptr);
  EXPECT_FALSE(bare->IsChecked());
  EXPECT_EQ(bare->GetButtonFlags(), 0u);
  EXPECT_FALSE(bare->GetFlags() & kWindowBeginsGroup);
  EXPECT_EQ(bare->GetSound(TButton::kPressed), nullptr);
  EXPECT_EQ(bare->GetSound(TButton::kHover), nullptr);
  EXPECT_FALSE(bare->IsOutside(5, 5)) << "no mask";
}

TEST_F(FrameworkWindowKindsTest, TheCommandIsTheButtonsLuaActionAndAClickHandsItToTheScript) {
  TButton* button = Make<TButton>("CreateButton{ name = 'go', w = 10, h = 10, command = function() ran = 'yes' end }");
  ASSERT_NE(button, nullptr);
  auto* action = dynamic_cast<TButton::LuaAction*>(button->GetAction());
  ASSERT_NE(action, nullptr);
  button->OnMouseDown(5, 5);
  button->OnMouseUp(5, 5);
  EXPECT_EQ(script->received, Entries{"8 LuaAction:go and a command"});
  EXPECT_EQ(action->GetFunction()->Call(), 0);
  EXPECT_EQ(Global("ran"), "yes");
  script->PopWindow();
  TButton* plain = Make<TButton>("CreateButton{ command = 'not a function' }");
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(plain->GetAction(), nullptr);
}

TEST_F(FrameworkWindowKindsTest, CleanupRunsTheButtonsInitAndNothingOnceTheButtonIsGone) {
  TButton* button = Make<TButton>("b = { name = 'b', w = 10, h = 10, graphics = { 'u', 'd', 'o' } } CreateButton(b)");
  ASSERT_NE(button, nullptr);
  button->SetState(TButton::kHover);
  Run("first = tostring(b.cleanup())");
  EXPECT_EQ(Global("first"), "true");
  EXPECT_EQ(button->GetState(), TButton::kNormal);
  EXPECT_EQ(button->GetLayer(), 0u) << "Init shows the normal layer";
  std::unique_ptr<TWindow> gone = root->RemoveChild(button);
  gone.reset();
  Run("second = tostring(b.cleanup())");
  EXPECT_EQ(Global("second"), "false");
}

TEST_F(FrameworkWindowKindsTest, AButtonItsParentRefusesGetsNoCommandOrCleanup) {
  while (script->GetWindow()->GetDepth() < kMaxWindowDepth) windows.AddCurrent(*script->GetWindow(), 10, 10);
  windows.kit.ClearLog();
  Run("b = { command = function() end } CreateButton(b) noCleanup = tostring(b.cleanup == nil)");
  EXPECT_EQ(Global("noCleanup"), "true");
}

// ---- Bitmaps.

TEST_F(FrameworkWindowKindsTest, ABitmapTakesTheTextureOfItsKeysOptions) {
  struct Case {
    const char* keys;
    const char* textureKey;
  };
  const Case cases[] = {
      {"image = 'pic'", "pic:tex"},
      {"image = 'ui\\\\pic'", "ui/pic:tex"},
      {"image = 'pic', alpha = true", "pic:a:tex"},
      {"image = 'pic', mipmap = 1", "pic:m:tex"},
      {"image = 'pic', mipmap = 0.5, alpha = 1", "pic:a:m:tex"},
      {"image = 'pic', mask = 'msk'", "pic:msk:tex"},
      {"image = 'pic', mask = 'msk', mipmap = 2, alpha = true", "pic:msk:m:tex"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.keys);
    auto texture = AddTexture(c.textureKey, 30, 20);
    TImage* bitmap = Make<TImage>(std::string("CreateBitmap{ ") + c.keys + " }");
    ASSERT_NE(bitmap, nullptr);
    EXPECT_EQ(bitmap->GetTexture(), texture);
    EXPECT_EQ(bitmap->GetRect(), TRect(0, 0, 30, 20));
    EXPECT_TRUE(bitmap->GetFlags() & kWindowSnapshotMember);
    script->PopWindow();
  }
}

TEST_F(FrameworkWindowKindsTest, ABitmapIsSizedToItsScaledTextureUnlessTheTableSaysOtherwise) {
  auto texture = AddTexture("pic:tex", 100, 50);
  Run("gCurrentDefaultStyle = { parent = { scale = 1.5 } }");
  TImage* scaled = Make<TImage>("CreateBitmap{ image = 'pic', x = 5 }");
  ASSERT_NE(scaled, nullptr);
  EXPECT_EQ(scaled->GetRect(), TRect(5, 0, 155, 75));
  EXPECT_EQ(Global("gDialogWidth"), "150");
  script->PopWindow();
  TImage* sized = Make<TImage>("CreateBitmap{ image = 'pic', w = 20, h = 10 }");
  ASSERT_NE(sized, nullptr);
  EXPECT_EQ(sized->GetRect(), TRect(0, 0, 20, 10));
  script->PopWindow();
  TImage* empty = Make<TImage>("CreateBitmap{ mask = 'msk' }");
  ASSERT_NE(empty, nullptr) << "a mask without an image shows nothing";
  EXPECT_EQ(empty->GetTexture(), nullptr);
  EXPECT_EQ(empty->GetRect(), TRect(0, 0, 0, 0));
}

// ---- Texts.

TEST_F(FrameworkWindowKindsTest, ATextTakesItsKeysFromTheTableTheStyleAndItsParentElseTheDefaults) {
  TText* plain = Make<TText>("CreateText{ name = 't', label = 'Hi', w = 100, h = 20 }");
  ASSERT_NE(plain, nullptr);
  ASSERT_NE(plain->GetLayout(), nullptr);
  EXPECT_FALSE(plain->GetFlags() & kWindowSnapshotMember);
  const TTextLayout& layout = *plain->GetLayout();
  EXPECT_EQ(layout.GetText(), "Hi");
  EXPECT_EQ(layout.GetFontName(), "font.mvec");
  EXPECT_EQ(layout.GetFontSize(), 16);
  EXPECT_EQ(ColorText(layout.GetColor()), ColorText(TColor()));
  EXPECT_EQ(layout.GetFlags(), 0);
  EXPECT_EQ(layout.GetWidth(), 100);
  EXPECT_EQ(layout.GetHeight(), 20);
  script->PopWindow();
  Run("gCurrentDefaultStyle = { font = { 'big.mvec', 30, { 1, 0, 0, 1 } }, parent = { defflags = 5, h = 40 } }");
  TText* styled = Make<TText>("CreateText{ label = 'Styled', w = 50 }");
  ASSERT_NE(styled, nullptr);
  ASSERT_NE(styled->GetLayout(), nullptr);
  EXPECT_EQ(styled->GetLayout()->GetFontName(), "big.mvec");
  EXPECT_EQ(styled->GetLayout()->GetFontSize(), 30);
  EXPECT_EQ(ColorText(styled->GetLayout()->GetColor()), ColorText(TColor(1.0f, 0.0f, 0.0f, 1.0f)));
  EXPECT_EQ(styled->GetLayout()->GetFlags(), 5) << "the flags default to the default flags";
  EXPECT_EQ(styled->GetLayout()->GetHeight(), 40);
  script->PopWindow();
  TText* flagged = Make<TText>("CreateText{ label = 'F', w = 50, flags = 2, font = 'not a table' }");
  ASSERT_NE(flagged, nullptr);
  EXPECT_EQ(flagged->GetLayout()->GetFlags(), 2);
  EXPECT_EQ(flagged->GetLayout()->GetFontName(), "font.mvec") << "a font that is no table is the default font";
}

TEST_F(FrameworkWindowKindsTest, LabelsAreTranslatedOnlyWhileTranslationIsOn) {
  WriteStringTable(windows.kit.files, "strings.xml", {{"TITLE", "Le titre"}});
  TStringTable strings;
  ASSERT_TRUE(strings.Load("strings.xml"));
  windows.kit.platform.stringTable = &strings;
  struct Case {
    bool translate;
    const char* label;
    const char* shown;
  };
  const Case cases[] = {
      {true, "#TITLE", "TITLE"},  {true, "12.50", "12.50"},     {true, "TITLE", "Le titre"},
      {true, "MISSING", "#####"}, {false, "TITLE", "TITLE"},    {false, "#TITLE", "#TITLE"},
      {true, "", ""},             {true, "1.5e3", "#####"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label);
    manager.SetTranslateLabels(c.translate);
    TText* text = Make<TText>(std::string("CreateText{ w = 100, h = 20, label = '") + c.label + "' }");
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(text->GetLabel(), c.shown);
    script->PopWindow();
  }
  windows.kit.platform.stringTable = nullptr;
}

TEST_F(FrameworkWindowKindsTest, FontErrorsReachTheCallersProtectedCallBeforeAnyWindowIsMade) {
  static int made = 0;
  manager.SetFactory("_text", std::make_unique<MakingFactory>([]() -> std::unique_ptr<TWindow> {
                       ++made;
                       return std::make_unique<TText>();
                     }));
  struct Case {
    const char* font;
    const char* message;
  };
  const Case cases[] = {
      {"{ '', 12 }", "Font error: Font has no name!"},
      {"{ { }, 12 }", "Font error: Font has no name!"},
      {"{ 'f.mvec' }", "Font error: Font has zero height!"},
      {"{ 'f.mvec', 'high' }", "Font error: Font has zero height!"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.font);
    Run(std::string("ok, message = pcall(CreateText, { w = 10, h = 10, font = ") + c.font + " }) ok = tostring(ok)");
    EXPECT_EQ(Global("ok"), "false");
    EXPECT_EQ(Global("message"), c.message);
  }
  Run("co = coroutine.create(function() CreateText{ w = 10, h = 10, font = { '', 5 } } end) "
      "ok, message = coroutine.resume(co)");
  EXPECT_EQ(Global("message"), "Font error: Font has no name!") << "raised in the caller's coroutine";
  EXPECT_EQ(made, 0);
  EXPECT_TRUE(root->GetChildren().empty());
  EXPECT_EQ(script->GetWindowStack(), Stack{root});
}

TEST_F(FrameworkWindowKindsTest, ATextWithoutASizeStaysEmptyAndIsLogged) {
  TText* text = Make<TText>("CreateText{ name = 'empty', label = 'Lost', w = 100, rotation = 10 }");
  ASSERT_NE(text, nullptr);
  EXPECT_EQ(text->GetLayout(), nullptr);
  EXPECT_EQ(Log(),
            Entries{"ERROR: Attempting to create text window of size(0,0): named 'empty', label 'Lost'"});
}

TEST_F(FrameworkWindowKindsTest, ARotationTurnsTheTextAboutItsCodedOrigin) {
  TText* text = Make<TText>("CreateText{ label = 'Turn', w = 100, h = 40, rotation = 90, "
                            "rotationOriginX = 80000, rotationOriginY = -10 }");
  ASSERT_NE(text, nullptr);
  ASSERT_NE(text->GetLayout(), nullptr);
  EXPECT_EQ(text->GetLayout()->GetOriginX(), 50) << "centred in the text's own width";
  EXPECT_EQ(text->GetLayout()->GetOriginY(), 30) << "from the far edge";
  EXPECT_NEAR(text->GetLayout()->GetSine(), 1.0f, 1e-6f);
}

TEST_F(FrameworkWindowKindsTest, TheScriptRegistersTheTextFactories) {
  lua_State* L = script->GetState();
  lua_newtable(L);
  const TWindowStyle style(*script, std::make_unique<TLuaObjectWrapper>(L));
  std::unique_ptr<TWindow> text = manager.GetFactory("_text")->Create(style);
  ASSERT_NE(TText::Cast(text.get()), nullptr);
  EXPECT_EQ(TTextEdit::Cast(text.get()), nullptr);
  EXPECT_FALSE(text->GetFlags() & kWindowSnapshotMember);
  EXPECT_NE(TTextEdit::Cast(manager.GetFactory("_textedit")->Create(style).get()), nullptr);
}

// ---- Text edits.

TEST_F(FrameworkWindowKindsTest, ATextEditTakesItsLabelPasswordLengthAndIgnoredCharacters) {
  Run("gCurrentDefaultStyle = { parent = { length = 4, font = { 'edit.mvec', 12 } } }");
  TTextEdit* edit =
      Make<TTextEdit>("CreateTextEdit{ name = 'pw', w = 100, h = 20, label = 'ab', password = true, ignore = 'x', "
                      "flags = 1 }");
  ASSERT_NE(edit, nullptr);
  ASSERT_NE(edit->GetLayout(), nullptr);
  EXPECT_EQ(edit->GetLabel(), "ab");
  EXPECT_EQ(edit->GetLayout()->GetText(), "**") << "shown masked";
  EXPECT_EQ(edit->GetLayout()->GetFontName(), "edit.mvec");
  EXPECT_EQ(edit->GetLayout()->GetFlags(), 1);
  EXPECT_TRUE(edit->OnChar('x'));
  EXPECT_EQ(edit->GetLabel(), "ab") << "an ignored character is swallowed";
  EXPECT_TRUE(edit->OnChar('c'));
  EXPECT_TRUE(edit->OnChar('d'));
  EXPECT_FALSE(edit->OnChar('e')) << "the length from the style's parent";
  EXPECT_EQ(edit->GetLabel(), "abcd");
  script->PopWindow();
  TTextEdit* plain = Make<TTextEdit>("gCurrentDefaultStyle = nil CreateTextEdit{ w = 100, h = 20, label = 'open' }");
  ASSERT_NE(plain, nullptr);
  EXPECT_EQ(plain->GetLayout()->GetText(), "open");
  EXPECT_EQ(plain->GetLayout()->GetFontName(), "font.mvec");
  for (char c : std::string("123456")) plain->OnChar(static_cast<uint8_t>(c));
  EXPECT_EQ(plain->GetLabel(), "open123456") << "ten characters at most by default";
}

TEST_F(FrameworkWindowKindsTest, ATextEditFactoryThatMakesAPlainTextIsRefused) {
  manager.SetFactory("_textedit", std::make_unique<MakingFactory>([]() -> std::unique_ptr<TWindow> {
                       return std::make_unique<TText>();
                     }));
  Run("CreateTextEdit{ w = 10, h = 10 }");
  EXPECT_TRUE(root->GetChildren().empty());
  EXPECT_EQ(Log(), Entries{"The factory \"_textedit\" made a window that is no TTextEdit: not supported"});
}

}  // namespace
