#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "system/gfx/Device3dCaps.h"
#include "system/gfx/Rect.h"
#include "system/gfx/Result.h"

namespace sys::gfx {

class Surface;

struct DisplayMode {
  int32_t width = 0;
  int32_t height = 0;
  uint32_t bitCount = 0;

  bool operator==(const DisplayMode&) const = default;
};

// Who made the device and what it calls itself.
struct DeviceIdentifier {
  std::string driver;
  std::string description;
  uint32_t versionHigh = 0;
  uint32_t versionLow = 0;
  uint32_t vendorId = 0;
  uint32_t deviceId = 0;
  uint32_t subSysId = 0;
  uint32_t revision = 0;
  std::array<uint32_t, 4> guid{};
};

// One display device of the adapter. The first is the default device; the
// others are reached by their GUID.
struct AdapterDevice {
  DeviceIdentifier identifier;
  bool hasGuid = false;
  Device3dCaps device3d;  // its one 3D device
};

// The desktop the window lives on.
struct Desktop {
  int32_t width = 1024;
  int32_t height = 768;
  int32_t colors = -1;  // -1 above 256 colours
  uint32_t bitCount = 32;
  Rect workArea{0, 0, 1024, 768};
};

struct AdapterConfig {
  Desktop desktop;
  std::vector<AdapterDevice> devices;
  std::vector<DisplayMode> modes;
  uint64_t videoMemory = 256ull << 20;  // bytes
};

// Operations whose results tests can force, one queue each.
enum class AdapterOperation : uint8_t {
  CreateDevice,
  SetCooperativeLevel,
  SetDisplayMode,
  TestCooperativeLevel,
  RestoreAllSurfaces,
  CreateSurface,
  RestoreSurface,
  Lock,
  Blit,
  BlitFast,
  ColorFill,
  Flip,
  FlipStatus,
  AttachSurface,
  SetColorKey,
  CreateDevice3d,
  SetRenderTarget,
  SetViewport,
  SetTexture,
  BeginScene,
  EndScene,
  Clear,
  DrawPrimitive,
};

// The display hardware as the device sees it: desktop, devices, modes, video
// memory, and the surfaces living in that memory. Real runs fill it from SDL;
// tests configure it, queue results that operations return instead of doing
// their work, and lose every video surface at will. Safe from any thread.
class Adapter {
 public:
  explicit Adapter(AdapterConfig config);
  Adapter(const Adapter&) = delete;
  Adapter& operator=(const Adapter&) = delete;

  static std::shared_ptr<Adapter> Create(AdapterConfig config) { return std::make_shared<Adapter>(std::move(config)); }
  // The machine's desktop from SDL, one default device, the game's sizes at
  // 16 and 32 bits; the defaults of AdapterConfig when SDL has no display.
  static AdapterConfig ConfigFromSdl();

  Desktop GetDesktop() const;
  void SetDesktop(const Desktop& desktop);
  std::vector<AdapterDevice> Devices() const;
  std::vector<DisplayMode> Modes() const;

  // The next operation of that kind returns `result` without doing its work.
  void Force(AdapterOperation operation, Result result);
  // The first queued result of that kind, removed; Ok when none is queued.
  Result TakeForced(AdapterOperation operation);

  // Every video-memory surface alive is lost until it is restored.
  void LoseVideoSurfaces();

  uint64_t TotalVideoMemory() const;
  uint64_t FreeVideoMemory() const;
  // False when the bytes do not fit in what is free.
  bool ReserveVideoMemory(uint64_t bytes);
  void ReleaseVideoMemory(uint64_t bytes);

  // Video surfaces register themselves so that they can be lost.
  void Track(Surface* surface);
  void Untrack(Surface* surface);
  // Restores every lost video surface that the device numbered `owner` made.
  void RestoreSurfacesOf(uint64_t owner);
  // A number for a new device, never given before.
  uint64_t NumberDevice();

 private:
  mutable std::mutex mMutex;
  AdapterConfig mConfig;
  uint64_t mUsedVideoMemory = 0;
  uint64_t mDevicesNumbered = 0;
  std::map<AdapterOperation, std::deque<Result>> mForced;
  std::vector<Surface*> mVideoSurfaces;
};

}  // namespace sys::gfx
