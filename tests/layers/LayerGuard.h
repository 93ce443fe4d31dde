#pragma once

#include <filesystem>
#include <string>
#include <vector>

// The product's layers and the edges between them that the design allows:
// a layer may include and link only the layers listed for it. The guard reads
// the sources and the library declarations of a source tree and names every
// include and every link that crosses a layer the wrong way.
namespace layers {

// The layer a path below the source root belongs to ("" for none: tests,
// benchmarks, tools and other folders outside the product).
std::string LayerOf(const std::string& relativePath);

// Whether code of layer `from` may use layer `to`.
bool MayUse(const std::string& from, const std::string& to);

// A crossing: "file: include" or "file: links target".
struct Crossing {
  std::string file;
  std::string what;
};

// Every product include that crosses a layer the wrong way.
std::vector<Crossing> FindIncludeCrossings(const std::filesystem::path& root);
// Every library declaration in a CMakeLists.txt of the product that links a
// layer it may not use.
std::vector<Crossing> FindLinkCrossings(const std::filesystem::path& root);

}  // namespace layers
