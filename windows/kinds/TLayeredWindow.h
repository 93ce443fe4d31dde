#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "windows/core/TWindow.h"

// A window whose children fall into a fixed number of layers, one of which
// shows at a time. A child joins the current layer as it is added, or every
// layer while all of them are current.
class TLayeredWindow : public TWindow {
 public:
  static constexpr uint32_t kAllLayers = 0xFFFFFFFF;

  static TClassId ClassId();

  explicit TLayeredWindow(int32_t layerCount);

  bool IsKindOf(TClassId id) const override;
  bool AddChild(std::unique_ptr<TWindow>& child, bool runInit) override;
  std::unique_ptr<TWindow> RemoveChild(TWindow* child) override;
  // Lists a window that is already a child in the current layer as well (in
  // every layer while all are current), so one child shows in several
  // layers. False, with nothing listed, for a window that is no child.
  bool AddToCurrentLayer(TWindow* child);

  // Shows layer n's children only (layer 0's when n is all layers) and
  // dirties the window; nothing when n is already current. A number outside
  // the layers is ignored with a log line.
  void SetLayer(uint32_t layer);
  uint32_t GetLayer() const { return mCurrentLayer; }
  int32_t GetLayerCount() const { return static_cast<int32_t>(mLayers.size()); }
  const std::vector<TWindow*>& GetLayerChildren(int32_t layer) const { return mLayers.at(layer); }

 private:
  void ListInCurrentLayer(TWindow* child);

  uint32_t mCurrentLayer = 0;
  std::vector<std::vector<TWindow*>> mLayers;
};
