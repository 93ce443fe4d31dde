#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "system/net/HttpTransfer.h"
#include "system/net/HttpWorkers.h"
#include "tests/support/LayerLogCapture.h"
#include "tests/support/TempFolder.h"
#include "tests/support/http/ClosedPort.h"
#include "tests/support/http/LoopbackHttpServer.h"

namespace {

using sys::HttpOutcome;

class HttpTransferTest : public testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(sys::StartHttp());
    ASSERT_TRUE(server.IsListening());
  }
  void TearDown() override { sys::SetHttpLimits({}); }

  HttpOutcome Get(const std::string& pathAndQuery) { return Run(Transfer(server.Address(pathAndQuery))); }

  static sys::HttpTransfer Transfer(const std::string& address) {
    sys::HttpTransfer transfer;
    transfer.address = address;
    return transfer;
  }

  HttpOutcome Run(const sys::HttpTransfer& transfer) { return sys::RunHttpTransfer(transfer, reply, abandoned); }

  static ScriptedReply Body(const std::string& body) {
    ScriptedReply scripted;
    scripted.body = body;
    return scripted;
  }

  LoopbackHttpServer server;
  std::string reply;
  std::atomic<bool> abandoned{false};
};

TEST_F(HttpTransferTest, RequestsCarryTheirMethodHeadersAndBody) {
  struct Case {
    bool post;
    bool pragmaNoCache;
    const char* method;
    const char* contentType;
  };
  const Case cases[] = {
      {false, false, "GET", ""},
      {true, true, "POST", "application/x-www-form-urlencoded"},
  };
  for (const Case& c : cases) {
    LoopbackHttpServer fresh;
    sys::HttpTransfer transfer = Transfer(fresh.Address("/hiscore.php?action=get&lang=en"));
    transfer.post = c.post;
    transfer.pragmaNoCache = c.pragmaNoCache;
    if (c.post) transfer.body = "game=quorvane&score=%2B1";
    ASSERT_EQ(Run(transfer), HttpOutcome::kDone) << c.method;
    auto requests = fresh.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].method, c.method);
    EXPECT_EQ(requests[0].path, "/hiscore.php");
    EXPECT_EQ(requests[0].query, "action=get&lang=en");
    EXPECT_EQ(requests[0].Header("User-Agent"), "vqlib");
    EXPECT_EQ(requests[0].Header("Content-Type"), c.contentType);
    EXPECT_EQ(requests[0].Header("Pragma"), c.pragmaNoCache ? "no-cache" : "");
    EXPECT_EQ(requests[0].body, transfer.body);
  }
}

TEST_F(HttpTransferTest, RepliesArriveWholeWhateverTheirStatusCode) {
  std::string large(3 << 20, '\0');
  for (size_t i = 0; i < large.size(); ++i) large[i] = static_cast<char>('a' + i % 23);
  server.Answer("/empty", Body(""));
  server.Answer("/large", Body(large));
  struct Case {
    const char* path;
    const std::string& body;
  };
  const std::string notFound = "<html>not found</html>";
  const std::string empty;
  const Case cases[] = {{"/empty", empty}, {"/large", large}, {"/missing", notFound}};
  for (const Case& c : cases) {
    ASSERT_EQ(Get(c.path), HttpOutcome::kDone) << c.path;
    EXPECT_TRUE(reply == c.body) << c.path << ": " << reply.size() << " bytes";
  }
}

TEST_F(HttpTransferTest, AReplyToAFileLeavesItsBytesOnDisk) {
  TempFolder folder;
  std::string bytes("\x00\x01zip\xff\r\n", 8);
  server.Answer("/level.dat", Body(bytes));
  sys::HttpTransfer transfer = Transfer(server.Address("/level.dat"));
  transfer.outputPath = folder.File("level.dat");
  ASSERT_EQ(Run(transfer), HttpOutcome::kDone);
  EXPECT_EQ(ReadWholeFile(transfer.outputPath), bytes);
  EXPECT_TRUE(reply.empty());
}

