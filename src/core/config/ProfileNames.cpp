#include "config/ProfileNames.h"

#include <algorithm>
#include <array>

#include "util/ControlCharacters.h"
#include "util/EscapedText.h"
#include "util/TextTable.h"

namespace n240qx::profile_names {

namespace {
// Most Linux file systems take 255 bytes per name, the suffix included.
constexpr std::size_t kMaxFileName = 255;

enum class Refusal { kNoProfileName, kNeedsLetter, kSeparator, kControlCharacter, kTooLong };

constexpr std::array<TextRow<Refusal>, 5> kRefusals{{
    {Refusal::kNoProfileName, "\" is no profile name: ", "\" ist kein Profilname: "},
    {Refusal::kNeedsLetter, "a name needs a letter or digit",
     "ein Name braucht einen Buchstaben oder eine Ziffer"},
    {Refusal::kSeparator, "it may not contain / or \\", "er darf weder / noch \\ enthalten"},
    {Refusal::kControlCharacter, "it may not hold control characters",
     "er darf keine Steuerzeichen enthalten"},
    {Refusal::kTooLong, "the profile name is too long", "der Profilname ist zu lang"},
}};
static_assert(RowsFollowIds(kRefusals));

Error Refused(std::string_view name, Refusal why, Language language) {
  return Error{ErrorCode::kInvalidArgument,
               "\"" + EscapedText(name) +
                   std::string(LookupText(kRefusals, Refusal::kNoProfileName, language)) +
                   std::string(LookupText(kRefusals, why, language))};
}
}  // namespace

std::string FromStoredFile(std::string_view file_name) {
  while (file_name.ends_with(kSuffix)) {
    file_name.remove_suffix(kSuffix.size());
  }
  return std::string(file_name);
}

std::string FromChosenFile(const std::filesystem::path& chosen) {
  const std::string file_name = chosen.filename().string();
  return file_name.substr(0, file_name.find('.'));
}

std::string FromTyped(std::string_view text) {
  return FromStoredFile(text);
}

std::string StoredFileName(std::string_view name) {
  return std::string(name) + std::string(kSuffix);
}

Status Check(std::string_view name, Language language) {
  if (std::all_of(name.begin(), name.end(), [](char c) { return c == '.'; })) {
    return Refused(name, Refusal::kNeedsLetter, language);
  }
  if (name.find_first_of("/\\") != std::string_view::npos) {
    return Refused(name, Refusal::kSeparator, language);
  }
  // A line break would make one profile read as two in a list; NUL is one of them.
  if (HoldsControlCharacter(name)) {
    return Refused(name, Refusal::kControlCharacter, language);
  }
  if (StoredFileName(name).size() > kMaxFileName) {
    // A name this long is not repeated: it would fill the message line.
    return Error{ErrorCode::kInvalidArgument,
                 std::string(LookupText(kRefusals, Refusal::kTooLong, language))};
  }
  return Status::Ok();
}

}  // namespace n240qx::profile_names
