#include "media/texture/TTexture.h"

#include <algorithm>
#include <cstdint>

#include "media/display/TDisplayHandler.h"
#include "platform/TPlatform.h"
#include "platform/asset/TAssetManager.h"

namespace {

TAssetManager* Assets() {
  TPlatform* platform = TPlatform::Instance();
  return platform ? platform->GetAssetManager() : nullptr;
}

std::unique_ptr<TTextureData> DataFromDisplay() {
  TPlatform* platform = TPlatform::Instance();
  TDisplayHandler* display = platform ? platform->GetDisplayHandler() : nullptr;
  return display ? display->CreateTextureData() : nullptr;
}

TString NormalisedName(const TString& name) {
  TString normalised = name;
  normalised.Replace("\\", "/", TFindFlags::All);
  return normalised;
}

void SetFlag(uint8_t& flags, uint8_t flag, bool on) { flags = on ? (flags | flag) : (flags & ~flag); }

const TColor kWhite(1.0f, 1.0f, 1.0f, 1.0f);

}  // namespace

TClassId TTexture::ClassId() {
  static const char id = 0;
  return &id;
}

TTexture::TTexture() : mData(DataFromDisplay()) {}

TTexture::TTexture(std::unique_ptr<TTextureData> data) : mData(std::move(data)) {}

// A blank texture's key is its own; a named one's is left to expire, since
// a newer texture may have taken it.
TTexture::~TTexture() {
  if (mData && mData->mImageName.IsEmpty()) {
    if (TAssetManager* assets = Assets()) assets->Remove(UnnamedKey());
  }
}

bool TTexture::IsKindOf(TClassId id) const { return id == ClassId() || TAsset::IsKindOf(id); }

void TTexture::Release() {
  if (mData) mData->Release();
}

void TTexture::Restore() {
  if (mData) mData->Restore();
}

bool TTexture::CanDraw() const {
  TPlatform* platform = TPlatform::Instance();
  return mData && platform && platform->IsIn2d();
}

void TTexture::Draw(const TVec2* position, float alpha, float scaleX, float scaleY, float rotation,
                    const TVec2* centre, const TColor* colour, int32_t flip, const TRect* source) {
  if (!CanDraw()) return;
  mData->Draw(position, alpha, scaleX, scaleY, rotation, centre, colour ? colour : &kWhite, flip, nullptr, source);
}

void TTexture::DrawScaled(const TVec2* position, float alpha, float scale, float rotation, const TVec2* centre,
                          int32_t flip) {
  if (!CanDraw()) return;
  mData->Draw(position, alpha, scale, scale, rotation, centre, &kWhite, flip, nullptr, nullptr);
}

void TTexture::DrawAt(float x, float y, float alpha, float scale, float rotation, int32_t flip) {
  if (!CanDraw()) return;
  const TVec2 position(x, y);
  mData->Draw(&position, alpha, scale, scale, rotation, nullptr, &kWhite, flip, nullptr, nullptr);
}

void TTexture::DrawClipped(float x, float y, float alpha, float scale, const TRect* clip) {
  if (CanDraw()) mData->DrawClipped(x, y, alpha, scale, clip);
}

void TTexture::Blit(int32_t x, int32_t y, const TRect* source, const std::shared_ptr<TTexture>& destination) {
  if (!CanDraw()) return;
  if (!source) {
    mData->Blit(x, y, nullptr, destination);
    return;
  }
  TRect clamped = *source;
  clamped.left = std::max(clamped.left, 0);
  clamped.top = std::max(clamped.top, 0);
  clamped.right = std::min(clamped.right, GetWidth());
  clamped.bottom = std::min(clamped.bottom, GetHeight());
  mData->Blit(x, y, &clamped, destination);
}

int32_t TTexture::GetWidth() const { return mData ? mData->mWidth : 0; }

int32_t TTexture::GetHeight() const { return mData ? mData->mHeight : 0; }

