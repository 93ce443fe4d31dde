#include "media/sound/TSound.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <map>
#include <random>

#include "media/sound/OggDecoder.h"
#include "media/sound/TMemSpooler.h"
#include "platform/asset/TAssetManager.h"
#include "platform/file/FileIndex.h"
#include "platform/text/Log.h"
#include "tests/support/OggFixture.h"
#include "tests/support/SoundRig.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestFileLayer.h"

namespace {

// The fixtures, encoded once.
const std::string& Fixture(const std::string& kind) {
  static std::map<std::string, std::string> made;
  auto found = made.find(kind);
  if (found != made.end()) return found->second;
  std::string bytes;
  if (kind == "mono1") bytes = EncodeOgg(1, 22050, 1.0, 1);
  if (kind == "two") bytes = EncodeOgg(2, 44100, 2.0, 2);
  if (kind == "twoplus") bytes = EncodeOgg(2, 44100, 2.01, 3);
  if (kind == "five") bytes = EncodeOgg(2, 44100, 5.0, 4);
  if (kind == "piece") bytes = EncodeOgg(2, 44100, 2.5, 5);
  if (kind == "briefmono") bytes = EncodeOgg(1, 22050, 0.6, 7);
  if (kind == "briefstereo") bytes = EncodeOgg(2, 44100, 0.6, 8);
  if (kind == "three") bytes = EncodeOgg(3, 22050, 0.5, 6);
  if (kind == "cut") bytes = Fixture("five").substr(0, Fixture("five").size() * 6 / 10);
  if (kind == "random") {
    std::mt19937 noise(9);
    for (int i = 0; i < 20000; ++i) bytes.push_back(char(noise()));
  }
  return made[kind] = bytes;
}

// Records what a callback hears.
struct Heard {
  TSound* sound;
  int32_t handle;
  TSound* next;
  int32_t nextHandle;
  size_t samplesPlayed;
};

class RecordingCallBack : public TSoundCallBack {
 public:
  explicit RecordingCallBack(const std::vector<int16_t>* captured = nullptr) : mCaptured(captured) {}
  void OnEnd(const std::shared_ptr<TSound>& sound, int32_t handle, const std::shared_ptr<TSound>& next,
             int32_t nextHandle) override {
    heard.push_back({sound.get(), handle, next.get(), nextHandle, mCaptured ? mCaptured->size() : 0});
  }
  std::vector<Heard> heard;

 private:
  const std::vector<int16_t>* mCaptured;
};

// Sounds from files in a test tree, played on the rig's manager.
class SoundTest : public testing::Test {
 protected:
  SoundTest() { rig.platform.assetManager = &assets; }
  void SetUp() override {
    SetLogFolder(mLogs.Path().c_str());
    ASSERT_TRUE(rig.manager->Init());
  }

  std::shared_ptr<TSound> Load(const std::string& kind, bool inMemory, const std::string& options = "") {
    const std::string name = "sounds/" + kind + ".ogg";
    files.WriteAsset(name, Fixture(kind));
    BuildFileIndex();
    return TSound::Get((name + options).c_str(), inMemory, 0);
  }

  bool Logged(const std::string& text) const {
    return ReadWholeFile(GetLogPath().CStr()).find(text) != std::string::npos;
  }

