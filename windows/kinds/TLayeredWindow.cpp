#include "windows/kinds/TLayeredWindow.h"

#include <algorithm>

#include "platform/text/Log.h"
#include "windows/core/TWindowSpider.h"

TClassId TLayeredWindow::ClassId() {
  static const char id = 0;
  return &id;
}

TLayeredWindow::TLayeredWindow(int32_t layerCount) : mLayers(static_cast<size_t>(std::max(layerCount, 0))) {}

bool TLayeredWindow::IsKindOf(TClassId id) const { return id == ClassId() || TWindow::IsKindOf(id); }

bool TLayeredWindow::AddChild(std::unique_ptr<TWindow>& child, bool runInit) {
  TWindow* added = child.get();
  if (!TWindow::AddChild(child, runInit)) return false;
  ListInCurrentLayer(added);
  return true;
}

bool TLayeredWindow::AddToCurrentLayer(TWindow* child) {
  if (!HasChild(child)) return false;
  ListInCurrentLayer(child);
  return true;
}

// A layer lists a child once, so that removing the child unlists it.
void TLayeredWindow::ListInCurrentLayer(TWindow* child) {
  auto list = [child](std::vector<TWindow*>& layer) {
    if (std::find(layer.begin(), layer.end(), child) == layer.end()) layer.push_back(child);
  };
  if (mCurrentLayer == kAllLayers) {
    for (std::vector<TWindow*>& layer : mLayers) list(layer);
  } else if (mCurrentLayer < mLayers.size()) {
    list(mLayers[mCurrentLayer]);
  }
}

std::unique_ptr<TWindow> TLayeredWindow::RemoveChild(TWindow* child) {
  std::unique_ptr<TWindow> removed = TWindow::RemoveChild(child);
  for (std::vector<TWindow*>& layer : mLayers) {
    const auto entry = std::find(layer.begin(), layer.end(), child);
    if (entry != layer.end()) layer.erase(entry);
  }
  return removed;
}

void TLayeredWindow::SetLayer(uint32_t layer) {
  if (layer == mCurrentLayer) return;
  if (layer != kAllLayers && layer >= mLayers.size()) {
    LogPrintf("Layer %u of a window with %d layers ignored", layer, GetLayerCount());
    return;
  }
  mCurrentLayer = layer;
  TWindowClearFlags hideAll(~static_cast<uint32_t>(kWindowVisible), false);
  ForEachChild(hideAll);
  const uint32_t shown = layer == kAllLayers ? 0 : layer;
  if (shown < mLayers.size()) {
    for (TWindow* child : mLayers[shown]) child->AddFlags(kWindowVisible);
  }
  Invalidate(nullptr);
}
