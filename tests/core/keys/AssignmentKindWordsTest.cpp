#include <gtest/gtest.h>

#include <set>
#include <string>

#include "keys/AssignmentKindWords.h"

namespace n240qx {
namespace {

TEST(AssignmentKindWords, EachKindHasOneWordThatReadsBackAsIt) {
  std::set<std::string_view> seen;
  for (const AssignmentKindWord& entry : AssignmentKindWords()) {
    EXPECT_TRUE(seen.insert(entry.word).second) << "twice: " << entry.word;
    EXPECT_EQ(WordOfAssignmentKind(static_cast<std::uint8_t>(entry.kind)), entry.word);
    EXPECT_EQ(AssignmentKindOfWord(entry.word), entry.kind) << entry.word;
    EXPECT_NE(AssignmentKindWordList().find(std::string(entry.word)), std::string::npos);
  }
  // Every stored kind and the dialog's "nothing chosen"; the pending-only restore is no word.
  for (std::uint8_t kind = 0; kind <= 7; ++kind) {
    EXPECT_FALSE(WordOfAssignmentKind(kind).empty()) << int{kind};
  }
  EXPECT_EQ(WordOfAssignmentKind(static_cast<std::uint8_t>(AssignmentKind::kNone)), "none");
  for (const std::uint8_t unknown : {std::uint8_t{8}, std::uint8_t{9}, std::uint8_t{0x80}}) {
    EXPECT_TRUE(WordOfAssignmentKind(unknown).empty()) << int{unknown};
  }
  for (const std::string_view word : {"default", "Single", "", "open_file"}) {
    EXPECT_FALSE(AssignmentKindOfWord(word).has_value()) << word;
  }
}

}  // namespace
}  // namespace n240qx
