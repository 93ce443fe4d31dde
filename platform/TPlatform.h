#pragma once

#include <cstdint>
#include <memory>

#include "platform/types/TColor.h"
#include "platform/types/TRect.h"

class TAssetManager;
class TTaskList;
class TTexture;
class TWindowManager;
struct TVertexList;

// The platform object as the layers below the application see it. The object
// itself assembles every framework layer, so it lives at the top (app/); this
// face holds only the operations that lower layers call on it, and Instance
// finds the one installed. Tests install a fake face in its place. Main
// thread only.
class TPlatform {
 public:
  // Null while no platform object is installed.
  static TPlatform* Instance();

  virtual TWindowManager* GetWindowManager() const = 0;
  // The platform tasks, run on every idle pass and every frame.
  virtual TTaskList* GetTaskList() = 0;
  // The registry of live assets by name.
  virtual TAssetManager* GetAssetManager() const = 0;

  // A frame, as the window manager draws it. BeginDraw is false when the
  // display cannot draw (or there is none).
  virtual bool BeginDraw(bool hideCursor) = 0;
  virtual void EndDraw(bool present) = 0;
  // A windowed frame waits for the flip of the one before; true without a display.
  virtual bool IsFlipDone() = 0;
  virtual bool IsFullScreen() = 0;
  // True once after a repaint was asked for.
  virtual bool ConsumeRepaintRequest() = 0;

  virtual void PushViewport(int32_t left, int32_t top, int32_t right, int32_t bottom) = 0;
  virtual int32_t PopViewport() = 0;
  // An empty rectangle without a display.
  virtual void GetViewport(TRect& out) = 0;
  virtual void DrawRect(int32_t left, int32_t top, int32_t right, int32_t bottom, const TColor& colour,
                        const std::shared_ptr<TTexture>& texture) = 0;

  // What the vector-font renderer draws with: 2D drawing with its blend mode
  // and texture, vertex lists, and render textures.
  virtual bool Begin2d() = 0;
  virtual void End2d() = 0;
  virtual void SetTexture(const std::shared_ptr<TTexture>& texture) = 0;
  virtual void SetBlendMode(int32_t mode) = 0;
  virtual void DrawVertices(int32_t primitiveType, TVertexList* vertices) = 0;
  virtual bool PushRenderTarget(const std::shared_ptr<TTexture>& target) = 0;
  virtual bool PopRenderTarget() = 0;

 protected:
  TPlatform() = default;
  // An object that goes while still installed leaves no dangling instance.
  virtual ~TPlatform();
  TPlatform(const TPlatform&) = delete;
  TPlatform& operator=(const TPlatform&) = delete;

  // Makes the object the one Instance returns; null installs none.
  static void Install(TPlatform* platform);
};
