#pragma once

#include <string>
#include <utility>
#include <vector>

// The pictures the game asks for, by logical name (without ".png"): the six
// piece colours, in colour index order, and the names of every picture the
// play views and screens draw.
extern const char* const kPieceColours[6];
std::vector<std::string> PicturesTheViewsName();

// A name with brace lists and ranges spelled out, in order:
// "a-{x,y}-{1..3}" gives a-x-1, a-x-2, a-x-3, a-y-1, ...
std::vector<std::string> SpellOut(const std::string& pattern);

// One action of the graphics registry's preload list: the key it registers
// under and every image it loads (frames, then the alpha images).
struct PreloadFetch {
  std::string key;
  std::vector<std::string> images;
};
std::vector<PreloadFetch> PreloadFetches();

// Pictures loaded with a separate alpha image, as (picture, mask).
std::vector<std::pair<std::string, std::string>> MaskedPictures();
