#include <gtest/gtest.h>

#include "storage/UrlCoding.h"

TEST(UrlCoding, BothWays) {
  struct Case { const char* text; const char* encoded; } cases[] = {
      {"a b/č", "a+b%2F%E8"},
      {"A-Z_a.z@0~", "A-Z_a.z@0%7E"},
      {"100%", "100%25"},
      {"ř\r\n", "%F8%0D%0A"},
      {"Škoda & Žďár?", "%8Akoda+%26+%8E%EF%E1r%3F"},
      {"a+b", "a%2Bb"},
      {"", ""},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(URLEncode(c.text), c.encoded) << c.text;
    EXPECT_EQ(URLDecode(c.encoded), c.text) << c.encoded;
  }
  EXPECT_EQ(URLEncode("漢"), "%3F");  // not in Windows-1250: "?"
}

TEST(UrlCoding, DecodingOddInput) {
  struct Case { const char* encoded; std::string text; } cases[] = {
      {"50%", "50%"},                              // "%" at the end
      {"a%4", "a%4"},                              // only one character follows
      {"%e8%E8", "čč"},                            // either case of hexadecimal digits
      {"%zz!", std::string(1, '\0') + "!"},        // not hexadecimal: counts as 0
      {"%4g", "@"},                                // "4", then "g" as 0
      {"%%41", "\x04" "1"},                        // "%%4" is a code ("%" as 0), then "1"
      {"a+b++", "a b  "},
      {"č+", "č "},                                // plain UTF-8 passes through
  };
  for (const auto& c : cases) EXPECT_EQ(URLDecode(c.encoded), c.text) << c.encoded;
}
