#pragma once

#include "media/TDxDisplayHandler.h"

// The display the program uses: the Direct3D display with its 3D operations.
class TDx3dDisplayHandler final : public TDxDisplayHandler {
 public:
  explicit TDx3dDisplayHandler(std::shared_ptr<sys::gfx::Adapter> adapter)
      : TDxDisplayHandler(std::move(adapter)) {}
};
