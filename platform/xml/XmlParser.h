#pragma once

#include "platform/xml/TGetChar.h"

class TXmlNode;

// Reads XML text from source into root through root's parser callbacks.
// False when the nesting went deeper than TXmlNode::kMaxDepth (logged); the
// elements read before stay.
bool ParseXml(TGetChar& source, TXmlNode* root);
