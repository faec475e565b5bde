#include <gtest/gtest.h>

#include <string>

#include "util/ControlCharacters.h"
#include "util/EscapedText.h"

namespace n240qx {
namespace {

// What reaches a terminal from a stored name or path: nothing that moves the cursor or starts
// an escape sequence, and nothing that reads as something else.
TEST(EscapedText, ControlCharactersAndBackslashesShowAsEscapes) {
  const struct {
    std::string utf8;
    std::string shown;
  } kCases[] = {
      {"plain Grüße €", "plain Grüße €"},
      {"\x1B[2J", "\\e[2J"},
      {"two\nlines", "two\\nlines"},
      {"tab\there", "tab\\there"},
      {std::string("nul\0", 4), "nul\\x00"},
      {"bell\x07 del\x7F", "bell\\x07 del\\x7F"},
      {"c1 \xC2\x9B"
       "31m",
       "c1 \\x9B31m"},
      {"C:\\Games", "C:\\\\Games"},
      {"bad \xFF byte", "bad \\xFF byte"},
  };
  for (const auto& entry : kCases) {
    EXPECT_EQ(EscapedText(std::string_view(entry.utf8)), entry.shown) << entry.shown;
  }
  EXPECT_EQ(EscapedText(std::u16string_view(u"/bin/\x1B\x85x")), "/bin/\\e\\x85x");
}

// Macro names, profile names and launch paths share this rule.
TEST(EscapedText, ControlCharacterRuleCoversC0DelAndC1InBothEncodings) {
  const struct {
    std::u16string utf16;
    std::string utf8;
    bool control;
  } kCases[] = {
      {u"name", "name", false},     {u"Grüße", "Grüße", false}, {u"a\nb", "a\nb", true},
      {u"\x1B", "\x1B", true},      {u"\x7F", "\x7F", true},    {u"\x9F", "\xC2\x9F", true},
      {u"\xA0", "\xC2\xA0", false},
  };
  for (const auto& entry : kCases) {
    EXPECT_EQ(HoldsControlCharacter(std::u16string_view(entry.utf16)), entry.control) << entry.utf8;
    EXPECT_EQ(HoldsControlCharacter(std::string_view(entry.utf8)), entry.control) << entry.utf8;
  }
  EXPECT_FALSE(HoldsControlCharacter(std::string_view("\xC0\x8A"))) << "an overlong line break";
}

}  // namespace
}  // namespace n240qx
