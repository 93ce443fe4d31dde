#pragma once

#include <cstdint>

#include "platform/types/TColor.h"
#include "platform/types/TVec3.h"

// The surface colours lit 3D drawing gives its vertices, handed to the device
// unchanged.
struct TMaterial {
  TColor diffuse;
  TColor ambient;
  TColor specular;
  TColor emissive;
  float power = 0;
};

// One light of 3D drawing. Angles are radians.
struct TLight {
  enum Kind : int32_t { kDirectional = 0, kPoint = 1, kSpot = 2 };

  int32_t kind = kDirectional;
  TColor diffuse;
  TColor specular;
  TColor ambient;
  TVec3 position;
  TVec3 direction;
  float range = 0;
  float constantAttenuation = 0;
  float linearAttenuation = 0;
  float quadraticAttenuation = 0;
  float theta = 0;  // inner cone: full light inside
  float phi = 0;    // outer cone: no light outside
};
