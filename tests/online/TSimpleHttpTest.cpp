#include <gtest/gtest.h>

#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "online/TSimpleHttp.h"
#include "system/net/HttpTransfer.h"
#include "system/net/HttpWorkers.h"
#include "tests/support/TempFolder.h"
#include "tests/support/http/LoopbackHttpServer.h"

namespace {

using namespace std::chrono_literals;

// A guard against a hang, far beyond any transfer to this machine.
constexpr auto kPatience = 20s;

ScriptedReply Body(const std::string& body) {
  ScriptedReply reply;
  reply.body = body;
  return reply;
}

ScriptedReply Silence() {
  ScriptedReply reply;
  reply.neverAnswer = true;
  return reply;
}

int32_t WaitForEnd(const TSimpleHttp& http) {
  auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (http.GetStatus() == 0 && std::chrono::steady_clock::now() < deadline) std::this_thread::sleep_for(1ms);
  return http.GetStatus();
}

void WaitForRequests(const LoopbackHttpServer& server, size_t count) {
  auto deadline = std::chrono::steady_clock::now() + kPatience;
  while (server.Requests().size() < count && std::chrono::steady_clock::now() < deadline) {
    std::this_thread::sleep_for(1ms);
  }
  ASSERT_EQ(server.Requests().size(), count);
}

class TSimpleHttpTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(server.IsListening()); }

  std::string Url(const std::string& path) const { return server.Address(path); }

  LoopbackHttpServer server;
  TSimpleHttp http;
};

TEST_F(TSimpleHttpTest, ParametersGoEscapedIntoTheQueryOrTheBody) {
  struct Case {
    bool post;
    const char* base;
    const char* query;
    const char* body;
  };
  const Case cases[] = {
      {false, "/hiscore.php", "name=ann%20lee&sum=1%2B1%3D2&path=a%2Fb&odd=~!&level=-12", ""},
      {false, "/hiscore.php?ver=1.0", "ver=1.0?name=ann%20lee&sum=1%2B1%3D2&path=a%2Fb&odd=~!&level=-12", ""},
      {true, "/hiscore.php", "", "name=ann%20lee&sum=1%2B1%3D2&path=a%2Fb&odd=~!&level=-12"},
  };
  for (const Case& c : cases) {
    LoopbackHttpServer fresh;
    TSimpleHttp client;
    client.SetUrl(fresh.Address(c.base).c_str(), c.post);
    client.AddParameter("name", "ann lee");
    client.AddParameter("sum", "1+1=2");
    client.AddParameter("path", "a/b");
    client.AddParameter("odd", "~!");
    client.AddIntParameter("level", -12);
    client.Send(1);
    ASSERT_EQ(WaitForEnd(client), 1) << c.base;
    auto requests = fresh.Requests();
    ASSERT_EQ(requests.size(), 1u);
    EXPECT_EQ(requests[0].method, c.post ? "POST" : "GET");
    EXPECT_EQ(requests[0].path, "/hiscore.php");
    EXPECT_EQ(requests[0].query, c.query);
    EXPECT_EQ(requests[0].body, c.body);
    EXPECT_EQ(requests[0].Header("Pragma"), c.post ? "no-cache" : "");
  }
}

TEST_F(TSimpleHttpTest, ADescriptionIsSentAgainAsItWasAndANewUrlStartsAfresh) {
  http.SetUrl(Url("/scores").c_str(), false);
  http.AddParameter("action", "get");
  http.Send(1);
  ASSERT_EQ(WaitForEnd(http), 1);
  http.Send(1);
  ASSERT_EQ(WaitForEnd(http), 1);
  http.SetUrl(Url("/tables").c_str(), false);
  http.AddParameter("action", "tables");
  http.Send(1);
  ASSERT_EQ(WaitForEnd(http), 1);
  auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[1].path + "?" + requests[1].query, "/scores?action=get");
  EXPECT_EQ(requests[2].path + "?" + requests[2].query, "/tables?action=tables");
}

