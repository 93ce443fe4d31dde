#pragma once

namespace sys::gfx {

struct Vec3 {
  float x = 0, y = 0, z = 0;
};

inline float Dot(const Vec3& a, const Vec3& b) { return a.x * b.x + a.y * b.y + a.z * b.z; }

// A 4 x 4 matrix that points, as row vectors, are multiplied by from the
// left: p' = p M. World, view and projection apply in that order.
struct Matrix4 {
  float m[4][4] = {{1, 0, 0, 0}, {0, 1, 0, 0}, {0, 0, 1, 0}, {0, 0, 0, 1}};

  bool operator==(const Matrix4&) const = default;
};

// a then b: p (a b).
Matrix4 Multiply(const Matrix4& a, const Matrix4& b);
// False when the matrix has no inverse.
bool Invert(const Matrix4& matrix, Matrix4& out);

// Builders for a left-handed system: x right, y up, z into the screen.
// The camera at `eye` looking at `target`, `up` being up.
Matrix4 LookAtLeftHanded(const Vec3& eye, const Vec3& target, const Vec3& up);
// `aspect` is height over width: x is scaled by aspect cot(fovY / 2), y by
// cot(fovY / 2); depths from near to far map to 0 to 1.
Matrix4 PerspectiveFovLeftHanded(float fovY, float aspect, float near, float far);
Matrix4 OrthoLeftHanded(float width, float height, float near, float far);
Matrix4 OrthoOffCentreLeftHanded(float left, float right, float bottom, float top, float near, float far);

}  // namespace sys::gfx
