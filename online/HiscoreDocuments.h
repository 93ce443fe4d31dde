#pragma once

#include "online/HiscoreRecords.h"
#include "platform/text/TString.h"

class TStringCipher;

// The documents a submission carries, and their form on the wire.

// What a score document says besides the record: who submits, in which game
// mode of which game. Null name or password leave their attribute out (an
// empty password too).
struct THiscoreSubmitter {
  const char* accountName;
  const char* password;
  TString gameMode;
  TString gameName;
};

// "<?xml ...?>" and one element "score" with the attributes guid, name,
// password, type, game, score, data, ver in this order, empty optional ones
// left out; the record's server data, when it has any, is the element's
// content, and nothing follows its end tag then.
TString HiscoreScoreDocument(const THiscoreRecord& record, const THiscoreSubmitter& submitter);
// "<?xml ...?>" and one element "medals" (name, password, game when not
// empty) whose content is the medal lines as given.
TString HiscoreMedalDocument(const char* medalLines, const char* accountName, const char* password,
                             const TString& gameName);
// The document's bytes without a terminating zero, enciphered and in base64:
// a server that deciphers strictly would see a stray zero otherwise.
TString EncodeHiscoreDocument(const TStringCipher& cipher, const TString& document);