  TempFolder mLogs;
  TestFileLayer files;
  TAssetManager assets;
  SoundRig rig;
};

// ---- Loading.

TEST_F(SoundTest, TheCacheKeepsOneSoundPerNameModeAndGroup) {
  std::shared_ptr<TSound> memory = Load("mono1", true);
  ASSERT_TRUE(memory);
  EXPECT_EQ(Load("mono1", true), memory);
  std::shared_ptr<TSound> streamed = Load("mono1", false);
  std::shared_ptr<TSound> grouped = Load("mono1", true, "?group=3");
  EXPECT_NE(streamed, memory);
  EXPECT_NE(grouped, memory);
  EXPECT_EQ(grouped->Data().Group(), 3);
  EXPECT_EQ(memory->Data().Group(), 0);
  EXPECT_TRUE(assets.Find("sounds/mono1.ogg;1;3"));
}

TEST_F(SoundTest, SoundsUpToTwoSecondsInMemoryAreDecodedAtOnceLongerOnesWhilePlaying) {
  struct Case {
    const char* kind;
    bool inMemory;
    bool decodedAtOnce;
  };
  for (const Case& c : {Case{"two", true, true}, Case{"twoplus", true, false}, Case{"mono1", false, false}}) {
    SCOPED_TRACE(c.kind);
    std::shared_ptr<TSound> sound = Load(c.kind, c.inMemory);
    ASSERT_TRUE(sound);
    EXPECT_EQ(sound->Data().Decoder() == nullptr, c.decodedAtOnce);
    if (c.decodedAtOnce) {
      EXPECT_EQ(size_t(sound->Data().PcmBytes()), DecodeOgg(Fixture(c.kind)).size() * 2);
    }
  }
  std::shared_ptr<TSound> mono = Load("mono1", true);
  EXPECT_EQ(mono->Data().Channels(), 1);
  EXPECT_EQ(mono->Data().Rate(), 22050);
  EXPECT_NEAR(mono->Data().Length(), 1.0, 0.001);
}

TEST_F(SoundTest, ANameWithoutOggAMissingFileOrBytesThatAreNoSoundGiveAnEmptySound) {
  files.WriteAsset("sounds/tone.wav", Fixture("mono1"));
  BuildFileIndex();
  EXPECT_FALSE(TSound::Get("sounds/tone.wav", true, 0));
  EXPECT_FALSE(TSound::Get("", true, 0));
  EXPECT_FALSE(TSound::Get("sounds/none.ogg", true, 0));
  EXPECT_TRUE(Logged("OGG file not found: sounds/none.ogg"));
  for (bool inMemory : {true, false}) {
    EXPECT_FALSE(Load("random", inMemory));
    EXPECT_FALSE(Load("three", inMemory)) << "three channels";
  }
  EXPECT_TRUE(Logged("OGG file could not be opened"));
}

// ---- Playing.

TEST_F(SoundTest, APlayIsHeardAsTheLibraryDecodesIt) {
  std::shared_ptr<TSound> stereo = Load("five", false);
  std::shared_ptr<TSound> mono = Load("mono1", true);
  ASSERT_TRUE(stereo && mono);
  ASSERT_EQ(stereo->Play(false), 0);
  rig.Run(6000);
  const std::vector<int16_t> decoded = DecodeOgg(Fixture("five"));
  EXPECT_EQ(FirstDifference(rig.captured, decoded), decoded.size());

  rig.captured.clear();
  ASSERT_EQ(mono->Play(false), 0);
  rig.Run(2000);
  const std::vector<int16_t> mixed = AsMixed(DecodeOgg(Fixture("mono1")), 1, 22050);
  EXPECT_EQ(FirstDifference(rig.captured, mixed), mixed.size());
}

TEST_F(SoundTest, ACutFilePlaysToWhereItEnds) {
  std::shared_ptr<TSound> cut = Load("cut", false);
  ASSERT_TRUE(cut);
  RecordingCallBack callback;
  cut->QueueNext(cut->Play(false), &callback, nullptr);
  rig.Run(6000);
  const std::vector<int16_t> decoded = DecodeOgg(Fixture("cut"));
  ASSERT_GT(decoded.size(), size_t(SoundRig::kSamplesPerSecond));
  EXPECT_EQ(FirstDifference(rig.captured, decoded), decoded.size());
  EXPECT_EQ(callback.heard.size(), 1u);
}

TEST_F(SoundTest, PlaysGetConsecutiveHandlesAndStopAllWithoutInstancesIsFalse) {
  std::shared_ptr<TSound> sound = Load("mono1", true);
  EXPECT_FALSE(sound->Stop(-1));
  EXPECT_EQ(sound->Play(false), 0);
  EXPECT_EQ(sound->Play(true), 1);
  EXPECT_EQ(sound->Data().Handles().size(), 2u);
  EXPECT_FALSE(sound->Stop(7));
  EXPECT_TRUE(sound->Stop(-1));
  EXPECT_TRUE(sound->Data().Handles().empty());
  EXPECT_EQ(rig.manager->GetPlayingCount(), 0u);
}

TEST_F(SoundTest, WithoutASoundManagerOrDataNothingPlays) {
  std::shared_ptr<TSound> sound = Load("mono1", true);
  auto bare = std::make_shared<TSound>("sounds/bare.ogg", 0);
  EXPECT_EQ(bare->Play(false), -1);
  EXPECT_TRUE(Logged("Play of uninitialized sound"));
  rig.DeleteManager();
  EXPECT_EQ(sound->Play(false), -1);
  EXPECT_FALSE(sound->Stop(-1));
  EXPECT_TRUE(Logged("No Sound Manager"));
}

TEST_F(SoundTest, APlayWhoseStreamCannotBeMadeLeavesNoEntry) {
  std::shared_ptr<TSound> sound = Load("mono1", true);
  rig.device->ForceCreateResult(sys::AudioResult::Refused);
  EXPECT_EQ(sound->Play(false), -1);
  EXPECT_TRUE(sound->Data().Handles().empty());
  EXPECT_EQ(sound->Play(false), 0) << "the failed play took no handle";
}

// ---- Ends, stops and callbacks.

TEST_F(SoundTest, AStoppedInstanceTellsItsCallbackOnce) {
  std::shared_ptr<TSound> sound = Load("five", false);
  RecordingCallBack callback;
  const int32_t handle = sound->Play(false);
  sound->QueueNext(handle, &callback, nullptr);
  rig.Run(100);
  EXPECT_TRUE(sound->Stop(handle));
  ASSERT_EQ(callback.heard.size(), 1u);
  EXPECT_EQ(callback.heard[0].handle, handle);
  EXPECT_EQ(callback.heard[0].next, nullptr);
  EXPECT_EQ(callback.heard[0].nextHandle, -1);
  rig.Run(3000);
  EXPECT_EQ(callback.heard.size(), 1u);
}

TEST_F(SoundTest, ASoundDroppedWhilePlayingPlaysOutAndNotifies) {
  std::shared_ptr<TSound> sound = Load("twoplus", true);
  TSound* played = sound.get();
  RecordingCallBack callback(&rig.captured);
  sound->QueueNext(sound->Play(false), &callback, nullptr);
  sound.reset();
  rig.Run(4000);
  ASSERT_EQ(callback.heard.size(), 1u);
  EXPECT_EQ(callback.heard[0].sound, played);
  const std::vector<int16_t> decoded = DecodeOgg(Fixture("twoplus"));
  EXPECT_EQ(FirstDifference(rig.captured, decoded), decoded.size());
  EXPECT_GE(callback.heard[0].samplesPlayed, decoded.size());
}

// Logs what it hears under its name, then deletes the callback it was given
// (itself, maybe).
class DeletingCallBack : public TSoundCallBack {
 public:
  DeletingCallBack(std::string name, std::vector<std::string>& log) : mName(std::move(name)), mLog(log) {}
  void OnEnd(const std::shared_ptr<TSound>&, int32_t handle, const std::shared_ptr<TSound>&, int32_t) override {
    mLog.push_back(mName + " " + std::to_string(handle));
    if (doomed) doomed->reset();
  }
  std::unique_ptr<DeletingCallBack>* doomed = nullptr;

