#include "util/JsonErrorText.h"

#include <array>

#include "util/JsonParser.h"
#include "util/TextTable.h"

namespace n240qx {

namespace {

using K = JsonErrorKind;

// "#" stands for the limit of the kind, "@" for the member name.
constexpr std::array<TextRow<K>, 21> kReasons{{
    {K::kTooLong, "the text is longer than # bytes", "der Text ist l\u00E4nger als # Bytes"},
    {K::kTextAfterValue, "unexpected text after the value", "unerwarteter Text nach dem Wert"},
    {K::kEndsBeforeValue, "the text ends where a value should be",
     "der Text endet, wo ein Wert stehen sollte"},
    {K::kUnexpectedCharacter, "unexpected character", "unerwartetes Zeichen"},
    {K::kTooDeep, "nested deeper than # levels", "tiefer als # Ebenen verschachtelt"},
    {K::kNameExpected, "a member name in quotes expected",
     "ein Name in Anf\u00FChrungszeichen erwartet"},
    {K::kNameTwice, "member \"@\" appears twice", "der Name \"@\" kommt zweimal vor"},
    {K::kColonExpected, "':' expected after a member name", "':' nach einem Namen erwartet"},
    {K::kObjectEndExpected, "',' or '}' expected", "',' oder '}' erwartet"},
    {K::kArrayEndExpected, "',' or ']' expected", "',' oder ']' erwartet"},
    {K::kLeadingZero, "a number may not start with 0", "eine Zahl darf nicht mit 0 beginnen"},
    {K::kFractionDigitsExpected, "digits expected after '.'", "Ziffern nach '.' erwartet"},
    {K::kExponentDigitsExpected, "digits expected in the exponent",
     "Ziffern im Exponenten erwartet"},
    {K::kEndsInString, "the text ends inside a string",
     "der Text endet innerhalb einer Zeichenkette"},
    {K::kControlCharacter, "a control character inside a string",
     "ein Steuerzeichen in einer Zeichenkette"},
    {K::kNotUtf8, "a string that is not UTF-8", "eine Zeichenkette, die kein UTF-8 ist"},
    {K::kEndsInEscape, "the text ends inside an escape",
     "der Text endet innerhalb einer Escape-Folge"},
    {K::kUnknownEscape, "unknown escape", "unbekannte Escape-Folge"},
    {K::kShortUnicodeEscape, "\\u needs four hex digits", "\\u braucht vier Hexadezimalziffern"},
    {K::kLowSurrogateAlone, "a low surrogate without a high one",
     "ein niedriges Surrogat ohne hohes"},
    {K::kHighSurrogateAlone, "a high surrogate without a low one",
     "ein hohes Surrogat ohne niedriges"},
}};
static_assert(RowsFollowIds(kReasons));

std::string Limit(JsonErrorKind kind) {
  return std::to_string(kind == K::kTooLong ? JsonParser::kMaxSize : JsonParser::kMaxDepth);
}

}  // namespace

std::string JsonErrorText::For(const JsonError& error, Language language) {
  const bool german = language == Language::kGerman;
  std::string text = std::string(german ? "Zeile " : "line ") + std::to_string(error.line) +
                     (german ? ", Spalte " : ", column ") + std::to_string(error.column) + ": ";
  for (const char c : LookupText(kReasons, error.kind, language)) {
    if (c == '#') {
      text += Limit(error.kind);
    } else if (c == '@') {
      text += error.name;
    } else {
      text += c;
    }
  }
  return text;
}

}  // namespace n240qx
