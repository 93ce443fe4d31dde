#pragma once

#include <cstdint>

namespace sys::gfx {

// What every operation of the display device answers. Ok is the only success.
enum class Result : uint8_t {
  Ok,
  Failed,                   // the operation could not be done, for no reason below
  InvalidArgument,          // a value out of range or a missing out-parameter
  NoObject,                 // the object the operation needs does not exist (yet)
  Unsupported,              // the device cannot do this at all
  InvalidPixelFormat,       // a pixel format the device does not know
  InvalidCaps,              // capabilities that do not fit together
  InvalidMode,              // a display mode the device does not offer
  SurfaceLost,              // the surface's memory was taken; Restore it
  SurfaceBusy,              // the surface is locked
  NotLocked,                // Unlock without Lock
  OutOfVideoMemory,         // the video memory budget cannot hold the surface
  OutOfMemory,              // system memory ran out
  WasStillDrawing,          // the last flip or blit has not finished
  WrongMode,                // the display mode changed underneath
  ExclusiveModeAlreadySet,  // another program owns the screen
  NoExclusiveMode,          // the exclusive mode was lost
  CurrentlyNotAvailable,    // the device cannot do this now
  NoCooperativeLevel,       // the device has not been told how it shares the screen
  NotFlippable,             // Flip on a surface that heads no flipping chain
  NotAttached,              // no attached surface of that kind
  AlreadyAttached,          // a surface of that kind is already attached
  NoColorKey,               // the surface has no colour key
  NoPalette,                // an 8-bit surface without a palette
  NoClipper,                // the surface has no clipper
  SceneEndFailed,           // the 3D device could not end its scene
};

const char* ResultName(Result result);

}  // namespace sys::gfx
