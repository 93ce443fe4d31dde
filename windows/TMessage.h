#pragma once

#include <cstdint>

#include "platform/text/TString.h"
#include "platform/types/TClassId.h"

class TWindow;

// A message between windows and the scripts: a type, a name, and the window
// where its delivery starts (null: the window manager chooses). Whoever holds
// a message owns it.
class TMessage {
 public:
  static TClassId ClassId();

  TMessage(int32_t type, const TString& name, TWindow* target);
  TMessage(const TMessage&) = delete;
  TMessage& operator=(const TMessage&) = delete;

  virtual bool IsKindOf(TClassId id) const;
  virtual ~TMessage();

  int32_t GetType() const { return mType; }
  const TString& GetName() const { return mName; }
  TWindow* GetTarget() const { return mTarget; }

 private:
  int32_t mType;
  TString mName;
  TWindow* mTarget;
};
