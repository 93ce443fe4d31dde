#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "media/sound/OggDecoder.h"
#include "media/sound/TStreamNotify.h"
#include "platform/text/TString.h"

class TSound;
class TSoundCallBack;
class TSoundStream;

// What one sound holds: its PCM decoded at once (short sounds in memory) or
// its open decoder (the others, decoded while they play), and the handle
// entries of its playing instances. The end notice of an instance's stream
// comes here, on the main thread.
class TSoundData final : public TStreamNotify {
 public:
  // Sounds opened in memory and at most this long are decoded at once.
  static constexpr double kDecodeAtOnceSeconds = 2.0;
  static constexpr int32_t kMaxRate = 192000;

  // One playing instance. The stream is only watched: it lives while it
  // plays, and its end notice removes the entry. `stream` tells instances
  // apart even when the stream is in its destruction.
  struct Entry {
    std::weak_ptr<TSoundStream> streamRef;
    const TSoundStream* stream = nullptr;
    TSoundCallBack* callback = nullptr;
    std::shared_ptr<TSound> next = nullptr;
    int32_t nextHandle = -1;
  };

  TSoundData(TSound& owner, TString name, int32_t group);
  // Takes the sound off the callbacks still registered on it.
  ~TSoundData() override;

  // Opens the file (which it takes): read whole and decoded through memory
  // when `inMemory`, else decoded from the file. False, with a log line,
  // when it is no Ogg Vorbis sound of 1 or 2 channels at 1 to 192,000 Hz.
  bool Open(std::unique_ptr<TFile> file, bool inMemory);
  bool IsOpen() const { return mChannels > 0; }

  // The end of an instance: its entry (the lowest handle on that stream)
  // goes, and its callback hears of it unless the sound manager is shutting
  // down.
  void Notify(TSoundStream* stream) override { OnStreamEnd(stream); }
  void OnStreamEnd(TSoundStream* stream);

  int32_t Channels() const { return mChannels; }
  int32_t Rate() const { return mRate; }
  double Length() const { return mLength; }
  int32_t Group() const { return mGroup; }
  const TString& Name() const { return mName; }
  // Decoded sounds: the PCM and the bytes of it that hold sound.
  const uint8_t* Pcm() const { return mPcm.data(); }
  int32_t PcmBytes() const { return mPcmBytes; }
  // Sounds decoded while they play; null for decoded ones.
  OggDecoder* Decoder() { return mDecoder.get(); }

  std::map<int32_t, Entry>& Handles() { return mHandles; }
  // A fresh play handle.
  int32_t TakeHandle() { return mNextHandle++; }
  int32_t PeekHandle() const { return mNextHandle; }
  // The entry of the stream with the lowest handle; end() when none.
  std::map<int32_t, Entry>::iterator FindStream(const TSoundStream* stream);
  // The callback is no longer called for the handle.
  void ForgetCallback(int32_t handle, const TSoundCallBack* callback);

 private:
  bool DecodeAtOnce();

  TSound& mOwner;
  TString mName;
  int32_t mGroup;
  std::map<int32_t, Entry> mHandles;
  int32_t mNextHandle = 0;
  std::vector<uint8_t> mPcm;
  int32_t mPcmBytes = 0;
  int32_t mChannels = 0;
  int32_t mRate = 0;
  double mLength = 0;
  std::unique_ptr<OggDecoder> mDecoder;
};
