#include "platform/xml/TXmlNode.h"

#include <algorithm>
#include <cstring>

#include "platform/xml/TGetChar.h"
#include "platform/xml/XmlEntities.h"
#include "platform/xml/XmlParser.h"
#include "platform/xml/Zxml.h"

namespace {

constexpr size_t kWriteReserve = 4096;
constexpr int kIndent = 4;

void AppendEscaped(std::string* out, const TString& text, XmlField field) {
  AppendXmlEscaped(out, text.CStr(), static_cast<size_t>(text.Length()), field);
}

// Declarations and comments end at their first ">", so they are written
// without an end tag, which would close the element around them.
bool IsDeclaration(const TString& name) { return name.CharAt(0) == '?' || name.CharAt(0) == '!'; }

bool ParseZxml(const void* data, size_t length, TXmlNode* node) {
  std::string text;
  if (!InflateZxml(data, length, &text)) return false;
  TGetCharString source(text.data(), text.size());
  return ParseXml(source, node);
}

}  // namespace

TXmlNode::~TXmlNode() = default;

void TXmlNode::AddText(const char* text, size_t length) {
  if (!mText.empty()) mText += ' ';
  mText.append(text, length);
}

void TXmlNode::AddAttribute(const TString& name, const TString& value, bool quoted) {
  mAttributes.push_back({name, value, quoted});
}

bool TXmlNode::ParseFile(const TString& name) {
  TGetCharFile source(name);
  if (!source.IsOpen()) return false;
  char magic[4] = {' ', ' ', ' ', ' '};
  source.File().Read(magic, sizeof magic);
  if (!IsZxml(magic, sizeof magic)) {
    source.Rewind();
    return ParseXml(source, this);
  }
  if (!source.ReopenBinary()) return false;
  std::string bytes(static_cast<size_t>(std::max(source.File().GetSize(), 0)), '\0');
  bytes.resize(static_cast<size_t>(
      std::max(source.File().Read(bytes.data(), static_cast<int32_t>(bytes.size())), 0)));
  return ParseZxml(bytes.data(), bytes.size(), this);
}

bool TXmlNode::ParseString(const char* text) { return ParseString(text, std::strlen(text)); }

bool TXmlNode::ParseString(const void* data, size_t length) {
  if (IsZxml(data, length)) return ParseZxml(data, length, this);
  TGetCharString source(data, length);
  return ParseXml(source, this);
}

TString TXmlNode::GetText() const { return TString(mText.data(), static_cast<int>(mText.size())); }

TXmlNode* TXmlNode::GetChild(const TString& name) const {
  for (const std::unique_ptr<TXmlNode>& child : mChildren) {
    if (child->mName == name) return child.get();
  }
  return nullptr;
}

void TXmlNode::BeginChildren() { mNextChild = mChildren.begin(); }

bool TXmlNode::NextChild(TString* name, TXmlNode** node) {
  if (mNextChild == mChildren.end()) return false;
  if (name) *name = (*mNextChild)->mName;
  if (node) *node = mNextChild->get();
  ++mNextChild;
  return true;
}

TXmlNode* TXmlNode::AddChild(const TString& name) {
  mChildren.push_back(std::make_unique<TXmlNode>(name.CStr()));
  return mChildren.back().get();
}

void TXmlNode::RemoveChild(TXmlNode* child) {
  for (auto it = mChildren.begin(); it != mChildren.end(); ++it) {
    if (it->get() != child) continue;
    if (mNextChild == it) ++mNextChild;
    mChildren.erase(it);
    return;
  }
}

TString TXmlNode::GetAttribute(const TString& name, bool* quoted) const {
  for (const Attribute& attribute : mAttributes) {
    if (attribute.name != name) continue;
    if (quoted) *quoted = attribute.quoted;
    return attribute.value;
  }
  return "";
}

void TXmlNode::SetAttribute(const TString& name, const TString& value) {
  for (Attribute& attribute : mAttributes) {
    if (attribute.name != name) continue;
    attribute.value = value;
    attribute.quoted = true;
    return;
  }
  AddAttribute(name, value, true);
}

void TXmlNode::SetAttribute(const TString& name, int value) {
  SetAttribute(name, TString::Format("%d", value));
}

void TXmlNode::BeginAttributes() { mNextAttribute = 0; }

bool TXmlNode::NextAttribute(TString* name, TString* value) {
  if (mNextAttribute >= mAttributes.size()) return false;
  const Attribute& attribute = mAttributes[mNextAttribute++];
  if (name) *name = attribute.name;
  if (value) *value = attribute.value;
  return true;
}

TString TXmlNode::ToString() const {
  std::string out;
  out.reserve(kWriteReserve);
  Write(&out, 0);
  return TString(out.data(), static_cast<int>(out.size()));
}

void TXmlNode::Write(std::string* out, int depth) const {
  std::string indent(static_cast<size_t>(depth), ' ');
  *out += indent + "<";
  AppendEscaped(out, mName, XmlField::kWord);
  for (const Attribute& attribute : mAttributes) {
    *out += "\n" + indent + std::string(kIndent, ' ');
    AppendEscaped(out, attribute.name, XmlField::kWord);
    *out += attribute.quoted ? "=\"" : "=";
    AppendEscaped(out, attribute.value, attribute.quoted ? XmlField::kQuotedValue : XmlField::kWord);
    if (attribute.quoted) *out += '"';
  }
  *out += ">\n";
  if (IsDeclaration(mName)) return;
  if (!mText.empty()) {
    *out += indent;
    AppendXmlEscaped(out, mText.data(), mText.size(), XmlField::kText);
    *out += '\n';
  }
  for (const std::unique_ptr<TXmlNode>& child : mChildren) child->Write(out, depth + kIndent);
  *out += indent + "</";
  AppendEscaped(out, mName, XmlField::kWord);
  *out += ">\n";
}
