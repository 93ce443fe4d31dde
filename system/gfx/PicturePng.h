#pragma once

#include <string>

#include "system/window/Picture.h"

namespace sys::gfx {

// Writes the picture as an 8-bit RGB PNG file; false with a log line when
// the picture is empty or the file cannot be written.
bool WritePicturePng(const Picture& picture, const std::string& path);

}  // namespace sys::gfx