TEST_F(HttpTransferTest, AnOutputFileThatCannotBeOpenedStopsTheRequestBeforeItIsSent) {
  TempFolder folder;
  sys::HttpTransfer transfer = Transfer(server.Address("/level.dat"));
  transfer.outputPath = folder.File("no/such/folder/level.dat");
  EXPECT_EQ(Run(transfer), HttpOutcome::kNoOutputFile);
  EXPECT_TRUE(server.Requests().empty());
}

TEST_F(HttpTransferTest, RedirectsAreFollowedFiveTimesAtMostAndOnlyToHttp) {
  server.Answer("/end", Body("arrived"));
  for (int hop = 1; hop <= 6; ++hop) {
    server.Answer("/hop" + std::to_string(hop),
                  ScriptedReply::Redirect(hop == 1 ? "/end" : "/hop" + std::to_string(hop - 1)));
  }
  server.Answer("/to-file", ScriptedReply::Redirect("file:///etc/passwd"));
  server.Answer("/to-ftp", ScriptedReply::Redirect("ftp://127.0.0.1/"));
  struct Case {
    const char* path;
    HttpOutcome outcome;
  };
  const Case cases[] = {{"/hop1", HttpOutcome::kDone},
                        {"/hop5", HttpOutcome::kDone},
                        {"/hop6", HttpOutcome::kFailed},
                        {"/to-file", HttpOutcome::kFailed},
                        {"/to-ftp", HttpOutcome::kFailed}};
  for (const Case& c : cases) {
    LayerLogCapture log;
    EXPECT_EQ(Get(c.path), c.outcome) << c.path;
    if (c.outcome == HttpOutcome::kDone) {
      EXPECT_EQ(reply, "arrived") << c.path;
    } else {
      EXPECT_TRUE(log.Contains("Error creating connection (InternetOpenUrl)")) << c.path;
    }
  }
}

TEST_F(HttpTransferTest, UnspokenAddressesReachNoServer) {
  std::string port = std::to_string(server.Port());
  const std::string addresses[] = {"file:///etc/passwd", "ftp://127.0.0.1:" + port + "/",
                                   "http://127.0.0.1:" + port + "/a b",
                                   "http://127.0.0.1:" + port + "/?name=x\r\nX-Injected: 1"};
  for (const std::string& address : addresses) {
    LayerLogCapture log;
    EXPECT_EQ(Run(Transfer(address)), HttpOutcome::kFailed) << address;
    EXPECT_TRUE(log.Contains("HTTP address refused")) << address;
  }
  EXPECT_TRUE(server.Requests().empty());
}

TEST_F(HttpTransferTest, EachTransferLogsItsAddressWithoutTheQuery) {
  LayerLogCapture log;
  ASSERT_EQ(Get("/hiscore.php?username=ann&password=secret"), HttpOutcome::kDone);
  EXPECT_TRUE(log.Contains("HTTP GET " + server.Address("/hiscore.php")));
  EXPECT_FALSE(log.Contains("secret"));
}

TEST_F(HttpTransferTest, FailuresGiveAFailureAndALogLine) {
  ScriptedReply silent;
  silent.neverAnswer = true;
  server.Answer("/silent", silent);
  ScriptedReply cut = Body(std::string(2000, 'x'));
  cut.closeMidway = true;
  server.Answer("/cut", cut);
  server.Answer("/big", Body(std::string(5000, 'x')));
  server.Answer("/fits", Body(std::string(4096, 'x')));
  sys::SetHttpLimits({2000, 300, 4096});
  ClosedPort closed;
  struct Case {
    std::string address;
    HttpOutcome outcome;
    const char* logged;
  };
  const Case cases[] = {
      {closed.Address("/"), HttpOutcome::kFailed, "Error creating connection (InternetOpenUrl) 7"},
      {server.Address("/silent"), HttpOutcome::kFailed, "Error creating connection (InternetOpenUrl) 28"},
      {server.Address("/cut"), HttpOutcome::kFailed, "Error creating connection (InternetOpenUrl) 18"},
      {server.Address("/big"), HttpOutcome::kFailed, "HTTP reply refused: longer than 4096 bytes"},
      {server.Address("/fits"), HttpOutcome::kDone, "HTTP GET"},
  };
  for (const Case& c : cases) {
    LayerLogCapture log;
    EXPECT_EQ(Run(Transfer(c.address)), c.outcome) << c.address;
    EXPECT_TRUE(log.Contains(c.logged)) << c.address << "\n" << testing::PrintToString(log.Lines());
  }
}

