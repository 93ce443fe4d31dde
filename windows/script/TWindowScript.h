#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "platform/text/TString.h"
#include "windows/script/TScript.h"
#include "windows/kinds/TWindowFactory.h"

class TFrameworkWindowKinds;
class TLuaFunction;
class TMessage;
class TWindow;
class TWindowScriptFunctions;

// Told of every window that a window table attached, once it is placed.
class TWindowCreationObserver {
 public:
  virtual ~TWindowCreationObserver() = default;
  virtual void WindowAttached(TWindow& window) = 0;
};

// The script on which every screen is built: windows are created from Lua
// tables through it. The window manager owns the one script of the program,
// which is also a task of the platform.
//
// A window made from a table is attached under the current window, the top
// of the current-window stack, and becomes the current window itself; the
// table's keys (looked up through the default style's chain) name, size and
// place it with the coordinate coding of WindowCoordinates.h, and the Lua
// globals "gDialogWidth" and "gDialogHeight" tell the scripts its size. Game
// window kinds are registered by type name; a Lua function of that name makes
// one from a table.
//
// The script also gives its state the message metatable and the window
// functions (WindowScriptFunctions.h), keeps whether scripted text labels are
// looked up in the platform's string table, and takes the messages meant for
// the scripts.
class TWindowScript : public TScript {
 public:
  TWindowScript();
  ~TWindowScript() override;

  // The current-window stack; its windows are not owned, and one that is
  // deleted leaves it (ForgetWindow).
  void PushWindow(TWindow* window);
  // Empties the stack, then pushes the window (none: leaves it empty).
  void SetWindow(TWindow* window);
  // Pops the top, except the last window.
  void PopWindow();
  // Pops the topmost entry of the window and every entry above it; nothing
  // when the window is not on the stack.
  void PopThrough(TWindow* window);
  // Takes every entry of the window off the stack.
  void ForgetWindow(TWindow* window);
  // The current window; null on an empty stack.
  TWindow* GetWindow() const { return mWindows.empty() ? nullptr : mWindows.back(); }
  const std::vector<TWindow*>& GetWindowStack() const { return mWindows; }

  // Registers a window type, replacing the creator the name had, and defines
  // the global Lua function of that name which marks a window table with the
  // type and hands it to the window library's "Window". False, with a log
  // line, for a name that is not a plain Lua name.
  bool AddWindowType(const TString& name, TWindowCreator creator);

  // Attaches a new window under the current window, with the window table on
  // top of the stack: the parent's AddChild with Init, then the window
  // becomes the current window and takes its name, size and place from the
  // table. The parent grows to take it in. Returns the window; null, the
  // window deleted, when there is no current window, when it would go deeper
  // than kMaxWindowDepth (logged), or when the parent refuses it.
  TWindow* AttachWindow(std::unique_ptr<TWindow> window);

  // Not owned; null for none.
  void SetCreationObserver(TWindowCreationObserver* observer) { mCreationObserver = observer; }

  // Returns the previous setting.
  bool SetTranslateLabels(bool on);
  bool IsTranslatingLabels() const { return mTranslateLabels; }
  // Takes a message that no window took, or a button's Lua command with its
  // message (either may be null), for the scripts. A coroutine waiting for a
  // message gets both at once (the message and the function as the results
  // of its wait; without a message, an empty Lua-action message); a failed
  // resume leaves the wait state kResumeFailed. Otherwise the message is
  // appended to the Lua table "gMessageQueue" through the global
  // "gMessageToQueue"; the function is appended to "gCommandQueue" through
  // "gMessageCommand" when no coroutine is suspended, and called at once
  // while one waits anywhere else.
  virtual void QueueMessage(std::unique_ptr<TMessage> message, TLuaFunction* function = nullptr);

  // The wait of a coroutine for the next message, as a Lua function's last
  // step: yields the global "gYieldResult". While the coroutine waits there,
  // messages and calls offered as closures are handed to it.
  int WaitForMessage(lua_State* L);

  enum TWaitState : int32_t {
    kResumeFailed = 0,
    kNotWaiting = 1,
    kWaitingForMessage = 3,
  };
  TWaitState GetWaitState() const { return mWaitState; }

 protected:
  // Hands the closure on top to a coroutine waiting for a message: its wait
  // returns nil and the closure. Declines while the coroutine waits anywhere
  // else, which would drop the closure, so that the call runs at once.
  bool DeferClosure() override;
  void OnResume() override;

 private:
  // Lua: creates a window of the type named by the table's "typename".
  int GenericCreate(lua_State* L);
  // A key of the window table on top, as a script integer.
  int64_t ReadInteger(const char* key, int32_t fallback);
  void SetDialogSize(int32_t width, int32_t height);
  void ResumeWithMessage(std::unique_ptr<TMessage> message, TLuaFunction* function);
  // Appends the value on top to a queue through its transfer global.
  void Enqueue(TLuaFunction* chunk, const char* transfer);

  std::vector<TWindow*> mWindows;
  std::map<TString, TWindowCreator> mWindowTypes;
  TWaitState mWaitState = kNotWaiting;
  TWindowCreationObserver* mCreationObserver = nullptr;
  bool mTranslateLabels = false;
  std::unique_ptr<TFrameworkWindowKinds> mFrameworkKinds;
  // "table.insert(queue, transfer); transfer = nil;" for each queue,
  // compiled once.
  std::unique_ptr<TLuaFunction> mQueueMessage;
  std::unique_ptr<TLuaFunction> mQueueCommand;
  std::unique_ptr<TWindowScriptFunctions> mFunctions;
};
