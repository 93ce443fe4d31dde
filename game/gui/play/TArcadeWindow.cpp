#include "game/gui/play/TArcadeWindow.h"

#include <vector>

#include "game/gui/effects/TBpmFlasher.h"
#include "game/gui/effects/TComboViewImpl.h"
#include "game/gui/effects/TDeliverFlasher.h"
#include "game/gui/effects/TGraphicRegistry.h"
#include "game/gui/effects/TLevelBanner.h"
#include "game/gui/effects/TLifeBar.h"
#include "game/gui/main/TGameApp.h"
#include "game/gui/play/PlayTuning.h"
#include "game/gui/play/PregameTutorial.h"
#include "game/gui/play/TStatisticView.h"
#include "game/gui/play/TTowerViewImpl.h"
#include "game/gui/progress/TMetrics.h"
#include "game/gui/progress/TWorldData.h"
#include "game/gui/scenes/SceneLoader.h"
#include "game/gui/scenes/TScriptTutorial.h"
#include "game/gui/sound/TSoundFactory.h"
#include "game/gui/views/TTutorialMsgViewImpl.h"
#include "game/gui/views/TViewFactory.h"
#include "game/rules/control/ITowerControl.h"
#include "game/rules/control/TClockProxyRegistry.h"
#include "game/rules/level/TLevelSettings.h"
#include "game/rules/powerups/PowerUpTableFile.h"
#include "game/rules/powerups/TPowerUpControl.h"
#include "game/rules/scoring/TLevelResult.h"
#include "game/rules/scoring/TScoring.h"
#include "game/rules/tower/TTower.h"
#include "online/THostBridge.h"
#include "platform/TPlatform.h"
#include "platform/text/Log.h"
#include "windows/core/TWindowManager.h"
#include "windows/kinds/TButton.h"
#include "windows/kinds/TModalWindow.h"
#include "windows/script/TWindowScript.h"
#include "windows/script/WindowBinding.h"

namespace GUI {

namespace {

constexpr float kPlayStepSeconds = TArcadeWindow::kUpdatePeriod / 1000.0f;
constexpr int32_t kRightButtonUp = 0;
constexpr int32_t kRightButtonDown = 1;
constexpr int32_t kMiddleButtonDown = 3;
constexpr uint8_t kEscapeCharacter = 27;
// A right click closer than 10 pixels to the tower's centre.
constexpr float kStatisticsToggleDistanceSquared = 100.0f;
constexpr uint32_t kLastJourneyWorld = 10;
constexpr uint32_t kLastLevelOfWorld = 5;
constexpr uint32_t kZenWorld = 0;
constexpr uint32_t kZenOpeningWorld = 2;
constexpr uint32_t kZenOpeningLevel = 2;
constexpr uint32_t kGameEndWorld = 99;
// The portal whose host may ask the game to quit or to play the level again.
constexpr int32_t kRequestingPortal = 1;

TWindowScript* PlayScript() {
  TWindowManager* manager = PlatformWindowManager();
  return manager ? manager->GetScript() : nullptr;
}

void RunPlayLuaString(const char* text) {
  if (TWindowScript* script = PlayScript()) script->DoLuaString(text, -1);
}

template <class R, class... Args>
void BindPlayFunction(lua_State* L, const char* name, TArcadeWindow* window,
                      R (TArcadeWindow::*method)(Args...)) {
  PushWindowMethod(L, window, method);
  SetGlobal(L, name);
}

// Scenes draw in 2D; a pass already in 2D is left open.
void DrawSceneIn2d(const std::shared_ptr<ScriptAnim::TAnimations>& scene) {
  TPlatform* platform = TPlatform::Instance();
  if (!scene || !platform) return;
  const bool entered = !platform->IsIn2d() && platform->Begin2d();
  DrawScene(scene, 1.0f);
  if (entered) platform->End2d();
}

std::unique_ptr<TLifeBar> MakeLifeBar(TGraphicRegistry& registry, GamePlay::TPoint centre,
                                      GamePlay::ITimeController* timer) {
  return std::make_unique<TLifeBar>(
      centre.x, centre.y, registry.GetGraphic("sprites/jugs/timer-center-top"),
      registry.GetGraphic("sprites/jugs/timer-center-tick"), registry.GetGraphic("sprites/jugs/timer-center-tick2"),
      registry.GetGraphic("sprites/jugs/timer-center-tick-g"), registry.GetGraphic("sprites/jugs/timer-center-tick2-g"),
      registry.GetGraphic("sprites/jugs/timer-alert-red"), registry.GetGraphic("sprites/jugs/timer-center-arrow"),
      registry.GetGraphic("sprites/jugs/lightsfare-2"), timer);
}

std::unique_ptr<TLevelBanner> MakeLevelBanner(TGraphicRegistry& registry, GamePlay::IScoringModel* scoring,
                                              GamePlay::ITowerView* towerView) {
  TLevelBannerGraphics graphics{registry.GetGraphic("backgrounds/msg-nomove"),
                                registry.GetGraphic("backgrounds/msg-timeup"),
                                registry.GetGraphic("backgrounds/msg-expert"),
                                registry.GetGraphic("buttons/scorebox-g"),
                                registry.GetGraphic("buttons/buttondown"),
                                registry.GetGraphic("buttons/scorebox")};
  return std::make_unique<TLevelBanner>(std::move(graphics), scoring, towerView,
                                        [] { TSoundFactory::Instance().PlayExpertBanner(); });
}

void DrawMessageViewIn2d(TTutorialMsgViewImpl& view) {
  TPlatform* platform = TPlatform::Instance();
  if (!platform) return;
  const bool entered = !platform->IsIn2d() && platform->Begin2d();
  view.Draw();
  if (entered) platform->End2d();
}

}  // namespace

// The level's model and views. Members go in reverse order, so every object
// goes before those it uses: the input listener and the controls before the
// tower, the tower before its generator and the scoring model, those before
// the factories and the views that made them.
struct TArcadeWindow::TPlayLevel {
  // The level's record outlives the level: it must not point at the tower
  // or the timer that go now.
  ~TPlayLevel() {
    GamePlay::TLevelResult& result = GamePlay::TWorldData::Instance().GetLevelResult();
    if (tower && result.tower == tower.get()) result.tower = nullptr;
    if (timer && result.timer == timer) result.timer = nullptr;
  }

