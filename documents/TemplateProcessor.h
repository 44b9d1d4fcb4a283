#pragma once
// The template language of documents.
//
// A template is HTML in which a parameter name ("%VEH_TAG%") is a
// placeholder. A parameter block
//   <!--PARAM_BEGIN(name)-->content<!--PARAM_END-->
// gives a default in a template; in a filled document every marked value
// stands in such a block, so the stored document can be read back: it is the
// only record of what was issued. Blocks do not nest.
//
// Values are HTML-escaped on insertion unless they are raw; "%" in a value is
// written as "&#37;" so that no value can turn into a placeholder of a later
// parameter.

#include <string>
#include <string_view>
#include <vector>

#include "storage/Errors.h"

// A stored text that cannot be read as a value (an unknown "&…" sequence, a
// fee that is not a number).
class EConvertError : public EGarvelError {
 public:
  using EGarvelError::EGarvelError;
};

enum : int {
  pfRaw = 1,       // inserted as it is (the caller escaped it)
  pfUnmarked = 2,  // inserted without markers: inside attributes, never read back
};

struct TParameter {
  std::string Name;
  std::string Value;
  int Flags = 0;
};

// In order of addition; duplicates allowed, look-up takes the first.
using TParameters = std::vector<TParameter>;

inline constexpr std::string_view kParamBegin = "<!--PARAM_BEGIN(";
inline constexpr std::string_view kParamBeginEnd = ")-->";
inline constexpr std::string_view kParamEnd = "<!--PARAM_END-->";

// "&" "<" ">" and the double quote as entities, "%" as "&#37;"; everything
// else, line breaks included, unchanged.
std::string EncodeHtml(std::string_view text);
// The inverse for "&amp;", "&lt;", "&gt;", "&quot;" and "&#" decimal ";"
// (a Unicode code point; the ";" may be missing at the end of the text).
// Anything else after "&" throws EConvertError "Invalid HTML encoded
// character (&x) at position N"; so do "&#0;", a missing or overflowing
// number and a code point beyond Unicode. "<br/>" stays as it is.
std::string DecodeHtml(std::string_view text);
// As DecodeHtml, but a sequence it cannot read is kept as it stands.
std::string DecodeHtmlLenient(std::string_view text);

// Every block of the text, in order, flags 0, content still escaped.
TParameters ReadTemplateParameters(std::string_view text);
// The first parameter of that name, decoded unless `raw`; `fallback` (never
// decoded) when there is none. Throws what DecodeHtml throws.
std::string GetParameterValue(const TParameters& parameters, std::string_view name, const std::string& fallback,
                              bool raw);
void AddParameter(TParameters& parameters, const std::string& name, const std::string& value, int flags);

// Substitutes the parameters in list order; later ones act on the result of
// earlier ones. For each: the first block of its name gets the value (if the
// block is closed); without a block every bare occurrence of the name does.
std::string ApplyTemplateParameters(std::string text, const TParameters& parameters);

// The value as it is inserted without pfRaw: escaped, each CR as "<br/>".
std::string EscapedValue(std::string_view value);
// Escaped for a raw value that keeps its lines: each CR as `lineBreak`, line
// feeds dropped.
std::string EncodeHtmlLines(std::string_view text, std::string_view lineBreak);
