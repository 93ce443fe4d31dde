#pragma once

#include <cstdint>

#include "game/rules/tower/IPieceMatchReaction.h"
#include "game/rules/tower/TCellGroup.h"

namespace GamePlay {

class TMatchFinder;

// The reaction of one match pass: when it first fires it scores the pass's
// groups through the tower's scoring model and tells the scripted tutorial
// once per matched cell. Later firings do nothing, and so does firing once
// the match finder (with its tower) is gone.
class TPieceMatchReaction final : public IPieceMatchReaction {
 public:
  TPieceMatchReaction(TMatchFinder* finder, uint32_t total, uint32_t combo, TGroupList groups)
      : mFinder(finder), mCombo(combo), mGroups(std::move(groups)), mTotal(total) {}

  void React() override;
  // The finder is going away.
  void Detach() { mFinder = nullptr; }

 private:
  TMatchFinder* mFinder;
  uint32_t mCombo;
  TGroupList mGroups;
  uint32_t mTotal;
  bool mFired = false;
};

}  // namespace GamePlay