  std::unique_ptr<TTutorialMsgViewImpl> messageView;
  std::unique_ptr<TScriptTutorial> scriptTutorial;
  std::vector<std::shared_ptr<IGraphic>> sceneGraphics;
  std::shared_ptr<ScriptAnim::TAnimations> backScene;
  std::shared_ptr<ScriptAnim::TAnimations> foreScene;
  std::unique_ptr<TStatisticView> statisticView;
  std::unique_ptr<TBpmFlasher> bpmFlasher;
  std::unique_ptr<TViewFactory> viewFactory;
  std::unique_ptr<TTowerViewImpl> towerView;
  std::unique_ptr<TComboViewImpl> comboView;
  std::unique_ptr<GamePlay::TTowerFactory> towerFactory;
  std::unique_ptr<GamePlay::TScoring> scoring;
  std::unique_ptr<GamePlay::IRingGenerator> generator;
  std::unique_ptr<GamePlay::TTower> tower;
  std::unique_ptr<GamePlay::ITowerControl> control;
  GamePlay::IRateController* delivery = nullptr;  // owned by the control
  GamePlay::ITimeController* timer = nullptr;     // owned by the control; null without a time limit
  std::unique_ptr<TLifeBar> lifeBar;              // null without a timer
  std::unique_ptr<TLevelBanner> banner;           // null on tutorial levels
  std::unique_ptr<TDeliverFlasher> deliverFlasher;
  std::vector<std::unique_ptr<GamePlay::IInputControl>> inputListeners;
};

TClassId TArcadeWindow::ClassId() { return reinterpret_cast<TClassId>(&TArcadeWindow::Create); }

TArcadeWindow* TArcadeWindow::Cast(TWindow* window) {
  return window && window->IsKindOf(ClassId()) ? static_cast<TArcadeWindow*>(window) : nullptr;
}

std::unique_ptr<TWindow> TArcadeWindow::Create() { return std::make_unique<TArcadeWindow>(); }

bool TArcadeWindow::AreGameClocksRunning() {
  const GamePlay::TClockProxyRegistry& clocks = GamePlay::TClockProxyRegistry::Instance();
  return !clocks.IsPaused() && !clocks.IsSuspended();
}

TArcadeWindow::TArcadeWindow() {
  SetSize(kWidth, kHeight);
  RegisterLuaFunctions();
}

// Nothing of the level may go on sounding over the screen that follows it.
TArcadeWindow::~TArcadeWindow() { TSoundFactory::Instance().StopAllSounds(); }

void TArcadeWindow::RegisterLuaFunctions() {
  TWindowScript* script = PlayScript();
  if (!script) return;
  lua_State* L = script->GetState();
  BindPlayFunction(L, "Restart", this, &TArcadeWindow::Restart);
  BindPlayFunction(L, "ResetGame", this, &TArcadeWindow::ResetGame);
  BindPlayFunction(L, "SetLevel", this, &TArcadeWindow::SetLevel);
  BindPlayFunction(L, "PauseGame", this, &TArcadeWindow::PauseGame);
  BindPlayFunction(L, "ResumeGame", this, &TArcadeWindow::ResumeGame);
  BindPlayFunction(L, "QuitFromGame", this, &TArcadeWindow::QuitFromGame);
  BindPlayFunction(L, "GameFinish", this, &TArcadeWindow::GameFinish);
  BindPlayFunction(L, "IsGameEndScreen", this, &TArcadeWindow::IsGameEndScreen);
}

bool TArcadeWindow::IsKindOf(TClassId id) const { return id == ClassId() || TWindow::IsKindOf(id); }

void TArcadeWindow::PostCreate() {
  if (TWindowManager* manager = PlatformWindowManager()) manager->SetFocus(this);
}

bool TArcadeWindow::InvalidateRect(TRect* rect) {
  if (!rect) {
    TWindow::InvalidateRect(nullptr);
    return false;
  }
  *rect = TRect(0, 0, kWidth, kHeight);
  TWindow::InvalidateRect(rect);
  return true;
}

// Its tasks see a newer level and end; what still asks finds no model.
void TArcadeWindow::ReleaseBeforeDeletion() {
  mLevel.reset();
  ++mLevelSerial;
}

GamePlay::ITowerControl* TArcadeWindow::GetTowerControl() const {
  return mLevel ? mLevel->control.get() : nullptr;
}

GamePlay::ITowerModel* TArcadeWindow::GetTowerModel() const { return mLevel ? mLevel->tower.get() : nullptr; }

GamePlay::IScoringModel* TArcadeWindow::GetScoring() const { return mLevel ? mLevel->scoring.get() : nullptr; }

TTowerViewImpl* TArcadeWindow::GetTowerView() const { return mLevel ? mLevel->towerView.get() : nullptr; }

TTutorialMsgViewImpl* TArcadeWindow::GetTutorialMsgView() const {
  return mLevel ? mLevel->messageView.get() : nullptr;
}

GamePlay::ITimeController* TArcadeWindow::GetLevelTimer() const { return mLevel ? mLevel->timer : nullptr; }

TLifeBar* TArcadeWindow::GetLifeBar() const { return mLevel ? mLevel->lifeBar.get() : nullptr; }

TLevelBanner* TArcadeWindow::GetBanner() const { return mLevel ? mLevel->banner.get() : nullptr; }

GamePlay::IRateController* TArcadeWindow::GetDelivery() const { return mLevel ? mLevel->delivery : nullptr; }

// ---- The Lua functions.

void TArcadeWindow::Restart() { mLeaving = true; }

void TArcadeWindow::ResetGame() {
  mLeaving = true;
  mReset = true;
}

void TArcadeWindow::SetLevel(int32_t world, int32_t level) {
  const GamePlay::TLevelKey key{static_cast<uint32_t>(world), static_cast<uint32_t>(level)};
  mLevelKey = key;
  mLevel.reset();
  ++mLevelSerial;
  StartTasks();
  auto playLevel = std::make_unique<TPlayLevel>();
  if (SetUpLevel(*playLevel, key)) {
    mLevel = std::move(playLevel);
  } else {
    LogPrintf("Level %d-%d cannot be set up: the play screen stays empty", world, level);
  }
  ShowSkipButton();
}

// The host's play time leaves out the spans in which the game stands still,
// so it hears of every pause and of every resumption.
void TArcadeWindow::PauseGame() {
  if (AreGameClocksRunning()) GamePlay::TClockProxyRegistry::Instance().PauseAll();
  THostBridge::Instance().SetGamePaused(!AreGameClocksRunning());
}

void TArcadeWindow::ResumeGame() {
  if (!AreGameClocksRunning()) GamePlay::TClockProxyRegistry::Instance().ResumeAll();
  THostBridge::Instance().SetGamePaused(!AreGameClocksRunning());
}

void TArcadeWindow::QuitFromGame() {
  mLeaving = true;
  mQuit = true;
  if (GamePlay::TMetrics* metrics = TGameApp::Instance().GetMetrics()) {
    metrics->AddLevelFailed();
    metrics->EndLevel();
  }
}

void TArcadeWindow::GameFinish() {
  if (!GetTowerControl()) return;
  GamePlay::TClockProxyRegistry::Instance().SetSuspended(false);
  mLevel->scoring->LevelEndTally();
}

// ---- Set-up.

void TArcadeWindow::StartTasks() {
  auto update = std::make_unique<TUpdateTask>(*this, mLevelSerial);
  update->Start(kUpdatePeriod, true, true, false);
  TWindowManager* manager = PlatformWindowManager();
  TModalWindow* top = manager ? TModalWindow::Cast(manager->GetTopModal()) : nullptr;
  if (top) {
    top->AddTask(std::move(update));
  } else {
    AddModalTask(std::move(update));
  }
  TPlatform* platform = TPlatform::Instance();
  if (!platform || !platform->GetTaskList()) return;
  auto frame = std::make_unique<TGameUpdate2d>(*this, mLevelSerial);
  frame->Start(kUpdatePeriod, true, true, false);
  platform->GetTaskList()->Add(std::move(frame));
}

bool TArcadeWindow::SetUpLevel(TPlayLevel& level, const GamePlay::TLevelKey& key) {
  TPlatform* platform = TPlatform::Instance();
  const TStringTable* strings = platform ? platform->GetStringTable() : nullptr;
  TGameApp& app = TGameApp::Instance();
  TGraphicRegistry& registry = TGraphicRegistry::Instance();
  TSoundFactory& sound = TSoundFactory::Instance();
  const GamePlay::TGameRecords records = app.GetGameRecords();

  // The model: what every level of the window is made with.
  const TPlayTuning tuning = ReadPlayTuning(strings);
  mCheatMode = app.IsCheatMode();
  level.bpmFlasher = std::make_unique<TBpmFlasher>(tuning.bpm);
  level.viewFactory = std::make_unique<TViewFactory>(&registry, level.bpmFlasher.get(),
                                                     tuning.ringHighlight, tuning.pieceAnimationSpeed);
  level.messageView = level.viewFactory->CreateTutorialMsgView();
  level.towerFactory = std::make_unique<GamePlay::TTowerFactory>(level.viewFactory.get(), &sound,
                                                                 records, tuning.tower);
  level.scoring = level.towerFactory->CreateScoring(GamePlay::LoadPowerUpMatchTable(),
                                                    GamePlay::LoadPowerUpComboTable(),
                                                    GamePlay::LoadEnergyScaleTable());

  // The level.
  const TLevelTuning levelTuning = ReadLevelTuning(strings);
  std::unique_ptr<GamePlay::TLevelSettings> settings = GamePlay::CreateLevelSettings(key, app);
  if (!settings) return false;
  if (GamePlay::TMetrics* metrics = app.GetMetrics()) metrics->StartLevel(key, settings->IsTutorial());
  mGameEndScreen = mGameEndScreen || (settings->IsTutorial() && settings->GetWorld() == kGameEndWorld);
  LoadScenes(level, *settings);
  level.towerView = level.viewFactory->CreateTowerView(this, *settings);
  level.towerFactory->SetLevel(*settings, level.viewFactory.get());
  level.towerView->SetPieceFactory(level.towerFactory->GetPieceFactory());
  level.generator = level.towerFactory->CreateRingGenerator();
  level.tower = level.towerFactory->CreateTower(level.towerView.get(), level.generator.get(),
                                                level.scoring.get());
  level.control = level.towerFactory->CreateControl(
      level.tower.get(), level.towerView.get(), &level.delivery, &level.timer,
      settings->GetPieceDeliveryFromTop() != 0, settings->GetPieceDeliveryWhenTopRingClear() != 0);
  level.scriptTutorial = std::make_unique<TScriptTutorial>(
      TScriptTutorial::ScriptNameFor(*settings), level.towerView.get(), level.control.get(), level.messageView.get());
  level.messageView->SetListener(level.scriptTutorial.get());
  level.tower->SetListener(level.scriptTutorial.get());
  level.towerView->SetModel(level.tower.get());
  level.towerView->SetUp(level.scoring.get(), level.scriptTutorial.get());
  if (level.timer) {
    level.lifeBar = MakeLifeBar(registry, level.towerView->GetCentre(), level.timer);
    level.scoring->SetTimeSource(level.timer, settings->GetGameTime());
  }
  if (!settings->IsTutorial()) level.banner = MakeLevelBanner(registry, level.scoring.get(), level.towerView.get());
  level.scoring->SetObserver(level.towerView.get());
  level.comboView = std::make_unique<TComboViewImpl>();
  level.comboView->SetTowerView(level.towerView.get());
  level.scoring->AddObserver(level.comboView.get());
  if (GamePlay::TMetrics* metrics = app.GetMetrics()) level.scoring->AddObserver(metrics);
  level.statisticView = std::make_unique<TStatisticView>();
  level.scoring->AddObserver(level.statisticView.get());

  GamePlay::TScoringStart start;
  start.tower = level.tower.get();
  start.singlePieceEnergy = settings->GetBombEnergyScale();
  start.zen = key.world == kZenWorld;
  start.explosionStepTime = levelTuning.explosionStepTime;
  start.jugLinkFactor = levelTuning.jugLinkFactor;
  start.level = key;
  start.scoreGoal = settings->GetTimeBonusScores();
  start.jugTimeBoost = settings->GetCompleteJugTimeBoost();
  start.clearBlockerBonus = settings->GetClearBlockerBonus();
  level.scoring->StartLevel(start);
  level.scoring->ResetJugEnergyRate(settings->GetNumberOfJugColors(), settings->GetGemEnergyRate(),
                                    settings->GetRemoveJugColor(), settings->GetPieJugs());
  level.towerView->RereadJugModel();
  level.scoring->SetTowerControl(level.control.get());

  level.inputListeners.push_back(std::make_unique<GamePlay::TPowerUpControl>(
      level.towerView.get(), level.tower.get(), level.control.get(),
      level.towerFactory->GetPieceFactory(), level.scriptTutorial.get(), records.metrics));
  level.deliverFlasher = std::make_unique<TDeliverFlasher>(level.delivery);
  level.towerView->SetDeliverFlasher(level.deliverFlasher.get());
  level.messageView->SetTowerView(level.towerView.get());
  level.messageView->SetModel(level.tower.get());

  if (TWindowManager* manager = PlatformWindowManager()) manager->SetFocus(this);
  level.scriptTutorial->Start();
  mPregameTutorial = ReadPregameTutorial(key);
  return true;
}

// The back scene and the front scene of the level; the random choice between
// a world's two scenes is made for the back scene first.
void TArcadeWindow::LoadScenes(TPlayLevel& level, const GamePlay::TLevelSettings& settings) {
  if (settings.IsTutorial() && settings.GetWorld() == kGameEndWorld) {
    level.backScene = LoadSceneAnimationFile("backgrounds/back_gameend.lua", level.sceneGraphics);
    level.foreScene = LoadSceneAnimationFile("backgrounds/fore_gameend.lua", level.sceneGraphics);
  } else if (settings.IsTutorial()) {
    const char* back = TGameApp::Instance().IsTutorialMode() ? "backgrounds/back_helpmenu.lua"
                                                              : "backgrounds/back_tutorial.lua";
    level.backScene = LoadSceneAnimationFile(back, level.sceneGraphics);
    level.foreScene = LoadSceneAnimationFile("backgrounds/fore_helpmenu.lua", level.sceneGraphics);
  } else {
    const GamePlay::TLevelKey key{settings.GetWorld(), settings.GetLevel()};
    level.backScene = LoadSceneAnimation(key, "back", level.sceneGraphics);
    level.foreScene = LoadSceneAnimation(key, "fore", level.sceneGraphics);
  }
}

void TArcadeWindow::ShowSkipButton() {
  TWindow* skip = FindInParent("skipButton");
  if (!skip || !mLevelKey) return;
  TGameApp& app = TGameApp::Instance();
  const bool tutorial = app.IsTutorialMode() ||
                        app.IsTutorialLevel(static_cast<int32_t>(mLevelKey->world),
                                            static_cast<int32_t>(mLevelKey->level));
  if (tutorial) {
    skip->AddFlags(kWindowVisible);
  } else {
    skip->ClearFlags(kWindowVisible);
  }
}

TWindow* TArcadeWindow::FindInParent(const char* name) {
  return GetParent() ? GetParent()->FindChild(name) : nullptr;
}

// ---- Steps.

bool TArcadeWindow::Update(uint32_t levelSerial) {
  if (!IsCurrentLevel(levelSerial)) return false;
  if (mLevel && AreGameClocksRunning()) {
    mLevel->scoring->Step();
    mLevel->control->Update();
    mLevel->bpmFlasher->Update(kPlayStepSeconds);
    mLevel->deliverFlasher->Update(kPlayStepSeconds);
    if (TWindowManager* manager = PlatformWindowManager()) manager->SetFocus(this);
  }
  Invalidate();
  if (TGameApp::Instance().GetPortalMode() == kRequestingPortal) TakeHostRequests();
  return true;
}

// A resumption asked by the host plays the level again; a quit leaves it as
// the player's "quitGame" would.
void TArcadeWindow::TakeHostRequests() {
  THostBridge& bridge = THostBridge::Instance();
  if (bridge.TakeHostResumeRequest()) {
    ResumeGame();
    ResetGame();
  }
  if (bridge.TakeHostQuitRequest()) {
    if (TButton* quit = TButton::Cast(FindInParent("quitGame"))) quit->DoCommand();
  }
}

bool TUpdateTask::Animate() {
  TArcadeWindow* window = TArcadeWindow::Cast(GetWindow());
  return window && window->Update(mLevelSerial);
}

bool TGameUpdate2d::Animate() {
  TArcadeWindow* window = TArcadeWindow::Cast(GetWindow());
  if (!window || !window->IsCurrentLevel(mLevelSerial)) return false;
  TWindowManager* manager = PlatformWindowManager();
  if (manager && manager->GetRootWindow()) manager->GetRootWindow()->Invalidate();
  return true;
}

void TArcadeWindow::Draw() {
  OpenPregameTutorial();
  if (mLevel && AreGameClocksRunning()) mLevel->scriptTutorial->Update();
  if (mLevel) DrawSceneIn2d(mLevel->backScene);
  if (mLevelKey) TSoundFactory::Instance().StartMusic(*mLevelKey);
  if (mLevel && mLevel->lifeBar) mLevel->lifeBar->Draw(mLevel->towerView->IsShowingMessage());
  // The first pass may run a script that replaces the level: what follows asks anew.
  if (TTowerViewImpl* view = GetTowerView()) view->DrawFirstPass();
  if (TLevelBanner* banner = GetBanner()) banner->Draw();
  if (mLevel && !mLevel->towerView->IsShowingMessage()) DrawSceneIn2d(mLevel->foreScene);
  // The banners over the tower show under the tutorial arrows and the end-of-level panel.
  if (TLevelBanner* banner = GetBanner()) banner->UpdateBanners();
  if (TTowerViewImpl* view = GetTowerView()) view->DrawSecondPass();
  if (mLevel) mLevel->comboView->Draw();
  if (mLevel) DrawMessageViewIn2d(*mLevel->messageView);
  if (mLevel && mStatisticsShown) mLevel->statisticView->Draw();
  if (mLeaving) {
    LeaveLevel();
    mLeaving = false;
  }
}

void TArcadeWindow::OpenPregameTutorial() {
  if (mTutorialShown) return;
  mTutorialShown = true;
  if (mPregameTutorial.IsEmpty()) return;
  RunPlayLuaString(TString::Format("DoModal('tutorials/%s')", mPregameTutorial.CStr()).CStr());
  GamePlay::TClockProxyRegistry::Instance().PauseAll();
}

void TArcadeWindow::LeaveLevel() {
  TGameApp& app = TGameApp::Instance();
  if (GamePlay::TMetrics* metrics = app.GetMetrics()) metrics->EndLevel();
  if (mReset) {
    RunPlayLuaString("DoModal('scripts/resetgame.lua')");
    return;
  }
  if (mQuit) {
    if (TWindowScript* script = PlayScript()) script->RunScript("scripts/quitfromgame.lua");
    return;
  }
  const GamePlay::TLevelKey key = mLevelKey.value_or(GamePlay::TLevelKey{});
  if (key.world == kLastJourneyWorld && key.level == kLastLevelOfWorld) {
    app.SetCompletedJourneyMode(true);
    RunPlayLuaString("DoModal('scripts/endgame.lua')");
  } else if (key.world == kZenWorld && key.level == kLastLevelOfWorld) {
    RunPlayLuaString("SwapToModal('scripts/zenendgame.lua')");
  } else if (key.world == kZenWorld) {
    RunPlayLuaString("DoModal('scripts/backtozenmenu.lua')");
  } else if (key.world == kZenOpeningWorld && key.level == kZenOpeningLevel) {
    RunPlayLuaString("SwapToModal('scripts/zenendgame.lua')");
  } else {
    RunPlayLuaString("DoModal('scripts/backtometamap.lua')");
  }
}

// ---- Input.

// The tutorial's dialogs take the left button even while the game clocks
// stand still: a modal dialog holds them until it is closed.
bool TArcadeWindow::OnMouseDown(int32_t x, int32_t y) {
  if (mLevel) mLevel->messageView->OnMouseDown(TVec2(static_cast<float>(x), static_cast<float>(y)));
  if (!mLevel || !AreGameClocksRunning()) return true;
  const GamePlay::TPoint point{x, y};
  for (const auto& listener : mLevel->inputListeners) listener->OnPress(point);
  mLevel->control->OnPress(point);
  return true;
}

bool TArcadeWindow::OnMouseUp(int32_t x, int32_t y) {
  if (mLevel) mLevel->messageView->OnMouseUp(TVec2(static_cast<float>(x), static_cast<float>(y)));
  if (mLevel && AreGameClocksRunning()) mLevel->control->OnRelease({x, y});
  return true;
}

bool TArcadeWindow::OnMouseMove(int32_t x, int32_t y) {
  if (mLevel && AreGameClocksRunning()) mLevel->control->OnMove({x, y});
  return true;
}

bool TArcadeWindow::OnMouseButton(int32_t button, int32_t x, int32_t y) {
  const GamePlay::TPoint point{x, y};
  GamePlay::ITowerControl* control = GetTowerControl();
  switch (button) {
    case kRightButtonUp:
      if (control) control->OnButton(point);
      return true;
    case kRightButtonDown:
      if (!control) return true;
      control->RePress(point);
      if (mCheatMode) {
        const GamePlay::TPoint centre = control->GetView()->GetCentre();
        const float dx = static_cast<float>(x - centre.x);
        const float dy = static_cast<float>(y - centre.y);
        if (dx * dx + dy * dy < kStatisticsToggleDistanceSquared) mStatisticsShown = !mStatisticsShown;
      }
      return true;
    case kMiddleButtonDown:
      if (mCheatMode) GameFinish();
      return true;
    default:
      return false;
  }
}

bool TArcadeWindow::OnChar(uint8_t character) {
  if (character == kEscapeCharacter) {
    PressPauseButton();
    OnMouseButton(kRightButtonDown, 0, 0);
  }
  return false;
}

void TArcadeWindow::PressPauseButton() {
  if (TButton* button = TButton::Cast(FindInParent("pauseButton"))) button->DoCommand();
}

}  // namespace GUI
