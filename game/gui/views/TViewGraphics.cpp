#include "game/gui/views/TViewGraphics.h"

#include "game/gui/effects/TGraphicRegistry.h"

namespace GUI {

namespace {

// The colour names in the order of the piece colours.
constexpr const char* kViewColourSuffixes[TViewGraphics::kColours] = {"blu", "grn", "ind",
                                                                      "org", "pur", "red"};

// prefix + colour + suffix for every colour, e.g. "sprites/piece-" "blu" "-%d".
TViewGraphics::ByColour FetchByColour(TGraphicRegistry& registry, const char* prefix,
                                      const char* suffix) {
  TViewGraphics::ByColour graphics;
  for (size_t colour = 0; colour < TViewGraphics::kColours; ++colour) {
    graphics[colour] =
        registry.GetGraphic(TString(prefix) + kViewColourSuffixes[colour] + suffix);
  }
  return graphics;
}

}  // namespace

TViewGraphics TViewGraphics::Fetch(TGraphicRegistry& registry) {
  TViewGraphics g;
  g.pieces = FetchByColour(registry, "sprites/piece-", "-%d");
  g.spark = registry.GetGraphic("sprites/piece-spark-a8");
  g.block = registry.GetGraphic("sprites/blockers/piece-block12");
  g.darken = registry.GetGraphic("sprites/blockers/piece-blockers-darken");
  g.alert = registry.GetGraphic("sprites/blockers/piece-blockers-alert");
  g.sparkByColour = FetchByColour(registry, "sprites/piece-spark-", "");
  g.areaBombByColour = FetchByColour(registry, "sprites/areabomb-exp-", "");
  g.edgeGlow = registry.GetGraphic("sprites/piece-edge-glow");
  g.breaks = registry.GetGraphic("sprites/blockers/breaks-%d");
  g.grow = registry.GetGraphic("sprites/piece-grow12");
  g.filling = registry.GetGraphic("sprites/enery-filling-%d");
  g.colourBomb = registry.GetGraphic("sprites/piece-powerup-cbomb-%d");
  g.ringBomb = registry.GetGraphic("sprites/piece-powerup-rbomb-%d");
  g.areaBomb = registry.GetGraphic("sprites/piece-powerup-abomb-%d");
  g.clBomb = registry.GetGraphic("sprites/piece-powerup-clbomb-%d");
  g.changeColour = registry.GetGraphic("sprites/piece-powerup-ccbomb-%d");
  g.lock = registry.GetGraphic("sprites/piece-lock");
  g.gear = registry.GetGraphic("sprites/piece-gear");
  g.lockGlow = registry.GetGraphic("sprites/piece-lock-glow");
  g.gearGlow = registry.GetGraphic("sprites/piece-gear-glow");
  g.blockerAnim = registry.GetGraphic("sprites/blockers/counter/piece-blockers-ani");
  g.counter = registry.GetGraphic("sprites/piece-counter-%d");
  g.white = registry.GetGraphic("sprites/piece-white");
  g.bombBlast = registry.GetGraphic("sprites/abomb-exp");
  g.orangeBlast = registry.GetGraphic("sprites/areabomb-exp-org");
  g.dialog = registry.GetGraphic("backgrounds/longdialog");
  return g;
}

}  // namespace GUI
