#pragma once

#include <cstdint>
#include <string_view>

namespace n240qx {

// The interface language. Start-up selects English; German is shown only when asked for.
enum class Language { kEnglish, kGerman };

// The 16-bit identifiers the keyboard's own tools use for the two languages.
inline constexpr std::uint16_t kEnglishLanguageId = 9;
inline constexpr std::uint16_t kGermanLanguageId = 7;

// Unknown identifiers fall back to English, the start-up language.
constexpr Language LanguageFromId(std::uint16_t id) {
  return id == kGermanLanguageId ? Language::kGerman : Language::kEnglish;
}

// The skin pictures of each language live in their own sub-folder of "png".
constexpr std::string_view SkinFolderName(Language language) {
  return language == Language::kGerman ? "german" : "english";
}

}  // namespace n240qx
