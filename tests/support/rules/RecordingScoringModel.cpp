#include "tests/support/rules/RecordingScoringModel.h"

std::string DescribeGroups(const GamePlay::TGroupList& groups) {
  std::string text;
  for (const GamePlay::TCellGroup& group : groups) {
    text += text.empty() ? "{" : " {";
    for (const GamePlay::TCell& cell : group) {
      if (text.back() != '{') text += ", ";
      text += std::to_string(cell.ring) + " " + std::to_string(cell.slot);
    }
    text += "}";
  }
  return text;
}

std::vector<std::string> RecordingScoringModel::Named(const std::string& name) const {
  std::vector<std::string> named;
  for (const std::string& event : events) {
    if (event.rfind(name, 0) == 0) named.push_back(event);
  }
  return named;
}

void RecordingScoringModel::NoteMatch(const char* name, int32_t total, int32_t combo,
                                      const GamePlay::TGroupList& groups) {
  Note(std::string(name) + " " + std::to_string(total) + " " + std::to_string(combo) + " " +
       DescribeGroups(groups));
}

bool RecordingScoringModel::ScoreBombedPiece(int32_t ring, int32_t slot, int32_t count, bool&) {
  Note("ScoreBombedPiece " + std::to_string(ring) + " " + std::to_string(slot) + " " +
       std::to_string(count));
  return false;
}
