#include "windows/kinds/TXSellWindow.h"

#include <vector>

#include "platform/TPlatform.h"
#include "platform/text/Log.h"
#include "platform/xml/TXmlNode.h"
#include "windows/core/TWindowManager.h"
#include "windows/kinds/TText.h"
#include "windows/script/TWindowScript.h"
#include "windows/script/WindowBinding.h"

namespace {

// The description and button windows are numbered up to 8, one more than
// there are games, so that a page may hold a window the file never fills.
constexpr int32_t kXSellWindowSlots = 8;

TString NumberedName(const char* stem, int32_t n) { return TString::Format("%s%d", stem, n); }

TString ButtonName(int32_t n) { return NumberedName("xsellbutton", n); }

// The description followed by a link that presses the game's button.
TString DescriptionWithLink(const TString& description, const TString& linkText, int32_t n) {
  if (linkText.IsEmpty()) return description;
  return description + " <u><font color=\"003cff\"><a id='" + ButtonName(n) + "'>" + linkText + "</a></font></u>";
}

}  // namespace

TClassId TXSellWindow::ClassId() {
  static const char id = 0;
  return &id;
}

std::unique_ptr<TWindow> TXSellWindow::Create() { return std::make_unique<TXSellWindow>(); }

// A function bound through the window's link does nothing once the window
// is gone, so a script that keeps either function cannot reach a freed page.
TXSellWindow::TXSellWindow() {
  TWindowManager* manager = PlatformWindowManager();
  TWindowScript* script = manager ? manager->GetScript() : nullptr;
  if (script == nullptr) return;
  lua_State* L = script->GetState();
  PushWindowMethod(L, this, &TXSellWindow::SetupXSell);
  SetGlobal(L, "SetupXSell");
  PushWindowMethod(L, this, &TXSellWindow::LaunchGameLink);
  SetGlobal(L, "LaunchGameLink");
}

bool TXSellWindow::IsKindOf(TClassId id) const { return id == ClassId() || TWindow::IsKindOf(id); }

void TXSellWindow::SetupXSell() {
  TXmlNode document;
  document.ParseFile(kFileName);
  TXmlNode* root = document.GetChild("xsell");
  const int32_t games = root ? ReadGames(*root) : 0;
  ReadSiteLink(root ? root->GetChild("sitelink") : nullptr);
  if (root) ReadCentreTexts(*root);
  HideUnusedGames(games);
  CentreOnPositions();
}

void TXSellWindow::LaunchGameLink(int n) {
  if (n < 0 || n > kMaxGames) {
    LogPrintf("LaunchGameLink: no game %d; 0 opens the site, 1 to %d the games", n, kMaxGames);
    return;
  }
  TPlatform* platform = TPlatform::Instance();
  if (platform != nullptr) platform->OpenURL(n == 0 ? mSiteLink : mGameLinks[n - 1]);
}

int32_t TXSellWindow::ReadGames(TXmlNode& root) {
  int32_t games = 0;
  TString name;
  TXmlNode* child = nullptr;
  root.BeginChildren();
  while (games < kMaxGames && root.NextChild(&name, &child)) {
    if (name != "gameinfo") continue;
    ++games;
    if (TText* description = TText::Cast(FindChild(NumberedName("descrip", games)))) {
      description->SetLabel(
          DescriptionWithLink(child->GetAttribute("description"), child->GetAttribute("linktext"), games));
    }
    mGameLinks[games - 1] = child->GetAttribute("link");
  }
  return games;
}

void TXSellWindow::ReadSiteLink(const TXmlNode* site) {
  if (site == nullptr) {
    Hide("gamesite");
    return;
  }
  mSiteLink = site->GetAttribute("link");
}

void TXSellWindow::ReadCentreTexts(TXmlNode& root) {
  TXmlNode* centre = root.GetChild("centertext");
  if (centre == nullptr) return;
  if (TText* first = TText::Cast(FindChild("centertext1"))) first->SetLabel(centre->GetAttribute("text1"));
  if (TText* second = TText::Cast(FindChild("centertext2"))) second->SetLabel(centre->GetAttribute("text2"));
}

void TXSellWindow::HideUnusedGames(int32_t games) {
  for (int32_t n = games + 1; n <= kXSellWindowSlots; ++n) {
    Hide(NumberedName("descrip", n));
    Hide(ButtonName(n));
  }
}

// Scripts give these windows by their centre: each moves up and left by
// half its size.
void TXSellWindow::CentreOnPositions() {
  std::vector<TString> names;
  for (int32_t n = 1; n <= kMaxGames; ++n) names.push_back(ButtonName(n));
  for (const char* name : {"sitelogo", "velmartislogo", "gamesite"}) names.emplace_back(name);
  for (const TString& name : names) {
    TWindow* window = FindChild(name);
    if (window == nullptr) continue;
    const TRect& place = window->GetRect();
    window->SetPosition(place.left - window->GetWidth() / 2, place.top - window->GetHeight() / 2);
  }
}

void TXSellWindow::Hide(const TString& name) {
  if (TWindow* window = FindChild(name)) window->ClearFlags(kWindowVisible);
}
