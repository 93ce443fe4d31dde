#include "online/TSimpleHttp.h"

#include "online/HttpEscape.h"
#include "online/THttpRequest.h"
#include "system/net/HttpWorkers.h"

TSimpleHttp::~TSimpleHttp() { Detach(); }

void TSimpleHttp::SetUrl(const char* url, bool post, const char* outputPath) {
  sys::StartHttp();
  mUrl = url;
  mOutputPath = outputPath;
  mPost = post;
  mBody = "";
  mFirstParameter = true;
  Detach();
}

void TSimpleHttp::AddParameter(const char* name, const char* value) {
  TString pair = TString(name) + "=" + HttpEscape(value);
  if (mPost) {
    if (!mFirstParameter) mBody += '&';
    mBody += pair;
  } else {
    mUrl += mFirstParameter ? '?' : '&';
    mUrl += pair;
  }
  mFirstParameter = false;
}

void TSimpleHttp::AddIntParameter(const char* name, int32_t value) {
  AddParameter(name, TString::Format("%d", value).CStr());
}

void TSimpleHttp::Send(uint32_t) {
  Detach();
  auto request = std::make_shared<THttpRequest>(mUrl.CStr(), mOutputPath.CStr(), mBody.CStr(), mPost);
  if (!sys::StartHttpWorker([request] { request->Run(); })) request->Fail();
  mRequest = std::move(request);
}

int32_t TSimpleHttp::GetStatus() const { return mRequest ? mRequest->GetStatus() : THttpRequest::kFailed; }

const char* TSimpleHttp::GetData() const { return mRequest ? mRequest->GetData() : nullptr; }

void TSimpleHttp::Detach() {
  if (!mRequest) return;
  mRequest->Abandon();
  mRequest.reset();
}
