#pragma once

#include <memory>

#include "platform/types/TClassId.h"

// Base of every cached resource (textures, sounds, compiled script code).
// Owners hold shared pointers; the asset manager only weak ones, and an asset
// can hand out shared pointers to itself.
class TAsset : public std::enable_shared_from_this<TAsset> {
 public:
  static TClassId ClassId();

  // True for TAsset::ClassId; a subclass also accepts its own id.
  virtual bool IsKindOf(TClassId id) const;
  virtual ~TAsset();
  // Gives up device resources when the display is lost.
  virtual void Release();
  // Re-creates them when the display is back.
  virtual void Restore();
};
