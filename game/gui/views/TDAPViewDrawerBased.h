#pragma once

#include <memory>
#include <utility>
#include <vector>

#include "game/gui/views/IDAPViewDrawer.h"
#include "game/gui/views/TViewGraphics.h"
#include "platform/time/TClock.h"

namespace GamePlay {
class ITowerView;
}

namespace GUI {

// An animation of a fixed duration made of phases that play one after the
// other, each for its weight's share of the duration, and of child
// animations that play at the same time. A phase is drawn with its local
// progress u, which falls from 1 at its start to 0 at its end. The clock
// runs from construction.
class TDAPViewDrawerBased : public IDAPViewDrawer {
 public:
  class IHandler {
   public:
    virtual ~IHandler() = default;
    virtual void Invoke(GamePlay::TDisappearingPiece& piece, float u, const TVec2& pos,
                        float alpha, float scaleX, float scaleY, float rotation) = 0;
  };

  // A phase drawn by a member function of the concrete drawer that owns it.
  template <class Drawer>
  class THandler final : public IHandler {
   public:
    using Member = void (Drawer::*)(GamePlay::TDisappearingPiece&, float, const TVec2&, float,
                                    float, float, float);

    THandler(Drawer* drawer, Member member) : mDrawer(drawer), mMember(member) {}

    void Invoke(GamePlay::TDisappearingPiece& piece, float u, const TVec2& pos, float alpha,
                float scaleX, float scaleY, float rotation) override {
      (mDrawer->*mMember)(piece, u, pos, alpha, scaleX, scaleY, rotation);
    }

   private:
    Drawer* mDrawer;
    Member mMember;
  };

  struct TPhase {
    float weight;
    std::unique_ptr<IHandler> handler;
  };

  void Draw(GamePlay::TDisappearingPiece& piece, const TVec2& pos, float alpha, float scaleX,
            float scaleY, float rotation) override;
  void SetCell(int32_t ring, int32_t slot) override;
  // Done once the duration has run and every child is done.
  bool IsFinished() override;

  // 1 as the drawer starts, falling to 0 at the end of its duration.
  float GetRemaining() const;
  virtual uint32_t GetDuration() const = 0;

  // A child plays alongside and is told the cell too.
  void AddChild(std::unique_ptr<IDAPViewDrawer> child);

 protected:
  // towerView is not null and outlives the drawer; graphic may be empty.
  TDAPViewDrawerBased(GamePlay::ITowerView* towerView, TViewGraphics::Graphic graphic);

  template <class Drawer>
  void AddPhase(float weight, typename THandler<Drawer>::Member member) {
    mPhases.push_back(
        {weight, std::make_unique<THandler<Drawer>>(static_cast<Drawer*>(this), member)});
  }
  std::vector<TPhase>& Phases() { return mPhases; }

  GamePlay::ITowerView* TowerView() const { return mTowerView; }
  // Empty when the drawer has no picture of its own.
  IGraphic* Graphic() const { return mGraphic.get(); }
  int32_t Ring() const { return mRing; }
  int32_t Slot() const { return mSlot; }

 private:
  GamePlay::ITowerView* mTowerView;
  TViewGraphics::Graphic mGraphic;
  TClock mClock;
  std::vector<TPhase> mPhases;
  std::vector<std::unique_ptr<IDAPViewDrawer>> mChildren;
  int32_t mRing = -1;
  int32_t mSlot = -1;
};

}  // namespace GUI
