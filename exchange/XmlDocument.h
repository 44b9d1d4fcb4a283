#pragma once
// C_XMLDocument: the owner of one XML document of the exchange format, with
// the options fixed once so that every exchange file is written and read the
// same way. Written documents are indented by one tab per level, each child
// element on its own line; white space in read documents is kept.
//
// Received files are hostile: parsing never touches the network, never
// substitutes entities and never loads a DTD. A file that carries a DOCTYPE
// (exchange files have none) or is larger than kMaxXmlBytes is refused before
// the parser sees it, and reported like a malformed file.

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "storage/Errors.h"
#include "storage/FileSystem.h"

struct _xmlNode;
struct _xmlDoc;

inline constexpr size_t kMaxXmlBytes = 64u << 20;

// Why a document could not be read.
enum class TXmlFault { Missing, Unreadable, TooLarge, Doctype, Malformed };

class EXmlError : public EGarvelError {
 public:
  EXmlError(TXmlFault fault, const std::string& message) : EGarvelError(message), fault_(fault) {}
  TXmlFault Fault() const { return fault_; }

 private:
  TXmlFault fault_;
};

// A non-owning handle of an element of a C_XMLDocument; valid while the
// document lives. A null handle answers every question with "nothing".
class TXmlNode {
 public:
  TXmlNode() = default;
  explicit TXmlNode(_xmlNode* node) : node_(node) {}
  explicit operator bool() const { return node_ != nullptr; }

  // Appends a child element, indented on its own line; returns it.
  TXmlNode AddChild(const std::string& tagName);
  void SetAttribute(const std::string& name, const std::string& value);
  // Replaces the content by one text (escaped when saved).
  void SetText(const std::string& text);

  std::string Name() const;
  bool IsElement() const;
  // The attribute's value; empty when absent.
  std::string Attribute(const std::string& name) const;
  // All text of the node and its descendants.
  std::string Text() const;
  // The first child element with the tag name (exact case); null if none.
  TXmlNode FirstChild(const std::string& tagName) const;
  // Every child node (elements, texts, comments) in order.
  std::vector<TXmlNode> Children() const;

 private:
  int Depth() const;
  _xmlNode* node_ = nullptr;
};

class C_XMLDocument {
 public:
  // An empty document with the root element "Root".
  C_XMLDocument();
  // Reads and parses the file; raises EXmlError.
  explicit C_XMLDocument(const S_FileName& file);
  // Parses a document held in memory; raises EXmlError.
  static C_XMLDocument FromText(std::string_view text);

  C_XMLDocument(C_XMLDocument&&) noexcept;
  C_XMLDocument& operator=(C_XMLDocument&&) noexcept;
  ~C_XMLDocument();

  TXmlNode GetRoot() const;
  // The whole document as UTF-8 text with an XML declaration.
  std::string SaveToText() const;

 private:
  struct TDocFree {
    void operator()(_xmlDoc* doc) const;
  };
  explicit C_XMLDocument(std::unique_ptr<_xmlDoc, TDocFree> doc) : doc_(std::move(doc)) {}
  std::unique_ptr<_xmlDoc, TDocFree> doc_;
};
