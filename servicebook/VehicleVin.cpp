#include "servicebook/VehicleVin.h"

#include "catalogues/VinDecoder.h"
#include "storage/Codec.h"
#include "storage/Coding.h"

namespace {

constexpr const char* kBlockStart = "<<VIN-INFO:";

// The n-th character (0-based) of a UTF-8 text, or an empty view.
std::string_view CharacterAt(const std::string& text, size_t n) {
  size_t i = 0;
  for (size_t count = 0; i < text.size(); ++count) {
    size_t len = 1;
    const auto lead = static_cast<unsigned char>(text[i]);
    if (lead >= 0xF0) len = 4;
    else if (lead >= 0xE0) len = 3;
    else if (lead >= 0xC0) len = 2;
    if (count == n) return std::string_view(text).substr(i, len);
    i += len;
  }
  return {};
}

// The 10th character as a year code; a character outside ASCII is no code.
char TenthCharacter(const std::string& vin) {
  std::string_view c = CharacterAt(vin, 9);
  if (c.size() != 1) return '?';
  return c[0];
}

}  // namespace

std::string VINBoxText(const std::string& typed) {
  std::string bytes = Utf8ToCp1250(TruncateChars(typed, kVINBoxLimit));
  for (char& c : bytes) c = static_cast<char>(Cp1250Upper(static_cast<unsigned char>(c)));
  return Cp1250ToUtf8(bytes);
}

size_t VINLength(const std::string& vin) { return Utf8Length(vin); }

int YearFromVIN(const std::string& vin, TDateTime today) {
  if (VINLength(vin) < 10) return 0;
  return VINModelYear(TenthCharacter(vin), today);
}

bool YearMatchesVIN(int year, const std::string& vin) {
  const char code = VINYearCode(year);
  return code != 0 && code == TenthCharacter(vin);
}

std::string VINInfoBlock(const std::string& note) { return kBlockStart + note + ">>\r\n"; }

std::string SetVINInfoBlock(const std::string& comments, const std::string& note) {
  const std::string block = note.empty() ? std::string() : VINInfoBlock(note);
  const size_t start = comments.find(kBlockStart);
  if (start != std::string::npos) {
    size_t end = comments.find(">>\r\n", start + std::char_traits<char>::length(kBlockStart));
    if (end != std::string::npos) {
      end += 4;
    } else if (comments.size() >= 2 && comments.compare(comments.size() - 2, 2, ">>") == 0 &&
               comments.size() - 2 >= start + std::char_traits<char>::length(kBlockStart)) {
      end = comments.size();
    }
    if (end != std::string::npos) return comments.substr(0, start) + block + comments.substr(end);
  }
  if (block.empty()) return comments;
  std::string text = comments;
  if (!text.empty() && text.back() != '\n') text += "\r\n";
  return text + block;
}
