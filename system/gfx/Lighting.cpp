#include "system/gfx/Lighting.h"

#include <algorithm>
#include <cmath>

namespace sys::gfx {
namespace {

Vec3 operator-(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 operator+(const Vec3& a, const Vec3& b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
Vec3 operator*(const Vec3& a, float s) { return {a.x * s, a.y * s, a.z * s}; }
float Length(const Vec3& v) { return std::sqrt(Dot(v, v)); }
// Lighting scales by the reciprocal of the length, one division per vector.
Vec3 ScaledToUnit(const Vec3& v) {
  const float length = Length(v);
  return length > 0 ? v * (1 / length) : v;
}

Vec3 TransformPoint(const Vec3& p, const Matrix4& m) {
  return {p.x * m.m[0][0] + p.y * m.m[1][0] + p.z * m.m[2][0] + m.m[3][0],
          p.x * m.m[0][1] + p.y * m.m[1][1] + p.z * m.m[2][1] + m.m[3][1],
          p.x * m.m[0][2] + p.y * m.m[1][2] + p.z * m.m[2][2] + m.m[3][2]};
}

Vec3 TransformDirection(const Vec3& d, const Matrix4& m) {
  return {d.x * m.m[0][0] + d.y * m.m[1][0] + d.z * m.m[2][0], d.x * m.m[0][1] + d.y * m.m[1][1] + d.z * m.m[2][1],
          d.x * m.m[0][2] + d.y * m.m[1][2] + d.z * m.m[2][2]};
}

ColourValue Unpack(uint32_t argb) {
  return {((argb >> 16) & 0xFF) / 255.0f, ((argb >> 8) & 0xFF) / 255.0f, (argb & 0xFF) / 255.0f, (argb >> 24) / 255.0f};
}

uint32_t Pack(float r, float g, float b, float a) {
  auto channel = [](float v) { return static_cast<uint32_t>(std::lround(std::clamp(v, 0.0f, 1.0f) * 255.0f)); };
  return channel(a) << 24 | channel(r) << 16 | channel(g) << 8 | channel(b);
}

// How much of the light reaches a point: attenuation by distance times the
// spot cone; 0 beyond the range.
float Reach(const Light& light, const Vec3& toLight, float distance) {
  if (light.type == LightType::Directional) return 1;
  if (distance > light.range) return 0;
  const float attenuation =
      light.attenuation0 + light.attenuation1 * distance + light.attenuation2 * distance * distance;
  float reach = attenuation > 0 ? 1 / attenuation : 1;
  if (light.type == LightType::Spot) {
    const float rho = Dot(ScaledToUnit(light.direction), toLight * -1.0f);
    const float inner = std::cos(light.theta / 2), outer = std::cos(light.phi / 2);
    if (rho <= outer) return 0;
    if (rho <= inner) reach *= std::pow((rho - outer) / (inner - outer), light.falloff);
  }
  return reach;
}

}  // namespace

bool Lighting::Enable(uint32_t index, bool on) {
  auto found = mLights.find(index);
  if (found == mLights.end()) return false;
  if (on && !found->second.on) {
    const auto active = std::count_if(mLights.begin(), mLights.end(), [](const auto& slot) { return slot.second.on; });
    if (active >= kMaxActiveLights) return false;
  }
  found->second.on = on;
  return true;
}

void Lighting::Begin(const Matrix4& world, const Matrix4& view, uint32_t ambient, bool normalizeNormals) {
  mWorld = world;
  Matrix4 inverse;
  mNormalMatrix = world;
  if (Invert(world, inverse)) {
    for (int row = 0; row < 3; ++row) {
      for (int column = 0; column < 3; ++column) mNormalMatrix.m[row][column] = inverse.m[column][row];
    }
  }
  Matrix4 camera;
  mEye = Invert(view, camera) ? Vec3{camera.m[3][0], camera.m[3][1], camera.m[3][2]} : Vec3{};
  mAmbient = Unpack(ambient);
  mNormalize = normalizeNormals;
}

void Lighting::Shade(const Vec3& position, const Vec3& normal, uint32_t& diffuse, uint32_t& specular) const {
  const Vec3 point = TransformPoint(position, mWorld);
  Vec3 n = TransformDirection(normal, mNormalMatrix);
  if (mNormalize) n = ScaledToUnit(n);
  const Vec3 toEye = ScaledToUnit(mEye - point);
  const Material& m = mMaterial;
  ColourValue ambient = mAmbient, lit, shine;
  for (const auto& [index, slot] : mLights) {
    if (!slot.on) continue;
    const Light& light = slot.light;
    Vec3 toLight;
    float distance = 0;
    if (light.type == LightType::Directional) {
      toLight = ScaledToUnit(light.direction * -1.0f);
    } else {
      const Vec3 offset = light.position - point;
      distance = Length(offset);
      toLight = distance > 0 ? offset * (1 / distance) : Vec3{};
    }
    const float reach = Reach(light, toLight, distance);
    if (reach <= 0) continue;
    ambient.r += light.ambient.r * reach, ambient.g += light.ambient.g * reach, ambient.b += light.ambient.b * reach;
    const float facing = Dot(n, toLight);
    if (facing <= 0) continue;
    lit.r += light.diffuse.r * facing * reach, lit.g += light.diffuse.g * facing * reach;
    lit.b += light.diffuse.b * facing * reach;
    const float highlight = Dot(n, ScaledToUnit(toEye + toLight));
    if (highlight > 0 && m.power > 0) {
      const float strength = std::pow(highlight, m.power) * reach;
      shine.r += light.specular.r * strength, shine.g += light.specular.g * strength;
      shine.b += light.specular.b * strength;
    }
  }
  diffuse = Pack(m.emissive.r + m.ambient.r * ambient.r + m.diffuse.r * lit.r,
                 m.emissive.g + m.ambient.g * ambient.g + m.diffuse.g * lit.g,
                 m.emissive.b + m.ambient.b * ambient.b + m.diffuse.b * lit.b, m.diffuse.a);
  specular = Pack(m.specular.r * shine.r, m.specular.g * shine.g, m.specular.b * shine.b, m.specular.a);
}

}  // namespace sys::gfx