 private:
  std::string mName;
  std::vector<std::string>& mLog;
};

// Stopping tells each instance's callback right after that instance stops,
// and only while the callback is still registered: one told first may delete
// a callback that is due later, itself included.
TEST_F(SoundTest, ACallbackDeletedByAnEarlierStopNoticeIsNotCalled) {
  struct Case {
    const char* name;
    bool callbackOfItsOwn;  // instance 1 has callback B, else A as instance 0
    char deletes;           // what A deletes when told: 'A', 'B' or nothing
    std::vector<std::string> heard;
  };
  const Case cases[] = {{"one callback on both, kept", false, '-', {"A 0", "A 1"}},
                        {"one callback on both, deleting itself", false, 'A', {"A 0"}},
                        {"two callbacks, the first deleting the second", true, 'B', {"A 0"}},
                        {"two callbacks, kept", true, '-', {"A 0", "B 1"}}};
  int group = 0;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::shared_ptr<TSound> sound = Load("five", false, "?group=" + std::to_string(++group));  // a sound of its own
    std::vector<std::string> heard;
    auto a = std::make_unique<DeletingCallBack>("A", heard);
    auto b = c.callbackOfItsOwn ? std::make_unique<DeletingCallBack>("B", heard) : nullptr;
    if (c.deletes != '-') a->doomed = c.deletes == 'A' ? &a : &b;
    ASSERT_EQ(sound->Play(true), 0);
    ASSERT_EQ(sound->Play(true), 1);
    sound->QueueNext(0, a.get(), nullptr);
    sound->QueueNext(1, b ? b.get() : a.get(), nullptr);
    rig.Run(100);
    EXPECT_TRUE(sound->Stop(-1));  // the sanitizers see any call of a deleted callback
    EXPECT_EQ(heard, c.heard);
    EXPECT_TRUE(sound->Data().Handles().empty());
    EXPECT_EQ(rig.manager->GetPlayingCount(), 0u);
  }
}

