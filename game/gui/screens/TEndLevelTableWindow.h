#pragma once

#include <memory>
#include <vector>

#include "platform/text/TString.h"
#include "platform/types/TClassId.h"
#include "windows/core/TWindow.h"
#include "windows/core/TWindowTask.h"

namespace GamePlay {
struct TLevelResult;
}

namespace GUI {

// The screen between levels: the level just played, the running total and
// a game tip picked at random from "levels/gametips.xml".
class TEndLevelTableWindow final : public TWindow {
 public:
  static TClassId ClassId();
  static TEndLevelTableWindow* Cast(TWindow* window);
  // For the window manager's table of window types.
  static std::unique_ptr<TWindow> Create();

  // The texts of labels "1", "2", ... of the tips file, up to the first
  // missing or empty one; none when the file cannot be read.
  static std::vector<TString> LoadTips(const TString& fileName);
  // "02-05" for Journey world 2 level 5, "04" for Zen level 4.
  static TString LevelText(const GamePlay::TLevelResult& result);

  bool IsKindOf(TClassId id) const override;
  // Starts the update task, loads the tips and, on the host's portal, hides
  // "Reset".
  void OnCreated() override;
  // Fills the level, the total and a tip from the last level's result.
  void PostCreate() override;
  // The table's dirty area is the whole screen.
  bool InvalidateRect(TRect* rect) override;

  const std::vector<TString>& GetTips() const { return mTips; }

 private:
  std::vector<TString> mTips;
};

// The table's update task: every 10 ms it has the table and the dialog on
// top drawn again. It ends with its window.
class TGameUpdateEndLevelTableWindow final : public TWindowTask {
 public:
  explicit TGameUpdateEndLevelTableWindow(TEndLevelTableWindow& window) : TWindowTask(window) {}

 protected:
  bool Animate() override;
};

}  // namespace GUI
