#pragma once

#include <string>

#include "tests/support/TempFolder.h"

// Points every per-user folder into `home` and the SDL video and audio drivers
// at their dummies, so a test program touches neither the real home folder
// nor a display or sound device.
void RunHeadlessIn(const TempFolder& home);
void RunHeadlessIn(const std::string& home);
