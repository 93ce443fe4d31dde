#include "game/gui/play/TJugPie.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "game/gui/effects/IGraphic.h"
#include "game/gui/effects/TGraphicRegistry.h"
#include "game/rules/tower/IPieceJugModel.h"
#include "game/rules/tower/ITowerView.h"
#include "platform/text/TString.h"

namespace GUI {

namespace {

constexpr float kFullJugFill = 70.0f;
constexpr float kPhaseStep = 0.01f;
constexpr float kPhaseEnd = 2.0f;
constexpr float kOverfillStep = 0.01f;
constexpr float kOverfillEnd = 2.0f;
constexpr float kSmallestSliceScale = 0.18f;
constexpr const char* kJugColourNames[] = {"blu", "grn", "ind", "org", "pur", "red"};

bool IsFull(float fill) { return fill >= 1.0f; }

// A phase runs up to its end and starts again.
float Advanced(float phase) {
  phase += kPhaseStep;
  return phase > kPhaseEnd ? 0.0f : phase;
}

}  // namespace

TJugPieGraphics TJugPieGraphics::Find(TGraphicRegistry& registry) {
  TJugPieGraphics graphics;
  for (const char* colour : kJugColourNames) {
    graphics.slices.push_back(registry.GetGraphic(TString::Format("sprites/jugs/center-color-%s-%%d", colour)));
  }
  for (const char* colour : kJugColourNames) {
    graphics.arrows.push_back(registry.GetGraphic(TString::Format("sprites/jugs/center-arrow-%s-%%d", colour)));
  }
  graphics.separator = registry.GetGraphic("sprites/jugs/piece-line");
  graphics.darkSlice = registry.GetGraphic("sprites/jugs/center-color-black");
  return graphics;
}

TJugPie::TJugPie(TJugPieGraphics graphics, const TVec2& centre) : mGraphics(std::move(graphics)), mCentre(centre) {}

float TJugPie::GetFill(int32_t jug) const {
  if (!mJugs || jug < 0 || static_cast<uint32_t>(jug) >= mJugs->GetJugCount()) return 0.0f;
  return mJugs->GetFill(jug) * kFullJugFill;
}

IGraphic* TJugPie::ForColour(const std::vector<std::shared_ptr<IGraphic>>& list, int32_t colour) {
  if (colour == GamePlay::IPieceJugModel::kAnyColour) colour = 0;
  if (colour < 0 || colour >= static_cast<int32_t>(list.size())) return nullptr;
  return list[colour].get();
}

float TJugPie::JugAngle(uint32_t jug, uint32_t count) const {
  return static_cast<float>(jug) * GamePlay::kFullTurn / static_cast<float>(count);
}

void TJugPie::Draw(bool levelEnded) {
  const uint32_t count = mJugs ? mJugs->GetJugCount() : 0;
  if (count == 0) return;
  mSlicePhases.resize(count, 0.0f);
  mArrowPhases.resize(count, 0.0f);
  Overfill(count);
  for (uint32_t jug = 0; jug < count; ++jug) DrawArrow(jug, count);
  bool sliceDrawn = false;
  for (uint32_t jug = 0; jug < count; ++jug) sliceDrawn = DrawSlice(jug, count) || sliceDrawn;
  if (sliceDrawn && !levelEnded) DrawSeparators(count);
}

// A jug model may count no jug linked to a jug: it counts as one.
void TJugPie::Overfill(uint32_t count) {
  for (uint32_t jug = 0; jug < count; ++jug) {
    const int32_t index = static_cast<int32_t>(jug);
    const float fill = mJugs->GetFill(index);
    if (!IsFull(fill) || fill >= kOverfillEnd) continue;
    const uint32_t linked = std::max(mJugs->GetLinkedCount(index), 1u);
    mJugs->SetFill(index, fill + kOverfillStep / static_cast<float>(linked));
  }
}

void TJugPie::DrawArrow(uint32_t jug, uint32_t count) {
  const int32_t index = static_cast<int32_t>(jug);
  const int32_t colour = mJugs->GetColour(index);
  if (colour == GamePlay::IPieceJugModel::kNoJug) return;
  mArrowPhases[jug] = Advanced(mArrowPhases[jug]);
  const float fill = mJugs->GetFill(index);
  if (IsFull(fill)) return;
  const float angle = JugAngle(jug, count);
  if (mGraphics.darkSlice) mGraphics.darkSlice->Draw(mCentre, 1.0f, 1.0f, angle);
  if (IGraphic* arrow = ForColour(mGraphics.arrows, colour)) {
    arrow->SetFrame(static_cast<uint32_t>(mArrowPhases[jug]));
    arrow->Draw(mCentre, 1.0f - fill, 1.0f, angle);
  }
}

bool TJugPie::DrawSlice(uint32_t jug, uint32_t count) {
  const int32_t index = static_cast<int32_t>(jug);
  const int32_t colour = mJugs->GetColour(index);
  if (colour == GamePlay::IPieceJugModel::kNoJug) return false;
  mSlicePhases[jug] = Advanced(mSlicePhases[jug]);
  const float fill = mJugs->GetFill(index);
  IGraphic* slice = ForColour(mGraphics.slices, colour);
  if (IsFull(fill) || !slice) return false;
  const float whole = std::floor(mSlicePhases[jug]);
  const uint32_t frame = static_cast<uint32_t>(whole);
  const float blend = mSlicePhases[jug] - whole;
  const float scale = kSmallestSliceScale + (1.0f - kSmallestSliceScale) * fill;
  const float angle = JugAngle(jug, count);
  const uint32_t frames = std::max(slice->GetFrameCount(), 1u);
  slice->SetFrame(frame);
  slice->Draw(mCentre, 1.0f, scale, angle);
  slice->SetFrame((frame + 1) % frames);
  slice->Draw(mCentre, blend, scale, angle);
  slice->SetBlendMode(0);
  return true;
}

// A line at the first jug of every run, except between two full runs.
void TJugPie::DrawSeparators(uint32_t count) {
  const std::vector<uint32_t> starts = mJugs->GetGroupStarts();
  if (starts.size() < 2 || !mGraphics.separator) return;
  for (size_t k = 0; k < starts.size(); ++k) {
    const uint32_t jug = starts[k];
    const uint32_t before = starts[(k + starts.size() - 1) % starts.size()];
    if (jug >= count) continue;
    if (IsFull(mJugs->GetFill(static_cast<int32_t>(jug))) && IsFull(mJugs->GetFill(static_cast<int32_t>(before)))) {
      continue;
    }
    mGraphics.separator->Draw(mCentre, 1.0f, 1.0f, JugAngle(jug, count));
  }
}

}  // namespace GUI