void TTexture::ActivatePalette(const TString& name) {
  if (mData) mData->ActivatePalette(name);
}

bool TTexture::Lock(void** pixels, int32_t* width, int32_t* height, int32_t* pitch) {
  return mData && mData->Lock(pixels, width, height, pitch);
}

void TTexture::Unlock() {
  if (mData) mData->Unlock();
}

std::pair<int32_t, int32_t> TTexture::GetSurfaceSize() const {
  return mData ? mData->GetSurfaceSize() : std::pair<int32_t, int32_t>{0, 0};
}

TString TTexture::UnnamedKey() const {
  return TString::Format("%jx:tex:r", static_cast<uintmax_t>(reinterpret_cast<uintptr_t>(this)));
}

// The live texture of the key, else a new one registered under it and loaded.
template <class SetFlags>
std::shared_ptr<TTexture> TTexture::GetNamed(const TString& key, const TString& name, const char* mask,
                                             SetFlags setFlags) {
  TAssetManager* assets = Assets();
  if (assets) {
    if (std::shared_ptr<TTexture> found = assets->FindAs<TTexture>(key)) return found;
  }
  auto texture = std::make_shared<TTexture>();
  if (assets) assets->Register(key, texture);
  TTextureData* data = texture->GetData();
  if (!data) return nullptr;
  setFlags(data->mFlags);
  if (!data->Load(name.CStr(), mask)) return nullptr;
  return texture;
}

template <class SetFlags>
std::shared_ptr<TTexture> TTexture::CreateUnnamed(int32_t width, int32_t height, SetFlags setFlags) {
  auto texture = std::make_shared<TTexture>();
  if (TAssetManager* assets = Assets()) assets->Register(texture->UnnamedKey(), texture);
  TTextureData* data = texture->GetData();
  if (!data) return nullptr;
  setFlags(data->mFlags);
  if (!data->CreateSurface(width, height)) return nullptr;
  return texture;
}

std::shared_ptr<TTexture> TTexture::Get(const TString& name, int32_t bits) {
  TString key = NormalisedName(name);
  if (bits & kAlphaBit) key += ":a";
  if (bits & kMipmapBit) key += ":m";
  key += ":tex";
  return GetNamed(key, name, nullptr, [bits](uint8_t& flags) {
    if (bits & kAlphaBit) {
      flags |= TTextureData::kAlpha;
    } else if (bits & kNoAlphaBit) {
      flags &= ~TTextureData::kAlpha;
    } else {
      flags |= TTextureData::kAutomaticAlpha;
    }
    SetFlag(flags, TTextureData::kMipmap, (bits & kMipmapBit) != 0);
  });
}

std::shared_ptr<TTexture> TTexture::GetMasked(const TString& name, const TString& maskName, bool mipmap) {
  TString key = name + ":" + maskName;
  if (mipmap) key += ":m";
  key += ":tex";
  return GetNamed(key, name, maskName.CStr(), [mipmap](uint8_t& flags) {
    flags |= TTextureData::kAlpha;
    SetFlag(flags, TTextureData::kMipmap, mipmap);
  });
}

std::shared_ptr<TTexture> TTexture::GetSimple(const TString& name) {
  return GetNamed(NormalisedName(name) + ":s:tex", name, nullptr,
                  [](uint8_t& flags) { flags |= TTextureData::kSimple | TTextureData::kAutomaticAlpha; });
}

std::shared_ptr<TTexture> TTexture::CreateBlank(int32_t width, int32_t height, bool alpha) {
  return CreateUnnamed(width, height, [alpha](uint8_t& flags) { SetFlag(flags, TTextureData::kAlpha, alpha); });
}

std::shared_ptr<TTexture> TTexture::CreateRenderTarget(int32_t width, int32_t height) {
  return CreateUnnamed(width, height,
                       [](uint8_t& flags) { flags |= TTextureData::kRenderTarget | TTextureData::kSimple; });
}