TEST_F(SoundTest, ACallbackDestroyedBeforeTheEndIsNeverCalled) {
  std::shared_ptr<TSound> sound = Load("mono1", true);
  auto callback = std::make_unique<RecordingCallBack>();
  sound->QueueNext(sound->Play(false), callback.get(), nullptr);
  callback.reset();
  rig.Run(3000);  // the sanitizers see any call
  EXPECT_TRUE(sound->Data().Handles().empty());
}

TEST_F(SoundTest, ShuttingDownWithSoundsPlayingCallsNoCallback) {
  std::shared_ptr<TSound> sound = Load("five", false);
  RecordingCallBack callback;
  sound->QueueNext(sound->Play(true), &callback, nullptr);
  rig.Run(100);
  rig.DeleteManager();
  EXPECT_TRUE(callback.heard.empty());
  EXPECT_TRUE(sound->Data().Handles().empty());
}

// ---- Queueing.

TEST_F(SoundTest, ASoundQueuedInTimeFollowsWithoutAGapAndTheCallbackHearsBoth) {
  std::shared_ptr<TSound> first = Load("piece", false);
  std::shared_ptr<TSound> second = Load("two", true);
  RecordingCallBack callback;
  const int32_t handle = first->Play(false);
  first->QueueNext(handle, &callback, second);
  rig.Run(6000);
  const std::vector<int16_t> expected = Joined({DecodeOgg(Fixture("piece")), DecodeOgg(Fixture("two"))});
  EXPECT_EQ(FirstDifference(rig.captured, expected), expected.size());
  ASSERT_EQ(callback.heard.size(), 1u);
  EXPECT_EQ(callback.heard[0].sound, first.get());
  EXPECT_EQ(callback.heard[0].handle, handle);
  EXPECT_EQ(callback.heard[0].next, second.get());
  EXPECT_EQ(callback.heard[0].nextHandle, 0);
  EXPECT_TRUE(first->Data().Handles().empty());
  EXPECT_TRUE(second->Data().Handles().empty());
}

TEST_F(SoundTest, ASoundQueuedTooLateStartsAtOnceAndTheCallbackHearsAtTheNextPass) {
  std::shared_ptr<TSound> first = Load("mono1", true);
  std::shared_ptr<TSound> second = Load("two", true);
  const int32_t handle = first->Play(false);
  rig.Run(3000);
  RecordingCallBack callback;
  first->QueueNext(handle, &callback, second);
  EXPECT_EQ(second->Data().Handles().size(), 1u) << "started at once";
  EXPECT_TRUE(callback.heard.empty());
  rig.Run(10);
  ASSERT_EQ(callback.heard.size(), 1u);
  EXPECT_EQ(callback.heard[0].sound, first.get());
  EXPECT_EQ(callback.heard[0].handle, 1) << "a fresh handle";
  EXPECT_EQ(callback.heard[0].next, second.get());
  EXPECT_EQ(callback.heard[0].nextHandle, 0);
}

