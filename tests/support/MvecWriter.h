#pragma once

#include <cstdint>
#include <vector>

// Outline programs and "MVC4" font images for tests. Coordinates and
// metrics are in font units, stored in the file's 1/128 units.
class MvecProgram {
 public:
  MvecProgram& NewShape();
  // The fill colours on the two sides of the edges that follow.
  MvecProgram& Fill(uint8_t oneSide, uint8_t otherSide);
  MvecProgram& MoveTo(float x, float y);
  MvecProgram& LineTo(float x, float y);
  MvecProgram& CurveTo(float controlX, float controlY, float x, float y);
  MvecProgram& GlyphColour(uint8_t red, uint8_t green, uint8_t blue);
  MvecProgram& End();
  // Any byte, for malformed programs.
  MvecProgram& Raw(uint8_t byte);
  // A closed path round the rectangle, clockwise on the target.
  MvecProgram& Rectangle(float left, float top, float right, float bottom);

  const std::vector<uint8_t>& Bytes() const { return mBytes; }

 private:
  void Coordinate(float value);

  std::vector<uint8_t> mBytes;
};

struct MvecGlyph {
  uint32_t code = 0;
  float bearing = 0, width = 0, top = 0, bottom = 0, advance = 0;
  std::vector<uint8_t> program;
};

// Header, then the records in the order given, then the programs.
std::vector<uint8_t> WriteMvec(const std::vector<MvecGlyph>& glyphs);
