#include "media/TTexture.h"

TTexture::TTexture(std::unique_ptr<TTextureData> data) : mData(std::move(data)) {}

TTexture::~TTexture() = default;

int32_t TTexture::GetWidth() const { return mData ? mData->mWidth : 0; }

int32_t TTexture::GetHeight() const { return mData ? mData->mHeight : 0; }

// The copy is the texture data's, which this minimal texture has not.
void TTexture::Blit(int32_t, int32_t, const TRect*, const std::shared_ptr<TTexture>&) {}