TEST_F(SoundTest, ACallbackAloneHearsTheEnd) {
  std::shared_ptr<TSound> sound = Load("mono1", true);
  RecordingCallBack callback;
  const int32_t handle = sound->Play(false);
  sound->QueueNext(handle, &callback, nullptr);
  rig.Run(3000);
  ASSERT_EQ(callback.heard.size(), 1u);
  EXPECT_EQ(callback.heard[0].handle, handle);
  EXPECT_EQ(callback.heard[0].next, nullptr);
  sound->QueueNext(handle, &callback, nullptr);  // that instance is gone: heard at the next pass
  rig.Run(10);
  EXPECT_EQ(callback.heard.size(), 2u);
}

TEST_F(SoundTest, ASoundQueuedAfterItselfEndsHandleByHandleAndStopsWhole) {
  std::shared_ptr<TSound> sound = Load("piece", false);
  RecordingCallBack callback;
  const int32_t handle = sound->Play(false);
  sound->QueueNext(handle, &callback, sound);
  EXPECT_EQ(sound->Data().Handles().size(), 2u);
  rig.Run(3000);
  ASSERT_EQ(callback.heard.size(), 1u);
  EXPECT_EQ(callback.heard[0].handle, handle) << "the instance that ended";
  EXPECT_EQ(callback.heard[0].nextHandle, handle + 1);
  ASSERT_EQ(sound->Data().Handles().size(), 1u);
  EXPECT_EQ(sound->Data().Handles().begin()->first, handle + 1);

  const int32_t again = sound->Play(false);
  sound->QueueNext(again, nullptr, sound);
  EXPECT_TRUE(sound->Stop(again));
  EXPECT_EQ(sound->Data().Handles().size(), 1u) << "only the first chain's instance is left";
}

// A music loop as the game builds it: each end queues the next piece.
class LoopMusic : public TSoundCallBack {
 public:
  explicit LoopMusic(std::vector<std::shared_ptr<TSound>> pieces) : mPieces(std::move(pieces)) {}
  void Start() {
    const int32_t handle = mPieces[0]->Play(false);
    mPieces[0]->QueueNext(handle, this, mPieces[1]);
  }
  void OnEnd(const std::shared_ptr<TSound>&, int32_t, const std::shared_ptr<TSound>& next,
             int32_t nextHandle) override {
    if (!next) return;
    mIndex = (mIndex + 1) % mPieces.size();
    next->QueueNext(nextHandle, this, mPieces[(mIndex + 1) % mPieces.size()]);
  }

 private:
  std::vector<std::shared_ptr<TSound>> mPieces;
  size_t mIndex = 0;
};

TEST_F(SoundTest, AMusicLoopPlaysRoundAfterRoundWithoutAGap) {
  std::shared_ptr<TSound> first = Load("piece", false);
  std::shared_ptr<TSound> second = Load("five", false);
  LoopMusic music({first, second});
  music.Start();
  rig.Run(16000);
  const std::vector<int16_t> a = DecodeOgg(Fixture("piece"));
  const std::vector<int16_t> b = DecodeOgg(Fixture("five"));
  const std::vector<int16_t> expected = Joined({a, b, a, b});
  EXPECT_EQ(FirstDifference(rig.captured, expected), expected.size());
}

// ---- The source.

TEST_F(SoundTest, ASeekOnADecodedSoundLandsOnAWholeFrame) {
  std::shared_ptr<TSound> sound = Load("two", true);
  TMemSpooler spooler(sound->Data());
  spooler.SeekTime(0.0001f);  // 17.64 bytes in
  uint8_t bytes[8];
  int32_t got = 0;
  ASSERT_TRUE(spooler.Read(8, bytes, got, false));
  EXPECT_EQ(std::memcmp(bytes, sound->Data().Pcm() + 16, 8), 0);
}

