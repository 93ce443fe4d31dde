#pragma once

#include "platform/text/TString.h"

// A parameter value made safe for a query or a form body: the 24 characters
// that mean something in an address (blank " # $ % & + , / : ; < = > ? @ [ \ ] ^ `
// { | }) and the control characters become a per cent sign and two upper-case
// hexadecimal digits; every other byte, those of 127 and above among them,
// stays as it is, as the peers read it. Null or empty gives "".
TString HttpEscape(const char* value);
