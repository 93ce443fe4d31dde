#include "media/sound/TSoundData.h"

#include <algorithm>
#include <new>

#include "media/sound/TSound.h"
#include "media/sound/TSoundManager.h"
#include "platform/TPlatform.h"
#include "platform/text/Log.h"

namespace {

// The file's bytes, read whole; empty when it cannot be read.
std::string ReadWhole(TFile& file) {
  file.Seek(0, kSeekEnd);
  const int32_t size = std::max(file.Tell(), 0);
  file.Seek(0, kSeekStart);
  std::string bytes(size_t(size), '\0');
  bytes.resize(size_t(std::max(file.Read(bytes.data(), size), 0)));
  return bytes;
}

}  // namespace

TSoundData::TSoundData(TSound& owner, TString name, int32_t group)
    : mOwner(owner), mName(std::move(name)), mGroup(group) {}

TSoundData::~TSoundData() {
  for (auto& [handle, entry] : mHandles)
    if (entry.callback) entry.callback->Unregister(&mOwner, handle);
}

bool TSoundData::Open(std::unique_ptr<TFile> file, bool inMemory) {
  std::unique_ptr<OggDecoder> decoder;
  if (inMemory) {
    std::string bytes = ReadWhole(*file);
    file.reset();
    decoder = OggDecoder::FromMemory(std::move(bytes));
  } else {
    decoder = OggDecoder::FromFile(std::move(file));
  }
  if (!decoder) return false;
  if ((decoder->Channels() != 1 && decoder->Channels() != 2) || decoder->Rate() < 1 || decoder->Rate() > kMaxRate) {
    LogPrintf("OGG file %s has %d channels at %d Hz: not played", mName.CStr(), decoder->Channels(), decoder->Rate());
    return false;
  }
  mChannels = decoder->Channels();
  mRate = decoder->Rate();
  mLength = decoder->Length();
  mDecoder = std::move(decoder);
  if (!inMemory || mLength > kDecodeAtOnceSeconds) return true;
  return DecodeAtOnce();
}

// Room for the length the stream claims and a tenth of a second more; what
// decodes beyond it is left out.
bool TSoundData::DecodeAtOnce() {
  const int64_t reserve = int64_t((mLength + 0.1) * mChannels * mRate * 2.0);
  try {
    mPcm.assign(size_t(reserve) + 4, 0);
  } catch (const std::bad_alloc&) {
    LogPrintf("OGG file %s: no memory to decode it", mName.CStr());
    mChannels = 0;
    return false;
  }
  mPcmBytes = mDecoder->Read(mPcm.data(), int32_t(reserve));
  mDecoder.reset();
  return true;
}

std::map<int32_t, TSoundData::Entry>::iterator TSoundData::FindStream(const TSoundStream* stream) {
  return std::find_if(mHandles.begin(), mHandles.end(),
                      [stream](const auto& handle) { return handle.second.stream == stream; });
}

void TSoundData::ForgetCallback(int32_t handle, const TSoundCallBack* callback) {
  auto found = mHandles.find(handle);
  if (found != mHandles.end() && found->second.callback == callback) found->second.callback = nullptr;
}

// The entry goes first, so that the callback may play, stop and queue as it
// likes.
void TSoundData::OnStreamEnd(TSoundStream* stream) {
  auto found = FindStream(stream);
  if (found == mHandles.end()) return;
  const int32_t handle = found->first;
  const Entry entry = found->second;
  mHandles.erase(found);
  if (!entry.callback) return;
  entry.callback->Unregister(&mOwner, handle);
  TPlatform* platform = TPlatform::Instance();
  TSoundManager* manager = platform ? platform->GetSoundManager() : nullptr;
  if (!manager || manager->IsShutDown()) return;
  entry.callback->OnEnd(std::static_pointer_cast<TSound>(mOwner.shared_from_this()), handle, entry.next,
                        entry.nextHandle);
}
