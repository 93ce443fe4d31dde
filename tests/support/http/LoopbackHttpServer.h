#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "tests/support/http/TlsIdentity.h"

typedef struct ssl_ctx_st SSL_CTX;

// A request as the server saw it.
struct RecordedRequest {
  std::string method;
  std::string path;
  std::string query;  // what followed "?", without it
  std::vector<std::pair<std::string, std::string>> headers;
  std::string body;

  // The value of the first header of that name (in any case); "" when none.
  std::string Header(const std::string& name) const;
};

// How the server answers requests on one path.
struct ScriptedReply {
  int status = 200;
  std::string body;
  std::vector<std::pair<std::string, std::string>> headers;
  int delayMs = 0;           // waited before answering
  bool neverAnswer = false;  // the connection is held until the server stops
  bool closeMidway = false;  // the whole length is announced, half the body sent

  static ScriptedReply Redirect(const std::string& location);
};

// An HTTP server on 127.0.0.1 at a port the system picks (or the one asked
// for), with TLS when made with an identity. Each connection is served on a thread of its own and
// closed after one reply; requests on a path without a scripted reply get a
// 404 page. Nothing it does leaves the machine.
class LoopbackHttpServer {
 public:
  // Computes the reply to a request; called on the connection's thread.
  using Responder = std::function<ScriptedReply(const RecordedRequest&)>;

  // At `port` on 127.0.0.1, or at one the system picks when it is 0.
  explicit LoopbackHttpServer(uint16_t port = 0);
  explicit LoopbackHttpServer(const TlsIdentity& identity);
  ~LoopbackHttpServer();
  LoopbackHttpServer(const LoopbackHttpServer&) = delete;
  LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

  bool IsListening() const { return mListener >= 0; }
  uint16_t Port() const { return mPort; }
  // "http://127.0.0.1:port" (or https) followed by the path and query.
  std::string Address(const std::string& pathAndQuery) const;

  void Answer(const std::string& path, ScriptedReply reply);
  // Requests on the path are answered by the responder instead of a script.
  void Respond(const std::string& path, Responder responder);
  std::vector<RecordedRequest> Requests() const;

 private:
  void Listen();
  void AcceptLoop();
  void Serve(int socket);
  void JoinServedConnections();
  ScriptedReply ReplyFor(const RecordedRequest& request) const;

  std::shared_ptr<SSL_CTX> mTls;
  int mListener = -1;
  uint16_t mPort = 0;
  int mWake[2] = {-1, -1};
  mutable std::mutex mMutex;
  std::map<std::string, ScriptedReply> mReplies;
  std::map<std::string, Responder> mResponders;
  std::vector<RecordedRequest> mRequests;
  struct Connection {
    std::thread thread;
    std::shared_ptr<std::atomic<bool>> served;
  };
  std::vector<Connection> mConnections;
  std::thread mAcceptor;
};
