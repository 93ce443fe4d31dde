#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "game/gui/sound/ILoopMusic.h"
#include "game/rules/level/TLevelKey.h"
#include "media/sound/TSound.h"

namespace GUI {

class TMusicBank;

// Plays the pieces of one play code in order, round and round, without a gap:
// each piece is queued on the stream of the one before, and each end queues
// the piece after next. A list of one piece plays once; an empty one plays
// nothing.
class TLoopMusic final : public ILoopMusic, public TSoundCallBack {
 public:
  // The code of a level (world 0: a Zen level).
  TLoopMusic(const GamePlay::TLevelKey& key, TMusicBank& bank);
  TLoopMusic(const TString& code, TMusicBank& bank);
  // Stops every piece of the list.
  ~TLoopMusic() override;
  TLoopMusic(const TLoopMusic&) = delete;
  TLoopMusic& operator=(const TLoopMusic&) = delete;

  void Start() override;
  void OnEnd(const std::shared_ptr<TSound>& sound, int32_t handle, const std::shared_ptr<TSound>& next,
             int32_t nextHandle) override;

  size_t GetLength() const { return mPlayList.size(); }

 private:
  // Queues the piece after `position` on the instance that plays now.
  void QueueAfter(const std::shared_ptr<TSound>& playing, int32_t handle);

  std::vector<std::shared_ptr<TSound>> mPlayList;
  uint32_t mPosition = 0;
  // The instance this player waits on: its end queues the next piece.
  std::shared_ptr<TSound> mPlaying;
  int32_t mPlayingHandle = -1;
};

}  // namespace GUI
