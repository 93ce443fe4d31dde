#include "windows/kinds/TMoviePlayer.h"

#include "platform/text/Log.h"
#include "windows/core/TWindowManager.h"

TMoviePlayer::TMoviePlayer(const TString& fileName)
    : mFileName(fileName), mPlayback(std::make_unique<TPlayback>()) {}

TMoviePlayer::~TMoviePlayer() { Stop(); }

bool TMoviePlayer::Start(bool) {
  LogPrintf("Movie %s not played: no movie host", mFileName.CStr());
  return false;
}

bool TMoviePlayer::IsPlaying() const { return mPlayback->control != 0; }

// The window manager draws again at once, also when it was suspended by
// someone else's hand: a stopped movie leaves no reason to hold frames back.
void TMoviePlayer::Stop() {
  *mPlayback = TPlayback();
  if (TWindowManager* manager = PlatformWindowManager()) manager->SetSuspended(false);
}
