#include "system/gfx/Matrix4.h"

#include <cmath>
#include <utility>

namespace sys::gfx {
namespace {

Vec3 Subtract(const Vec3& a, const Vec3& b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
Vec3 Cross(const Vec3& a, const Vec3& b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
Vec3 Normalise(const Vec3& v) {
  const float length = std::sqrt(Dot(v, v));
  return length > 0 ? Vec3{v.x / length, v.y / length, v.z / length} : v;
}

}  // namespace

Matrix4 Multiply(const Matrix4& a, const Matrix4& b) {
  Matrix4 out;
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      float sum = 0;
      for (int k = 0; k < 4; ++k) sum += a.m[row][k] * b.m[k][column];
      out.m[row][column] = sum;
    }
  }
  return out;
}

bool Invert(const Matrix4& matrix, Matrix4& out) {
  // Gauss-Jordan elimination with partial pivoting, in double.
  double work[4][8];
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) {
      work[row][column] = matrix.m[row][column];
      work[row][column + 4] = row == column ? 1 : 0;
    }
  }
  for (int column = 0; column < 4; ++column) {
    int pivot = column;
    for (int row = column + 1; row < 4; ++row) {
      if (std::abs(work[row][column]) > std::abs(work[pivot][column])) pivot = row;
    }
    if (std::abs(work[pivot][column]) < 1e-12) return false;
    std::swap(work[pivot], work[column]);
    const double scale = 1 / work[column][column];
    for (double& value : work[column]) value *= scale;
    for (int row = 0; row < 4; ++row) {
      if (row == column) continue;
      const double factor = work[row][column];
      for (int k = 0; k < 8; ++k) work[row][k] -= factor * work[column][k];
    }
  }
  for (int row = 0; row < 4; ++row) {
    for (int column = 0; column < 4; ++column) out.m[row][column] = static_cast<float>(work[row][column + 4]);
  }
  return true;
}

Matrix4 LookAtLeftHanded(const Vec3& eye, const Vec3& target, const Vec3& up) {
  const Vec3 zAxis = Normalise(Subtract(target, eye));
  const Vec3 xAxis = Normalise(Cross(up, zAxis));
  const Vec3 yAxis = Cross(zAxis, xAxis);
  Matrix4 out;
  out.m[0][0] = xAxis.x, out.m[0][1] = yAxis.x, out.m[0][2] = zAxis.x;
  out.m[1][0] = xAxis.y, out.m[1][1] = yAxis.y, out.m[1][2] = zAxis.y;
  out.m[2][0] = xAxis.z, out.m[2][1] = yAxis.z, out.m[2][2] = zAxis.z;
  out.m[3][0] = -Dot(xAxis, eye), out.m[3][1] = -Dot(yAxis, eye), out.m[3][2] = -Dot(zAxis, eye);
  return out;
}

Matrix4 PerspectiveFovLeftHanded(float fovY, float aspect, float near, float far) {
  const float yScale = 1 / std::tan(fovY / 2);
  Matrix4 out;
  out.m[0][0] = aspect * yScale;
  out.m[1][1] = yScale;
  out.m[2][2] = far / (far - near);
  out.m[2][3] = 1;
  out.m[3][2] = -near * far / (far - near);
  out.m[3][3] = 0;
  return out;
}

Matrix4 OrthoLeftHanded(float width, float height, float near, float far) {
  Matrix4 out;
  out.m[0][0] = 2 / width;
  out.m[1][1] = 2 / height;
  out.m[2][2] = 1 / (far - near);
  out.m[3][2] = near / (near - far);
  return out;
}

Matrix4 OrthoOffCentreLeftHanded(float left, float right, float bottom, float top, float near, float far) {
  Matrix4 out;
  out.m[0][0] = 2 / (right - left);
  out.m[1][1] = 2 / (top - bottom);
  out.m[2][2] = 1 / (far - near);
  out.m[3][0] = (left + right) / (left - right);
  out.m[3][1] = (top + bottom) / (bottom - top);
  out.m[3][2] = near / (near - far);
  return out;
}

}  // namespace sys::gfx
