#include "game/gui/sound/TLoopMusic.h"

#include "game/gui/sound/TMusicBank.h"

namespace GUI {

TLoopMusic::TLoopMusic(const GamePlay::TLevelKey& key, TMusicBank& bank) : TLoopMusic(bank.GetCode(key), bank) {}

TLoopMusic::TLoopMusic(const TString& code, TMusicBank& bank) : mPlayList(bank.MakePlayList(code)) {}

// The callback is taken off first: the stops below must queue nothing, and a
// registration left for the base to undo would outlive the sounds it names.
TLoopMusic::~TLoopMusic() {
  if (mPlaying) mPlaying->QueueNext(mPlayingHandle, nullptr, nullptr);
  for (const std::shared_ptr<TSound>& piece : mPlayList) piece->Stop(-1);
}

void TLoopMusic::Start() {
  if (mPlayList.empty()) return;
  const int32_t handle = mPlayList[0]->Play(false);
  if (handle < 0 || mPlayList.size() < 2) return;
  QueueAfter(mPlayList[0], handle);
}

// A stop (nothing plays on) ends the round; otherwise the piece after next
// is queued behind the one that has just begun.
void TLoopMusic::OnEnd(const std::shared_ptr<TSound>&, int32_t, const std::shared_ptr<TSound>& next,
                       int32_t nextHandle) {
  mPlaying.reset();
  if (!next || nextHandle < 0) return;
  QueueAfter(next, nextHandle);
}

void TLoopMusic::QueueAfter(const std::shared_ptr<TSound>& playing, int32_t handle) {
  mPosition = static_cast<uint32_t>((mPosition + 1) % mPlayList.size());
  mPlaying = playing;
  mPlayingHandle = handle;
  playing->QueueNext(handle, this, mPlayList[mPosition]);
}

}  // namespace GUI
