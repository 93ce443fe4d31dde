#include "game/gui/sound/TSoundFactory.h"

#include "game/gui/sound/TLoopMusic.h"
#include "game/gui/sound/TMusicBank.h"
#include "media/sound/TSound.h"
#include "media/sound/TSoundManager.h"
#include "platform/TPlatform.h"
#include "platform/xml/TStringTable.h"
#include "windows/core/TWindowManager.h"
#include "windows/script/LuaBinding.h"
#include "windows/script/TWindowScript.h"

namespace GUI {
namespace {

constexpr const char* kSoundFolder = "music/";
constexpr const char* kClickKey = "Click Sound";
constexpr const char* kGearKey = "Gear Rotating";
constexpr const char* kAlmostTimeOutKey = "Almost Time Out";
constexpr int32_t kJugColours = 6;
constexpr int32_t kWhiteJug = 9;

// The events in the order their sounds load: key, then the string-table
// label that names the file. The jugs of colours 1 to 6 load after
// "Expert Banner", with keys that are their labels.
struct TSoundEventName {
  const char* key;
  const char* label;
};
constexpr TSoundEventName kEventsBeforeJugs[] = {
    {"Click Sound", "Click Sound"},
    {"Ring Rotate Sound", "Ring Rotate Sound"},
    {"Ring Snap Sound", "Ring Snap Sound"},
    {"Piece Fall Sound", "Piece Fall Sound"},
    {"Warning Sound", "Warning Sound"},
    {"Small Bomb", "Small Bomb Sound"},
    {"Big Bomb", "Big Bomb Sound"},
    {"Ring Bomb", "Ring Bomb Sound"},
    {"Color Change", "Color Change Bomb Sound"},
    {"Time Bomb", "Time Bomb Sound"},
    {"PowerUp Creation", "PowerUp Creation Sound"},
    {"Blocker Turn", "Blocker Turn Sound"},
    {"Blocker Break", "Blocker Break Sound"},
    {"Blocker Broken", "Blocker Broken Sound"},
    {"Blocker Blocked", "Blocker Blocked Sound"},
    {"Expert Banner", "Expert Banner Sound"},
};
constexpr TSoundEventName kEventsAfterJugs[] = {
    {"Jug Fill White", "Jug Fill White"},
    {"Jug Full", "Jug Full Sound"},
    {"Gear Rotating", "Gear Rotating Sound"},
    {"Gear Explode", "Gear Explode Sound"},
    {"Lock Explode", "Lock Explode Sound"},
    {"Metamap Zoom In", "Metamap Zoom In"},
    {"Metamap Zoom Out", "Metamap Zoom Out"},
    {"Match 3", "Match3 Sound"},
    {"Match 4", "Match4 Sound"},
    {"Match 5", "Match5 Sound"},
    {"Almost Time Out", "Almost Time Out Sound"},
    {"Fire Quote", "Fire Quote Sound"},
    {"Expert Transition", "Expert Transition Sound"},
};

// Null without a platform or without sound.
TSoundManager* SoundManager() {
  TPlatform* platform = TPlatform::Instance();
  return platform ? platform->GetSoundManager() : nullptr;
}

// The text of a label of the game's string table; without a table, every
// label is missing.
TString GameText(const char* label) {
  TPlatform* platform = TPlatform::Instance();
  TStringTable* table = platform ? platform->GetStringTable() : nullptr;
  return table ? table->GetString(label) : TString(TStringTable::kMissing);
}

bool HasStringTable() {
  TPlatform* platform = TPlatform::Instance();
  return platform && platform->GetStringTable();
}

std::shared_ptr<TSound> LoadEffect(const char* label) {
  return TSound::Get(TString(kSoundFolder) + GameText(label), true, TSoundFactory::kEffectsGroup);
}

}  // namespace

TSoundFactory& TSoundFactory::Instance() {
  static TSoundFactory factory;
  return factory;
}

TSoundFactory::TSoundFactory() {
  RegisterScriptFunctions();
  LoadSounds();
}

TSoundFactory::~TSoundFactory() { ReleaseSounds(); }

void TSoundFactory::RegisterScriptFunctions() {
  TPlatform* platform = TPlatform::Instance();
  TWindowManager* manager = platform ? platform->GetWindowManager() : nullptr;
  TWindowScript* script = manager ? manager->GetScript() : nullptr;
  if (!script) return;
  BindMethod(script->GetState(), "PlayClickSound", this, &TSoundFactory::PlayClickSound);
  BindMethod(script->GetState(), "PlayMainmenuBackground", this, &TSoundFactory::PlayMainmenuBackground);
}

void TSoundFactory::LoadSounds() {
  mBackgroundRate = GameText("Rate of Background Sound").ToFloat();
  mClick = LoadEffect("Click Sound");
  mUnlock = LoadEffect("Unlock Zen Mode");
  mWorldComplete = LoadEffect("Complete World Effect");
  mWorldCompleteFlash = LoadEffect("Complete World Flash Effect");
  mChangeWorld = LoadEffect("Change World Effect");
  for (const TSoundEventName& event : kEventsBeforeJugs) LoadEvent(event.key, event.label);
  for (int32_t jug = 1; jug <= kJugColours; ++jug) {
    const TString name = TString::Format("Jug Fill %d", jug);
    LoadEvent(name, name);
  }
  for (const TSoundEventName& event : kEventsAfterJugs) LoadEvent(event.key, event.label);
  mMusicBank = std::make_unique<TMusicBank>();
  TSoundManager* manager = SoundManager();
  if (!manager || !HasStringTable()) return;
  manager->SetGroupVolume(kMusicGroup, mBackgroundRate);
  manager->SetVolume(GameText("Volume").ToFloat());
}

void TSoundFactory::LoadEvent(const TString& key, const TString& label) {
  mEvents[key].sound = LoadEffect(label.CStr());
}

// The players go before the bank, whose sounds their callbacks wait on.
void TSoundFactory::ReleaseSounds() {
  mMenuMusic.reset();
  mLevelMusic.reset();
  mMusicBank.reset();
  mClick.reset();
  mUnlock.reset();
  mWorldComplete.reset();
  mWorldCompleteFlash.reset();
  mChangeWorld.reset();
  mEvents.clear();
}

void TSoundFactory::SetSoundEnabled(bool enabled) {
  mEnabled = enabled;
  SetMusicVolume(mMusicVolume);
  SetEffectsVolume(mEffectsVolume);
}

void TSoundFactory::SetMusicVolume(int32_t volume) {
  mMusicVolume = volume;
  if (TSoundManager* manager = SoundManager()) manager->SetGroupVolume(kMusicGroup, GroupVolume(volume));
}

void TSoundFactory::SetEffectsVolume(int32_t volume) {
  mEffectsVolume = volume;
  if (TSoundManager* manager = SoundManager()) {
    manager->SetGroupVolume(kDefaultGroup, GroupVolume(volume));
    manager->SetGroupVolume(kEffectsGroup, GroupVolume(volume));
  }
}

void TSoundFactory::StartMusic(const GamePlay::TLevelKey& level) {
  mMenuMusic.reset();
  if (mLevelMusic || !mMusicBank) return;
  mLevelMusic = std::make_unique<TLoopMusic>(level, *mMusicBank);
  mLevelMusic->Start();
}

void TSoundFactory::PlayMainmenuBackground() {
  mLevelMusic.reset();
  if (mMenuMusic || !mMusicBank) return;
  mMenuMusic = std::make_unique<TLoopMusic>(GameText("Mainmenu Sound"), *mMusicBank);
  mMenuMusic->Start();
}

TSoundEvent* TSoundFactory::FindEvent(const TString& key) {
  auto found = mEvents.find(key);
  return found != mEvents.end() && found->second.sound ? &found->second : nullptr;
}

void TSoundFactory::PlaySound(const TString& key, int32_t limit) {
  if (!mEnabled) return;
  TSoundEvent* event = FindEvent(key);
  if (!event) return;
  if (limit < 0) {
    event->sound->Play(false);
    return;
  }
  PlayCounted(*event, limit);
}

// Only an instance that plays is counted: its end is what takes it off.
void TSoundFactory::PlayCounted(TSoundEvent& event, int32_t limit) {
  if (event.playing > static_cast<uint32_t>(limit)) return;
  if (!event.counter) event.counter = std::make_unique<TSoundCounter>(event);
  const int32_t handle = event.sound->Play(false);
  if (handle < 0) return;
  ++event.playing;
  event.sound->QueueNext(handle, event.counter.get(), nullptr);
}

void TSoundFactory::PlayOnce(const TString& key) {
  TSoundEvent* event = FindEvent(key);
  if (!event || event->started) return;
  event->sound->Play(false);
  event->started = true;
}

void TSoundFactory::PlayDirect(const std::shared_ptr<TSound>& sound) {
  if (mEnabled && sound) sound->Play(false);
}

void TSoundFactory::PlayJugFill(int32_t colour) {
  PlaySound(colour == kWhiteJug ? TString("Jug Fill White") : TString::Format("Jug Fill %d", colour + 1));
}

void TSoundFactory::PlayGearRotating() {
  if (!mGearRequested) {
    mGearRequested = true;
    mGearClock.Reset();
    mGearClock.Start();
  }
  if (!mEnabled || !FindEvent(kGearKey) || mGearClock.GetTime() < kGearInterval) return;
  FindEvent(kGearKey)->sound->Play(false);
  mGearClock.Reset();
  mGearClock.Start();
}

void TSoundFactory::StartAlmostTimeOut() {
  TSoundEvent* event = FindEvent(kAlmostTimeOutKey);
  if (!event || event->started) return;
  event->sound->Play(true);
  event->started = true;
}

void TSoundFactory::StopAlmostTimeOut() {
  TSoundEvent* event = FindEvent(kAlmostTimeOutKey);
  if (!event || !event->started) return;
  event->sound->Stop(-1);
  event->started = false;
}

// Without a sound manager nothing plays, and each stop would only log that.
void TSoundFactory::StopAllSounds() {
  const bool canStop = SoundManager() != nullptr;
  for (auto& [key, event] : mEvents) {
    event.started = false;
    if (canStop && key != kClickKey && event.sound) event.sound->Stop(-1);
  }
}

}  // namespace GUI
