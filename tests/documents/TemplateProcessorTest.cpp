#include <gtest/gtest.h>

#include "documents/TemplateProcessor.h"

namespace {

std::string Block(const std::string& name, const std::string& value) {
  return "<!--PARAM_BEGIN(" + name + ")-->" + value + "<!--PARAM_END-->";
}

TEST(TemplateProcessor, EncodeAndDecode) {
  EXPECT_EQ(EncodeHtml("a&b<c>\"d\" 100% č\r\n"), "a&amp;b&lt;c&gt;&quot;d&quot; 100&#37; č\r\n");
  struct TCase {
    const char* text;
    const char* decoded;
  };
  const TCase ok[] = {
      {"a&amp;b&lt;c&gt;&quot;", "a&b<c>\""},
      {"100&#37;", "100%"},
      {"&#269;", "č"},
      {"x&#65", "xA"},  // the ";" may be missing at the end
      {"line<br/>", "line<br/>"},
  };
  for (const TCase& c : ok) EXPECT_EQ(DecodeHtml(c.text), c.decoded) << c.text;

  struct TBad {
    const char* text;
    const char* message;
  };
  const TBad bad[] = {
      {"a &nbsp;", "Invalid HTML encoded character (&n) at position 2"},
      {"&#0;", "Invalid HTML encoded character (&#) at position 0"},
      {"&#99999999999999999999;", "Invalid HTML encoded character (&#) at position 0"},
      {"&#;", "Invalid HTML encoded character (&#) at position 0"},
      {"&#12a;", "Invalid HTML encoded character (&#) at position 0"},
      {"end&", "Invalid HTML encoded character (&) at position 3"},
  };
  for (const TBad& b : bad) {
    try {
      DecodeHtml(b.text);
      ADD_FAILURE() << "no error for " << b.text;
    } catch (const EConvertError& e) {
      EXPECT_STREQ(e.what(), b.message);
    }
  }
  EXPECT_EQ(DecodeHtmlLenient("R&D &amp; &#0; &#37;"), "R&D & &#0; %");
}

TEST(TemplateProcessor, ApplyTable) {
  struct TCase {
    const char* what;
    std::string text;
    TParameters parameters;
    std::string expected;
  };
  const TCase cases[] = {
      {"every bare occurrence, each in its own markers", "%VEH_TAG% a %VEH_TAG%", {{"%VEH_TAG%", "1A2", 0}},
       Block("%VEH_TAG%", "1A2") + " a " + Block("%VEH_TAG%", "1A2")},
      {"only the first block, bare names then untouched", Block("%VEH_TAG%", "old") + " %VEH_TAG% " + Block("%VEH_TAG%", "x"),
       {{"%VEH_TAG%", "new", 0}}, Block("%VEH_TAG%", "new") + " %VEH_TAG% " + Block("%VEH_TAG%", "x")},
      {"a block without its end changes nothing", "<!--PARAM_BEGIN(%A%)-->x %A%", {{"%A%", "v", 0}},
       "<!--PARAM_BEGIN(%A%)-->x %A%"},
      {"escaped, CR as <br/>, LF kept", "%A%", {{"%A%", "a<b\r\nc", 0}}, Block("%A%", "a&lt;b<br/>\nc")},
      {"raw untouched", "%A%", {{"%A%", "<b>x</b>", pfRaw}}, Block("%A%", "<b>x</b>")},
      {"unmarked", "class=\"%C%\"", {{"%C%", "hidden", pfRaw | pfUnmarked}}, "class=\"hidden\""},
      {"a value never searched again for its own name", "%A%", {{"%A%", "%A%%A%", pfRaw | pfUnmarked}}, "%A%%A%"},
      {"later parameters act on earlier raw values", "%A%", {{"%A%", "%B%", pfRaw | pfUnmarked}, {"%B%", "b", pfUnmarked}},
       "b"},
      {"a percent in a data value cannot become a later name", "%A%",
       {{"%A%", "%B%", pfUnmarked}, {"%B%", "forged", pfUnmarked}}, "&#37;B&#37;"},
      {"a name never supplied stays", "%A% %Z%", {{"%A%", "1", pfUnmarked}}, "1 %Z%"},
  };
  for (const TCase& c : cases) EXPECT_EQ(ApplyTemplateParameters(c.text, c.parameters), c.expected) << c.what;
}

TEST(TemplateProcessor, ReadBackGivesWhatWasAdded) {
  const std::string filled = ApplyTemplateParameters(
      "<p>%A%</p><p>%B%</p>" + Block("%MAX_ITEMS_PER_PAGE%", "20") + "<!--PARAM_BEGIN(%OPEN%)-->no end",
      {{"%A%", "R&D <x> \"q\" 5%", 0}, {"%B%", "two\r\nlines", 0}});
  TParameters p = ReadTemplateParameters(filled);
  ASSERT_EQ(p.size(), 3u);
  EXPECT_EQ(p[0].Name, "%A%");
  EXPECT_EQ(p[0].Value, "R&amp;D &lt;x&gt; &quot;q&quot; 5&#37;");
  EXPECT_EQ(GetParameterValue(p, "%A%", "", false), "R&D <x> \"q\" 5%");
  EXPECT_EQ(GetParameterValue(p, "%B%", "", false), "two<br/>\nlines");
  EXPECT_EQ(GetParameterValue(p, "%MAX_ITEMS_PER_PAGE%", "65535", false), "20");
  EXPECT_EQ(GetParameterValue(p, "%NONE%", "&raw", false), "&raw");  // a default is never decoded

  // A begin marker inside a content belongs to that content: no nesting.
  TParameters nested = ReadTemplateParameters(Block("%X%", "<!--PARAM_BEGIN(%Y%)-->y") + Block("%Z%", "z"));
  ASSERT_EQ(nested.size(), 2u);
  EXPECT_EQ(nested[0].Value, "<!--PARAM_BEGIN(%Y%)-->y");
  EXPECT_EQ(nested[1].Name, "%Z%");
}

}  // namespace
