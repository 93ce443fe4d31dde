#pragma once

#include <cstddef>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "platform/text/TString.h"

// An XML element: name, text, attributes and children in document order.
//
// The reader handles the XML these files use and never fails on text it can
// read: malformed input gives whatever elements were recognised. The text of
// an element is its words joined by single blanks. Plain text and "ZXML"
// containers are both accepted. Elements nested deeper than kMaxDepth stop
// the reading with a log line; what was read before stays.
//
// Declarations and comments become children named by their first word
// ("?xml", "!DOCTYPE", "!--") without content, and are written without an end
// tag. Names are C text: a tag or an attribute whose name is empty up to its
// first zero byte is skipped. A nameless node (the default) is written
// "<>...</>", which reads back as children of the node it is read into.
// Whatever the reader gives writes out as text that reads back the same.
class TXmlNode {
 public:
  static constexpr int kMaxDepth = 256;

  TXmlNode() = default;
  explicit TXmlNode(const char* name) : mName(name) {}
  virtual ~TXmlNode();
  TXmlNode(const TXmlNode&) = delete;
  TXmlNode& operator=(const TXmlNode&) = delete;

  // The parser's callbacks on the element being read.
  virtual TXmlNode* CreateChild(const TString& name) { return AddChild(name); }
  virtual void EndChild() {}
  // Appends text, after a blank when there is text already.
  virtual void AddText(const char* text, size_t length);
  // Appends an attribute, even when one of that name exists.
  virtual void AddAttribute(const TString& name, const TString& value, bool quoted);

  // Reads a document into this node: its top elements become children. False
  // when the file cannot be opened, a container cannot be inflated or the
  // nesting is too deep.
  bool ParseFile(const TString& name);
  // The same for a zero-terminated text; a "ZXML" container holds zero bytes
  // and needs the form with a length.
  bool ParseString(const char* text);
  bool ParseString(const void* data, size_t length);

  const TString& GetName() const { return mName; }
  TString GetText() const;
  // The first child of exactly that name, or null.
  TXmlNode* GetChild(const TString& name) const;
  void BeginChildren();
  // Gives the current child and moves on; false after the last one.
  bool NextChild(TString* name, TXmlNode** node);
  TXmlNode* AddChild(const TString& name);
  // Unlinks and deletes a child; a node that is not a child is left alone.
  void RemoveChild(TXmlNode* child);

  // The value of the first attribute of that name, "" when there is none.
  TString GetAttribute(const TString& name, bool* quoted = nullptr) const;
  // Changes the first attribute of that name, or appends one; quoted.
  void SetAttribute(const TString& name, const TString& value);
  void SetAttribute(const TString& name, int value);
  void BeginAttributes();
  bool NextAttribute(TString* name, TString* value);

  // The element and its subtree as indented text; every element has an end
  // tag, attributes stand one to a line.
  TString ToString() const;

 private:
  struct Attribute {
    TString name;
    TString value;
    bool quoted;
  };
  using ChildList = std::list<std::unique_ptr<TXmlNode>>;

  void Write(std::string* out, int depth) const;

  std::string mText;
  TString mName;
  ChildList mChildren;
  ChildList::iterator mNextChild = mChildren.end();
  std::vector<Attribute> mAttributes;
  size_t mNextAttribute = 0;
};
