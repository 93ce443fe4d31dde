#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "system/gfx/Adapter.h"
#include "system/gfx/Result.h"
#include "system/gfx/Screen.h"
#include "system/gfx/Surface.h"
#include "system/gfx/SurfaceDesc.h"

namespace sys {
class NativeWindow;
}

namespace sys::gfx {

// How the device shares the screen: as one window among others, or owning
// the whole screen with a display mode of its own.
enum class CooperativeLevel : uint8_t { Normal, ExclusiveFullScreen };

struct DeviceCaps {
  uint64_t totalVideoMemory = 0;
  uint64_t freeVideoMemory = 0;
};

// One display device of the adapter: the display mode, how the screen is
// shared, and the surfaces. Surfaces may outlive it.
class Device {
 public:
  // Device 0 is the adapter's default device.
  static Result Create(std::shared_ptr<Adapter> adapter, int32_t index, std::unique_ptr<Device>& out);
  ~Device();
  Device(const Device&) = delete;
  Device& operator=(const Device&) = delete;

  // `window` is the window the device draws for; it must outlive the device
  // and is required for the exclusive level.
  Result SetCooperativeLevel(NativeWindow* window, CooperativeLevel level);
  Result GetDisplayModes(std::vector<DisplayMode>& out) const;
  // Exclusive level only; the mode must be one the adapter offers.
  Result SetDisplayMode(const DisplayMode& mode);
  Result RestoreDisplayMode();
  // The mode set, else the desktop's.
  DisplayMode GetDisplayMode() const;
  // The format of the display: of the mode set, else the desktop's.
  PixelFormat DisplayFormat() const;

  Result GetCaps(DeviceCaps& out) const;
  Result GetIdentifier(DeviceIdentifier& out) const;
  // Ok while the device may draw; the reason otherwise.
  Result TestCooperativeLevel();
  // Restores every lost surface this device made.
  Result RestoreAllSurfaces();

  Result CreateSurface(const SurfaceDesc& desc, std::shared_ptr<Surface>& out);
  Result CreatePalette(const Palette::Entries& entries, std::shared_ptr<Palette>& out);
  Result CreateClipper(std::shared_ptr<Clipper>& out);

  const std::shared_ptr<Adapter>& GetAdapter() const { return mAdapter; }
  // The screen of the window given with the cooperative level; null without
  // one. Its Present shows the primary's picture again (after an expose).
  Screen* GetScreen() const { return mScreen.get(); }

 private:
  Device(std::shared_ptr<Adapter> adapter, DeviceIdentifier identifier);
  Result CreatePrimary(const SurfaceDesc& desc, std::shared_ptr<Surface>& out);
  Result CreateFlippingChain(const SurfaceDesc& desc, std::shared_ptr<Surface>& out);
  Result CreatePlain(const SurfaceDesc& desc, std::shared_ptr<Surface>& out);
  Result CreateMipmapChain(const SurfaceDesc& desc, std::shared_ptr<Surface>& out);
  // A surface of a complete description; reserves its video memory.
  Result MakeSurface(SurfaceDesc desc, bool countsMemory, std::shared_ptr<Surface>& out);
  void ShowOnScreen(const std::shared_ptr<Surface>& primary);

  std::shared_ptr<Adapter> mAdapter;
  uint64_t mNumber;  // tells its surfaces from those of other devices
  DeviceIdentifier mIdentifier;
  std::shared_ptr<Screen> mScreen;  // of the window given with the cooperative level
  bool mLevelSet = false;
  CooperativeLevel mLevel = CooperativeLevel::Normal;
  bool mModeSet = false;
  DisplayMode mMode;
};

// How many mipmap levels a texture of that size has, down to 1 x 1.
int32_t MipmapLevelsOf(int32_t width, int32_t height);

// The format of a display of that many bits: 32 X8R8G8B8, 16 R5G6B5,
// 15 X1R5G5B5; none for other depths.
std::optional<PixelFormat> DisplayFormatFor(uint32_t bitCount);

}  // namespace sys::gfx
