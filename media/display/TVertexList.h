#pragma once

#include <cstdint>

// Vertices handed to the display's DrawVertices: their format kind, the
// array (which the caller keeps) and how many there are. Kinds: 0 lit 3D
// vertices (position, normal, texture pair); 1 coloured vertices (position,
// diffuse, specular, texture pair); 2 pre-transformed screen vertices
// (position, reciprocal w, diffuse, specular, texture pair); 3 the same with
// lighting on, which pre-transformed vertices ignore. Other kinds draw as 0.
struct TVertexList {
  enum Kind : int32_t { kLit = 0, kColoured = 1, kScreen = 2, kScreenLit = 3 };

  int32_t kind = kLit;
  void* vertices = nullptr;
  int32_t count = 0;

  void InitKind2(void* array, int32_t vertexCount) { Init(kScreen, array, vertexCount); }
  void InitKind3(void* array, int32_t vertexCount) { Init(kScreenLit, array, vertexCount); }
  void SetCount(int32_t vertexCount) { count = vertexCount; }
  // Lets go of the array.
  void Release() { Init(kLit, nullptr, 0); }

 private:
  void Init(int32_t vertexKind, void* array, int32_t vertexCount) {
    kind = vertexKind;
    vertices = array;
    count = vertexCount;
  }
};
