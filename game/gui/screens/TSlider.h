#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "platform/text/TString.h"
#include "platform/types/TClassId.h"
#include "windows/core/TWindow.h"

class TImage;
class TScript;
class TTexture;

namespace GUI {

// The slider's messages to its parent, named with the slider's name.
enum TSliderMessage : int32_t {
  kSliderChanged = 1000,
  kSliderDragEnded = 1001,
  kSliderPageBefore = 1002,
  kSliderPageAfter = 1003,
};

// What a scripted slider's table says about it.
struct TSliderTable {
  double width = 0.0;
  double height = 0.0;
  TString railTop;
  TString railMid;
  TString railBot;
  TString knob;
  TString knobRoll;
  TString name;
  float scale = 1.0f;
  int32_t offset = 0;
  bool horizontal = false;

  // Reads the table of the window being created.
  static TSliderTable Read(TScript& script);
};

// A slider: a rail drawn from three textures (caps and a stretched middle)
// and a knob the player drags or pages by clicking the rail. Its value runs
// from 0 to 1 and each change is told to the parent at once.
class TSlider final : public TWindow {
 public:
  static TClassId ClassId();
  static TSlider* Cast(TWindow* window);
  // For the window manager's table of window types.
  static std::unique_ptr<TWindow> Create();

  TSlider();
  bool IsKindOf(TClassId id) const override;
  // Reads the scripted table and builds the slider, on its first call only.
  bool Init() override;
  void Draw() override;
  bool OnMouseDown(int32_t x, int32_t y) override;
  bool OnMouseUp(int32_t x, int32_t y) override;
  bool OnMouseMove(int32_t x, int32_t y) override;
  // A drag that loses its capture ends as a release would, so the knob
  // never follows a pointer with no button held. The window manager also
  // calls this on a capture window just before it hands it an event that
  // lies outside it; a move that comes so takes the drag up again, so that
  // a drag goes on past the slider's ends.
  void OnCaptureLost() override;
  // Declines a null rectangle; any other becomes the whole slider.
  bool InvalidateRect(TRect* rect) override;

  // Builds the slider from a table: textures by name, name, scale, offset,
  // orientation; adds the knob.
  void Configure(const TSliderTable& table);
  float GetValue() const { return mValue; }
  // Clamps to 0..1, stores, places the knob and, unless silent, tells the
  // parent.
  void SetValue(float value, bool silent);
  void SetRailImages(std::shared_ptr<TTexture> top, std::shared_ptr<TTexture> middle,
                     std::shared_ptr<TTexture> bottom);
  void SetKnobImages(std::shared_ptr<TTexture> normal, std::shared_ptr<TTexture> rollOver);
  bool IsHorizontal() const { return mHorizontal; }
  bool IsDragging() const { return mDragging != 0; }
  TImage* GetKnob() const { return mKnob; }

 private:
  void PlaceKnob();
  void UpdateSize();
  void ShowKnob(bool rollOver);
  bool IsOnKnob(int32_t x, int32_t y) const;
  bool IsInside(int32_t x, int32_t y) const;
  void TakeCapture();
  void LetCaptureGo();
  void TellParent(int32_t type);

  int32_t mDragging = 0;
  // The drag ended by a lost capture, and no event has reached the slider
  // since.
  bool mDragJustLost = false;
  bool mInitialised = false;
  TImage* mKnob = nullptr;
  std::unique_ptr<TWindow> mUnlinkedKnob;
  std::shared_ptr<TTexture> mKnobNormal;
  std::shared_ptr<TTexture> mKnobRollOver;
  std::array<std::shared_ptr<TTexture>, 3> mRail;
  float mValue = 0.0f;
  float mScale = 1.0f;
  int32_t mOffset = 0;
  int32_t mThickness = 0;
  bool mHorizontal = false;
};

}  // namespace GUI
