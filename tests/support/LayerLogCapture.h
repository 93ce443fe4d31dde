#pragma once

#include <string>
#include <vector>

// While it lives, the lines that the system layer logs are kept here instead
// of going to standard error. One at a time.
class LayerLogCapture {
 public:
  LayerLogCapture();
  ~LayerLogCapture();
  LayerLogCapture(const LayerLogCapture&) = delete;
  LayerLogCapture& operator=(const LayerLogCapture&) = delete;

  const std::vector<std::string>& Lines() const;
  // Whether some line contains the text.
  bool Contains(const std::string& text) const;
};
