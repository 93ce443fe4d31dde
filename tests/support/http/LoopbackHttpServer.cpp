#include "tests/support/http/LoopbackHttpServer.h"

#include <fcntl.h>
#include <openssl/pem.h>
#include <openssl/ssl.h>
#include <poll.h>
#include <strings.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>

#include "tests/support/http/LoopbackSocket.h"
#include "tests/support/http/ServerConnection.h"

namespace {

constexpr size_t kMostHeadBytes = 64 << 10;

std::shared_ptr<SSL_CTX> TlsContext(const TlsIdentity& identity) {
  std::shared_ptr<SSL_CTX> context(SSL_CTX_new(TLS_server_method()), SSL_CTX_free);
  BIO* certificate = BIO_new_mem_buf(identity.certificatePem.data(), static_cast<int>(identity.certificatePem.size()));
  BIO* key = BIO_new_mem_buf(identity.keyPem.data(), static_cast<int>(identity.keyPem.size()));
  X509* x509 = certificate ? PEM_read_bio_X509(certificate, nullptr, nullptr, nullptr) : nullptr;
  EVP_PKEY* pkey = key ? PEM_read_bio_PrivateKey(key, nullptr, nullptr, nullptr) : nullptr;
  bool ready = context && x509 && pkey && SSL_CTX_use_certificate(context.get(), x509) == 1 &&
               SSL_CTX_use_PrivateKey(context.get(), pkey) == 1;
  X509_free(x509);
  EVP_PKEY_free(pkey);
  BIO_free(certificate);
  BIO_free(key);
  return ready ? context : nullptr;
}

// Splits "name: value" lines after the request line; false when the request
// line is malformed.
bool ParseHead(const std::string& head, RecordedRequest& request) {
  size_t lineEnd = head.find("\r\n");
  std::string line = head.substr(0, lineEnd);
  size_t space = line.find(' ');
  size_t secondSpace = line.find(' ', space + 1);
  if (space == std::string::npos || secondSpace == std::string::npos) return false;
  request.method = line.substr(0, space);
  std::string target = line.substr(space + 1, secondSpace - space - 1);
  size_t question = target.find('?');
  request.path = target.substr(0, question);
  if (question != std::string::npos) request.query = target.substr(question + 1);
  while (lineEnd != std::string::npos && lineEnd + 2 < head.size()) {
    size_t start = lineEnd + 2;
    lineEnd = head.find("\r\n", start);
    std::string header = head.substr(start, lineEnd - start);
    size_t colon = header.find(':');
    if (colon == std::string::npos) continue;
    size_t valueStart = header.find_first_not_of(' ', colon + 1);
    request.headers.emplace_back(header.substr(0, colon),
                                 valueStart == std::string::npos ? "" : header.substr(valueStart));
  }
  return true;
}

// Reads one request whole: the head, then as many body bytes as announced.
bool ReadRequest(ServerConnection& connection, RecordedRequest& request) {
  std::string bytes;
  size_t headEnd;
  while ((headEnd = bytes.find("\r\n\r\n")) == std::string::npos) {
    if (bytes.size() > kMostHeadBytes || !connection.ReadSome(bytes)) return false;
  }
  if (!ParseHead(bytes.substr(0, headEnd + 2), request)) return false;
  size_t length = std::strtoul(request.Header("Content-Length").c_str(), nullptr, 10);
  request.body = bytes.substr(headEnd + 4);
  while (request.body.size() < length) {
    if (!connection.ReadSome(request.body)) return false;
  }
  return true;
}

std::string ReplyHead(const ScriptedReply& reply) {
  std::string head = "HTTP/1.1 " + std::to_string(reply.status) +
                     " Scripted\r\nContent-Length: " + std::to_string(reply.body.size()) + "\r\nConnection: close\r\n";
  for (const auto& [name, value] : reply.headers) head += name + ": " + value + "\r\n";
  return head + "\r\n";
}

void Send(ServerConnection& connection, const ScriptedReply& reply) {
  if (reply.neverAnswer) {
    while (connection.Pause(1000)) {
    }
    return;
  }
  if (reply.delayMs > 0 && !connection.Pause(reply.delayMs)) return;
  size_t sent = reply.closeMidway ? reply.body.size() / 2 : reply.body.size();
  connection.WriteAll(ReplyHead(reply) + reply.body.substr(0, sent));
}

}  // namespace

