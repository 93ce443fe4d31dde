// The cross-sell page: its window type, the page filled from the file
// (descriptions with links, addresses, the site, the centre texts, the games
// the file does not name hidden), the windows given by their centre, and the
// addresses opened through the platform.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/SyntheticFont.h"
#include "tests/support/windows/LinkPoint.h"
#include "tests/support/windows/RecordingWindowScript.h"
#include "tests/windows/script/ScriptTestKit.h"
#include "windows/core/TWindowManager.h"
#include "windows/kinds/TButton.h"
#include "windows/kinds/TScreen.h"
#include "windows/kinds/TText.h"
#include "windows/kinds/TXSellWindow.h"

namespace {

using Texts = std::vector<std::string>;
const TColor kXSellTextColour(1.0f, 1.0f, 1.0f, 1.0f);
constexpr int32_t kPageSlots = 8;
constexpr char kUnfilled[] = "unfilled";

std::string Numbered(const char* stem, int n) { return stem + std::to_string(n); }

// A page made by its window type over the whole 800 x 600 root, as a script
// makes it, with the windows a page script lays out: "descrip1" to
// "descrip8" (texts reading "unfilled", 60 pixels apart), "xsellbutton1" to
// "xsellbutton8" (40 x 20 at x 50), the centre texts, and the logos and the
// site button, some of odd sizes. The recording script notes the button
// commands.
struct XSellPage {
  XSellPage() {
    fonts.InstallOn(kit.platform);
    kit.platform.windowManager = &manager;
    auto screen = std::make_unique<TScreen>();
    root = screen.get();
    manager.SetRootWindow(std::move(screen));
    auto recording = std::make_unique<RecordingWindowScript>();
    script = recording.get();
    manager.SetScript(std::move(recording));
    Run("GenericCreate{ typename = 'XSellWindow', x = 0, y = 0, w = 800, h = 600 }");
    TWindow* made = script->GetWindow();
    page = made && made->IsKindOf(TXSellWindow::ClassId()) ? static_cast<TXSellWindow*>(made) : nullptr;
    if (page == nullptr) return;
    for (int n = 1; n <= kPageSlots; ++n) {
      AddText(Numbered("descrip", n), TRect(100, 60 * n, 700, 60 * n + 40));
      Add(std::make_unique<TButton>(TButton::kPush), Numbered("xsellbutton", n), TRect(50, 60 * n, 90, 60 * n + 20));
    }
    AddText("centertext1", TRect(100, 0, 700, 20));
    AddText("centertext2", TRect(100, 20, 700, 40));
    Add(std::make_unique<TWindow>(), "sitelogo", TRect(400, 560, 500, 610));
    Add(std::make_unique<TWindow>(), "velmartislogo", TRect(600, 560, 661, 591));
    Add(std::make_unique<TWindow>(), "gamesite", TRect(200, 560, 280, 601));
    kit.ClearLog();
  }

  void Run(const std::string& text) { script->DoLuaString(text.c_str()); }
  void WriteFile(const std::string& text) { kit.WriteScript(TXSellWindow::kFileName, text); }

  TWindow* Add(std::unique_ptr<TWindow> window, const std::string& name, const TRect& place) {
    TWindow* added = window.get();
    window->SetName(name.c_str());
    window->SetPosition(place.left, place.top);
    window->SetSize(place.Width(), place.Height());
    page->AddChild(window, true);
    return added;
  }
  void AddText(const std::string& name, const TRect& place) {
    auto text = std::make_unique<TText>();
    text->Setup(kUnfilled, place.Width(), place.Height(), 0, SyntheticFonts::kName, 5, kXSellTextColour);
    Add(std::move(text), name, place);
  }

  std::string Label(const std::string& name) const {
    TText* text = TText::Cast(page->FindChild(name.c_str()));
    return text ? text->GetLabel().CStr() : "<no text>";
  }
  bool Visible(const std::string& name) const { return page->FindChild(name.c_str())->IsVisible(); }
  TRect Place(const char* name) const { return page->FindChild(name)->GetRect(); }
  Texts Links() const {
    Texts links;
    for (int n = 1; n <= TXSellWindow::kMaxGames; ++n) links.emplace_back(page->GetGameLink(n).CStr());
    return links;
  }

