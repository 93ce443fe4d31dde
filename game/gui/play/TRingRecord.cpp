#include "game/gui/play/TRingRecord.h"

#include <locale>
#include <sstream>

#include "platform/text/Log.h"
#include "platform/xml/TStringTable.h"

namespace GUI {

namespace {

// Decimal floats separated by white space, up to the first text that is not
// one; a missing key's placeholder is not one, so it gives an empty list.
std::vector<float> ReadFloatList(const TStringTable& table, const char* key) {
  std::istringstream stream(table.GetString(key).CStr());
  stream.imbue(std::locale::classic());
  std::vector<float> values;
  for (float value = 0; stream >> value;) values.push_back(value);
  return values;
}

float ReadFloat(const TStringTable& table, const char* key) {
  return table.GetString(key).ToFloat();
}

}  // namespace

TRingRecord ReadRingRecord(const char* fileName) {
  TRingRecord record;
  TStringTable table;
  if (!table.Load(fileName)) {
    LogPrintf("Cannot read the ring geometry from %s", fileName);
  } else {
    record.wholeRadii = ReadFloat(table, "Whole Radii");
    record.pieceHeight = ReadFloat(table, "Piece Height");
    record.outermostPieceHeight = ReadFloat(table, "Outermost Piece Height");
    record.shadowScales = ReadFloatList(table, "Ring Shadow Scales");
    record.scalesX = ReadFloatList(table, "Ring ScalesX");
    record.scalesY = ReadFloatList(table, "Ring ScalesY");
    record.radii = ReadFloatList(table, "Ring Radius");
    record.shadowRadii = ReadFloatList(table, "Shadow Ring Radius");
  }
  if (record.radii.empty()) LogPrintf("%s gives no \"Ring Radius\": every ring has radius 0", fileName);
  return record;
}

}  // namespace GUI
