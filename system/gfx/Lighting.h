#pragma once

#include <cstdint>
#include <map>

#include "system/gfx/Matrix4.h"

namespace sys::gfx {

// A colour of four floats, 1.0 being full intensity.
struct ColourValue {
  float r = 0, g = 0, b = 0, a = 0;
};

struct Material {
  ColourValue diffuse;
  ColourValue ambient;
  ColourValue specular;
  ColourValue emissive;
  float power = 0;
};

enum class LightType : uint8_t { Directional, Point, Spot };

struct Light {
  LightType type = LightType::Directional;
  ColourValue diffuse;
  ColourValue specular;
  ColourValue ambient;
  Vec3 position;
  Vec3 direction{0, 0, 1};
  float range = 0;
  float attenuation0 = 1;  // constant, linear and quadratic in the distance
  float attenuation1 = 0;
  float attenuation2 = 0;
  float theta = 0;  // inner cone angle, radians: full light inside
  float phi = 0;    // outer cone angle: no light outside
  float falloff = 1;
};

// Lights and material of the lit layout: each vertex gets a diffuse colour
// (emissive, ambient from the global ambient and each light, diffuse by the
// angle to each light) and a specular colour (towards the camera), in world
// space, each light weighted by its attenuation and spot cone.
class Lighting {
 public:
  static constexpr int kMaxActiveLights = 8;

  void SetMaterial(const Material& material) { mMaterial = material; }
  const Material& GetMaterial() const { return mMaterial; }
  void SetLight(uint32_t index, const Light& light) { mLights[index].light = light; }
  // False when the light was never set, or too many would be on.
  bool Enable(uint32_t index, bool on);

  // Per draw: the transforms and the global ambient colour (0xAARRGGBB).
  void Begin(const Matrix4& world, const Matrix4& view, uint32_t ambient, bool normalizeNormals);
  void Shade(const Vec3& position, const Vec3& normal, uint32_t& diffuse, uint32_t& specular) const;

 private:
  struct Slot {
    Light light;
    bool on = false;
  };

  std::map<uint32_t, Slot> mLights;
  Material mMaterial;
  Matrix4 mWorld;
  Matrix4 mNormalMatrix;  // inverse transpose of the world
  Vec3 mEye;
  ColourValue mAmbient;
  bool mNormalize = false;
};

}  // namespace sys::gfx
