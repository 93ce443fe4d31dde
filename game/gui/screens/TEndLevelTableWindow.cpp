#include "game/gui/screens/TEndLevelTableWindow.h"

#include <cstdlib>

#include "game/gui/main/TGameApp.h"
#include "game/gui/progress/TWorldData.h"
#include "game/gui/screens/ScreenLookups.h"
#include "game/rules/scoring/TLevelResult.h"
#include "platform/TPlatform.h"
#include "platform/xml/TStringTable.h"
#include "windows/core/TWindowManager.h"
#include "windows/kinds/TButton.h"
#include "windows/kinds/TModalWindow.h"
#include "windows/kinds/TText.h"

namespace GUI {

namespace {

constexpr uint32_t kTableUpdatePeriod = 10;
constexpr const char* kTipsFile = "levels/gametips.xml";
constexpr int32_t kHostPortal = 1;
constexpr int32_t kTableScreenWidth = 800;
constexpr int32_t kTableScreenHeight = 600;

void SetTableText(TWindow* window, const TString& text) {
  if (TText* shown = TText::Cast(window)) shown->SetLabel(text);
}

}  // namespace

TClassId TEndLevelTableWindow::ClassId() {
  static const char id = 0;
  return &id;
}

TEndLevelTableWindow* TEndLevelTableWindow::Cast(TWindow* window) {
  return window && window->IsKindOf(ClassId()) ? static_cast<TEndLevelTableWindow*>(window) : nullptr;
}

std::unique_ptr<TWindow> TEndLevelTableWindow::Create() { return std::make_unique<TEndLevelTableWindow>(); }

bool TEndLevelTableWindow::IsKindOf(TClassId id) const { return id == ClassId() || TWindow::IsKindOf(id); }

std::vector<TString> TEndLevelTableWindow::LoadTips(const TString& fileName) {
  std::vector<TString> tips;
  TStringTable table;
  table.SetQuiet(true);
  if (!table.Load(fileName)) return tips;
  for (int32_t label = 1;; ++label) {
    TString tip = table.GetString(TString::Format("%d", label));
    if (tip.IsEmpty() || tip == TStringTable::kMissing) break;
    tips.push_back(tip);
  }
  return tips;
}

TString TEndLevelTableWindow::LevelText(const GamePlay::TLevelResult& result) {
  const auto world = static_cast<int32_t>(result.level.world);
  const auto level = static_cast<int32_t>(result.level.level);
  return world == 0 ? TString::Format("%02d", level) : TString::Format("%02d-%02d", world, level);
}

void TEndLevelTableWindow::OnCreated() {
  if (TModalWindow* dialog = ScreenTopModal()) {
    auto task = std::make_unique<TGameUpdateEndLevelTableWindow>(*this);
    task->Start(kTableUpdatePeriod, true, true, false);
    dialog->AddTask(std::move(task));
  }
  mTips = LoadTips(kTipsFile);
  if (TGameApp::Instance().GetPortalMode() != kHostPortal) return;
  if (TWindow* reset = FindInDialog(*this, "Reset")) reset->ClearFlags(kWindowVisible);
}

void TEndLevelTableWindow::PostCreate() {
  const GamePlay::TLevelResult& result = GamePlay::TWorldData::Instance().GetLevelResult();
  SetTableText(FindInDialog(*this, "CurrentLevel"), LevelText(result));
  SetTableText(FindInDialog(*this, "TotalScore"), TString::Format("%d", result.totalScore));
  // No tips to choose from shows no tip.
  const TString tip = mTips.empty() ? TString() : mTips[static_cast<size_t>(std::rand()) % mTips.size()];
  SetTableText(FindInDialog(*this, "GameTips"), tip);
}

bool TEndLevelTableWindow::InvalidateRect(TRect* rect) {
  if (!rect) return false;
  *rect = TRect(0, 0, kTableScreenWidth, kTableScreenHeight);
  TWindow::InvalidateRect(rect);
  return true;
}

bool TGameUpdateEndLevelTableWindow::Animate() {
  TWindow* window = GetWindow();
  if (!window) return false;
  if (TModalWindow* dialog = ScreenTopModal()) dialog->Invalidate();
  window->Invalidate();
  return true;
}

}  // namespace GUI
