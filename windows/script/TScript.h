#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "media/text/TFontState.h"
#include "platform/text/TString.h"
#include "platform/time/TAnimTask.h"
#include "platform/types/TColor.h"
#include "script/lua/Lua.h"

class TLuaObjectWrapper;
class TLuaTable;
class TScriptCode;

struct LuaStateCloser {
  void operator()(lua_State* L) const { lua_close(L); }
};
using LuaStatePtr = std::unique_ptr<lua_State, LuaStateCloser>;

// The host of one Lua state. It runs script files (compiled once, see
// TScriptCode) and texts, calls Lua functions for the framework, and reads
// named values: globals, fields of the table on the stack top, and the
// default style's chain. A function that a script run returns is started as
// a coroutine on the host's own state; it may wait in a yield, and the host,
// a timed task, resumes it when it falls due. Failures are logged (and go to
// the script's "_ALERT" and "LuaErrorMessage" functions), never thrown.
//
// Stack discipline: every operation leaves the stack as high as it found it,
// with one exception. When a resume moves the state into or out of a waiting
// coroutine, the frame the operation started in is gone or buried; the
// operation then leaves the new frame as the resume left it: empty. So no
// caller may keep a stack index across a call or a resume.
//
// Main thread only.
class TScript : public TAnimTask {
 public:
  // Hosts the given state, or a new one; closes it when it goes. The host
  // task starts stopped.
  explicit TScript(LuaStatePtr state = nullptr);
  ~TScript() override;
  TScript(const TScript&) = delete;
  TScript& operator=(const TScript&) = delete;

  lua_State* GetState() const { return mState.get(); }

  // Runs a script file through the compile cache. False for an empty name
  // or a missing file (silently), and for a file that does not compile or
  // fails as it runs (logged, and reported to "_ALERT").
  bool RunScript(const TString& fileName);
  // Runs a text (length -1: up to its zero byte). A failure is logged and
  // reported to the script's "LuaErrorMessage" function when it has one.
  void DoLuaString(const char* text, int length = -1);
  // Calls the function lying under its argumentCount arguments on the stack
  // top. 0 with resultCount results in their place (a returned function
  // started as a coroutine leaves nil), or the status of the failed call
  // with its error object in their place. While a coroutine waits, a call
  // wanting at most one result is first offered to DeferClosure as a closure.
  int RunFunction(int argumentCount, int resultCount);
  // Continues the waiting coroutine with the argumentCount values on top as
  // the results of its yielding call; the status (an error, logged, also
  // when no coroutine waits).
  int Resume(int argumentCount);
  // Whether a coroutine on the host's state waits in a yield.
  bool IsSuspended() const;

  // Named values, looked up with FindValue and the style fallback; the stack
  // is left as it was. A value of the wrong kind reads as missing.
  std::unique_ptr<TLuaTable> GetTable(const char* name);
  TString GetString(const char* name, const TString& fallback);
  double GetNumber(const char* name, double fallback);
  // Through PopBool.
  bool GetBool(const char* name, bool fallback);

  // Looks the name up in the table on the stack top, else among the globals,
  // and leaves a non-nil value on top: true. Missing, with the style fallback,
  // the name is looked up in the table of the global "gCurrentDefaultStyle",
  // then up its chain of "parent" tables; without the fallback, only up the
  // chain of the table on top. A chain that comes back to a table it passed
  // ends the search. False, with the stack as it was, when nothing is found.
  bool FindValue(const char* name, bool styleFallback);

  // Pops the top value as a bool: nil false, a number true unless 0, a
  // string false (logged), any other type false (logged).
  bool PopBool();
  // Pops the top value's text ("" for a value without one).
  TString PopString();
  // Pushes item n of the table on top: true. False, with nothing pushed,
  // when the item is nil or the top is no table.
  bool PushIndex(int item);
  // Pops the table on top, reading from it the font name (item 1, "" when
  // absent), size (item 2, truncated, 0 when absent) and colour (item 3, as
  // ReadColor, all 0 when absent).
  TFontState ReadFontState();
  // Pops the table on top, reading items 1 to 4 as red, green, blue, alpha.
  TColor ReadColor();
  void SetGlobalString(const char* name, const TString& value);

  // Deletes the wrapper before the host's next call or resume.
  void ReleaseLater(std::unique_ptr<TLuaObjectWrapper> wrapper);
  // A task that steps this host for a task list that must not own it; once
  // the host is gone the task ends itself.
  std::unique_ptr<TTask> MakeTask();

  // The compiled chunk of a script file: the one a live holder keeps under
  // the file name, else a new one, registered. Empty, with the compiler's
  // message in *error, when the file does not compile.
  static std::shared_ptr<TScriptCode> GetScriptCode(const TString& fileName, const TString& searchPath,
                                                    TString* error);

 protected:
  // Offered the closure on the stack top while a coroutine waits (see
  // RunFunction); true when it took the call over. This one pops the closure
  // and declines.
  virtual bool DeferClosure();
  // Called by Resume just before the waiting coroutine goes on, whoever
  // resumes it.
  virtual void OnResume();
  // The host's update, when the task falls due: resumes the waiting
  // coroutine without values. A coroutine that waits again keeps the due
  // time its yielding code left (a plain yield leaves it due, so it goes on
  // at the next pass); one that ended or failed stops the task.
  bool Animate() override;

 private:
  struct StackMark {
    int height;
    uint32_t frameEpoch;
  };
  StackMark Mark() const;
  void Restore(const StackMark& mark);

  void OpenLibraries();
  void DeletePendingWrappers();
  int CallWithAlert(int argumentCount, int resultCount);
  int CallAndStart(int argumentCount, int resultCount);
  int RunDeferred(int argumentCount, int resultCount);
  void PushClosureMaker();
  void StartCoroutine();
  void AlertTop();
  void ReportStringFailure(const char* text, const char* stage);
  bool LookUpChain(int nameIndex, bool followParents);

  LuaStatePtr mState;
  std::vector<std::unique_ptr<TLuaObjectWrapper>> mPendingRelease;
  // Moves on whenever a resume takes the state into another frame.
  uint32_t mFrameEpoch = 0;
  // What the tasks of MakeTask step; null once the host is gone.
  std::shared_ptr<TScript*> mSelf;
};

// The process-wide script search path, "assets/?;?;../?;../../?" at start.
// A host made while it holds a path takes that path as its own "LUA_PATH",
// along which its `require` looks; the compile cache looks along it too.
TString GetScriptSearchPath();
void SetScriptSearchPath(const TString& path);
