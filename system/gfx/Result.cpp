#include "system/gfx/Result.h"

namespace sys::gfx {

const char* ResultName(Result result) {
  switch (result) {
    case Result::Ok: return "Ok";
    case Result::Failed: return "Failed";
    case Result::InvalidArgument: return "InvalidArgument";
    case Result::NoObject: return "NoObject";
    case Result::Unsupported: return "Unsupported";
    case Result::InvalidPixelFormat: return "InvalidPixelFormat";
    case Result::InvalidCaps: return "InvalidCaps";
    case Result::InvalidMode: return "InvalidMode";
    case Result::SurfaceLost: return "SurfaceLost";
    case Result::SurfaceBusy: return "SurfaceBusy";
    case Result::NotLocked: return "NotLocked";
    case Result::OutOfVideoMemory: return "OutOfVideoMemory";
    case Result::OutOfMemory: return "OutOfMemory";
    case Result::WasStillDrawing: return "WasStillDrawing";
    case Result::WrongMode: return "WrongMode";
    case Result::ExclusiveModeAlreadySet: return "ExclusiveModeAlreadySet";
    case Result::NoExclusiveMode: return "NoExclusiveMode";
    case Result::CurrentlyNotAvailable: return "CurrentlyNotAvailable";
    case Result::NoCooperativeLevel: return "NoCooperativeLevel";
    case Result::NotFlippable: return "NotFlippable";
    case Result::NotAttached: return "NotAttached";
    case Result::AlreadyAttached: return "AlreadyAttached";
    case Result::NoColorKey: return "NoColorKey";
    case Result::NoPalette: return "NoPalette";
    case Result::NoClipper: return "NoClipper";
    case Result::SceneEndFailed: return "SceneEndFailed";
  }
  return "Unknown";
}

}  // namespace sys::gfx
