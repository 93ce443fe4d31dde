#include "platform/types/TRect.h"

#include <algorithm>

bool TRect::Contains(const TVec2& point) const {
  return point.x >= left && point.x <= right && point.y >= top && point.y <= bottom;
}

TRect TRect::Union(const TRect& a, const TRect& b) {
  return TRect(std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
               std::max(a.bottom, b.bottom));
}

TRect TRect::Intersect(const TRect& a, const TRect& b) {
  return TRect(std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
               std::min(a.bottom, b.bottom));
}
