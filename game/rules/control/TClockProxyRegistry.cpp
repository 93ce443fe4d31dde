#include "game/rules/control/TClockProxyRegistry.h"

#include <algorithm>

#include "game/rules/scoring/IMetricsRecorder.h"

namespace GamePlay {

TClockProxyImpl::TClockProxyImpl(TClockProxyRegistry* registry) : mRegistry(registry) {}

TClockProxyImpl::~TClockProxyImpl() {
  if (mRegistry) mRegistry->Forget(this);
}

void TClockProxyImpl::Start() {
  if (!mRegistry) {
    mClock.Start();
    return;
  }
  mRegistry->SetRunning(this, true);
  if (!mRegistry->AreClocksHeld()) mClock.Start();
}

void TClockProxyImpl::Stop() {
  if (!mRegistry) {
    mClock.Reset();
    return;
  }
  mRegistry->SetRunning(this, false);
  // While the clocks are held the reset waits for the resume, which resets
  // every proxy that is not running.
  if (!mRegistry->AreClocksHeld()) mClock.Reset();
}

uint32_t TClockProxyImpl::GetTime() { return mClock.GetTime(); }

TClockProxyRegistry::~TClockProxyRegistry() {
  for (auto& [proxy, running] : mProxies) proxy->mRegistry = nullptr;
}

TClockProxyRegistry& TClockProxyRegistry::Instance() {
  static TClockProxyRegistry registry;
  return registry;
}

IClockProxy* TClockProxyRegistry::CreateClockProxy() {
  auto* proxy = new TClockProxyImpl(this);
  mProxies[proxy] = false;
  return proxy;
}

void TClockProxyRegistry::AttachMetrics(IMetricsRecorder* metrics) {
  if (metrics) mMetrics.push_back(metrics);
}

void TClockProxyRegistry::DetachMetrics(IMetricsRecorder* metrics) {
  auto found = std::find(mMetrics.rbegin(), mMetrics.rend(), metrics);
  if (found != mMetrics.rend()) mMetrics.erase(std::next(found).base());
}

IMetricsRecorder* TClockProxyRegistry::GetMetrics() const {
  return mMetrics.empty() ? nullptr : mMetrics.back();
}

void TClockProxyRegistry::PauseAll() {
  mPaused = true;
  if (IMetricsRecorder* metrics = GetMetrics()) metrics->PauseClock();
  for (auto& [proxy, running] : mProxies) proxy->mClock.Pause();
}

void TClockProxyRegistry::ResumeAll() {
  IMetricsRecorder* metrics = GetMetrics();
  if (mPaused && metrics) metrics->ResumeClock();
  mPaused = false;
  if (mSuspended) return;
  for (auto& [proxy, running] : mProxies) {
    if (running) {
      proxy->mClock.Start();
    } else {
      proxy->mClock.Reset();
    }
  }
}

void TClockProxyRegistry::SetSuspended(bool suspended) {
  mSuspended = suspended;
  if (suspended) {
    PauseAll();
  } else {
    ResumeAll();
  }
}

void TClockProxyRegistry::SetRunning(TClockProxyImpl* proxy, bool running) {
  mProxies[proxy] = running;
}

void TClockProxyRegistry::Forget(TClockProxyImpl* proxy) { mProxies.erase(proxy); }

}  // namespace GamePlay
