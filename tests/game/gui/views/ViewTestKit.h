#pragma once

#include <algorithm>
#include <cstdint>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "game/gui/effects/IGraphic.h"
#include "game/gui/effects/TGraphicRegistry.h"
#include "game/gui/views/IVanishingSounds.h"

namespace GUI {

// One draw of a recording graphic: which picture, at which frame and blend
// mode, with what arguments.
struct RecordedDraw {
  std::string name;
  uint32_t frame = 0;
  int32_t blendMode = 0;
  TVec2 pos;
  float alpha = 0;
  float scaleX = 0;
  float scaleY = 0;
  float rotation = 0;
};

// A picture that draws nothing but writes each draw into a journal it shares
// with others, under its name.
class RecordingGraphic final : public IGraphic {
 public:
  RecordingGraphic(std::string name, std::vector<RecordedDraw>* journal, uint32_t frames)
      : mName(std::move(name)), mJournal(journal), mFrames(frames) {}

  void Prepare() override {}
  bool IsPlaying() override { return false; }
  void SetPlaying(bool) override {}
  void SetLooping(bool) override {}
  bool IsLooping() override { return false; }
  void SetCrossFade(bool) override {}
  int32_t GetWidth() override { return 0; }
  int32_t GetHeight() override { return 0; }
  std::shared_ptr<TTexture> GetTexture() override { return nullptr; }
  uint32_t GetFrameCount() override { return mFrames; }
  uint32_t GetFrame() override { return mFrame; }
  uint32_t SetFrame(uint32_t index) override {
    mFrame = std::min(index, mFrames - 1);
    return mFrames;
  }
  void Draw(const TVec2& pos, float alpha, float scale, float rotation) override {
    DrawScaled(pos, alpha, scale, scale, rotation);
  }
  void DrawScaled(const TVec2& pos, float alpha, float scaleX, float scaleY,
                  float rotation) override {
    mJournal->push_back({mName, mFrame, mBlendMode, pos, alpha, scaleX, scaleY, rotation});
  }
  void DrawSlices(const TVec2&, const std::vector<TSliceAlphas>&, float) override {}
  std::shared_ptr<TTexture> GetFrameTexture() override { return nullptr; }
  void SetBlendMode(int32_t mode) override { mBlendMode = mode; }
  int32_t GetBlendMode() override { return mBlendMode; }

 private:
  std::string mName;
  std::vector<RecordedDraw>* mJournal;
  uint32_t mFrames;
  uint32_t mFrame = 0;
  int32_t mBlendMode = 0;
};

// The vanishing pieces' sounds, written down as "Jug Fill 2" and
// "Blocker Blocked".
class RecordingVanishingSounds final : public IVanishingSounds {
 public:
  void PlayJugFill(int32_t colour) override { played.push_back("Jug Fill " + std::to_string(colour)); }
  void PlayBlockerBlocked() override { played.push_back("Blocker Blocked"); }

  std::vector<std::string> played;
};

// The frames of the views' animations as the game's pictures have them.
constexpr uint32_t kKitCrackFrames = 12;
constexpr uint32_t kKitCounterFrames = 10;

// Every picture the view factory looks up, held in the registry as a
// recording graphic under its name.
inline void HoldRecordingPictures(TGraphicRegistry& registry, std::vector<RecordedDraw>* journal) {
  const std::vector<std::pair<std::string, uint32_t>> pictures = {
      {"sprites/piece-spark-a8", 1},
      {"sprites/blockers/piece-block12", 1},
      {"sprites/blockers/piece-blockers-darken", 1},
      {"sprites/blockers/piece-blockers-alert", 1},
      {"sprites/piece-edge-glow", 1},
      {"sprites/blockers/breaks-%d", 1},
      {"sprites/piece-grow12", 1},
      {"sprites/enery-filling-%d", 1},
      {"sprites/piece-powerup-cbomb-%d", 1},
      {"sprites/piece-powerup-rbomb-%d", 1},
      {"sprites/piece-powerup-abomb-%d", 1},
      {"sprites/piece-powerup-clbomb-%d", 1},
      {"sprites/piece-powerup-ccbomb-%d", 1},
      {"sprites/piece-lock", 1},
      {"sprites/piece-gear", 1},
      {"sprites/piece-lock-glow", 1},
      {"sprites/piece-gear-glow", 1},
      {"sprites/blockers/counter/piece-blockers-ani", kKitCrackFrames},
      {"sprites/piece-counter-%d", kKitCounterFrames},
      {"sprites/piece-white", 1},
      {"sprites/abomb-exp", 1}};
  for (const auto& [name, frames] : pictures) {
    registry.Register(name.c_str(), std::make_shared<RecordingGraphic>(name, journal, frames));
  }
  for (const char* colour : {"blu", "grn", "ind", "org", "pur", "red"}) {
    for (const std::string& name : {"sprites/piece-" + std::string(colour) + "-%d",
                                    "sprites/piece-spark-" + std::string(colour),
                                    "sprites/areabomb-exp-" + std::string(colour)}) {
      registry.Register(name.c_str(), std::make_shared<RecordingGraphic>(name, journal, 1));
    }
  }
}

// The names of the pictures drawn, in order.
inline std::vector<std::string> DrawnNames(const std::vector<RecordedDraw>& journal) {
  std::vector<std::string> names;
  for (const RecordedDraw& draw : journal) names.push_back(draw.name);
  return names;
}

}  // namespace GUI
