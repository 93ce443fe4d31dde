#pragma once

#include "media/texture/TDecodedImage.h"
#include "platform/text/TString.h"

// Decodes a JPEG file, read through the file layer, into image: pixels blue,
// green, red, 255. Colour (YCbCr) and grey images are accepted; images coded
// in plain RGB, CMYK or anything else are refused. A file that ends early
// decodes what it holds, the rest reading as the end of the image, after a
// warning in the log.
//
// False, with a log line (the library's message when it gave one) and image
// left empty, on any failure.
bool DecodeJpeg(const TString& name, TDecodedImage& image);
