#include "exchange/XmlDocument.h"

#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>
#include <sys/stat.h>

#include <algorithm>
#include <cctype>

#include "storage/File.h"

namespace {

const xmlChar* X(const std::string& s) { return reinterpret_cast<const xmlChar*>(s.c_str()); }

std::string Owned(xmlChar* text) {
  if (!text) return "";
  std::string s(reinterpret_cast<const char*>(text));
  xmlFree(text);
  return s;
}

// A DOCTYPE is where entities and external subsets are declared; exchange
// files never have one, so its mere presence refuses the file. A NUL byte
// means a UTF-16 or UTF-32 file (or no text at all), which the byte scan
// could not see through.
bool HasDoctypeOrNul(std::string_view text) {
  static constexpr std::string_view kDoctype = "<!DOCTYPE";
  if (text.find('\0') != std::string_view::npos) return true;
  auto it = std::search(text.begin(), text.end(), kDoctype.begin(), kDoctype.end(), [](char a, char b) {
    return std::toupper(static_cast<unsigned char>(a)) == b;
  });
  return it != text.end();
}

std::string LastParserError() {
  const xmlError* e = xmlGetLastError();
  if (!e || !e->message) return "not well-formed XML";
  std::string message = e->message;
  while (!message.empty() && (message.back() == '\n' || message.back() == ' ')) message.pop_back();
  const std::string line = "line " + std::to_string(e->line);
  if (e->line > 0 && message.find(line) == std::string::npos) message += " (" + line + ")";
  return message;
}

std::string Tabs(int count) { return std::string(static_cast<size_t>(std::max(count, 0)), '\t'); }

}  // namespace

void C_XMLDocument::TDocFree::operator()(_xmlDoc* doc) const { xmlFreeDoc(doc); }

C_XMLDocument::C_XMLDocument() : doc_(xmlNewDoc(X("1.0"))) {
  xmlNodePtr root = xmlNewDocNode(doc_.get(), nullptr, X("Root"), nullptr);
  xmlDocSetRootElement(doc_.get(), root);
}

C_XMLDocument::C_XMLDocument(const S_FileName& file) {
  const std::string path = file.RealPath();
  struct stat st {};
  if (stat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode))
    throw EXmlError(TXmlFault::Missing, "File not found: " + path);
  if (static_cast<uint64_t>(st.st_size) > kMaxXmlBytes)
    throw EXmlError(TXmlFault::TooLarge, "File too large for an exchange file: " + path);
  std::string bytes;
  if (!ReadWholeFile(path, bytes)) throw EXmlError(TXmlFault::Unreadable, "Cannot read " + path);
  *this = FromText(bytes);
}

C_XMLDocument C_XMLDocument::FromText(std::string_view text) {
  if (text.size() > kMaxXmlBytes) throw EXmlError(TXmlFault::TooLarge, "Document too large for an exchange file");
  if (HasDoctypeOrNul(text)) throw EXmlError(TXmlFault::Doctype, "Document type declarations are not accepted");
  xmlResetLastError();
  // No NOENT (entities stay unsubstituted), no DTDLOAD, no HUGE; NONET so
  // that nothing is ever fetched.
  const int options = XML_PARSE_NONET | XML_PARSE_NOERROR | XML_PARSE_NOWARNING;
  xmlDocPtr doc = xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, nullptr, options);
  if (!doc) throw EXmlError(TXmlFault::Malformed, LastParserError());
  std::unique_ptr<_xmlDoc, TDocFree> owned(doc);
  if (doc->intSubset || doc->extSubset)
    throw EXmlError(TXmlFault::Doctype, "Document type declarations are not accepted");
  if (!xmlDocGetRootElement(doc)) throw EXmlError(TXmlFault::Malformed, "No root element");
  return C_XMLDocument(std::move(owned));
}

C_XMLDocument::C_XMLDocument(C_XMLDocument&&) noexcept = default;
C_XMLDocument& C_XMLDocument::operator=(C_XMLDocument&&) noexcept = default;
C_XMLDocument::~C_XMLDocument() = default;

TXmlNode C_XMLDocument::GetRoot() const { return TXmlNode(doc_ ? xmlDocGetRootElement(doc_.get()) : nullptr); }

std::string C_XMLDocument::SaveToText() const {
  if (!doc_) return "";
  xmlChar* buffer = nullptr;
  int size = 0;
  // Unformatted: the indentation is already in the tree as text nodes.
  xmlDocDumpFormatMemoryEnc(doc_.get(), &buffer, &size, "UTF-8", 0);
  std::string text(reinterpret_cast<const char*>(buffer), buffer ? static_cast<size_t>(size) : 0);
  xmlFree(buffer);
  return text;
}

int TXmlNode::Depth() const {
  int depth = 0;
  for (xmlNodePtr n = node_; n && n->parent && n->parent->type == XML_ELEMENT_NODE; n = n->parent) ++depth;
  return depth;
}

TXmlNode TXmlNode::AddChild(const std::string& tagName) {
  if (!node_) return TXmlNode();
  // Children sit between indentation texts: "\n" + one tab more before each,
  // "\n" + the parent's own indentation after the last.
  const int depth = Depth();
  xmlNodePtr last = node_->last;
  if (last && last->type == XML_TEXT_NODE) {
    xmlNodeSetContent(last, X("\n" + Tabs(depth + 1)));
  } else {
    xmlAddChild(node_, xmlNewDocText(node_->doc, X("\n" + Tabs(depth + 1))));
  }
  xmlNodePtr child = xmlNewDocNode(node_->doc, nullptr, X(tagName), nullptr);
  xmlAddChild(node_, child);
  xmlAddChild(node_, xmlNewDocText(node_->doc, X("\n" + Tabs(depth))));
  return TXmlNode(child);
}

void TXmlNode::SetAttribute(const std::string& name, const std::string& value) {
  if (node_) xmlSetProp(node_, X(name), X(value));
}

void TXmlNode::SetText(const std::string& text) {
  if (!node_) return;
  while (node_->children) {
    xmlNodePtr c = node_->children;
    xmlUnlinkNode(c);
    xmlFreeNode(c);
  }
  // A text node takes the characters as they are; they are escaped on saving.
  xmlAddChild(node_, xmlNewDocText(node_->doc, X(text)));
}

std::string TXmlNode::Name() const { return node_ && node_->name ? reinterpret_cast<const char*>(node_->name) : ""; }

bool TXmlNode::IsElement() const { return node_ && node_->type == XML_ELEMENT_NODE; }

std::string TXmlNode::Attribute(const std::string& name) const {
  if (!IsElement()) return "";
  return Owned(xmlGetNoNsProp(node_, X(name)));
}

std::string TXmlNode::Text() const { return node_ ? Owned(xmlNodeGetContent(node_)) : ""; }

TXmlNode TXmlNode::FirstChild(const std::string& tagName) const {
  if (!node_) return TXmlNode();
  for (xmlNodePtr c = node_->children; c; c = c->next)
    if (c->type == XML_ELEMENT_NODE && c->name && tagName == reinterpret_cast<const char*>(c->name))
      return TXmlNode(c);
  return TXmlNode();
}

std::vector<TXmlNode> TXmlNode::Children() const {
  std::vector<TXmlNode> list;
  if (node_)
    for (xmlNodePtr c = node_->children; c; c = c->next) list.emplace_back(c);
  return list;
}
