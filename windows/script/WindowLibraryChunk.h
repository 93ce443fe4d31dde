#pragma once

#include <string_view>

// The window library (library/WindowLibrary.lua), compiled by the build into
// a precompiled chunk and kept in the program. Every window script runs it
// as it is made.
std::string_view WindowLibraryChunk();
