#pragma once

#include <cstdint>
#include <memory>

#include "platform/text/TString.h"

// Plays a movie from the assets folder over the game's window while the
// window manager draws no frames. This system has no movie host, so a movie
// never starts: Start answers false and the game goes on drawing, as it does
// wherever the host library is missing.
class TMoviePlayer {
 public:
  explicit TMoviePlayer(const TString& fileName);
  ~TMoviePlayer();
  TMoviePlayer(const TMoviePlayer&) = delete;
  TMoviePlayer& operator=(const TMoviePlayer&) = delete;

  // False, with a log line: there is no movie host to play in.
  bool Start(bool loop);
  bool IsPlaying() const;
  // Lifts the window manager's suspension; safe while nothing plays.
  void Stop();
  const TString& GetFileName() const { return mFileName; }

 private:
  // What a playing movie holds: the window it shows in, the window that
  // blocks the game's input below it, and the player control; all empty
  // while nothing plays.
  struct TPlayback {
    uintptr_t hostWindow = 0;
    uintptr_t blockerWindow = 0;
    uintptr_t control = 0;
  };

  TString mFileName;
  std::unique_ptr<TPlayback> mPlayback;
};
