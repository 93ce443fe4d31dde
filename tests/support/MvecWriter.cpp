#include "tests/support/MvecWriter.h"

#include <cmath>

namespace {

void PutU16(std::vector<uint8_t>& out, uint16_t value) {
  out.push_back(static_cast<uint8_t>(value));
  out.push_back(static_cast<uint8_t>(value >> 8));
}

void PutU32(std::vector<uint8_t>& out, uint32_t value) {
  PutU16(out, static_cast<uint16_t>(value));
  PutU16(out, static_cast<uint16_t>(value >> 16));
}

uint16_t Units(float value) { return static_cast<uint16_t>(static_cast<int16_t>(std::lround(value * 128.0f))); }

}  // namespace

MvecProgram& MvecProgram::NewShape() { return Raw(1); }

MvecProgram& MvecProgram::Fill(uint8_t oneSide, uint8_t otherSide) { return Raw(2).Raw(oneSide).Raw(3).Raw(otherSide); }

MvecProgram& MvecProgram::MoveTo(float x, float y) {
  Raw(4);
  Coordinate(x);
  Coordinate(y);
  return *this;
}

MvecProgram& MvecProgram::LineTo(float x, float y) {
  Raw(5);
  Coordinate(x);
  Coordinate(y);
  return *this;
}

MvecProgram& MvecProgram::CurveTo(float controlX, float controlY, float x, float y) {
  Raw(6);
  for (float value : {controlX, controlY, x, y}) Coordinate(value);
  return *this;
}

MvecProgram& MvecProgram::GlyphColour(uint8_t red, uint8_t green, uint8_t blue) {
  return Raw(7).Raw(red).Raw(green).Raw(blue);
}

MvecProgram& MvecProgram::End() { return Raw(8); }

MvecProgram& MvecProgram::Raw(uint8_t byte) {
  mBytes.push_back(byte);
  return *this;
}

MvecProgram& MvecProgram::Rectangle(float left, float top, float right, float bottom) {
  return MoveTo(left, top).LineTo(right, top).LineTo(right, bottom).LineTo(left, bottom).LineTo(left, top);
}

void MvecProgram::Coordinate(float value) { PutU16(mBytes, Units(value)); }

std::vector<uint8_t> WriteMvec(const std::vector<MvecGlyph>& glyphs) {
  std::vector<uint8_t> out = {'M', 'V', 'C', '4'};
  PutU16(out, static_cast<uint16_t>(glyphs.size()));
  out.resize(12, 0);
  uint32_t program = static_cast<uint32_t>(12 + 18 * glyphs.size());
  for (const MvecGlyph& glyph : glyphs) {
    PutU32(out, glyph.code);
    for (float metric : {glyph.bearing, glyph.width, glyph.top, glyph.bottom, glyph.advance}) PutU16(out, Units(metric));
    PutU32(out, program);
    program += static_cast<uint32_t>(glyph.program.size());
  }
  for (const MvecGlyph& glyph : glyphs) out.insert(out.end(), glyph.program.begin(), glyph.program.end());
  return out;
}
