#pragma once

#include <cstdint>

#include "platform/text/TString.h"
#include "platform/types/TClassId.h"

class TWindow;

// Kinds of message. The slider adds 1000 to 1003 of its own.
enum TMessageType : int32_t {
  kMessageNamed = 0,         // any text, posted by a script
  kMessageClose = 1,         // the close name of a modal window
  kMessageDefaultAction = 2, // Enter in a dialog
  kMessageButtonPress = 3,   // the button's name
  kMessageRawInput = 4,      // "mouse:up", or "raw:" and the key
  kMessageQuit = 5,          // ends the program
  kMessageModalClosed = 6,   // the close name of a dialog that went
  kMessageTextEdit = 7,      // the text edit's name, after each keystroke it took
  kMessageLuaAction = 8,     // "LuaAction:" and the button's name
};

// What windows tell each other and the scripts. Delivery starts at the
// target window (none: the window manager chooses) and climbs to the nearest
// dialog; whoever holds a message owns it, and one that is handled is deleted.
class TMessage {
 public:
  static TClassId ClassId();
  // The name a modal window's messages carry: its serial number in
  // lower-case hexadecimal, right-aligned in eight characters.
  static TString CloseName(uint32_t serial);

  TMessage(int32_t type, const TString& name, TWindow* target) : mType(type), mName(name), mTarget(target) {}
  virtual ~TMessage() = default;
  TMessage(const TMessage&) = delete;
  TMessage& operator=(const TMessage&) = delete;

  virtual bool IsKindOf(TClassId id) const { return id == ClassId(); }

  int32_t GetType() const { return mType; }
  const TString& GetName() const { return mName; }
  TWindow* GetTarget() const { return mTarget; }
  void SetTarget(TWindow* target) { mTarget = target; }

 private:
  int32_t mType;
  TString mName;
  TWindow* mTarget;
};

// Offered the messages without a target before any window; the window
// manager owns its handlers.
class TMessageHandler {
 public:
  virtual ~TMessageHandler() = default;
  // True takes the message, which is then deleted.
  virtual bool Handle(TMessage& message) = 0;
};
