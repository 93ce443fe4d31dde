#include "system/gfx/raster/Span.h"

namespace sys {

bool HasSimdShader() { return false; }

void ShadeSpanSimd(const DrawSetup& setup, const Span& span) { ShadeSpanPlain(setup, span); }

}  // namespace sys