std::string RecordedRequest::Header(const std::string& name) const {
  for (const auto& [headerName, value] : headers) {
    if (strcasecmp(headerName.c_str(), name.c_str()) == 0) return value;
  }
  return "";
}

ScriptedReply ScriptedReply::Redirect(const std::string& location) {
  ScriptedReply reply;
  reply.status = 302;
  reply.headers = {{"Location", location}};
  return reply;
}

LoopbackHttpServer::LoopbackHttpServer(uint16_t port) : mPort(port) { Listen(); }

LoopbackHttpServer::LoopbackHttpServer(const TlsIdentity& identity) : mTls(TlsContext(identity)) {
  if (mTls) Listen();
}

LoopbackHttpServer::~LoopbackHttpServer() {
  if (mWake[1] >= 0) (void)!write(mWake[1], "x", 1);
  if (mAcceptor.joinable()) mAcceptor.join();
  for (Connection& connection : mConnections) connection.thread.join();
  for (int fd : {mListener, mWake[0], mWake[1]}) {
    if (fd >= 0) close(fd);
  }
}

void LoopbackHttpServer::Listen() {
  // A client that closes early must not end the process.
  std::signal(SIGPIPE, SIG_IGN);
  int listener = BindLoopbackSocket(mPort);
  if (listener < 0 || listen(listener, 64) != 0 || pipe2(mWake, O_CLOEXEC) != 0) {
    if (listener >= 0) close(listener);
    return;
  }
  mListener = listener;
  mAcceptor = std::thread(&LoopbackHttpServer::AcceptLoop, this);
}

std::string LoopbackHttpServer::Address(const std::string& pathAndQuery) const {
  return (mTls ? "https://127.0.0.1:" : "http://127.0.0.1:") + std::to_string(mPort) + pathAndQuery;
}

void LoopbackHttpServer::Answer(const std::string& path, ScriptedReply reply) {
  std::lock_guard lock(mMutex);
  mReplies[path] = std::move(reply);
}

void LoopbackHttpServer::Respond(const std::string& path, Responder responder) {
  std::lock_guard lock(mMutex);
  mResponders[path] = std::move(responder);
}

std::vector<RecordedRequest> LoopbackHttpServer::Requests() const {
  std::lock_guard lock(mMutex);
  return mRequests;
}

void LoopbackHttpServer::AcceptLoop() {
  for (;;) {
    pollfd fds[2] = {{mListener, POLLIN, 0}, {mWake[0], POLLIN, 0}};
    if (poll(fds, 2, -1) < 0 || fds[1].revents != 0) return;
    int socket = accept4(mListener, nullptr, nullptr, SOCK_CLOEXEC);
    if (socket < 0) continue;
    JoinServedConnections();
    auto served = std::make_shared<std::atomic<bool>>(false);
    std::thread thread([this, socket, served] {
      Serve(socket);
      served->store(true, std::memory_order_release);
    });
    mConnections.push_back({std::move(thread), std::move(served)});
  }
}

// Long runs (a benchmark's thousands of requests) keep only live threads.
void LoopbackHttpServer::JoinServedConnections() {
  auto served = std::remove_if(mConnections.begin(), mConnections.end(), [](Connection& connection) {
    if (!connection.served->load(std::memory_order_acquire)) return false;
    connection.thread.join();
    return true;
  });
  mConnections.erase(served, mConnections.end());
}

void LoopbackHttpServer::Serve(int socket) {
  ServerConnection connection(socket, mTls.get(), mWake[0]);
  RecordedRequest request;
  if (!connection.Open() || !ReadRequest(connection, request)) return;
  ScriptedReply reply = ReplyFor(request);
  {
    std::lock_guard lock(mMutex);
    mRequests.push_back(request);
  }
  Send(connection, reply);
}

ScriptedReply LoopbackHttpServer::ReplyFor(const RecordedRequest& request) const {
  Responder responder;
  {
    std::lock_guard lock(mMutex);
    auto scripted = mReplies.find(request.path);
    if (scripted != mReplies.end()) return scripted->second;
    auto found = mResponders.find(request.path);
    if (found != mResponders.end()) responder = found->second;
  }
  // Outside the lock: a responder may take its time, or ask for the requests.
  if (responder) return responder(request);
  ScriptedReply notFound;
  notFound.status = 404;
  notFound.body = "<html>not found</html>";
  return notFound;
}