  ScriptTestKit kit;
  SyntheticFonts fonts;
  // After the fonts, so that the texts go first.
  TWindowManager manager;
  TScreen* root = nullptr;
  RecordingWindowScript* script = nullptr;
  TXSellWindow* page = nullptr;
};

// A "gameinfo" element of game n: description "Game n", link text "Try n"
// when asked for, address https://example.org/game/n.
std::string GameInfo(int n, bool withLinkText = true) {
  const std::string number = std::to_string(n);
  return "<gameinfo description=\"Game " + number + "\"" + (withLinkText ? " linktext=\"Try " + number + "\"" : "") +
         " link=\"https://example.org/game/" + number + "\"/>";
}

std::string Games(int count) {
  std::string games;
  for (int n = 1; n <= count; ++n) games += GameInfo(n);
  return games;
}

const std::string kSite = "<sitelink link=\"https://example.org/\"/>";
const std::string kCentre = "<centertext text1=\"Above\" text2=\"Below\"/>";

// The description of game n with its link, as the page shows it.
std::string LinkedDescription(int n) {
  const std::string number = std::to_string(n);
  return "Game " + number + " <u><font color=\"003cff\"><a id='xsellbutton" + number + "'>Try " + number +
         "</a></font></u>";
}

struct XSellFileCase {
  const char* name;
  bool fileExists;
  std::string file;
  int shownGames;  // descriptions and buttons 1 to this stay visible
  Texts descriptions;  // of "descrip1" to "descrip8"
  Texts links;         // of games 1 to 7
  bool siteShown;
  std::string siteLink;
  Texts centreTexts;
};

Texts FilledDescriptions(int games) {
  Texts texts;
  for (int n = 1; n <= kPageSlots; ++n) texts.push_back(n <= games ? LinkedDescription(n) : kUnfilled);
  return texts;
}

Texts GameLinks(int games) {
  Texts links;
  for (int n = 1; n <= TXSellWindow::kMaxGames; ++n) {
    links.push_back(n <= games ? "https://example.org/game/" + std::to_string(n) : "");
  }
  return links;
}

const Texts kNoCentreTexts{kUnfilled, kUnfilled};

TEST(XSellWindow, SetupFillsThePageFromTheFileAndHidesWhatItDoesNotName) {
  Texts withoutLinkText = FilledDescriptions(2);
  withoutLinkText[1] = "Game 2";
  const XSellFileCase cases[] = {
      {"three games", true, "<xsell>" + kSite + Games(3) + kCentre + "</xsell>", 3, FilledDescriptions(3), GameLinks(3),
       true, "https://example.org/", {"Above", "Below"}},
      {"seven games", true, "<xsell>" + Games(7) + kSite + "</xsell>", 7, FilledDescriptions(7), GameLinks(7), true,
       "https://example.org/", kNoCentreTexts},
      {"nine games, of which seven are read", true, "<xsell>" + Games(9) + kSite + "</xsell>", 7,
       FilledDescriptions(7), GameLinks(7), true, "https://example.org/", kNoCentreTexts},
      {"a game without link text", true, "<xsell>" + GameInfo(1) + GameInfo(2, false) + kSite + "</xsell>", 2,
       withoutLinkText, GameLinks(2), true, "https://example.org/", kNoCentreTexts},
      {"no site", true, "<xsell>" + Games(2) + "</xsell>", 2, FilledDescriptions(2), GameLinks(2), false, "",
       kNoCentreTexts},
      {"no xsell root", true, "<games>" + Games(2) + kSite + kCentre + "</games>", 0, FilledDescriptions(0),
       GameLinks(0), false, "", kNoCentreTexts},
      {"no file", false, "", 0, FilledDescriptions(0), GameLinks(0), false, "", kNoCentreTexts},
  };
  for (const XSellFileCase& c : cases) {
    SCOPED_TRACE(c.name);
    XSellPage page;
    ASSERT_NE(page.page, nullptr) << "scripts make the page by its window type";
    if (c.fileExists) page.WriteFile(c.file);
    page.Run("SetupXSell()");
    for (int n = 1; n <= kPageSlots; ++n) {
      EXPECT_EQ(page.Label(Numbered("descrip", n)), c.descriptions[n - 1]) << n;
      EXPECT_EQ(page.Visible(Numbered("descrip", n)), n <= c.shownGames) << n;
      EXPECT_EQ(page.Visible(Numbered("xsellbutton", n)), n <= c.shownGames) << n;
    }
    EXPECT_EQ(page.Links(), c.links);
    EXPECT_EQ(page.Visible("gamesite"), c.siteShown);
    EXPECT_EQ(page.page->GetSiteLink().CStr(), c.siteLink);
    EXPECT_EQ((Texts{page.Label("centertext1"), page.Label("centertext2")}), c.centreTexts);
    EXPECT_TRUE(page.kit.LogEntries().empty()) << "a missing part is no fault";
  }
}

TEST(XSellWindow, WindowsGivenByTheirCentreMoveByHalfTheirSizeOnEverySetup) {
  XSellPage page;
  page.WriteFile("<xsell>" + Games(3) + kSite + "</xsell>");
  page.Run("SetupXSell()");
  EXPECT_EQ(page.Place("xsellbutton1"), TRect(30, 50, 70, 70));
  EXPECT_EQ(page.Place("xsellbutton7"), TRect(30, 410, 70, 430)) << "hidden buttons are centred too";
  EXPECT_EQ(page.Place("xsellbutton8"), TRect(50, 480, 90, 500)) << "not the eighth";
  EXPECT_EQ(page.Place("sitelogo"), TRect(350, 535, 450, 585));
  EXPECT_EQ(page.Place("velmartislogo"), TRect(570, 545, 631, 576)) << "halves rounded down";
  EXPECT_EQ(page.Place("gamesite"), TRect(160, 540, 240, 581));
  EXPECT_EQ(page.Place("descrip1"), TRect(100, 60, 700, 100)) << "texts stay where they are";
  page.Run("SetupXSell()");
  EXPECT_EQ(page.Place("xsellbutton1"), TRect(10, 40, 50, 60));
  EXPECT_EQ(page.Place("velmartislogo"), TRect(540, 530, 601, 561));
}

TEST(XSellWindow, TheLinkInADescriptionPressesItsGamesButton) {
  XSellPage page;
  page.WriteFile("<xsell>" + Games(3) + "</xsell>");
  page.Run("SetupXSell()");
  page.manager.Frame();
  TText* description = TText::Cast(page.page->FindChild("descrip2"));
  const TVec2 link = description->LocalToScreen(PointOnLink(*description, "xsellbutton2"));
  for (int32_t type : {kEventLeftDown, kEventLeftUp}) {
    page.manager.HandleEvent(
        TEvent{.type = type, .x = static_cast<int32_t>(link.x), .y = static_cast<int32_t>(link.y)});
  }
  page.manager.DispatchMessages();
  EXPECT_EQ(page.script->received, Texts{"3 xsellbutton2"});
}

TEST(XSellWindow, LaunchGameLinkOpensTheSiteOrAGameAndNothingOutsideThem) {
  XSellPage page;
  page.WriteFile("<xsell>" + Games(7) + kSite + "</xsell>");
  page.Run("SetupXSell()");
  page.Run("LaunchGameLink(-1) LaunchGameLink(0) LaunchGameLink(1) LaunchGameLink(7.9) LaunchGameLink(8)");
  EXPECT_EQ(page.kit.platform.openedUrls,
            (Texts{"https://example.org/", "https://example.org/game/1", "https://example.org/game/7"}));
  EXPECT_EQ(page.kit.LogEntries(), (Texts{"LaunchGameLink: no game -1; 0 opens the site, 1 to 7 the games",
                                          "LaunchGameLink: no game 8; 0 opens the site, 1 to 7 the games"}));
}

// The opener refuses an empty address with its own log line; the page does
// not second-guess it.
TEST(XSellWindow, WithoutASiteTheSiteLinkHandsTheOpenerAnEmptyAddress) {
  XSellPage page;
  page.WriteFile("<xsell>" + Games(2) + "</xsell>");
  page.Run("SetupXSell() LaunchGameLink(0) LaunchGameLink(5)");
  EXPECT_EQ(page.kit.platform.openedUrls, (Texts{"", ""}));
}

TEST(XSellWindow, ItsFunctionsDoNothingOnceThePageIsGone) {
  XSellPage page;
  page.WriteFile("<xsell>" + Games(2) + kSite + "</xsell>");
  page.Run("SetupXSell()");
  page.root->DeleteChildren();
  page.manager.DeletePending();
  page.Run("gSetup = SetupXSell() gLaunch = LaunchGameLink(0)");
  EXPECT_FALSE(page.script->GetBool("gSetup", true));
  EXPECT_FALSE(page.script->GetBool("gLaunch", true));
  EXPECT_TRUE(page.kit.platform.openedUrls.empty());
}

}  // namespace
