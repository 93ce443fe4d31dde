#pragma once

#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <vector>

#include "game/gui/effects/IGraphic.h"
#include "game/gui/effects/TFetchAction.h"
#include "platform/text/TString.h"

namespace GUI {

// The game's graphics by name. At start-up the loading screen has the
// preload list queued as fetch actions and runs the queue a slice at a time;
// from then on every view takes its graphics from here instead of loading
// images itself. It also keeps the menu windows' shared animation phase.
// Main thread only.
class TGraphicRegistry {
 public:
  // The registry of the process, made on first use and kept until exit.
  static TGraphicRegistry& Instance();

  // The game uses Instance; a registry of its own is for whoever needs one
  // apart from the game's.
  TGraphicRegistry() = default;
  TGraphicRegistry(const TGraphicRegistry&) = delete;
  TGraphicRegistry& operator=(const TGraphicRegistry&) = delete;

  // Queues the game's preload list and orders the queue; returns the number
  // of actions queued. Queues nothing and returns 0 when any name is known
  // already, a name looked up before loading included.
  uint32_t Preload();

  // Queue one action at the end of the fetch queue.
  void AddFetch(std::unique_ptr<TFetchAction> action);
  // A static graphic of the image.
  void AddFetch(const TString& name);
  // A static graphic of the image with its alpha from a second image.
  void AddFetch(const TString& name, const TString& alphaName);
  // An animation of the frame images, each masked by the one alpha image.
  void AddFetch(const TString& name, std::vector<TString> frames, const TString& alphaName);
  // An animation of the frame images at a rate in frames per second (0: not playing).
  void AddFetch(const TString& name, std::vector<TString> frames, float framesPerSecond);
  // An animation of the one colour image, masked by each alpha image in turn.
  void AddFetch(const TString& name, const TString& colourName, std::vector<TString> alphaFrames);

  // Single-image actions and costlier ones take turns, each group in its own
  // order; the surplus of the larger group follows at the end.
  void OrderFetches();
  // Performs the action at the head of the queue; true when the queue is
  // empty afterwards, or was already.
  bool FetchNext();
  // Prepares every pending graphic inside a 2D bracket of its own (none when
  // 2D drawing is open already) and marks the registry complete. Queued
  // actions stay queued.
  void FetchAll();
  // Whether FetchAll has run.
  bool IsComplete() const { return mAllFetched; }
  // The actions still queued, the next one first.
  const std::deque<std::unique_ptr<TFetchAction>>& GetFetchQueue() const { return mFetchQueue; }

  // The graphic awaits its preparation and is found by name from now on,
  // in place of any graphic of that name before it.
  void Register(const TString& name, std::shared_ptr<IGraphic> graphic);
  // A static graphic of the image that awaits its preparation but has no name.
  std::shared_ptr<IGraphic> CreateStatic(const TString& name);
  // The graphic of that name; empty for a name never registered, which is
  // then known with no graphic.
  std::shared_ptr<IGraphic> GetGraphic(const TString& name);
  // The graphic of the name prefix + suffix.
  std::shared_ptr<IGraphic> GetGraphic(const TString& prefix, const TString& suffix);

  void SetMenuPhase(float phase) { mMenuPhase = phase; }
  float GetMenuPhase() const { return mMenuPhase; }

  // Lets go of every graphic and name, and is no longer complete; the queue
  // stays.
  void Clear();

 private:
  void QueuePreloadList();

  std::vector<std::shared_ptr<IGraphic>> mPending;
  std::map<TString, std::shared_ptr<IGraphic>> mGraphics;  // byte-wise order of the names
  float mMenuPhase = 0.0f;
  std::deque<std::unique_ptr<TFetchAction>> mFetchQueue;
  bool mAllFetched = false;
};

}  // namespace GUI
