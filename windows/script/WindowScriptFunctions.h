#pragma once

#include <memory>

#include "platform/text/TString.h"
#include "script/lua/Lua.h"

class TImage;
class TMessage;
class TMoviePlayer;
class TWindow;
class TWindowManager;
class TWindowScript;

// The Lua functions with which screen scripts drive the window system,
// globals of the window script's state: they find windows by name, set
// labels, images, commands and places, push and pop dialogs, make, post and
// wait for messages, and start movies. Functions "in the dialog" act on the
// window of that name anywhere below the window manager's top modal window;
// those "under the current window" below the top of the script's
// current-window stack. A missing window, or one of another kind, makes a
// function do nothing (GetLabel answers with a text that says so).
//
// Owned by the window script it serves; it holds the script's movie player.
class TWindowScriptFunctions {
 public:
  // Sets the globals on the script's state.
  explicit TWindowScriptFunctions(TWindowScript& script);
  ~TWindowScriptFunctions();
  TWindowScriptFunctions(const TWindowScriptFunctions&) = delete;
  TWindowScriptFunctions& operator=(const TWindowScriptFunctions&) = delete;

  // Null while no movie was started (or after it stopped).
  TMoviePlayer* GetMovie() const { return mMovie.get(); }

 private:
  void Bind();

  // The current window's PostCreate; the argument is not used.
  void PostCreate(const TString& ignored);
  // A text window's or a button's label; otherwise the name followed by
  // "_is_not_found" or "_is_not_a_TText_window_or_TButton".
  TString GetLabel(const TString& name);
  // Text windows only.
  void SetLabel(const TString& name, const TString& text);
  // Lua "_SetBitmap": an image window shows the image at the scale, sized to it.
  void SetBitmap(const TString& name, const TString& imageName, float scale);
  // A coded place (WindowCoordinates.h) against the window's own size, which is kept.
  void SetPosition(const TString& name, int x, int y);
  // Lua (name, function): the button clicks run the function.
  int SetCommand(lua_State* L);
  // A layer of the current window, when it is a layered window.
  void DoSelectLayer(int layer);
  // Pops the current-window stack, except its last window.
  void PopWindow();
  // How many windows the current-window stack holds.
  int WindowStackDepth();
  // The window under the current window gets the focus; a missing name leaves none.
  void RealSetFocus(const TString& name);
  // Invalidates the whole dialog.
  void UpdateWindow();
  // Pushes a new dialog of that name; answers its close-message name ("" when
  // it could not be pushed).
  TString PushModal(const TString& name);
  // Clears the dialog's tasks, deletes its children, and empties its place.
  void ClearModalChildren();
  // Pops the top dialog; never the root.
  void DoPopModal();
  // Lua (optional time-out in milliseconds): waits for the next message in
  // the coroutine that runs the screen; see TWindowScript::QueueMessage for
  // what the wait returns. With a time-out (negative or not a number: 0) the
  // host task resumes the coroutine without values once it is over.
  int HandleGetMessage(lua_State* L);
  // A close message for the current window.
  std::unique_ptr<TMessage> CreateCloseMessage();
  // Lua (message): posts a copy of the message that keeps the Lua message
  // alive until it is delivered. Anything but a message posts nothing.
  int PostMessage(lua_State* L);
  // As PostMessage, with the copy aimed at the parent of the top dialog.
  int PostMessageToParent(lua_State* L);
  // An empty name, or a movie that does not start: false, and no movie.
  // A movie already started is stopped first.
  bool StartMovie(const TString& fileName);
  bool IsMoviePlaying();
  void StopMovie();
  // Whether the image window holds a texture.
  bool ImageLoaded(const TString& name);
  // The window under the current window leaves its parent and is deleted
  // at the start of the next event.
  void DestroyWindow(const TString& name);

  // Posts a copy of the message at stack index 1 to the target; nothing,
  // logged, for a value that is no message.
  void PostCopy(lua_State* L, const char* function, bool toParent);
  TWindow* FindInDialog(const TString& name) const;
  TImage* FindImage(const TString& name) const;

  TWindowScript& mScript;
  std::unique_ptr<TMoviePlayer> mMovie;
};
