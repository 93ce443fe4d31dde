#include "game/gui/scenes/TAttributeLists.h"

#include <algorithm>
#include <utility>

namespace GUI::ScriptAnim {

void TAttributeLists::Add(std::shared_ptr<TLayerAttribute> item) {
  mAll.push_back(item);
  mPending.push_back(std::move(item));
}

void TAttributeLists::Update(TLayer& layer, float time) {
  Items stillPending;
  for (std::shared_ptr<TLayerAttribute>& item : mPending) {
    (item->IsActive(time) ? mActive : stillPending).push_back(std::move(item));
  }
  mPending = std::move(stillPending);
  Items stillActive;
  for (std::shared_ptr<TLayerAttribute>& item : mActive) {
    if (item->IsFinished(time)) {
      item->Apply(layer, item->GetEnd());
      mFinished.push_back(std::move(item));
    } else {
      stillActive.push_back(std::move(item));
    }
  }
  mActive = std::move(stillActive);
}

void TAttributeLists::ApplyActive(TLayer& layer, float time) {
  for (const std::shared_ptr<TLayerAttribute>& item : mActive) item->Apply(layer, time);
}

void TAttributeLists::Reset() {
  mPending = mAll;
  mActive.clear();
  mFinished.clear();
  for (const std::shared_ptr<TLayerAttribute>& item : mAll) item->Reset();
}

bool TAttributeLists::AnyActiveAt(float time) const {
  const auto activeAt = [time](const std::shared_ptr<TLayerAttribute>& item) { return item->IsActive(time); };
  return std::any_of(mPending.begin(), mPending.end(), activeAt) ||
         std::any_of(mActive.begin(), mActive.end(), activeAt);
}

bool TAttributeLists::AnyUnfinishedAt(float time) const {
  const auto unfinishedAt = [time](const std::shared_ptr<TLayerAttribute>& item) {
    return !item->IsFinished(time);
  };
  return std::any_of(mPending.begin(), mPending.end(), unfinishedAt) ||
         std::any_of(mActive.begin(), mActive.end(), unfinishedAt);
}

float TAttributeLists::LatestEnd(float empty) const {
  if (mAll.empty()) return empty;
  float latest = 0.0f;
  for (const std::shared_ptr<TLayerAttribute>& item : mAll) latest = std::max(latest, item->GetEnd());
  return latest;
}

}  // namespace GUI::ScriptAnim