TEST_F(HttpTransferTest, APostThatFailsIsLoggedAsAPost) {
  LayerLogCapture log;
  ClosedPort closed;
  sys::HttpTransfer transfer = Transfer(closed.Address("/"));
  transfer.post = true;
  EXPECT_EQ(Run(transfer), HttpOutcome::kFailed);
  EXPECT_TRUE(log.Contains("Error creating connection (POST) 7"));
}

TEST_F(HttpTransferTest, AnAbandonedTransferStops) {
  ScriptedReply silent;
  silent.neverAnswer = true;
  server.Answer("/silent", silent);
  std::thread owner([this] {
    while (server.Requests().empty()) std::this_thread::sleep_for(std::chrono::milliseconds(1));
    abandoned = true;
  });
  EXPECT_EQ(Get("/silent"), HttpOutcome::kFailed);
  owner.join();
}

TEST_F(HttpTransferTest, ShutDownStopsRunningTransfersAndJoinsTheirWorkers) {
  ScriptedReply silent;
  silent.neverAnswer = true;
  server.Answer("/silent", silent);
  constexpr int kWorkers = 3;
  std::atomic<int> failed{0};
  for (int i = 0; i < kWorkers; ++i) {
    ASSERT_TRUE(sys::StartHttpWorker([this, &failed] {
      std::string ownReply;
      std::atomic<bool> kept{false};
      if (sys::RunHttpTransfer(Transfer(server.Address("/silent")), ownReply, kept) == HttpOutcome::kFailed) ++failed;
    }));
  }
  while (server.Requests().size() < kWorkers) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  sys::StopHttp();
  EXPECT_EQ(failed, kWorkers);
  EXPECT_FALSE(sys::StartHttpWorker([] {}));
}

class HttpsTransferTest : public HttpTransferTest {
 protected:
  void SetUp() override {
    HttpTransferTest::SetUp();
    ASSERT_TRUE(secure.IsListening());
    ASSERT_TRUE(WriteWholeFile(authorityFile, identity.certificatePem));
    secure.Answer("/scores", Body("<hiscore/>"));
  }
  void TearDown() override {
    sys::SetHttpTrustedAuthorities("");
    HttpTransferTest::TearDown();
  }

  TlsIdentity identity = MakeLoopbackIdentity();
  LoopbackHttpServer secure{identity};
  TempFolder folder;
  std::string authorityFile = folder.File("authority.pem");
};

TEST_F(HttpsTransferTest, AServerWithACertificateOfNoKnownAuthorityIsRefused) {
  LayerLogCapture log;
  EXPECT_EQ(Run(Transfer(secure.Address("/scores"))), HttpOutcome::kFailed);
  EXPECT_TRUE(log.Contains("Error creating connection (HTTPS) 60"));
  EXPECT_TRUE(secure.Requests().empty());
}

TEST_F(HttpsTransferTest, TheSameServerAnswersOnceItsAuthorityIsTrusted) {
  sys::SetHttpTrustedAuthorities(authorityFile);
  ASSERT_EQ(Run(Transfer(secure.Address("/scores"))), HttpOutcome::kDone);
  EXPECT_EQ(reply, "<hiscore/>");
}

TEST_F(HttpsTransferTest, ACertificateForAnotherNameIsRefusedEvenFromATrustedAuthority) {
  sys::SetHttpTrustedAuthorities(authorityFile);
  LayerLogCapture log;
  std::string otherName = "https://localhost:" + std::to_string(secure.Port()) + "/scores";
  EXPECT_EQ(Run(Transfer(otherName)), HttpOutcome::kFailed);
  EXPECT_TRUE(log.Contains("Error creating connection (HTTPS)"));
}

}  // namespace
