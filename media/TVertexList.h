#pragma once

#include <cstdint>
#include <memory>

// A vertex array as the display draws it: the vertex format kind (0 lit 3D
// vertices, 1 coloured vertices, 2 and 3 vertices already on the target with
// 1/w, 3 with lighting on), the array (not owned) and the count of vertices.
struct TVertexList {
  int32_t kind = 0;
  const void* vertices = nullptr;
  int32_t count = 0;

  static std::unique_ptr<TVertexList> InitKind2(const void* vertices, int32_t count) {
    return std::make_unique<TVertexList>(TVertexList{2, vertices, count});
  }
  static std::unique_ptr<TVertexList> InitKind3(const void* vertices, int32_t count) {
    return std::make_unique<TVertexList>(TVertexList{3, vertices, count});
  }
  void SetCount(int32_t newCount) { count = newCount; }
};
