#include "tests/layers/LayerGuard.h"

#include <fstream>
#include <map>
#include <regex>
#include <sstream>

namespace fs = std::filesystem;

namespace layers {
namespace {

// Lowest first: folder, layer name, library target.
struct Layer {
  const char* folder;
  const char* name;
  const char* target;
};
const Layer kLayers[] = {
    {"system/", "system", "quorvane_system"},   {"platform/", "platform", "quorvane_platform"},
    {"script/lua/", "script", "quorvane_script"}, {"media/", "media", "quorvane_media"},
    {"windows/", "windows", "quorvane_windows"}, {"online/", "online", "quorvane_online"},
    {"app/", "app", "quorvane_app"},             {"game/rules/", "rules", "quorvane_rules"},
    {"game/gui/", "gui", "quorvane_gui"},
};

// What each layer may use besides itself. The framework layers form a chain;
// the rules sit on the core services alone; the game's presentation uses all.
const std::map<std::string, std::set<std::string>>& AllowedEdges() {
  static const std::map<std::string, std::set<std::string>> edges = {
      {"system", {}},
      {"platform", {"system"}},
      {"script", {"system", "platform"}},
      {"media", {"system", "platform", "script"}},
      {"windows", {"system", "platform", "script", "media"}},
      {"online", {"system", "platform", "script", "media", "windows"}},
      {"app", {"system", "platform", "script", "media", "windows", "online"}},
      {"rules", {"platform"}},
      {"gui", {"system", "platform", "script", "media", "windows", "online", "app", "rules"}},
  };
  return edges;
}

std::string LayerOfTarget(const std::string& target) {
  for (const Layer& layer : kLayers)
    if (target == layer.target) return layer.name;
  return "";
}

bool IsSource(const fs::path& path) {
  const std::string extension = path.extension().string();
  return extension == ".h" || extension == ".cpp" || extension == ".c" || extension == ".inc";
}

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

template <class Visit>
void ForEachProductFile(const fs::path& root, Visit visit) {
  for (const Layer& layer : kLayers) {
    const fs::path folder = root / layer.folder;
    if (!fs::is_directory(folder)) continue;
    for (const auto& entry : fs::recursive_directory_iterator(folder)) {
      if (!entry.is_regular_file()) continue;
      const std::string relative = fs::relative(entry.path(), root).generic_string();
      // A nested layer (game/rules inside game/) is visited under its own folder.
      if (LayerOf(relative) != layer.name) continue;
      visit(entry.path(), relative, layer.name);
    }
  }
}

}  // namespace

std::string LayerOf(const std::string& relativePath) {
  for (const Layer& layer : kLayers)
    if (relativePath.rfind(layer.folder, 0) == 0) return layer.name;
  return "";
}

bool MayUse(const std::string& from, const std::string& to) {
  if (from == to || to.empty()) return true;
  const auto found = AllowedEdges().find(from);
  return found != AllowedEdges().end() && found->second.count(to) != 0;
}

std::vector<Crossing> FindIncludeCrossings(const fs::path& root) {
  static const std::regex include(R"(^\s*#\s*include\s*"([^"]+)\")");
  std::vector<Crossing> crossings;
  ForEachProductFile(root, [&](const fs::path& path, const std::string& relative, const std::string& layer) {
    if (!IsSource(path)) return;
    std::istringstream lines(ReadFile(path));
    std::string line;
    std::smatch match;
    while (std::getline(lines, line)) {
      if (!std::regex_search(line, match, include)) continue;
      if (!MayUse(layer, LayerOf(match[1].str()))) crossings.push_back({relative, match[1].str()});
    }
  });
  return crossings;
}

std::vector<Crossing> FindLinkCrossings(const fs::path& root) {
  static const std::regex declaration(R"(quorvane_library\s*\(\s*(\w+)([^)]*)\))");
  static const std::regex target(R"(quorvane_\w+)");
  std::vector<Crossing> crossings;
  ForEachProductFile(root, [&](const fs::path& path, const std::string& relative, const std::string& layer) {
    if (path.filename() != "CMakeLists.txt") return;
    const std::string text = ReadFile(path);
    for (std::sregex_iterator it(text.begin(), text.end(), declaration), end; it != end; ++it) {
      const std::string links = (*it)[2].str();
      for (std::sregex_iterator t(links.begin(), links.end(), target); t != end; ++t)
        if (!MayUse(layer, LayerOfTarget(t->str()))) crossings.push_back({relative, "links " + t->str()});
    }
  });
  return crossings;
}

}  // namespace layers
