#include "media/sound/TSound.h"

#include <algorithm>

#include "media/sound/TMemSpooler.h"
#include "media/sound/TSoundManager.h"
#include "media/sound/TSoundStream.h"
#include "platform/TPlatform.h"
#include "platform/asset/TAssetManager.h"
#include "platform/file/TFile.h"
#include "platform/text/Log.h"

// ---- TSoundCallBack.

TSoundCallBack::~TSoundCallBack() {
  for (const auto& [sound, handle] : mRegistrations) sound->Data().ForgetCallback(handle, this);
}

void TSoundCallBack::Register(TSound* sound, int32_t handle) { mRegistrations.emplace_back(sound, handle); }

void TSoundCallBack::Unregister(const TSound* sound, int32_t handle) {
  auto found = std::find(mRegistrations.begin(), mRegistrations.end(),
                         std::pair<TSound*, int32_t>(const_cast<TSound*>(sound), handle));
  if (found != mRegistrations.end()) mRegistrations.erase(found);
}

// ---- TSound.

namespace {

TSoundManager* ManagerOrLog() {
  TPlatform* platform = TPlatform::Instance();
  TSoundManager* manager = platform ? platform->GetSoundManager() : nullptr;
  if (!manager) LogPrintf("No Sound Manager");
  return manager;
}

}  // namespace

TClassId TSound::ClassId() {
  static const char id = 0;
  return &id;
}

bool TSound::IsKindOf(TClassId id) const { return id == ClassId() || TAsset::IsKindOf(id); }

TSound::TSound(TString name, int32_t group) : mData(*this, std::move(name), group) {}

TSound::~TSound() = default;

std::shared_ptr<TSound> TSound::Get(const TString& name, bool inMemory, int32_t defaultGroup) {
  if (name.IsEmpty()) return nullptr;
  TString fileName = name;
  int32_t group = defaultGroup;
  const int question = name.FindChar('?');
  if (question >= 0) {
    const int option = name.Find("group=", TFindFlags::None, question);
    if (option >= 0) group = name.Mid(option + 6).ToInt();
    fileName = name.Mid(0, question);
  }
  const TString key = TString::Format("%s;%d;%d", fileName.CStr(), inMemory ? 1 : 0, group);
  TPlatform* platform = TPlatform::Instance();
  TAssetManager* assets = platform ? platform->GetAssetManager() : nullptr;
  if (assets)
    if (std::shared_ptr<TSound> cached = assets->FindAs<TSound>(key)) return cached;

  auto sound = std::make_shared<TSound>(fileName, group);
  if (assets) assets->Register(key, sound);
  if (fileName.Find(".ogg", TFindFlags::IgnoreCase) < 0) return nullptr;
  std::unique_ptr<TFile> file(FileOpen(fileName, kFileReadBinary));
  if (!file) {
    LogPrintf("OGG file not found: %s", fileName.CStr());
    return nullptr;
  }
  if (!sound->mData.Open(std::move(file), inMemory)) return nullptr;
  return sound;
}

std::shared_ptr<TSound> TSound::Self() { return std::static_pointer_cast<TSound>(shared_from_this()); }

std::shared_ptr<TStreamNotify> TSound::Notifier() { return std::shared_ptr<TStreamNotify>(Self(), &mData); }

std::shared_ptr<TSoundStream> TSound::MakeStream(TSoundManager& manager, bool loop) {
  return TSoundStream::Make(manager, std::make_unique<TMemSpooler>(mData), loop, mData.Group(), Notifier());
}

int32_t TSound::Play(bool loop) {
  TSoundManager* manager = ManagerOrLog();
  if (!manager) return -1;
  if (!mData.IsOpen()) {
    LogPrintf("Play of uninitialized sound");
    return -1;
  }
  const int32_t handle = mData.PeekHandle();
  std::shared_ptr<TSoundStream> stream = MakeStream(*manager, loop);
  mData.Handles()[handle] = TSoundData::Entry{.streamRef = stream, .stream = stream.get()};
  if (!stream->Create(mData.Rate(), mData.Channels(), 16, kBufferSeconds)) {
    mData.Handles().erase(handle);
    return -1;
  }
  stream->Start(!loop && mData.Length() < stream->GetBufferSeconds());
  return mData.TakeHandle();
}

