#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "util/JsonParser.h"
#include "util/JsonWriter.h"

namespace n240qx {
namespace {

using ::testing::HasSubstr;

// The document layout without its line breaks; strings never hold a raw line break.
std::string Compact(const JsonValue& value) {
  JsonWriter writer;
  writer.Document(value);
  std::string text;
  bool indent = false;
  for (const char c : writer.text()) {
    indent = c == '\n' || (indent && c == ' ');
    if (!indent) {
      text += c;
    }
  }
  return text;
}

std::string Nested(std::size_t depth) {
  return std::string(depth, '[') + std::string(depth, ']');
}

// Each text either parses, and then writes back as `written` (compact, members in their
// order), or is refused with a reason that contains `refused`, or `german` in German.
TEST(JsonParserTest, AcceptsStrictJsonOnlyAndSaysWhereItStopped) {
  const struct {
    std::string text;
    std::string written;
    std::string refused;
    std::string german;
  } kCases[] = {
      {R"( {"b":[1,-2,true,false,null],"a":"x"} )", R"({"b":[1,-2,true,false,null],"a":"x"})", "",
       ""},
      {R"("\"\\\/\b\f\n\r\t")", R"("\"\\/\u0008\u000C\u000A\u000D\u0009")", "", ""},
      {R"("\u00e9\u20AC")", "\"\xC3\xA9\xE2\x82\xAC\"", "", ""},
      {R"("\ud83d\ude00")", "\"\xF0\x9F\x98\x80\"", "", ""},
      {"\"\xF0\x9F\x98\x80\"", "\"\xF0\x9F\x98\x80\"", "", ""},
      {"-9223372036854775808", "-9223372036854775808", "", ""},
      {Nested(JsonParser::kMaxDepth), Nested(JsonParser::kMaxDepth), "", ""},
      {R"("\ud83d")", "", "a high surrogate without a low one",
       "ein hohes Surrogat ohne niedriges"},
      {R"("\ud83dx")", "", "a high surrogate without a low one",
       "ein hohes Surrogat ohne niedriges"},
      {R"("\ude00")", "", "a low surrogate without a high one",
       "ein niedriges Surrogat ohne hohes"},
      {R"("\u12G4")", "", "\\u needs four hex digits", "\\u braucht vier Hexadezimalziffern"},
      {R"("\x")", "", "line 1, column 3: unknown escape",
       "Zeile 1, Spalte 3: unbekannte Escape-Folge"},
      {"\"\xC3\x28\"", "", "not UTF-8", "kein UTF-8"},
      {"\"\xC0\xAF\"", "", "not UTF-8", "kein UTF-8"},
      {"\"\xED\xA0\x80\"", "", "not UTF-8", "kein UTF-8"},
      {"\"a\\", "", "line 1, column 4: the text ends inside an escape",
       "Zeile 1, Spalte 4: der Text endet innerhalb einer Escape-Folge"},
      {"\"a\tb\"", "", "a control character inside a string",
       "ein Steuerzeichen in einer Zeichenkette"},
      {"\"open", "", "the text ends inside a string",
       "der Text endet innerhalb einer Zeichenkette"},
      {Nested(JsonParser::kMaxDepth + 1), "", "nested deeper than 32 levels",
       "tiefer als 32 Ebenen verschachtelt"},
      {"{} x", "", "line 1, column 4: unexpected text after the value",
       "Zeile 1, Spalte 4: unerwarteter Text nach dem Wert"},
      {"[\n  1 x]", "", "line 2, column 5: ',' or ']' expected",
       "Zeile 2, Spalte 5: ',' oder ']' erwartet"},
      {R"({"a":1,"a":2})", "", "member \"a\" appears twice", "der Name \"a\" kommt zweimal vor"},
      {R"({"a" 1})", "", "':' expected after a member name", "':' nach einem Namen erwartet"},
      {R"({a:1})", "", "a member name in quotes expected",
       "ein Name in Anf\u00FChrungszeichen erwartet"},
      {"[1,]", "", "unexpected character", "unerwartetes Zeichen"},
      {"01", "", "a number may not start with 0", "eine Zahl darf nicht mit 0 beginnen"},
      {"1.", "", "digits expected after '.'", "Ziffern nach '.' erwartet"},
      {"1e+", "", "digits expected in the exponent", "Ziffern im Exponenten erwartet"},
      {"tru", "", "unexpected character", "unerwartetes Zeichen"},
      {"", "", "line 1, column 1: the text ends where a value should be",
       "Zeile 1, Spalte 1: der Text endet, wo ein Wert stehen sollte"},
      {std::string(JsonParser::kMaxSize + 1, ' '), "", "longer than 4194304 bytes",
       "l\u00E4nger als 4194304 Bytes"},
  };
  for (const auto& c : kCases) {
    const std::string shown = c.text.substr(0, 40);
    const auto parsed = JsonParser::Parse(c.text);
    if (c.refused.empty()) {
      ASSERT_TRUE(parsed.ok()) << shown << ": " << parsed.error().message;
      EXPECT_EQ(Compact(*parsed), c.written) << shown;
    } else {
      ASSERT_FALSE(parsed.ok()) << shown;
      EXPECT_EQ(parsed.error().code, ErrorCode::kBadData) << shown;
      EXPECT_THAT(parsed.error().message, HasSubstr(c.refused)) << shown;
      const auto german = JsonParser::Parse(c.text, Language::kGerman);
      ASSERT_FALSE(german.ok()) << shown;
      EXPECT_THAT(german.error().message, HasSubstr(c.german)) << shown;
    }
  }
}

TEST(JsonParserTest, IntegersStayExactAndOtherNumbersAreNot) {
  const struct {
    const char* text;
    bool integer;
  } kCases[] = {
      {"300", true}, {"-0", true}, {"1.5", false}, {"2e3", false}, {"9223372036854775808", false}};
  for (const auto& c : kCases) {
    const auto parsed = JsonParser::Parse(c.text);
    ASSERT_TRUE(parsed.ok()) << c.text;
    EXPECT_EQ(std::holds_alternative<std::int64_t>(parsed->data), c.integer) << c.text;
  }
}

// The document layout puts each top-level member and each object of an array on its own line,
// and what it writes parses back to the same value.
TEST(JsonParserTest, DocumentLayoutReadsBackAsTheSameValue) {
  const std::string text = R"({"a":[{"x":1},{"y":[2,3]}],"b":"c"})";
  const auto parsed = JsonParser::Parse(text);
  ASSERT_TRUE(parsed.ok());
  JsonWriter writer;
  writer.Document(*parsed);
  EXPECT_EQ(writer.text(), "{\n  \"a\":[\n    {\"x\":1},\n    {\"y\":[2,3]}],\n  \"b\":\"c\"\n}");
  const auto again = JsonParser::Parse(writer.text());
  ASSERT_TRUE(again.ok());
  EXPECT_EQ(Compact(*again), text);
}

}  // namespace
}  // namespace n240qx