// ---- Reads of any size.

std::string AsBytes(const std::vector<int16_t>& samples) {
  return std::string(reinterpret_cast<const char*>(samples.data()), samples.size() * 2);
}

// Where the two first differ: the length of the shorter when one begins the other.
size_t FirstDifferentByte(const std::string& read, const std::string& expected) {
  const size_t common = std::min(read.size(), expected.size());
  return size_t(std::mismatch(read.begin(), read.begin() + ptrdiff_t(common), expected.begin()).first - read.begin());
}

// Reads a source to its end in reads of `size` bytes.
std::string ReadToEnd(TStreamSpooler& source, int32_t size) {
  std::string out;
  std::vector<uint8_t> buffer(static_cast<size_t>(size));
  int32_t got = 0;
  bool more = true;
  while (more) {
    more = source.Read(size, buffer.data(), got, false);
    out.append(reinterpret_cast<const char*>(buffer.data()), size_t(got));
  }
  return out;
}

std::string ReadToEnd(OggDecoder& decoder, int32_t size) {
  std::string out;
  std::vector<uint8_t> buffer(static_cast<size_t>(size));
  int32_t got = size;
  while (got == size) {
    got = decoder.Read(buffer.data(), size);
    out.append(reinterpret_cast<const char*>(buffer.data()), size_t(got));
  }
  return out;
}

// Two sources read to their end in turns of an odd number of reads of
// `size` bytes, about 10 KB a turn; what they read when both read the same.
std::string ReadInTurns(TStreamSpooler& first, TStreamSpooler& second, int32_t size) {
  const int readsPerTurn = (10007 / size) | 1;
  std::string read[2];
  bool more[2] = {true, true};
  TStreamSpooler* sources[2] = {&first, &second};
  std::vector<uint8_t> buffer(static_cast<size_t>(size));
  while (more[0] || more[1]) {
    for (int turn : {0, 1}) {
      for (int i = 0; i < readsPerTurn && more[turn]; ++i) {
        int32_t got = 0;
        more[turn] = sources[turn]->Read(size, buffer.data(), got, false);
        read[turn].append(reinterpret_cast<const char*>(buffer.data()), size_t(got));
      }
    }
  }
  return read[0] == read[1] ? read[0] : std::string("the instances differ");
}