bool TSound::Stop(int32_t handle) {
  TSoundManager* manager = ManagerOrLog();
  if (!manager) return false;
  std::shared_ptr<TSound> keep = Self();
  if (handle != -1) return StopInstance(*manager, handle);
  // Instances that callbacks start meanwhile play on.
  std::vector<int32_t> playing;
  for (const auto& [playingHandle, entry] : mData.Handles()) playing.push_back(playingHandle);
  for (int32_t playingHandle : playing) StopInstance(*manager, playingHandle);
  return !playing.empty();
}

// The entry stays in the map, cut off from its stream, until its callback is
// told: a callback deleted meanwhile (by another callback, say) takes itself
// off the entry and is not called. Every callback told may play, stop and
// delete as it likes.
bool TSound::StopInstance(TSoundManager& manager, int32_t handle) {
  auto found = mData.Handles().find(handle);
  if (found == mData.Handles().end()) return false;
  std::shared_ptr<TSoundStream> stream = found->second.streamRef.lock();
  const std::shared_ptr<TSound> next = found->second.next;
  const int32_t nextHandle = found->second.nextHandle;
  found->second.streamRef.reset();
  found->second.stream = nullptr;
  if (stream && manager.IsPlaying(stream.get()) && stream->GetNotifier() == &mData) stream->Stop(false);
  stream.reset();
  StopNext(next, nextHandle);
  TellStopped(handle);
  return true;
}

// A sound queued after itself has a second entry on the same stream: it goes
// too. Another sound queued after this one is stopped with it.
void TSound::StopNext(const std::shared_ptr<TSound>& next, int32_t nextHandle) {
  if (!next) return;
  if (next.get() == this) {
    mData.Handles().erase(nextHandle);
  } else {
    next->Stop(nextHandle);
  }
}

void TSound::TellStopped(int32_t handle) {
  auto found = mData.Handles().find(handle);
  if (found == mData.Handles().end()) return;
  TSoundCallBack* callback = found->second.callback;
  mData.Handles().erase(found);
  if (!callback) return;
  callback->Unregister(this, handle);
  callback->OnEnd(Self(), handle, nullptr, -1);
}

void TSound::SetCallback(int32_t handle, TSoundData::Entry& entry, TSoundCallBack* callback) {
  if (entry.callback == callback) return;
  if (entry.callback) entry.callback->Unregister(this, handle);
  entry.callback = callback;
  if (callback) callback->Register(this, handle);
}

int32_t TSound::EndAtNextPass(TSoundManager& manager, TSoundCallBack* callback, const std::shared_ptr<TSound>& next,
                              int32_t nextHandle) {
  const int32_t handle = mData.TakeHandle();
  std::shared_ptr<TSoundStream> stream = MakeStream(manager, false);
  TSoundData::Entry& entry = mData.Handles()[handle];
  entry = TSoundData::Entry{.streamRef = stream, .stream = stream.get(), .next = next, .nextHandle = nextHandle};
  SetCallback(handle, entry, callback);
  stream->Stop(true);
  return handle;
}

void TSound::QueueNext(int32_t handle, TSoundCallBack* callback, const std::shared_ptr<TSound>& next) {
  TSoundManager* manager = ManagerOrLog();
  if (!manager || handle < 0) return;
  std::shared_ptr<TSound> keep = Self();
  auto& handles = mData.Handles();
  auto found = handles.find(handle);
  std::shared_ptr<TSoundStream> stream = found == handles.end() ? nullptr : found->second.streamRef.lock();
  if (!next) {
    if (found == handles.end() || (callback && !stream)) {
      if (callback) EndAtNextPass(*manager, callback, nullptr, -1);
      return;
    }
    if (!callback) found->second.next.reset();
    SetCallback(handle, found->second, callback);
    return;
  }
  if (stream && stream->QueueSource(next->Notifier(), std::make_unique<TMemSpooler>(next->mData))) {
    const int32_t nextHandle = next->mData.TakeHandle();
    next->mData.Handles()[nextHandle] = TSoundData::Entry{.streamRef = stream, .stream = stream.get()};
    TSoundData::Entry& entry = handles.find(handle)->second;
    entry.next = next;
    entry.nextHandle = nextHandle;
    if (callback) SetCallback(handle, entry, callback);
    return;
  }
  const int32_t fresh = EndAtNextPass(*manager, callback, next, -1);
  mData.Handles()[fresh].nextHandle = next->Play(false);
}
