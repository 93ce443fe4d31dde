#include "game/gui/views/IVanishingSounds.h"

#include "game/gui/sound/TSoundFactory.h"

namespace GUI {

namespace {

// The sound factory is made on first use, so it is asked for only when a
// sound is due.
class TFactoryVanishingSounds final : public IVanishingSounds {
 public:
  void PlayJugFill(int32_t colour) override { TSoundFactory::Instance().PlayJugFill(colour); }
  void PlayBlockerBlocked() override { TSoundFactory::Instance().PlayBlockerBlocked(); }
};

}  // namespace

IVanishingSounds& GameVanishingSounds() {
  static TFactoryVanishingSounds sounds;
  return sounds;
}

}  // namespace GUI
