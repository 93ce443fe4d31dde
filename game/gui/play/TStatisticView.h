#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "game/rules/scoring/IScoringObserver.h"
#include "platform/text/TString.h"
#include "platform/types/TRect.h"

class TTextLayout;

namespace GUI {

// A debugging overlay of the play screen: a block of match counts in the
// upper right corner, drawn while cheat mode shows the statistics. It hears
// the score events but keeps nothing of them, so its list stays empty and
// the block shows no text.
class TStatisticView final : public GamePlay::IScoringObserver {
 public:
  using Record = std::vector<int32_t>;

  TStatisticView();
  ~TStatisticView() override;
  TStatisticView(const TStatisticView&) = delete;
  TStatisticView& operator=(const TStatisticView&) = delete;

  void OnScore(int32_t, int32_t, int32_t, int32_t, int32_t, bool) override {}
  void OnLevelEnd() override {}
  bool IsBusy() override { return false; }

  // Sets the text of the records and draws it, in 2D drawing: opened here
  // when it was not open already, and then closed again.
  void Draw();

  // For each record a line "C<n> : M<value>" per entry, counting from 1,
  // and then a rule.
  static TString FormatRecords(const std::deque<Record>& records);
  // Where the block is drawn on the 800 x 600 screen.
  static TRect GetDrawRect() { return TRect(550, 0, 750, 200); }
  const TTextLayout& GetLayout() const { return *mLayout; }

 private:
  std::unique_ptr<TTextLayout> mLayout;
  std::deque<Record> mRecords;
};

}  // namespace GUI
