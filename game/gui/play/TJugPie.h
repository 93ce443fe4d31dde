#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "platform/types/TVec2.h"

namespace GamePlay {
class IPieceJugModel;
}

namespace GUI {

class IGraphic;
class TGraphicRegistry;

// The pictures of the jug pie: per jug colour 0 to 5 a frame animation of
// its slice and of its arrow, the line between runs of jugs and the dark
// slice under an unfilled jug's arrow. Any may be missing.
struct TJugPieGraphics {
  std::vector<std::shared_ptr<IGraphic>> slices;
  std::vector<std::shared_ptr<IGraphic>> arrows;
  std::shared_ptr<IGraphic> separator;
  std::shared_ptr<IGraphic> darkSlice;

  static TJugPieGraphics Find(TGraphicRegistry& registry);
};

// The jugs in the centre of the tower, drawn from the scoring model's jug
// model; a level without jugs leaves the model null. Each jug is a slice of
// the pie at its own angle: an unfilled jug shows its arrow over a dark
// slice and its coloured slice grown with its fill, a full one nothing, and
// lines part the runs of jugs while some jug is still unfilled.
class TJugPie {
 public:
  TJugPie(TJugPieGraphics graphics, const TVec2& centre);

  void SetJugModel(GamePlay::IPieceJugModel* jugs) { mJugs = jugs; }
  // The jug's fill scaled to 70 for a full jug; 0 without jugs and for an
  // index outside them.
  float GetFill(int32_t jug) const;

  // One frame, inside 2D drawing. An overfilled jug (its fill between 1 and
  // 2, while its colour empties) rises further each frame.
  void Draw(bool levelEnded);

 private:
  float JugAngle(uint32_t jug, uint32_t count) const;
  void Overfill(uint32_t count);
  void DrawArrow(uint32_t jug, uint32_t count);
  // Whether a slice was drawn.
  bool DrawSlice(uint32_t jug, uint32_t count);
  void DrawSeparators(uint32_t count);
  // The picture of the jug's colour from the list; the jug of any colour
  // takes the first, an unknown colour none.
  static IGraphic* ForColour(const std::vector<std::shared_ptr<IGraphic>>& list, int32_t colour);

  TJugPieGraphics mGraphics;
  TVec2 mCentre;
  GamePlay::IPieceJugModel* mJugs = nullptr;
  // Per jug, sized with the jugs: how far its slice and its arrow have run.
  std::vector<float> mSlicePhases;
  std::vector<float> mArrowPhases;
};

}  // namespace GUI
