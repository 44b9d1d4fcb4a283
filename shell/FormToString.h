#pragma once
// Form state as text: the values of a set of input fields as one text of
// "key=value|" fields, and back. The trip window keeps a TRIP record's whole
// content this way in the record's description.
//
//   text  = { key "=" value "|" }
//   value = day.month.year.hour.minute   a date-and-time field ("1.3.2024.8.5")
//         | "!"                          a date-and-time field marked empty
//         | "1" | "0"                    a check box
//         | text                         a combo box, memo or edit field
//
// In a written value "|" becomes "/" and "=" becomes ":" so that the text
// stays readable; keys never hold either.
//
// Fields are reached through IFormField so that the core knows no widgets;
// the windows bind their controls to it.

#include <optional>
#include <string>
#include <vector>

#include "storage/DateTime.h"

// One input field. Only the operations of the field's own kind are called;
// the others are programming errors if reached.
class IFormField {
 public:
  enum class TKind {
    DateTime,  // date and time, possibly with a check box that marks it empty
    Text,      // combo box, memo or edit field
    CheckBox,
    Other,     // anything else: written as "<ERR-Unknown component!>"
  };

  virtual ~IFormField() = default;
  virtual TKind Kind() const = 0;
  // The default key.
  virtual std::string Name() const = 0;

  // Text fields.
  virtual std::string Text() const;
  virtual void SetText(const std::string& text);
  // Check boxes.
  virtual bool Checked() const;
  virtual void SetChecked(bool checked);
  // Date-and-time fields. One with a check box holds no value while the box
  // is unchecked.
  virtual TDateTime DateTime() const;
  virtual void SetDateTime(TDateTime value);
  virtual bool HasCheckBox() const { return false; }
  virtual bool BoxChecked() const { return true; }
  virtual void SetBoxChecked(bool) {}

  // Empty text, unchecked check box, or the current date and time (with its
  // box checked).
  virtual void Clear();
};

class TFormToString {
 public:
  // Appends a field under `key`, or under the field's name when `key` is
  // empty. `field` may be null (a control that is gone): it is then written
  // as "<ERR-No component!>". A key that holds "|" or "=", or no key at all,
  // is a programming error.
  void Register(IFormField* field, const std::string& key = "");

  // key=value| for every registered field, in registration order.
  std::string ToText() const;

  // Clears every registered field, then sets the fields the text names, in
  // order, up to the first empty field. Keys match without regard to case.
  // A key that names no registered field is a programming error ("Component
  // not found!"), and so is a date value that is neither "!" nor five numbers
  // making a valid date and time ("Invalid date!").
  void FromText(const std::string& text) const;

  // The value of the first field of `text` whose key equals `key` without
  // regard to case; nothing when there is none.
  static std::optional<std::string> ValueOf(const std::string& text, const std::string& key);

 private:
  struct TComponentWithKey {
    IFormField* field;
    std::string key;
  };
  std::vector<TComponentWithKey> entries_;
};
