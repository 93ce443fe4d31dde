#pragma once

class TSoundStream;

// Hears that a stream has finished with a source: the source played out, was
// replaced, was stopped, or the stream went away. Called on the main thread
// only; `stream` may be in its destruction and serves to tell streams apart.
class TStreamNotify {
 public:
  virtual ~TStreamNotify() = default;
  virtual void Notify(TSoundStream* stream) = 0;
};
