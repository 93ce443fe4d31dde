#include "windows/kinds/TMoviePlayer.h"

#include "platform/text/Log.h"

TMoviePlayer::TMoviePlayer(const TString& fileName)
    : mFileName(fileName), mPlayback(std::make_unique<TPlayback>()) {}

TMoviePlayer::~TMoviePlayer() { Stop(); }

bool TMoviePlayer::Start(bool) {
  LogPrintf("Movie %s not played: no movie host", mFileName.CStr());
  return false;
}

bool TMoviePlayer::IsPlaying() const { return mPlayback->control != 0; }

void TMoviePlayer::Stop() { *mPlayback = TPlayback(); }
