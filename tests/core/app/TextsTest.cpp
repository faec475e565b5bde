#include <gtest/gtest.h>

#include "app/FailureText.h"
#include "app/Texts.h"

namespace n240qx {
namespace {

TEST(Texts, EnglishUnlessGermanIsAskedFor) {
  Texts texts;
  EXPECT_EQ(texts.language(), Language::kEnglish);
  EXPECT_EQ(texts.Get(TextId::kApply), "Apply");
  texts.SetLanguage(Language::kGerman);
  EXPECT_EQ(texts.Get(TextId::kApply), "Anwenden");
  EXPECT_EQ(texts.Get(TextId::kProfile), "Profil");
  EXPECT_EQ(LanguageFromId(7), Language::kGerman);
  EXPECT_EQ(LanguageFromId(9), Language::kEnglish);
  EXPECT_EQ(LanguageFromId(4), Language::kEnglish);
}

TEST(Texts, EveryTextExistsInBothLanguages) {
  for (int i = 0; i < static_cast<int>(TextId::kCount); ++i) {
    const auto id = static_cast<TextId>(i);
    EXPECT_FALSE(Texts::Lookup(id, Language::kEnglish).empty()) << i;
    EXPECT_FALSE(Texts::Lookup(id, Language::kGerman).empty()) << i;
  }
  EXPECT_TRUE(Texts::Lookup(TextId::kCount, Language::kEnglish).empty());
}

TEST(Texts, NoKeyboardBalloonKeepsItsFullWidthExclamationMark) {
  EXPECT_EQ(Texts().Get(TextId::kNoKeyboardMessage), "No Gaming Keyboard\xEF\xBC\x81");
  EXPECT_EQ(Texts().Get(TextId::kNoKeyboardTitle), "Warning");
}

TEST(FailureText, GermanSaysWhyInGermanAndEnglishKeepsTheMessage) {
  const Texts english;
  const Texts german(Language::kGerman);
  for (const ErrorCode code : {ErrorCode::kNotFound, ErrorCode::kPermissionDenied, ErrorCode::kIo,
                               ErrorCode::kTimeout, ErrorCode::kDisconnected, ErrorCode::kNotOpen,
                               ErrorCode::kBadData, ErrorCode::kInvalidArgument}) {
    const Error error{code, "The keyboard was unplugged."};
    EXPECT_EQ(FailureText(english, TextId::kWriteFailed, error),
              "The changes were not applied: The keyboard was unplugged.");
    const std::string shown = FailureText(german, TextId::kWriteFailed, error);
    EXPECT_EQ(shown.rfind(german.Get(TextId::kWriteFailed), 0), 0U) << shown;
    EXPECT_EQ(shown.find("keyboard"), std::string::npos) << shown;
    EXPECT_GT(shown.size(), german.Get(TextId::kWriteFailed).size()) << shown;
  }
}

}  // namespace
}  // namespace n240qx
