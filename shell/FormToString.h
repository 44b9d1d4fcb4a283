#pragma once
// Form state as text: the values of a set of input fields as one
// "key=value|" text and back. The trip window keeps a TRIP record's whole
// content this way in the record's description.
//
// Fields are reached through IFormField so that the core knows no widgets;
// the windows bind their controls to it.

#include <string>
#include <vector>

#include "storage/DateTime.h"

class IFormField {
 public:
  enum class TKind { DateTime, Text, CheckBox, Unknown };
  virtual ~IFormField() = default;
  virtual TKind Kind() const = 0;
  virtual std::string Name() const = 0;
  // Text fields (combo box, memo, edit) and check boxes.
  virtual std::string Text() const { return ""; }
  virtual void SetText(const std::string&) {}
  virtual bool Checked() const { return false; }
  virtual void SetChecked(bool) {}
  // Date-and-time fields; a field with an unchecked "use" box counts as empty.
  virtual TDateTime Value() const { return 0; }
  virtual void SetValue(TDateTime) {}
  virtual bool HasUseBox() const { return false; }
  virtual bool Used() const { return true; }
  virtual void SetUsed(bool) {}
};

class TFormToString {
 public:
  // Appends a field under `key` (its name when empty). A key holding "|" or
  // "=" is a programming error.
  void Register(IFormField* field, const std::string& key = "");
  // key=value| for every field in order.
  std::string ToText() const;
  // Clears every field, then sets the fields named in the text. An unknown key
  // raises "Component not found!", a malformed date "Invalid date!".
  void FromText(const std::string& text);
  // The value of the first field of the text whose key matches without
  // regard to case; false when there is none.
  static bool ValueOf(const std::string& text, const std::string& key, std::string& value);

 private:
  struct TEntry {
    IFormField* field;
    std::string key;
  };
  std::vector<TEntry> entries_;
};
