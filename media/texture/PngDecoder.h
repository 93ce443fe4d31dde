#pragma once

#include "media/texture/TDecodedImage.h"
#include "platform/text/TString.h"

// Decodes a PNG file, read through the file layer, into image. Pixels come as
// blue, green, red, alpha: 16-bit samples are cut to 8 bits, palettes and
// grey expanded, a transparency chunk becomes alpha, a missing alpha is 255,
// and a gAMA chunk is corrected for a screen gamma of 2.2.
//
// With wantIndices set, an 8-bit palette image gives one palette index per
// pixel instead, and any other image fails. An image with a palette brings
// it in image.palette: its colours, alpha from the transparency chunk (else
// 255), and zero colours with alpha 255 past its last entry. When
// paletteName names a RIFF palette file, its colours replace the image's own
// palette colours in order, before anything is decoded.
//
// False, with a log line and image left empty, on any failure.
bool DecodePng(const TString& name, const TString& paletteName, bool wantIndices, TDecodedImage& image);
