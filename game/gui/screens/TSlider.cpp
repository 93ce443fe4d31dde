#include "game/gui/screens/TSlider.h"

#include <algorithm>
#include <cstdlib>
#include <utility>
#include <vector>

#include "media/display/TVertexList.h"
#include "media/texture/TTexture.h"
#include "platform/TPlatform.h"
#include "system/gfx/raster/Vertex.h"
#include "windows/core/TMessage.h"
#include "windows/core/TWindowManager.h"
#include "windows/kinds/TImage.h"
#include "windows/script/TWindowScript.h"

namespace GUI {

namespace {

using sys::gfx::TransformedVertex;

constexpr int32_t kSliderTriangleList = 4;
constexpr uint32_t kSliderOpaqueWhite = 0xFFFFFFFFu;
constexpr uint32_t kSliderBlackSpecular = 0xFF000000u;
constexpr float kKnobLowest = 0.05f;
constexpr float kKnobHighest = 0.95f;

// A picture that failed to load has no size.
int32_t TextureWidth(const std::shared_ptr<TTexture>& texture) { return texture ? texture->GetWidth() : 0; }
int32_t TextureHeight(const std::shared_ptr<TTexture>& texture) { return texture ? texture->GetHeight() : 0; }

std::shared_ptr<TTexture> SliderTexture(const TString& name) {
  return name.IsEmpty() ? nullptr : TTexture::Get(name, 0);
}

// One piece of the rail, measured along the slider and across it; a
// horizontal slider lays the texture with x and y exchanged.
struct TRailPiece {
  float alongFrom;
  float alongTo;
  float acrossFrom;
  float acrossTo;
};

std::vector<TransformedVertex> RailQuad(const TRailPiece& piece, const TTexture& texture, const TVec2& origin,
                                        bool horizontal) {
  const auto [surfaceWidth, surfaceHeight] = texture.GetSurfaceSize();
  const float uExtent = surfaceWidth > 0 ? static_cast<float>(texture.GetWidth()) / static_cast<float>(surfaceWidth) : 1.0f;
  const float vExtent =
      surfaceHeight > 0 ? static_cast<float>(texture.GetHeight()) / static_cast<float>(surfaceHeight) : 1.0f;
  auto corner = [&](float along, float across, float u, float v) {
    const float x = origin.x + (horizontal ? along : across);
    const float y = origin.y + (horizontal ? across : along);
    return TransformedVertex{x, y, 0.0f, 1.0f, kSliderOpaqueWhite, kSliderBlackSpecular, u * uExtent, v * vExtent};
  };
  const TransformedVertex first = corner(piece.alongFrom, piece.acrossFrom, 0.0f, 0.0f);
  const TransformedVertex acrossEnd = corner(piece.alongFrom, piece.acrossTo, 1.0f, 0.0f);
  const TransformedVertex alongEnd = corner(piece.alongTo, piece.acrossFrom, 0.0f, 1.0f);
  const TransformedVertex last = corner(piece.alongTo, piece.acrossTo, 1.0f, 1.0f);
  return {first, acrossEnd, alongEnd, acrossEnd, last, alongEnd};
}

}  // namespace

TSliderTable TSliderTable::Read(TScript& script) {
  TSliderTable table;
  table.width = script.GetNumber("w", 0.0);
  table.height = script.GetNumber("h", 0.0);
  table.railTop = script.GetString("railtop", "");
  table.railMid = script.GetString("railmid", "");
  table.railBot = script.GetString("railbot", "");
  table.knob = script.GetString("sliderimage", "");
  table.knobRoll = script.GetString("sliderrollimage", "");
  table.name = script.GetString("name", "");
  table.scale = static_cast<float>(script.GetNumber("scale", 1.0));
  table.offset = static_cast<int32_t>(script.GetNumber("yoffset", 0.0));
  table.horizontal = script.GetBool("hslider", false);
  return table;
}

TClassId TSlider::ClassId() {
  static const char id = 0;
  return &id;
}

TSlider* TSlider::Cast(TWindow* window) {
  return window && window->IsKindOf(ClassId()) ? static_cast<TSlider*>(window) : nullptr;
}

std::unique_ptr<TWindow> TSlider::Create() { return std::make_unique<TSlider>(); }

TSlider::TSlider() {
  auto knob = std::make_unique<TImage>(true);
  mKnob = knob.get();
  mUnlinkedKnob = std::move(knob);
}

bool TSlider::IsKindOf(TClassId id) const { return id == ClassId() || TWindow::IsKindOf(id); }

bool TSlider::Init() {
  if (mInitialised) return true;
  TWindowManager* manager = PlatformWindowManager();
  TScript* script = manager ? manager->GetScript() : nullptr;
  Configure(script ? TSliderTable::Read(*script) : TSliderTable());
  return true;
}

void TSlider::Configure(const TSliderTable& table) {
  mInitialised = true;
  mHorizontal = table.width > table.height || table.horizontal;
  mOffset = table.offset;
  SetName(table.name);
  mScale = table.scale;
  SetRailImages(SliderTexture(table.railTop), SliderTexture(table.railMid), SliderTexture(table.railBot));
  SetKnobImages(SliderTexture(table.knob), SliderTexture(table.knobRoll));
  PlaceKnob();
  if (mUnlinkedKnob) AddChild(mUnlinkedKnob, true);
  UpdateSize();
}

void TSlider::SetValue(float value, bool silent) {
  mValue = std::clamp(value, 0.0f, 1.0f);
  PlaceKnob();
  if (!silent) TellParent(kSliderChanged);
}

void TSlider::SetRailImages(std::shared_ptr<TTexture> top, std::shared_ptr<TTexture> middle,
                            std::shared_ptr<TTexture> bottom) {
  mRail = {std::move(top), std::move(middle), std::move(bottom)};
  UpdateSize();
}

void TSlider::SetKnobImages(std::shared_ptr<TTexture> normal, std::shared_ptr<TTexture> rollOver) {
  mKnobNormal = std::move(normal);
  mKnobRollOver = std::move(rollOver);
  ShowKnob(false);
  UpdateSize();
}

void TSlider::UpdateSize() {
  mThickness = 0;
  for (const std::shared_ptr<TTexture>& piece : mRail) {
    mThickness = std::max(mThickness, static_cast<int32_t>(static_cast<float>(TextureWidth(piece)) * mScale));
  }
  if (mKnob) {
    const int32_t knobAcross = mHorizontal ? mKnob->GetHeight() : mKnob->GetWidth();
    mThickness = std::max(mThickness, std::abs(mOffset) + knobAcross);
  }
  if (mHorizontal) {
    SetSize(GetWidth(), mThickness);
  } else {
    SetSize(mThickness, GetHeight());
  }
}

void TSlider::PlaceKnob() {
  if (!mKnob) return;
  const float place = std::clamp(mValue, kKnobLowest, kKnobHighest);
  if (mHorizontal) {
    mKnob->SetPosition(static_cast<int32_t>(static_cast<float>(GetWidth() - mKnob->GetWidth()) * place), mOffset);
  } else {
    mKnob->SetPosition(mOffset, static_cast<int32_t>(static_cast<float>(GetHeight() - mKnob->GetHeight()) * place));
  }
}

void TSlider::ShowKnob(bool rollOver) {
  if (!mKnob) return;
  const std::shared_ptr<TTexture>& texture = rollOver && mKnobRollOver ? mKnobRollOver : mKnobNormal;
  if (texture && texture != mKnob->GetTexture()) mKnob->SetTexture(texture, nullptr, mScale);
}

void TSlider::Draw() {
  TPlatform* platform = TPlatform::Instance();
  if (!platform || !platform->Begin2d()) return;
  const float length = static_cast<float>(mHorizontal ? GetWidth() : GetHeight());
  const float across = static_cast<float>(mThickness);
  const TRect screen = GetScreenRect();
  const TVec2 origin(static_cast<float>(screen.left), static_cast<float>(screen.top));
  const float topLength = static_cast<float>(TextureHeight(mRail[0])) * mScale;
  const float bottomLength = static_cast<float>(TextureHeight(mRail[2])) * mScale;
  const std::array<std::pair<float, float>, 3> spans{
      {{0.0f, topLength}, {topLength, length - bottomLength}, {length - bottomLength, length}}};
  for (size_t i = 0; i < mRail.size(); ++i) {
    const std::shared_ptr<TTexture>& texture = mRail[i];
    if (!texture || spans[i].second <= spans[i].first) continue;
    const float width = static_cast<float>(texture->GetWidth()) * mScale;
    const float acrossFrom = (across - width) / 2.0f;
    std::vector<TransformedVertex> vertices =
        RailQuad({spans[i].first, spans[i].second, acrossFrom, acrossFrom + width}, *texture, origin, mHorizontal);
    platform->SetTexture(texture);
    TVertexList list;
    list.InitKind2(vertices.data(), static_cast<int32_t>(vertices.size()));
    platform->DrawVertices(kSliderTriangleList, &list);
    list.Release();
  }
  platform->End2d();
}

bool TSlider::IsOnKnob(int32_t x, int32_t y) const {
  const TRect& knob = mKnob->GetRect();
  return x >= knob.left && x <= knob.right && y >= knob.top && y <= knob.bottom;
}

bool TSlider::IsInside(int32_t x, int32_t y) const {
  return x >= 0 && y >= 0 && x <= GetWidth() && y <= GetHeight();
}

void TSlider::TakeCapture() {
  if (TWindowManager* manager = PlatformWindowManager()) manager->SetCapture(this);
}

void TSlider::LetCaptureGo() {
  if (TWindowManager* manager = PlatformWindowManager()) manager->ReleaseCapture(this);
}

void TSlider::TellParent(int32_t type) {
  if (TWindow* parent = GetParent()) parent->SendMessage(std::make_unique<TMessage>(type, GetName(), nullptr));
}

bool TSlider::OnMouseDown(int32_t x, int32_t y) {
  mDragJustLost = false;
  if (!mKnob) return false;
  if (IsOnKnob(x, y)) {
    mDragging = 1;
    TakeCapture();
    return true;
  }
  const TRect& knob = mKnob->GetRect();
  const bool before = mHorizontal ? x < knob.left : y < knob.top;
  TellParent(before ? kSliderPageBefore : kSliderPageAfter);
  return true;
}

bool TSlider::OnMouseMove(int32_t x, int32_t y) {
  // Once the capture is gone, only the window manager's capture routing
  // hands the slider a point outside it, right after telling it the capture
  // was lost: the pointer left the slider while the button is held.
  if (std::exchange(mDragJustLost, false) && !IsInside(x, y)) mDragging = 1;
  ShowKnob(IsOnKnob(x, y) || IsDragging());
  if (IsInside(x, y) || IsDragging()) {
    TakeCapture();
  } else {
    LetCaptureGo();
    ShowKnob(false);
  }
  if (!IsDragging()) return false;
  const int32_t length = mHorizontal ? GetWidth() : GetHeight();
  if (length <= 0) return true;
  SetValue(static_cast<float>(mHorizontal ? x : y) / static_cast<float>(length), false);
  return true;
}

bool TSlider::OnMouseUp(int32_t x, int32_t y) {
  mDragJustLost = false;
  if (!IsDragging()) return false;
  mDragging = 0;
  ShowKnob(IsOnKnob(x, y));
  if (!IsInside(x, y)) {
    LetCaptureGo();
    ShowKnob(false);
  }
  TellParent(kSliderDragEnded);
  return true;
}

void TSlider::OnCaptureLost() {
  const bool wasDragging = IsDragging();
  mDragging = 0;
  ShowKnob(false);
  LetCaptureGo();
  mDragJustLost = wasDragging;
  if (wasDragging) TellParent(kSliderDragEnded);
}

bool TSlider::InvalidateRect(TRect* rect) {
  if (!rect) return false;
  *rect = GetClientRect();
  TWindow::InvalidateRect(rect);
  return true;
}

}  // namespace GUI
