#include "tools/mvec/MvecConverter.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BBOX_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <memory>

namespace {

enum Opcode : uint8_t { kNewShape = 1, kOneSide = 2, kOtherSide = 3, kMoveTo = 4, kLineTo = 5, kCurveTo = 6, kEnd = 8 };
constexpr int32_t kCoordinateLimit = 32767;

struct Point {
  long x, y;
};

// One contour as FreeType hands it: a start, then lines and quadratic curves.
struct Segment {
  bool curve;
  Point control, to;
};
struct Contour {
  Point start;
  std::vector<Segment> segments;
  std::vector<Point> polygon;  // the points in order, for containment tests
};

struct Glyph {
  uint32_t code = 0;
  long bearing = 0, width = 0, top = 0, bottom = 0, advance = 0;
  std::vector<Contour> contours;
};

struct Decomposition {
  std::vector<Contour> contours;
  bool cubic = false;
};

Point ToPoint(const FT_Vector* vector) { return {vector->x, vector->y}; }

int MoveTo(const FT_Vector* to, void* user) {
  auto& contours = static_cast<Decomposition*>(user)->contours;
  contours.push_back({ToPoint(to), {}, {ToPoint(to)}});
  return 0;
}

int LineTo(const FT_Vector* to, void* user) {
  Contour& contour = static_cast<Decomposition*>(user)->contours.back();
  contour.segments.push_back({false, {}, ToPoint(to)});
  contour.polygon.push_back(ToPoint(to));
  return 0;
}

int ConicTo(const FT_Vector* control, const FT_Vector* to, void* user) {
  Contour& contour = static_cast<Decomposition*>(user)->contours.back();
  contour.segments.push_back({true, ToPoint(control), ToPoint(to)});
  contour.polygon.push_back(ToPoint(control));
  contour.polygon.push_back(ToPoint(to));
  return 0;
}

int CubicTo(const FT_Vector*, const FT_Vector*, const FT_Vector*, void* user) {
  static_cast<Decomposition*>(user)->cubic = true;
  return 1;
}

// Even-odd test of the point against the polygon.
bool Inside(const Point& point, const std::vector<Point>& polygon) {
  bool inside = false;
  for (size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
    const Point& a = polygon[i];
    const Point& b = polygon[j];
    if ((a.y > point.y) == (b.y > point.y)) continue;
    const double crossX = a.x + static_cast<double>(point.y - a.y) * (b.x - a.x) / (b.y - a.y);
    if (point.x < crossX) inside = !inside;
  }
  return inside;
}

// The contours that hold each contour, innermost last: a contour inside an
// even number of others is an outer one, the others are holes of the
// innermost contour holding them.
std::vector<std::vector<size_t>> Shapes(const std::vector<Contour>& contours) {
  const size_t count = contours.size();
  std::vector<std::vector<size_t>> holders(count);
  for (size_t i = 0; i < count; ++i) {
    for (size_t j = 0; j < count; ++j) {
      if (i != j && Inside(contours[i].start, contours[j].polygon)) holders[i].push_back(j);
    }
  }
  std::vector<std::vector<size_t>> shapes;
  std::vector<int64_t> shapeOf(count, -1);
  for (size_t i = 0; i < count; ++i) {
    if (holders[i].size() % 2 != 0) continue;
    shapeOf[i] = static_cast<int64_t>(shapes.size());
    shapes.push_back({i});
  }
  for (size_t i = 0; i < count; ++i) {
    if (holders[i].size() % 2 == 0) continue;
    // The innermost holder is the one held by all the others.
    const size_t innermost = *std::max_element(holders[i].begin(), holders[i].end(), [&](size_t a, size_t b) {
      return holders[a].size() < holders[b].size();
    });
    if (shapeOf[innermost] >= 0) shapes[shapeOf[innermost]].push_back(i);
  }
  return shapes;
}

class Writer {
 public:
  explicit Writer(double scale) : mScale(scale) {}

  void U8(std::vector<uint8_t>& out, uint8_t value) const { out.push_back(value); }
  void U16(std::vector<uint8_t>& out, uint16_t value) const {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
  }
  void U32(std::vector<uint8_t>& out, uint32_t value) const {
    U16(out, static_cast<uint16_t>(value));
    U16(out, static_cast<uint16_t>(value >> 16));
  }
  void Units(std::vector<uint8_t>& out, long value) const {
    U16(out, static_cast<uint16_t>(static_cast<int16_t>(std::lround(value * mScale))));
  }
  // Font y grows upwards, the program's downwards.
  void At(std::vector<uint8_t>& out, const Point& point) const {
    Units(out, point.x);
    Units(out, -point.y);
  }

  std::vector<uint8_t> Program(const Glyph& glyph) const {
    std::vector<uint8_t> out;
    for (const std::vector<size_t>& shape : Shapes(glyph.contours)) {
      U8(out, kNewShape);
      U8(out, kOneSide), U8(out, 1), U8(out, kOtherSide), U8(out, 1);
      for (size_t index : shape) {
        const Contour& contour = glyph.contours[index];
        U8(out, kMoveTo), At(out, contour.start);
        for (const Segment& segment : contour.segments) {
          U8(out, segment.curve ? kCurveTo : kLineTo);
          if (segment.curve) At(out, segment.control);
          At(out, segment.to);
        }
      }
    }
    U8(out, kEnd);
    return out;
  }