TEST_F(TSimpleHttpTest, RepliesKeptInMemoryArriveWholeAndZeroTerminated) {
  std::string large(3 << 20, 'q');
  large[12345] = 'x';
  server.Answer("/empty", Body(""));
  server.Answer("/large", Body(large));
  struct Case {
    const char* path;
    std::string body;
  };
  const Case cases[] = {{"/empty", ""}, {"/large", large}, {"/missing", "<html>not found</html>"}};
  for (const Case& c : cases) {
    http.SetUrl(Url(c.path).c_str(), false);
    http.Send(1);
    ASSERT_EQ(WaitForEnd(http), 1) << c.path;
    ASSERT_NE(http.GetData(), nullptr) << c.path;
    EXPECT_TRUE(http.GetData() == c.body) << c.path;
  }
}

TEST_F(TSimpleHttpTest, AReplyToAFileLeavesItOnDiskAndNoDataInMemory) {
  TempFolder folder;
  server.Answer("/level.dat", Body(std::string("bytes\0more", 10)));
  struct Case {
    std::string path;
    int32_t status;
  };
  const Case cases[] = {{folder.File("level.dat"), 1}, {folder.File("missing/level.dat"), 3}};
  for (const Case& c : cases) {
    http.SetUrl(Url("/level.dat").c_str(), false, c.path.c_str());
    http.Send(1);
    ASSERT_EQ(WaitForEnd(http), c.status) << c.path;
    EXPECT_EQ(http.GetData(), nullptr) << c.path;
  }
  EXPECT_EQ(ReadWholeFile(folder.File("level.dat")), std::string("bytes\0more", 10));
  EXPECT_EQ(server.Requests().size(), 1u);
}

TEST_F(TSimpleHttpTest, WithoutARequestTheStatusIsFailedAndThereIsNoData) {
  EXPECT_EQ(http.GetStatus(), 2);
  EXPECT_EQ(http.GetData(), nullptr);
  http.SetUrl(Url("/scores").c_str(), false);
  EXPECT_EQ(http.GetStatus(), 2);
}

TEST_F(TSimpleHttpTest, BeforeCompletionTheStatusIsRunningAndThereIsNoData) {
  server.Answer("/silent", Silence());
  http.SetUrl(Url("/silent").c_str(), false);
  http.Send(1);
  WaitForRequests(server, 1);
  EXPECT_EQ(http.GetStatus(), 0);
  EXPECT_EQ(http.GetData(), nullptr);
}

TEST_F(TSimpleHttpTest, AFailedTransferGivesTheFailedStatus) {
  sys::SetHttpLimits({2000, 200, 1000});
  server.Answer("/silent", Silence());
  server.Answer("/big", Body(std::string(2000, 'x')));
  for (const char* path : {"/silent", "/big"}) {
    http.SetUrl(Url(path).c_str(), false);
    http.Send(1);
    EXPECT_EQ(WaitForEnd(http), 2) << path;
    EXPECT_EQ(http.GetData(), nullptr) << path;
  }
  sys::SetHttpLimits({});
}

TEST_F(TSimpleHttpTest, AnOwnerMayGoOrStartAgainWhileItsRequestRuns) {
  server.Answer("/silent", Silence());
  server.Answer("/scores", Body("<hiscore/>"));
  {
    TSimpleHttp leaving;
    leaving.SetUrl(Url("/silent").c_str(), false);
    leaving.Send(1);
    WaitForRequests(server, 1);
  }
  http.SetUrl(Url("/silent").c_str(), false);
  http.Send(1);
  WaitForRequests(server, 2);
  http.Send(1);
  WaitForRequests(server, 3);
  http.SetUrl(Url("/scores").c_str(), false);
  http.Send(1);
  ASSERT_EQ(WaitForEnd(http), 1);
  EXPECT_STREQ(http.GetData(), "<hiscore/>");
}

TEST_F(TSimpleHttpTest, ShutDownWithTransfersRunningEndsThemAsFailures) {
  server.Answer("/silent", Silence());
  std::unique_ptr<TSimpleHttp> clients[3];
  for (auto& client : clients) {
    client = std::make_unique<TSimpleHttp>();
    client->SetUrl(Url("/silent").c_str(), true);
    client->AddParameter("score", "1");
    client->Send(1);
  }
  WaitForRequests(server, 3);
  sys::StopHttp();
  for (auto& client : clients) EXPECT_EQ(client->GetStatus(), 2);
  clients[0]->Send(1);
  EXPECT_EQ(clients[0]->GetStatus(), 2);
  clients[0]->SetUrl(Url("/scores").c_str(), false);
  clients[0]->Send(1);
  EXPECT_EQ(WaitForEnd(*clients[0]), 1);
}

}  // namespace
