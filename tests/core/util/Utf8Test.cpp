#include <gtest/gtest.h>

#include <cstdint>
#include <span>

#include "support/Hex.h"
#include "util/Utf8.h"

namespace n240qx {
namespace {

std::string Hex(const std::string& bytes) {
  return testing::Hex(std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

std::string Bytes(std::initializer_list<unsigned char> bytes) {
  return std::string(bytes.begin(), bytes.end());
}

// Names and paths go through here into the stores, so each boundary of the encoding is pinned
// to the bytes it must give, both ways.
TEST(Utf8, CodePointsEncodeAndDecodeToTheirBytes) {
  const struct {
    char32_t code;
    std::string bytes;
  } golden[] = {
      {U'A', Bytes({0x41})},
      {0x7F, Bytes({0x7F})},
      {0x80, Bytes({0xC2, 0x80})},
      {U'ß', Bytes({0xC3, 0x9F})},
      {0x7FF, Bytes({0xDF, 0xBF})},
      {0x800, Bytes({0xE0, 0xA0, 0x80})},
      {U'€', Bytes({0xE2, 0x82, 0xAC})},
      {0xFFFD, Bytes({0xEF, 0xBF, 0xBD})},
      {0x10000, Bytes({0xF0, 0x90, 0x80, 0x80})},
      {0x10FFFF, Bytes({0xF4, 0x8F, 0xBF, 0xBF})},
  };
  for (const auto& entry : golden) {
    std::string encoded;
    AppendUtf8(encoded, entry.code);
    EXPECT_EQ(Hex(encoded), Hex(entry.bytes)) << std::hex << int(entry.code);
    std::size_t at = 0;
    char32_t decoded = 0;
    ASSERT_TRUE(DecodeUtf8At(entry.bytes, at, decoded)) << Hex(entry.bytes);
    EXPECT_EQ(decoded, entry.code);
    EXPECT_EQ(at, entry.bytes.size());
  }
}

TEST(Utf8, MalformedSequencesAreRefused) {
  const std::string refused[] = {
      Bytes({0x80}),                    // a continuation byte alone
      Bytes({0xC3}),                    // cut short
      Bytes({0xE2, 0x82}),              // cut short
      Bytes({0xC0, 0xAF}),              // overlong '/'
      Bytes({0xE0, 0x80, 0xAF}),        // overlong '/'
      Bytes({0xF0, 0x80, 0x80, 0xAF}),  // overlong '/'
      Bytes({0xED, 0xA0, 0x80}),        // a surrogate
      Bytes({0xF4, 0x90, 0x80, 0x80}),  // past U+10FFFF
      Bytes({0xFF}),
      Bytes({0xC3, 0x41}),  // a lead byte followed by no continuation
  };
  for (const auto& bytes : refused) {
    std::size_t at = 0;
    char32_t decoded = 0;
    EXPECT_FALSE(DecodeUtf8At(bytes, at, decoded)) << Hex(bytes);
    EXPECT_FALSE(Utf16FromUtf8(bytes).ok()) << Hex(bytes);
  }
}

TEST(Utf8, Utf16RoundTripAndUnpairedSurrogates) {
  const std::string text = "Makro \xC3\x9F \xE2\x82\xAC \xF0\x9F\x8E\xAE";
  const auto utf16 = Utf16FromUtf8(text);
  ASSERT_TRUE(utf16.ok());
  EXPECT_EQ(utf16->size(), 12u) << "the emoji takes a surrogate pair";
  EXPECT_EQ(Utf8FromUtf16(*utf16), text);
  EXPECT_EQ(Hex(Utf8FromUtf16(u"a\xD800"
                              u"b")),
            Hex(Bytes({0x61, 0xEF, 0xBF, 0xBD, 0x62})));
}

}  // namespace
}  // namespace n240qx
