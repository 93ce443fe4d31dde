#pragma once

#include <array>
#include <memory>

#include "platform/text/TString.h"
#include "windows/core/TWindow.h"

class TXmlNode;

// The page that presents games: its script lays out the child windows
// (descriptions "descrip1" to "descrip8", buttons "xsellbutton1" to
// "xsellbutton8", the texts "centertext1" and "centertext2", the logos
// "sitelogo" and "velmartislogo", the site button "gamesite") and then calls
// the Lua function "SetupXSell", which fills them from "xsell/xsell.xml".
// "LaunchGameLink"(n) opens the site's address (0) or that of game n (1 to
// 7). Both functions serve the newest cross-sell window; once it is gone
// they do nothing.
class TXSellWindow : public TWindow {
 public:
  static constexpr int32_t kMaxGames = 7;
  static constexpr const char* kFileName = "xsell/xsell.xml";

  static TClassId ClassId();
  // Made by the window type "XSellWindow".
  static std::unique_ptr<TWindow> Create();

  // Binds "SetupXSell" and "LaunchGameLink" to this window on the window
  // script of the platform's window manager.
  TXSellWindow();

  bool IsKindOf(TClassId id) const override;

  // Fills the page from the file; whatever the file or the page lacks stays
  // empty or is hidden. Each call moves the windows given by their centre
  // again.
  void SetupXSell();
  // Opens the address of game n, or the site's for 0, through the platform;
  // any other number opens nothing and is logged.
  void LaunchGameLink(int n);

  // "" for a game or site the file gave no address.
  const TString& GetGameLink(int n) const { return mGameLinks[n - 1]; }
  const TString& GetSiteLink() const { return mSiteLink; }

 private:
  // Fills the description and takes the address of each game; their number.
  int32_t ReadGames(TXmlNode& root);
  // Without the element there is no site to show.
  void ReadSiteLink(const TXmlNode* site);
  void ReadCentreTexts(TXmlNode& root);
  void HideUnusedGames(int32_t games);
  void CentreOnPositions();
  void Hide(const TString& name);

  std::array<TString, kMaxGames> mGameLinks;
  TString mSiteLink;
};
