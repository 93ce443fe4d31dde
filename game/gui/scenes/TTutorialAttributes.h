#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "game/rules/control/ITutorialMsgView.h"
#include "game/rules/tower/ITowerView.h"

namespace GamePlay {
class IScriptTutorialView;
class ITowerControl;
}  // namespace GamePlay

namespace GUI::ScriptTutorial {

// What a tutorial acts on. None is owned; all outlive the tutorial.
struct TTutorialContext {
  GamePlay::ITowerView* towerView = nullptr;
  GamePlay::ITowerControl* towerControl = nullptr;
  GamePlay::ITutorialMsgView* messageView = nullptr;
  // Told when an attribute has done the step by itself.
  GamePlay::IScriptTutorialView* owner = nullptr;
};

// One thing a tutorial event does while it is current: Start when the event
// becomes current, End when it is finished. Ring and slot numbers come from
// scripts; one naming a place outside the tower is skipped with a log line.
class ITutorialAttribute : public std::enable_shared_from_this<ITutorialAttribute> {
 public:
  virtual ~ITutorialAttribute() = default;
  virtual void Start() = 0;
  virtual void End() = 0;
};

// A cell to pick out (counted from 0); (-1, -1) stands for the first big
// area bomb.
struct TTutorialHighlight {
  int32_t ring = 0;
  int32_t slot = 0;
  bool absolute = false;
};

class TTutAttrHighlights final : public ITutorialAttribute {
 public:
  TTutAttrHighlights(const TTutorialContext& context, std::vector<TTutorialHighlight> cells)
      : mContext(context), mCells(std::move(cells)) {}
  void Start() override;
  void End() override;

 private:
  TTutorialContext mContext;
  std::vector<TTutorialHighlight> mCells;
};

// Points the tower view's arrow at a piece by its identity pair.
class TTutAttrArrow final : public ITutorialAttribute {
 public:
  TTutAttrArrow(const TTutorialContext& context, int32_t ring, int32_t slot)
      : mContext(context), mRing(ring), mSlot(slot) {}
  void Start() override;
  void End() override;

 private:
  TTutorialContext mContext;
  int32_t mRing;
  int32_t mSlot;
};

// Arrows at fixed places of the screen.
class TTutAttrFixArrow final : public ITutorialAttribute {
 public:
  TTutAttrFixArrow(const TTutorialContext& context, std::vector<GamePlay::TArrow> arrows)
      : mContext(context), mArrows(std::move(arrows)) {}
  void Start() override;
  void End() override;

 private:
  TTutorialContext mContext;
  std::vector<GamePlay::TArrow> mArrows;
};

class TTutAttrDialog final : public ITutorialAttribute {
 public:
  TTutAttrDialog(const TTutorialContext& context, std::vector<GamePlay::TDialogItem> items)
      : mContext(context), mItems(std::move(items)) {}
  void Start() override;
  void End() override;

 private:
  TTutorialContext mContext;
  std::vector<GamePlay::TDialogItem> mItems;
};

// A dialog waiting for the continue button; endsLevel for the last one of
// a tutorial.
class TTutAttrModalDialog final : public ITutorialAttribute {
 public:
  TTutAttrModalDialog(const TTutorialContext& context, std::vector<GamePlay::TDialogItem> items,
                      bool endsLevel)
      : mContext(context), mItems(std::move(items)), mEndsLevel(endsLevel) {}
  void Start() override;
  void End() override;

 private:
  TTutorialContext mContext;
  std::vector<GamePlay::TDialogItem> mItems;
  bool mEndsLevel;
};

// Rings counted from 1 that refuse the player's turns.
class TTutAttrLockRing final : public ITutorialAttribute {
 public:
  TTutAttrLockRing(const TTutorialContext& context, std::vector<int32_t> rings)
      : mContext(context), mRings(std::move(rings)) {}
  void Start() override;
  void End() override;

 private:
  TTutorialContext mContext;
  std::vector<int32_t> mRings;
};

class TTutAttrOverlay final : public ITutorialAttribute {
 public:
  TTutAttrOverlay(const TTutorialContext& context, const TVec2& position, const TString& name)
      : mContext(context), mPosition(position), mName(name) {}
  void Start() override;
  void End() override;

 private:
  TTutorialContext mContext;
  TVec2 mPosition;
  TString mName;
};

// Turns a ring counted from 1 by the given steps.
class TTutAttrMoveRing final : public ITutorialAttribute {
 public:
  TTutAttrMoveRing(const TTutorialContext& context, int32_t ring, int32_t steps)
      : mContext(context), mRing(ring), mSteps(steps) {}
  void Start() override;
  void End() override {}

 private:
  TTutorialContext mContext;
  int32_t mRing;
  int32_t mSteps;
};

// Sets off the power-up at a cell counted from 1, which counts as the step
// done.
class TTutAttrExplode final : public ITutorialAttribute {
 public:
  TTutAttrExplode(const TTutorialContext& context, int32_t ring, int32_t slot)
      : mContext(context), mRing(ring), mSlot(slot) {}
  void Start() override;
  void End() override {}

 private:
  TTutorialContext mContext;
  int32_t mRing;
  int32_t mSlot;
};

class TTutAttrSetElimination final : public ITutorialAttribute {
 public:
  TTutAttrSetElimination(const TTutorialContext& context, bool on) : mContext(context), mOn(on) {}
  void Start() override;
  void End() override {}

 private:
  TTutorialContext mContext;
  bool mOn;
};

// Whether bombs go off while the event is current; they do again after it.
class TTutAttrBombActivity final : public ITutorialAttribute {
 public:
  TTutAttrBombActivity(const TTutorialContext& context, bool on) : mContext(context), mOn(on) {}
  void Start() override;
  void End() override;

 private:
  TTutorialContext mContext;
  bool mOn;
};

}  // namespace GUI::ScriptTutorial
