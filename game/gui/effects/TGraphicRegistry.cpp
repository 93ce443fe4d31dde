#include "game/gui/effects/TGraphicRegistry.h"

#include <utility>

#include "game/gui/effects/TStaticGraphic.h"
#include "platform/TPlatform.h"
#include "platform/text/Log.h"

namespace GUI {

namespace {

constexpr const char* kPreloadColours[] = {"blu", "grn", "ind", "org", "pur", "red"};

// The frame names of a pattern with one "%d", numbered first to last.
std::vector<TString> FramesOf(const char* pattern, int first, int last) {
  std::vector<TString> frames;
  for (int number = first; number <= last; ++number) frames.push_back(TString::Format(pattern, number));
  return frames;
}

// The pattern with its one "%s" filled in: a colour, or a kind of bomb or banner.
TString Coloured(const char* pattern, const char* colour) { return TString::Format(pattern, colour); }

}  // namespace

TGraphicRegistry& TGraphicRegistry::Instance() {
  static TGraphicRegistry registry;
  return registry;
}

uint32_t TGraphicRegistry::Preload() {
  if (!mGraphics.empty()) {
    if (!mAllFetched) {
      LogPrintf("Graphics preload skipped: %zu names were known before loading", mGraphics.size());
    }
    return 0;
  }
  const size_t before = mFetchQueue.size();
  QueuePreloadList();
  OrderFetches();
  return static_cast<uint32_t>(mFetchQueue.size() - before);
}

// Single images first, then the animations: the frame rates, the masked
// jug frames, the fillings, pieces, arrows, counters and blasts.
void TGraphicRegistry::QueuePreloadList() {
  for (const char* name :
       {"sprites/piece-spark-a8", "buttons/scorebox", "buttons/buttondown", "buttons/scorebox-g",
        "sprites/jugs/piece-fill-highlight", "sprites/tutorials/cont-btn-up", "sprites/tutorials/cont-btn-down",
        "sprites/tutorials/piece-highlight", "sprites/jugs/jug-jewel-yel", "sprites/jugs/jug-jewel-blu",
        "sprites/jugs/jug-glow-ends", "sprites/jugs/lightsfare-2"}) {
    AddFetch(name);
  }
  AddFetch("backgrounds/ends-paper-1", TString("backgrounds/ends-paper-1a"));
  for (const char* name :
       {"backgrounds/black-1", "sprites/blockers/piece-block12", "sprites/blockers/piece-blockers-darken",
        "sprites/blockers/piece-blockers-alert", "sprites/piece-grow12", "sprites/piece-edge-glow",
        "sprites/piece-gear", "sprites/piece-lock-glow", "sprites/piece-gear-glow", "sprites/piece-white",
        "backgrounds/longdialog", "sprites/jugs/piece-line"}) {
    AddFetch(name);
  }
  AddFetch("sprites/jugs/timer-center-top", TString("sprites/jugs/timer-center-topa"));
  for (const char* name :
       {"sprites/jugs/timer-center-tick", "sprites/jugs/timer-center-tick2", "sprites/jugs/timer-center-tick-g",
        "sprites/jugs/timer-center-tick2-g", "sprites/jugs/timer-alert-red", "sprites/jugs/timer-center-arrow"}) {
    AddFetch(name);
  }
  AddFetch("sprites/jugs/center-color-black", TString("sprites/jugs/center-color-black-alpha"));
  for (const char* kind : {"expert", "timeup", "nomove"}) {
    AddFetch(Coloured("backgrounds/msg-%s", kind), Coloured("backgrounds/msg-%s-a", kind));
  }

  AddFetch("sprites/piece-lock", {"sprites/piece-lock", "sprites/piece-lock-1"}, 0.0f);
  for (const char* bomb : {"cbomb", "rbomb", "clbomb", "ccbomb"}) {
    const TString pattern = Coloured("sprites/piece-powerup-%s-%%d", bomb);
    AddFetch(pattern, FramesOf(pattern.CStr(), 1, 1), 10.0f);
  }
  AddFetch("sprites/blockers/breaks-%d", FramesOf("sprites/piece-breaks-a%d", 1, 6), 0.0f);
  for (const char* colour : kPreloadColours) {
    const TString pattern = Coloured("sprites/jugs/center-color-%s-%%d", colour);
    AddFetch(pattern, FramesOf(pattern.CStr(), 1, 3), TString("sprites/jugs/center-color-alpha"));
  }
  for (const char* colour : kPreloadColours) {
    const TString pattern = Coloured("sprites/jugs/center-arrow-%s-%%d", colour);
    AddFetch(pattern, FramesOf(pattern.CStr(), 1, 2), TString("sprites/jugs/center-color-alpha"));
  }
  AddFetch("sprites/enery-filling-%d", FramesOf("sprites/enery-filling-%d", 1, 8), 0.0f);
  for (const char* colour : kPreloadColours) {
    const TString pattern = Coloured("sprites/piece-%s-%%d", colour);
    AddFetch(pattern, FramesOf(pattern.CStr(), 1, 1), 0.0f);
  }
  AddFetch("sprites/tutorials/arrow-%d", FramesOf("sprites/tutorials/arrow-%d", 1, 4), 8.0f);
  AddFetch("sprites/piece-powerup-abomb-%d", FramesOf("sprites/piece-powerup-abomb-%d", 1, 1), 10.0f);
  AddFetch("sprites/blockers/counter/piece-blockers-ani",
           {"sprites/blockers/counter/piece-blockers-50", "sprites/blockers/counter/piece-blockers-100"}, 0.0f);
  AddFetch("sprites/piece-counter-%d", FramesOf("sprites/piece-counter-%d", 1, 9), 0.0f);
  AddFetch("sprites/abomb-exp", FramesOf("sprites/abomb-exp-%d", 1, 8), 0.0f);
  for (const char* colour : kPreloadColours) {
    AddFetch(Coloured("sprites/areabomb-exp-%s", colour), TString("sprites/piece-breaks-grey"),
             FramesOf("sprites/piece-breaks-a%d", 1, 6));
  }
  for (const char* colour : kPreloadColours) {
    const TString name = Coloured("sprites/piece-spark-%s", colour);
    AddFetch(name, name, FramesOf("sprites/piece-spark-a%d", 1, 8));
  }
}

void TGraphicRegistry::AddFetch(std::unique_ptr<TFetchAction> action) { mFetchQueue.push_back(std::move(action)); }

void TGraphicRegistry::AddFetch(const TString& name) { AddFetch(std::make_unique<TFetchStatic>(*this, name)); }

void TGraphicRegistry::AddFetch(const TString& name, const TString& alphaName) {
  AddFetch(std::make_unique<TFetchStaticWithAlpha>(*this, name, alphaName));
}

void TGraphicRegistry::AddFetch(const TString& name, std::vector<TString> frames, const TString& alphaName) {
  AddFetch(std::make_unique<TFetchAnimationWithAlpha>(*this, name, alphaName, std::move(frames)));
}

void TGraphicRegistry::AddFetch(const TString& name, std::vector<TString> frames, float framesPerSecond) {
  AddFetch(std::make_unique<TFetchAnimationWithFrameRate>(*this, name, framesPerSecond, std::move(frames)));
}

void TGraphicRegistry::AddFetch(const TString& name, const TString& colourName, std::vector<TString> alphaFrames) {
  AddFetch(std::make_unique<TFetchAnimationWithAlphaList>(*this, name, std::move(alphaFrames), colourName));
}

void TGraphicRegistry::OrderFetches() {
  std::deque<std::unique_ptr<TFetchAction>> groups[2];
  for (std::unique_ptr<TFetchAction>& action : mFetchQueue) {
    groups[action->GetCost() == 1 ? 0 : 1].push_back(std::move(action));
  }
  mFetchQueue.clear();
  for (size_t turn = 0; !groups[0].empty() || !groups[1].empty(); ++turn) {
    std::deque<std::unique_ptr<TFetchAction>>& group = groups[turn % 2];
    if (group.empty()) continue;
    mFetchQueue.push_back(std::move(group.front()));
    group.pop_front();
  }
}

bool TGraphicRegistry::FetchNext() {
  if (mFetchQueue.empty()) return true;
  std::unique_ptr<TFetchAction> action = std::move(mFetchQueue.front());
  mFetchQueue.pop_front();
  action->Fetch();
  return mFetchQueue.empty();
}

void TGraphicRegistry::FetchAll() {
  TPlatform* platform = TPlatform::Instance();
  const bool entered2d = platform && !platform->IsIn2d() && platform->Begin2d();
  std::vector<std::shared_ptr<IGraphic>> pending = std::move(mPending);
  mPending.clear();
  for (const std::shared_ptr<IGraphic>& graphic : pending) graphic->Prepare();
  mAllFetched = true;
  if (entered2d) platform->End2d();
}

void TGraphicRegistry::Register(const TString& name, std::shared_ptr<IGraphic> graphic) {
  mPending.push_back(graphic);
  mGraphics[name] = std::move(graphic);
}

std::shared_ptr<IGraphic> TGraphicRegistry::CreateStatic(const TString& name) {
  auto graphic = std::make_shared<TStaticGraphic>(name);
  mPending.push_back(graphic);
  return graphic;
}

std::shared_ptr<IGraphic> TGraphicRegistry::GetGraphic(const TString& name) { return mGraphics[name]; }

std::shared_ptr<IGraphic> TGraphicRegistry::GetGraphic(const TString& prefix, const TString& suffix) {
  return GetGraphic(prefix + suffix);
}

// With its graphics gone the registry is no longer complete: a main menu
// opened after this asks for the loading screen again instead of leaving the
// views to find nothing.
void TGraphicRegistry::Clear() {
  mPending.clear();
  mGraphics.clear();
  mAllFetched = false;
}

}  // namespace GUI
