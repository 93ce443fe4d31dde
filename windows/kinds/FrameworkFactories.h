#pragma once

#include <memory>

#include "windows/kinds/TWindowFactory.h"

class TWindowManager;

// The factories of the framework's own window kinds, which the window script
// registers with the window manager under the kinds' default factory names.
// A game may register its own under these names, to make windows of its own
// classes derived from the kinds.

// Under "_button": a button of the kind in the style's "type" (push button
// by default).
class TButtonFactory : public TWindowFactory {
 public:
  std::unique_ptr<TWindow> Create(const TWindowStyle& style) override;
};

// Under "_text": a text window that is no snapshot member.
class TTextFactory : public TWindowFactory {
 public:
  std::unique_ptr<TWindow> Create(const TWindowStyle& style) override;
};

// Under "_textedit": a text edit.
class TTextEditFactory : public TWindowFactory {
 public:
  std::unique_ptr<TWindow> Create(const TWindowStyle& style) override;
};

// Registers the factories under "_button", "_text" and "_textedit",
// replacing those the names had.
void RegisterFrameworkFactories(TWindowManager& manager);