// A read that ends inside a frame keeps the rest of the frame for the next
// read, on every path a sound's PCM takes, and a seek drops what was kept.
// Two instances of a streamed sound share its decoder, each at its own byte.
TEST_F(SoundTest, ReadsOfAnySizeGiveTheWholeDecodeBitForBit) {
  constexpr float kSeekSeconds = 0.25f;
  constexpr int32_t kBeforeSeek = 1001;
  struct Path {
    const char* name;
    bool seeks;  // reads kBeforeSeek bytes, seeks to kSeekSeconds and reads on
    std::function<std::string(const std::string& kind, int32_t size)> read;
  };
  const Path paths[] = {
      {"decoder", false,
       [](const std::string& kind, int32_t size) { return ReadToEnd(*OggDecoder::FromMemory(Fixture(kind)), size); }},
      {"decoder after a seek", true,
       [](const std::string& kind, int32_t size) {
         std::unique_ptr<OggDecoder> decoder = OggDecoder::FromMemory(Fixture(kind));
         std::vector<uint8_t> before(kBeforeSeek);
         decoder->Read(before.data(), kBeforeSeek);
         decoder->SeekTime(kSeekSeconds);
         return ReadToEnd(*decoder, size);
       }},
      {"in-memory sound", false,
       [this](const std::string& kind, int32_t size) {
         std::shared_ptr<TSound> sound = Load(kind, true);
         TMemSpooler spooler(sound->Data());
         return ReadToEnd(spooler, size);
       }},
      {"streamed sound", false,
       [this](const std::string& kind, int32_t size) {
         std::shared_ptr<TSound> sound = Load(kind, false);
         TMemSpooler spooler(sound->Data());
         return ReadToEnd(spooler, size);
       }},
      {"streamed sound after a seek", true,
       [this](const std::string& kind, int32_t size) {
         std::shared_ptr<TSound> sound = Load(kind, false);
         TMemSpooler spooler(sound->Data());
         std::vector<uint8_t> before(kBeforeSeek);
         int32_t got = 0;
         spooler.Read(kBeforeSeek, before.data(), got, false);
         spooler.SeekTime(kSeekSeconds);
         return ReadToEnd(spooler, size);
       }},
      {"in-memory sound after a seek", true,
       [this](const std::string& kind, int32_t size) {
         std::shared_ptr<TSound> sound = Load(kind, true);
         TMemSpooler spooler(sound->Data());
         std::vector<uint8_t> before(kBeforeSeek);
         int32_t got = 0;
         spooler.Read(kBeforeSeek, before.data(), got, false);
         spooler.SeekTime(kSeekSeconds);
         return ReadToEnd(spooler, size);
       }},
      {"two instances of a streamed sound, reading in turn", false,
       [this](const std::string& kind, int32_t size) {
         std::shared_ptr<TSound> sound = Load(kind, false);
         TMemSpooler first(sound->Data());
         TMemSpooler second(sound->Data());
         return ReadInTurns(first, second, size);
       }},
  };
  struct Clip {
    const char* kind;
    int32_t frameBytes;
    int32_t rate;
  };
  for (const Clip& clip : {Clip{"briefmono", 2, 22050}, Clip{"briefstereo", 4, 44100}}) {
    const std::string whole = AsBytes(DecodeOgg(Fixture(clip.kind)));
    const size_t seekByte = size_t(int32_t(kSeekSeconds * float(clip.rate)) * clip.frameBytes);
    for (int32_t size : {1, 3, 1001, 4410, 4096, 65537}) {
      for (const Path& path : paths) {
        SCOPED_TRACE(std::string(clip.kind) + ", " + path.name + ", reads of " + std::to_string(size));
        const std::string expected = path.seeks ? whole.substr(seekByte) : whole;
        const std::string read = path.read(clip.kind, size);
        EXPECT_EQ(read.size(), expected.size());
        EXPECT_EQ(FirstDifferentByte(read, expected), std::min(read.size(), expected.size()));
      }
    }
  }
  EXPECT_FALSE(Logged("the sound ends here"));
}

TEST_F(SoundTest, ALoopingSourceWithoutSamplesGivesSilence) {
  files.WriteAsset("sounds/empty.ogg", EncodeOgg(1, 22050, 0.0));
  BuildFileIndex();
  std::shared_ptr<TSound> empty = TSound::Get("sounds/empty.ogg", true, 0);
  ASSERT_TRUE(empty);
  EXPECT_EQ(empty->Data().PcmBytes(), 0);
  TMemSpooler spooler(empty->Data());
  std::vector<uint8_t> bytes(1000, 0xAA);
  int32_t got = 0;
  EXPECT_TRUE(spooler.Read(1000, bytes.data(), got, true));
  EXPECT_EQ(got, 1000);
  EXPECT_EQ(bytes, std::vector<uint8_t>(1000, 0));
}

TEST_F(SoundTest, ALoopingSourceStartsOverWithoutAGap) {
  std::shared_ptr<TSound> sound = Load("mono1", false);
  TMemSpooler spooler(sound->Data());
  const std::vector<int16_t> decoded = DecodeOgg(Fixture("mono1"));
  std::vector<int16_t> read(decoded.size() + 100);
  int32_t got = 0;
  EXPECT_TRUE(spooler.Read(int32_t(read.size() * 2), reinterpret_cast<uint8_t*>(read.data()), got, true));
  EXPECT_EQ(FirstDifference(read, Joined({decoded, std::vector<int16_t>(decoded.begin(), decoded.begin() + 100)})),
            read.size());
}

}  // namespace
