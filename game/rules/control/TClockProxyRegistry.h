#pragma once

#include <map>
#include <vector>

#include "game/rules/control/IClockProxy.h"
#include "platform/time/TClock.h"

namespace GamePlay {

class IMetricsRecorder;
class TClockProxyRegistry;

// The registry's clock proxy: one framework clock, never started until the
// proxy is, and a link back to the registry while that lives.
class TClockProxyImpl final : public IClockProxy {
 public:
  explicit TClockProxyImpl(TClockProxyRegistry* registry);
  ~TClockProxyImpl() override;

  void Start() override;
  void Stop() override;
  uint32_t GetTime() override;

 private:
  friend class TClockProxyRegistry;

  TClock mClock;
  TClockProxyRegistry* mRegistry;
};

// Every game clock of the process. Pausing stops them all together with the
// clock of the metrics it was handed; suspending (while a modal tutorial
// dialog shows) pauses too, and keeps the proxies paused even through a
// resume until it is lifted.
class TClockProxyRegistry {
 public:
  TClockProxyRegistry() = default;
  // Detaches the proxies still alive; they belong to their holders, which may
  // delete them later.
  ~TClockProxyRegistry();
  TClockProxyRegistry(const TClockProxyRegistry&) = delete;
  TClockProxyRegistry& operator=(const TClockProxyRegistry&) = delete;

  static TClockProxyRegistry& Instance();

  // A new proxy reading 0, owned by the caller.
  IClockProxy* CreateClockProxy();
  // Metrics whose clock pauses with the game clocks, handed over by each
  // maker of a level's model for as long as it lives (not owned); the latest
  // one not yet taken back is paused. Null is ignored.
  void AttachMetrics(IMetricsRecorder* metrics);
  void DetachMetrics(IMetricsRecorder* metrics);
  // Null when none is attached.
  IMetricsRecorder* GetMetrics() const;
  void PauseAll();
  void ResumeAll();
  void SetSuspended(bool suspended);
  bool IsPaused() const { return mPaused; }
  bool IsSuspended() const { return mSuspended; }

 private:
  friend class TClockProxyImpl;

  bool AreClocksHeld() const { return mPaused || mSuspended; }
  void SetRunning(TClockProxyImpl* proxy, bool running);
  void Forget(TClockProxyImpl* proxy);

  std::map<TClockProxyImpl*, bool> mProxies;  // proxy -> running
  std::vector<IMetricsRecorder*> mMetrics;  // in the order attached
  bool mPaused = false;
  bool mSuspended = false;
};

}  // namespace GamePlay
