#include "shell/FormToString.h"

#include <strings.h>

#include "storage/Errors.h"

namespace {

const char* const kUnit = "include/FormToString";

std::string Sanitize(std::string value) {
  for (char& c : value) {
    if (c == '|') c = '/';
    else if (c == '=') c = ':';
  }
  return value;
}

std::string DateValue(TDateTime v) {
  TDateParts d = DecodeDate(v);
  TTimeParts t = DecodeTime(v);
  return std::to_string(d.day) + "." + std::to_string(d.month) + "." + std::to_string(d.year) + "." +
         std::to_string(t.hour) + "." + std::to_string(t.minute);
}

// The i-th field is the part after the i-th "|" (leading blanks skipped) up
// to the next "|"; the first starts at the beginning. Reading stops at the
// first empty field.
std::vector<std::pair<std::string, std::string>> Fields(const std::string& text) {
  std::vector<std::pair<std::string, std::string>> out;
  size_t pos = 0;
  for (bool first = true;; first = false) {
    if (!first) {
      while (pos < text.size() && text[pos] == ' ') ++pos;
    }
    size_t end = text.find('|', pos);
    std::string field = text.substr(pos, end == std::string::npos ? std::string::npos : end - pos);
    if (field.empty()) break;
    size_t eq = field.find('=');
    out.emplace_back(field.substr(0, eq), eq == std::string::npos ? "" : field.substr(eq + 1));
    if (end == std::string::npos) break;
    pos = end + 1;
  }
  return out;
}

}  // namespace

void TFormToString::Register(IFormField* field, const std::string& key) {
  std::string k = key.empty() && field ? field->Name() : key;
  GARVEL_ASSERT(k.find('|') == std::string::npos && k.find('=') == std::string::npos,
                "Invalid key: " + k, kUnit);
  entries_.push_back(TEntry{field, k});
}

std::string TFormToString::ToText() const {
  std::string out;
  for (const TEntry& e : entries_) {
    std::string value;
    if (!e.field) {
      value = "<ERR-No component!>";
    } else {
      switch (e.field->Kind()) {
        case IFormField::TKind::DateTime:
          value = e.field->HasUseBox() && !e.field->Used() ? "!" : DateValue(e.field->Value());
          break;
        case IFormField::TKind::Text: value = e.field->Text(); break;
        case IFormField::TKind::CheckBox: value = e.field->Checked() ? "1" : "0"; break;
        case IFormField::TKind::Unknown: value = "<ERR-Unknown component!>"; break;
      }
    }
    out += e.key + "=" + Sanitize(value) + "|";
  }
  return out;
}

void TFormToString::FromText(const std::string& text) {
  for (const TEntry& e : entries_) {
    if (!e.field) continue;
    e.field->SetText("");
    e.field->SetChecked(false);
    e.field->SetValue(Now());
  }
  for (const auto& [key, value] : Fields(text)) {
    const TEntry* entry = nullptr;
    for (const TEntry& e : entries_)
      if (strcasecmp(e.key.c_str(), key.c_str()) == 0) entry = &e;
    GARVEL_ASSERT(entry && entry->field, "Component not found!", kUnit);
    IFormField& f = *entry->field;
    switch (f.Kind()) {
      case IFormField::TKind::DateTime: {
        if (value == "!") {
          f.SetUsed(false);
          break;
        }
        int parts[5];
        int n = 0;
        size_t pos = 0;
        while (n < 5 && pos <= value.size()) {
          size_t dot = value.find('.', pos);
          std::string piece = value.substr(pos, dot == std::string::npos ? std::string::npos : dot - pos);
          if (piece.empty() || piece.find_first_not_of("0123456789") != std::string::npos) break;
          parts[n++] = std::stoi(piece);
          if (dot == std::string::npos) break;
          pos = dot + 1;
        }
        GARVEL_ASSERT(n == 5 && IsValidDate(parts[2], parts[1], parts[0]) && parts[3] < 24 && parts[4] < 60,
                      "Invalid date!", kUnit);
        f.SetUsed(true);
        f.SetValue(EncodeDate(parts[2], parts[1], parts[0]) + EncodeTime(parts[3], parts[4], 0));
        break;
      }
      case IFormField::TKind::Text: f.SetText(value); break;
      case IFormField::TKind::CheckBox: f.SetChecked(value == "1"); break;
      case IFormField::TKind::Unknown: break;
    }
  }
}

bool TFormToString::ValueOf(const std::string& text, const std::string& key, std::string& value) {
  for (const auto& [k, v] : Fields(text)) {
    if (strcasecmp(k.c_str(), key.c_str()) == 0) {
      value = v;
      return true;
    }
  }
  return false;
}
