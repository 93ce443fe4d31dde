#pragma once

#include <array>
#include <memory>

#include "game/gui/effects/IGraphic.h"

namespace GUI {

class TGraphicRegistry;

// Every picture that the piece views, power-up views and the tutorial box
// draw, fetched from the graphics registry once per level and shared by the
// views. The per-colour lists are indexed by the piece colour (0 blue,
// 1 green, 2 indigo, 3 orange, 4 purple, 5 red). A picture the registry does
// not hold is empty and draws nothing.
struct TViewGraphics {
  static constexpr size_t kColours = 6;
  using Graphic = std::shared_ptr<IGraphic>;
  using ByColour = std::array<Graphic, kColours>;

  // Looks every picture up by name, in the order of the members.
  static TViewGraphics Fetch(TGraphicRegistry& registry);

  ByColour pieces;
  Graphic spark;
  Graphic block;
  Graphic darken;
  Graphic alert;
  ByColour sparkByColour;
  ByColour areaBombByColour;
  Graphic edgeGlow;
  Graphic breaks;  // the blast of a breaking blocker
  Graphic grow;
  Graphic filling;
  Graphic colourBomb;
  Graphic ringBomb;
  Graphic areaBomb;
  Graphic clBomb;
  Graphic timeBomb;  // the time bomb has no picture of its own: always empty
  Graphic changeColour;
  Graphic lock;
  Graphic gear;
  Graphic lockGlow;
  Graphic gearGlow;
  Graphic blockerAnim;
  Graphic counter;
  Graphic white;
  Graphic bombBlast;
  Graphic orangeBlast;
  Graphic dialog;
};

}  // namespace GUI
