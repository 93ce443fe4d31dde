#pragma once

#include <memory>

namespace GamePlay {

// What a match pass leaves behind: it scores the match and tells the
// scripted tutorial when it fires, which it does once however often it is
// asked to.
class IPieceMatchReaction {
 public:
  virtual ~IPieceMatchReaction() = default;
  virtual void React() = 0;
};

using TMatchReactionPtr = std::shared_ptr<IPieceMatchReaction>;

}  // namespace GamePlay
