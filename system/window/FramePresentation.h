#pragma once

#include <string>

namespace sys {

// How SDL brings the window's surface to the desktop. Left to itself, SDL
// shows it through an OpenGL renderer wherever OpenGL exists, and counts
// every OpenGL as accelerated; on a machine without a graphics device that is
// a software rasterizer, which adds its threads and tens of megabytes to an
// idle program only to copy a frame that was drawn in software already. There
// the window's own surface (X11 shared memory) shows the frame. Where a
// graphics device exists SDL keeps its accelerated renderer. A user's own
// SDL_FRAMEBUFFER_ACCELERATION wins over both.

// Whether `devices` (normally "/dev") holds a graphics device that OpenGL
// could accelerate with: a kernel render node, or NVIDIA's own device.
bool HasGraphicsDevice(const std::string& devices);

// The value for SDL's framebuffer-acceleration hint under that video driver,
// or null to leave SDL's choice. Only drivers with a surface of their own
// can do without a renderer.
const char* FramebufferAcceleration(const char* videoDriver, bool graphicsDevice);

// Settles it for the video driver SDL has opened, before the window's first
// frame; says in the log when the window's own surface is chosen.
void ChooseFramePresentation();

}  // namespace sys
