#include "windows/core/WindowCoordinates.h"

#include <algorithm>

#include "windows/core/TWindow.h"

namespace {

constexpr int64_t kCentre = 80000;
constexpr int64_t kFarEdge = 160000;
// The bounds between the codings of a position.
constexpr int64_t kAbsoluteLimit = 40000;
constexpr int64_t kCentredLimit = 106666;

bool IsPlainExtent(int64_t extent) { return extent >= 1 && extent < kCentre; }

// A centred position counts from the centre.
int64_t NearOffset(int64_t position) { return position > kAbsoluteLimit ? position - kCentre : position; }

}  // namespace

void PlaceCoordinate(int64_t& value, int64_t ownExtent, int64_t parentExtent) {
  if (value > kCentredLimit) {
    value += parentExtent - kFarEdge;
  } else if (value > kAbsoluteLimit) {
    value = parentExtent / 2 - ownExtent / 2 + value - kCentre;
  } else if (value < 0) {
    value += parentExtent;
  }
}

void PlaceMargins(int64_t& position, int64_t& extent, int64_t parentExtent) {
  const int64_t offset = position > kCentredLimit ? position + parentExtent - kFarEdge : position - kCentre;
  if (offset >= 0) {
    extent += parentExtent - (2 * offset + kFarEdge);
    position = 2 * offset;
  } else {
    extent += parentExtent + 2 * offset - kFarEdge;
    position = 0;
  }
}

void ResolveAxis(const TWindow* parent, TAxis axis, bool centre, bool farEdge, int64_t& position, int64_t& extent) {
  if (centre) {
    position -= extent / 2;
  } else if (farEdge) {
    position -= extent;
  }
  if (!parent) return;
  const int64_t parentExtent = axis == TAxis::kHorizontal ? parent->GetWidth() : parent->GetHeight();
  if (extent > kCentre) {
    if (position > kAbsoluteLimit) {
      PlaceMargins(position, extent, parentExtent);
    } else {
      PlaceCoordinate(position, extent, parentExtent);
      extent += parentExtent - position - kFarEdge;
    }
  } else if (extent >= 0) {
    PlaceCoordinate(position, extent, parentExtent);
  } else {
    extent = -extent;
    if (extent <= kCentre) {
      PlaceCoordinate(position, extent, parentExtent);
      position -= extent;
    } else if (position > kAbsoluteLimit) {
      PlaceMargins(position, extent, parentExtent);
    } else {
      // A far edge reaching beyond the near one has no sound meaning; this is
      // what scripts have always got for it.
      PlaceCoordinate(position, extent, parentExtent);
      extent = position;
      position = kFarEdge - position;
    }
  }
}

void GrowEmptyParent(TWindow& parent, int64_t x, int64_t y, int64_t width, int64_t height) {
  if (IsPlainExtent(width) && parent.GetWidth() == 0) {
    parent.SetSize(ClampExtent(width + NearOffset(x)), parent.GetHeight());
  }
  if (IsPlainExtent(height) && parent.GetHeight() == 0) {
    parent.SetSize(parent.GetWidth(), ClampExtent(height + NearOffset(y)));
  }
}

int32_t ClampPosition(int64_t position) {
  return static_cast<int32_t>(std::clamp(position, -kMaxPlacedCoordinate, kMaxPlacedCoordinate));
}

int32_t ClampExtent(int64_t extent) {
  return static_cast<int32_t>(std::clamp(extent, int64_t{0}, kMaxPlacedCoordinate));
}
