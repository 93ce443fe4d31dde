#pragma once

#include <cstdint>
#include <set>
#include <string>

class TDisplayHandler;
struct TVertexList;

// The drawing state that the platform's drawing forwarders keep in front of
// the display: at most one of 2D and 3D drawing is open, vertices are drawn
// only inside one, and a call that finds no display is refused. A misuse is
// logged and never reaches the display; a refusal for want of a display is
// logged once for each kind of call. The display comes with every call, as
// the platform may replace it at any time; the platform resets the guard
// when it does. Main thread only.
class TDrawGuard {
 public:
  // False when refused or when the display does not begin.
  bool Begin2d(TDisplayHandler* display);
  void End2d(TDisplayHandler* display);
  bool Begin3d(TDisplayHandler* display);
  void End3d(TDisplayHandler* display);
  void DrawVertices(TDisplayHandler* display, int32_t primitiveType, TVertexList* vertices);
  bool IsIn2d() const { return mIn2d; }
  bool IsIn3d() const { return mIn3d; }

  // Runs the operation on the display, or refuses it without one.
  template <class Operation>
  void Forward(TDisplayHandler* display, const char* name, Operation operation) {
    if (display) {
      operation(*display);
    } else {
      RefuseWithoutDisplay(name);
    }
  }
  // As Forward, for an operation with a result; without a display the result is the one given.
  template <class Result, class Operation>
  Result Ask(TDisplayHandler* display, const char* name, Result withoutDisplay, Operation operation) {
    if (display) return operation(*display);
    RefuseWithoutDisplay(name);
    return withoutDisplay;
  }
  // Logs the first refusal of each kind of call for want of a display.
  void RefuseWithoutDisplay(const char* operation);

  // A new display, or none, starts with no drawing state open, and its
  // refusals are logged anew.
  void Reset();

 private:
  bool Begin(const char* name, bool& state, TDisplayHandler* display, bool (TDisplayHandler::*begin)());
  void End(const char* name, const char* beginName, bool& state, TDisplayHandler* display,
           void (TDisplayHandler::*end)());

  bool mIn2d = false;
  bool mIn3d = false;
  std::set<std::string> mRefusalsLogged;
};
