#include "platform/xml/XmlParser.h"

#include <string>

#include "platform/text/Log.h"
#include "platform/xml/TXmlNode.h"
#include "platform/xml/XmlEntities.h"

namespace {

struct Token {
  std::string text;
  bool end = false;      // the input has ended
  bool quoted = false;   // was written between double quotes
  bool literal = false;  // starts with a character written as an entity
};

bool IsBlank(int c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

bool IsDelimiterChar(int c) { return c == '<' || c == '>' || c == '='; }

// Splits XML text into tokens: "<", ">", "=", quoted texts, and words running
// up to a blank or one of those three. Bytes from 128 up are never blanks or
// markup, so UTF-8 sequences stay whole without being decoded, and a stray
// byte cannot swallow the markup after it.
class Tokenizer {
 public:
  explicit Tokenizer(TGetChar& source) : mSource(source) {}

  void Next(Token* token) {
    token->text.clear();
    token->end = token->quoted = token->literal = false;
    if (mPendingSlash) {
      mPendingSlash = false;
      token->text.push_back('/');
      return;
    }
    int c = mSource.GetChar();
    while (IsBlank(c)) c = mSource.GetChar();
    if (c < 0) {
      token->end = true;
    } else if (IsDelimiterChar(c)) {
      token->text.push_back(static_cast<char>(c));
    } else if (c == '"') {
      token->quoted = true;
      ReadQuoted(&token->text);
    } else {
      ReadWord(c, &token->text);
    }
    if (token->text.find('&') != std::string::npos) {
      token->text = DecodeXmlEntities(token->text.data(), token->text.size(), &token->literal);
    }
  }

 private:
  void ReadQuoted(std::string* text) {
    for (int c = mSource.GetChar(); c >= 0 && c != '"'; c = mSource.GetChar())
      *text += static_cast<char>(c);
  }

  void ReadWord(int c, std::string* text) {
    for (; c >= 0 && !IsBlank(c) && !IsDelimiterChar(c); c = mSource.GetChar())
      *text += static_cast<char>(c);
    if (c < 0) return;
    mSource.UngetChar(c);
    // "name/>" ends an empty element: the "/" is a token of its own.
    if (c == '>' && text->back() == '/' && text->size() > 1) {
      text->pop_back();
      mPendingSlash = true;
    }
  }

  TGetChar& mSource;
  bool mPendingSlash = false;
};

bool Is(const Token& token, const char* delimiter) {
  return !token.end && !token.quoted && !token.literal && token.text == delimiter;
}

// Declarations and comments end at their first ">" and hold no content.
bool IsDeclaration(const std::string& name) { return name[0] == '?' || name[0] == '!'; }

class Parser {
 public:
  explicit Parser(TGetChar& source) : mTokens(source) {}

  bool Run(TXmlNode* root) {
    ReadContent(root, 0);
    return !mTooDeep;
  }

 private:
  // Reads the content of node up to its end tag or the end of input.
  // depth: how many elements enclose the content.
  void ReadContent(TXmlNode* node, int depth) {
    Token token;
    for (mTokens.Next(&token); !token.end && !mTooDeep; mTokens.Next(&token)) {
      if (!Is(token, "<")) {
        if (!token.text.empty()) node->AddText(token.text.data(), token.text.size());
        continue;
      }
      mTokens.Next(&token);
      if (token.end) return;
      if (Is(token, ">")) continue;  // a nameless tag: its content stays with node
      if (!token.quoted && !token.literal && token.text[0] == '/') {
        SkipPast(">");
        return;
      }
      // Names are C text: one that is empty up to its first zero byte (a
      // quoted "" or a zero byte) names nothing, and the tag is skipped.
      TString name(token.text.c_str());
      if (name.IsEmpty()) {
        SkipPast(">");
        continue;
      }
      if (depth == TXmlNode::kMaxDepth) {
        LogPrintf("XML nested deeper than %d elements; the rest is not read", TXmlNode::kMaxDepth);
        mTooDeep = true;
        return;
      }
      ReadElement(node->CreateChild(name), IsDeclaration(token.text), depth + 1);
    }
  }

  // Reads an element's attributes after its name, then its content; depth
  // counts the element itself.
  void ReadElement(TXmlNode* element, bool declaration, int depth) {
    Token token;
    bool endsAtOnce = declaration;
    for (mTokens.Next(&token); !token.end;) {
      if (Is(token, ">")) {
        if (!endsAtOnce) ReadContent(element, depth);
        element->EndChild();
        return;
      }
      bool closer = Is(token, "/") || Is(token, "?");
      endsAtOnce = declaration || closer;
      if (closer || Is(token, "=")) {
        mTokens.Next(&token);
        continue;
      }
      TString name(token.text.c_str());
      mTokens.Next(&token);
      if (!Is(token, "=")) continue;  // a name without "=" is dropped
      mTokens.Next(&token);
      if (token.end || Is(token, ">")) continue;
      // Names and values are C text: a name, or a value without quotes, that
      // is empty up to its first zero byte is dropped like a missing value.
      TString value(token.text.c_str());
      if (!name.IsEmpty() && (token.quoted || !value.IsEmpty())) {
        element->AddAttribute(name, value, token.quoted);
      }
      mTokens.Next(&token);
    }
  }

  void SkipPast(const char* delimiter) {
    Token token;
    do {
      mTokens.Next(&token);
    } while (!token.end && !Is(token, delimiter));
  }

  Tokenizer mTokens;
  bool mTooDeep = false;
};

}  // namespace

bool ParseXml(TGetChar& source, TXmlNode* root) { return Parser(source).Run(root); }
