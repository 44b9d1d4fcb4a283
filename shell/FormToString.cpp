#include "shell/FormToString.h"

#include "storage/Errors.h"

namespace {

const char* const kUnit = "shell/FormToString";

[[noreturn]] void WrongKind(const char* operation) {
  AssertionFailed(std::string(operation) + " called on a field of another kind", kUnit);
}

bool SameKey(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'a' && x <= 'z') x = static_cast<char>(x - 32);
    if (y >= 'a' && y <= 'z') y = static_cast<char>(y - 32);
    if (x != y) return false;
  }
  return true;
}

std::string Sanitize(std::string value) {
  for (char& c : value) {
    if (c == '|') c = '/';
    else if (c == '=') c = ':';
  }
  return value;
}

std::string DateValue(TDateTime v) {
  const TDateParts d = DecodeDate(v);
  const TTimeParts t = DecodeTime(v);
  return std::to_string(d.day) + "." + std::to_string(d.month) + "." + std::to_string(d.year) + "." +
         std::to_string(t.hour) + "." + std::to_string(t.minute);
}

// Five numbers separated by "." making a valid date, hour and minute.
bool ReadDateValue(const std::string& value, TDateTime& result) {
  int parts[5];
  int n = 0;
  size_t pos = 0;
  for (;;) {
    size_t dot = value.find('.', pos);
    const std::string piece = value.substr(pos, dot == std::string::npos ? std::string::npos : dot - pos);
    // Nine digits at most: enough for any valid part, and no overflow.
    if (n == 5 || piece.empty() || piece.size() > 9 || piece.find_first_not_of("0123456789") != std::string::npos)
      return false;
    parts[n++] = std::stoi(piece);
    if (dot == std::string::npos) break;
    pos = dot + 1;
  }
  if (n != 5 || !IsValidDate(parts[2], parts[1], parts[0]) || parts[3] > 23 || parts[4] > 59) return false;
  result = EncodeDate(parts[2], parts[1], parts[0]) + EncodeTime(parts[3], parts[4], 0);
  return true;
}

// The fields of a form-state text as (key, value): the i-th field is the
// part after the i-th "|" (the first starts the text), leading blanks
// skipped, up to the next "|"; reading stops at the first empty field. The
// key is the part before the first "=", the value the part after it.
template <typename Visit>
void ForEachField(const std::string& text, Visit&& visit) {
  size_t pos = 0;
  while (pos <= text.size()) {
    while (pos < text.size() && text[pos] == ' ') ++pos;
    const size_t end = text.find('|', pos);
    const std::string field = text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
    if (field.empty()) return;
    const size_t eq = field.find('=');
    if (!visit(field.substr(0, eq), eq == std::string::npos ? std::string() : field.substr(eq + 1))) return;
    if (end == std::string::npos) return;
    pos = end + 1;
  }
}

}  // namespace

std::string IFormField::Text() const { WrongKind("Text"); }
void IFormField::SetText(const std::string&) { WrongKind("SetText"); }
bool IFormField::Checked() const { WrongKind("Checked"); }
void IFormField::SetChecked(bool) { WrongKind("SetChecked"); }
TDateTime IFormField::DateTime() const { WrongKind("DateTime"); }
void IFormField::SetDateTime(TDateTime) { WrongKind("SetDateTime"); }

void IFormField::Clear() {
  switch (Kind()) {
    case TKind::DateTime:
      SetDateTime(Now());
      if (HasCheckBox()) SetBoxChecked(true);
      break;
    case TKind::Text: SetText(""); break;
    case TKind::CheckBox: SetChecked(false); break;
    case TKind::Other: break;
  }
}

void TFormToString::Register(IFormField* field, const std::string& key) {
  const std::string k = key.empty() && field ? field->Name() : key;
  GARVEL_ASSERT(!k.empty(), "Form field without a key!", kUnit);
  GARVEL_ASSERT(k.find('|') == std::string::npos && k.find('=') == std::string::npos,
                "Form field key holds \"|\" or \"=\": " + k, kUnit);
  entries_.push_back(TComponentWithKey{field, k});
}

std::string TFormToString::ToText() const {
  std::string out;
  for (const TComponentWithKey& e : entries_) {
    std::string value;
    if (!e.field) {
      value = "<ERR-No component!>";
    } else {
      switch (e.field->Kind()) {
        case IFormField::TKind::DateTime:
          value = e.field->HasCheckBox() && !e.field->BoxChecked() ? "!" : DateValue(e.field->DateTime());
          break;
        case IFormField::TKind::Text: value = e.field->Text(); break;
        case IFormField::TKind::CheckBox: value = e.field->Checked() ? "1" : "0"; break;
        case IFormField::TKind::Other: value = "<ERR-Unknown component!>"; break;
      }
    }
    out += e.key + "=" + Sanitize(value) + "|";
  }
  return out;
}

void TFormToString::FromText(const std::string& text) const {
  for (const TComponentWithKey& e : entries_)
    if (e.field) e.field->Clear();
  ForEachField(text, [&](const std::string& key, const std::string& value) {
    IFormField* field = nullptr;
    for (const TComponentWithKey& e : entries_) {
      if (SameKey(e.key, key)) {
        field = e.field;
        break;
      }
    }
    GARVEL_ASSERT(field, "Component not found!", kUnit);
    switch (field->Kind()) {
      case IFormField::TKind::DateTime: {
        if (value == "!") {
          if (field->HasCheckBox()) field->SetBoxChecked(false);
          break;
        }
        TDateTime date = 0;
        GARVEL_ASSERT(ReadDateValue(value, date), "Invalid date!", kUnit);
        field->SetDateTime(date);
        if (field->HasCheckBox()) field->SetBoxChecked(true);
        break;
      }
      case IFormField::TKind::Text: field->SetText(value); break;
      case IFormField::TKind::CheckBox: field->SetChecked(value == "1"); break;
      case IFormField::TKind::Other: break;
    }
    return true;
  });
}

std::optional<std::string> TFormToString::ValueOf(const std::string& text, const std::string& key) {
  std::optional<std::string> found;
  ForEachField(text, [&](const std::string& k, const std::string& v) {
    if (!SameKey(k, key)) return true;
    found = v;
    return false;
  });
  return found;
}