 private:
  double mScale;
};

struct FreeTypeLibrary {
  FT_Library library = nullptr;
  FT_Face face = nullptr;
  ~FreeTypeLibrary() {
    if (face) FT_Done_Face(face);
    if (library) FT_Done_FreeType(library);
  }
};

bool ReadGlyph(FT_Face face, uint32_t code, Glyph& glyph, std::string& error) {
  glyph.code = code;
  const FT_UInt index = FT_Get_Char_Index(face, code);
  if (FT_Load_Glyph(face, index, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP) != 0 ||
      face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) {
    error = "glyph " + std::to_string(code) + " has no outline";
    return false;
  }
  FT_Outline& outline = face->glyph->outline;
  glyph.advance = face->glyph->advance.x;
  static const FT_Outline_Funcs kFuncs = {MoveTo, LineTo, ConicTo, CubicTo, 0, 0};
  Decomposition decomposition;
  if (FT_Outline_Decompose(&outline, &kFuncs, &decomposition) != 0 || decomposition.cubic) {
    error = decomposition.cubic ? "glyph " + std::to_string(code) + " has a cubic outline" : "outline unreadable";
    return false;
  }
  glyph.contours = std::move(decomposition.contours);
  if (outline.n_points > 0) {
    FT_BBox box;
    FT_Outline_Get_BBox(&outline, &box);
    glyph.bearing = box.xMin;
    glyph.width = box.xMax;
    glyph.top = -box.yMax;
    glyph.bottom = -box.yMin;
  }
  return true;
}

long LargestMagnitude(const std::vector<Glyph>& glyphs) {
  long largest = 0;
  auto see = [&](long value) { largest = std::max(largest, std::labs(value)); };
  for (const Glyph& glyph : glyphs) {
    for (long metric : {glyph.bearing, glyph.width, glyph.top, glyph.bottom, glyph.advance}) see(metric);
    for (const Contour& contour : glyph.contours) {
      for (const Point& point : contour.polygon) see(point.x), see(point.y);
    }
  }
  return largest;
}

}  // namespace

std::vector<uint32_t> GameFontCodes() {
  std::vector<uint32_t> codes;
  for (uint32_t code = 0x20; code <= 0x7E; ++code) codes.push_back(code);
  for (uint32_t code = 0xA0; code <= 0x17F; ++code) codes.push_back(code);
  // En and em dash, the quotes, the ellipsis, single guillemets, the euro.
  for (uint32_t code : {0x2013, 0x2014, 0x2018, 0x2019, 0x201A, 0x201C, 0x201D, 0x201E, 0x2026, 0x2039, 0x203A,
                        0x20AC}) {
    codes.push_back(code);
  }
  return codes;
}

bool ConvertToMvec(const std::string& fontPath, const std::vector<uint32_t>& codes, std::vector<uint8_t>& out,
                   std::string& error) {
  FreeTypeLibrary freeType;
  if (FT_Init_FreeType(&freeType.library) != 0 || FT_New_Face(freeType.library, fontPath.c_str(), 0, &freeType.face) != 0) {
    error = "cannot open " + fontPath;
    return false;
  }
  std::vector<Glyph> glyphs;
  for (uint32_t code : codes) {
    if (FT_Get_Char_Index(freeType.face, code) == 0) continue;
    Glyph& glyph = glyphs.emplace_back();
    if (!ReadGlyph(freeType.face, code, glyph, error)) return false;
  }
  std::sort(glyphs.begin(), glyphs.end(), [](const Glyph& a, const Glyph& b) { return a.code < b.code; });
  if (std::none_of(glyphs.begin(), glyphs.end(), [](const Glyph& glyph) { return glyph.code == 'W'; })) {
    error = "the font has no 'W'";
    return false;
  }
  const long largest = LargestMagnitude(glyphs);
  const Writer writer(largest > kCoordinateLimit ? static_cast<double>(kCoordinateLimit) / largest : 1.0);

  out = {'M', 'V', 'C', '4'};
  writer.U16(out, static_cast<uint16_t>(glyphs.size()));
  out.resize(12, 0);
  std::vector<std::vector<uint8_t>> programs;
  for (const Glyph& glyph : glyphs) programs.push_back(writer.Program(glyph));
  uint32_t programAt = static_cast<uint32_t>(12 + 18 * glyphs.size());
  for (size_t i = 0; i < glyphs.size(); ++i) {
    const Glyph& glyph = glyphs[i];
    writer.U32(out, glyph.code);
    for (long metric : {glyph.bearing, glyph.width, glyph.top, glyph.bottom, glyph.advance}) writer.Units(out, metric);
    writer.U32(out, programAt);
    programAt += static_cast<uint32_t>(programs[i].size());
  }
  for (const std::vector<uint8_t>& program : programs) out.insert(out.end(), program.begin(), program.end());
  return true;
}
