#include "storage/Collation.h"

#include <cstring>
#include <memory>
#include <mutex>
#include <unicode/coll.h>
#include <unicode/unistr.h>

namespace {

// ICU collators are not thread-safe for all calls; one per thread.
icu::Collator& Czech() {
  thread_local std::unique_ptr<icu::Collator> collator = [] {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Collator> c(icu::Collator::createInstance(icu::Locale("cs", "CZ"), status));
    if (U_FAILURE(status) || !c) {
      status = U_ZERO_ERROR;
      c.reset(icu::Collator::createInstance(icu::Locale::getRoot(), status));
    }
    c->setStrength(icu::Collator::SECONDARY);  // letter case does not count
    return c;
  }();
  return *collator;
}

}  // namespace

std::string CzechSortKey(std::string_view utf8) {
  icu::UnicodeString s = icu::UnicodeString::fromUTF8(icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
  uint8_t buf[512];
  int32_t n = Czech().getSortKey(s, buf, sizeof buf);
  if (n <= static_cast<int32_t>(sizeof buf)) return std::string(reinterpret_cast<char*>(buf), static_cast<size_t>(n > 0 ? n - 1 : 0));
  std::string big(static_cast<size_t>(n), '\0');
  Czech().getSortKey(s, reinterpret_cast<uint8_t*>(big.data()), n);
  big.pop_back();  // the terminating zero
  return big;
}

int CzechCompare(std::string_view a, std::string_view b) {
  UErrorCode status = U_ZERO_ERROR;
  return Czech().compareUTF8(icu::StringPiece(a.data(), static_cast<int32_t>(a.size())),
                             icu::StringPiece(b.data(), static_cast<int32_t>(b.size())), status);
}
