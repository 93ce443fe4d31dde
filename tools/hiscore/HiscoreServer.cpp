#include "tools/hiscore/HiscoreServer.h"

HiscoreServer::HiscoreServer(uint16_t port) : mHttp(port) {
  mHttp.Respond(kPath, [this](const RecordedRequest& request) {
    ScriptedReply reply;
    reply.body = mService.Answer(request.query);
    reply.headers = {{"Content-Type", "text/xml"}};
    return reply;
  });
}
