#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "util/NearestNames.h"

namespace n240qx {
namespace {

TEST(EditDistance, CountsInsertsRemovalsReplacementsAndSwapsAsOneEach) {
  const struct {
    std::string_view a;
    std::string_view b;
    std::size_t distance;
  } kCases[] = {
      {"status", "status", 0}, {"STATUS", "status", 0},
      {"stauts", "status", 1}, {"brightnes", "brightness", 1},
      {"sta", "status", 3},    {"", "read", 4},
      {"keys", "", 4},         {"LCrtl", "LCtrl", 1},
      {"macro", "macros", 1},  {"reset", "restore", 4},
      {"abcd", "badc", 2},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(EditDistance(c.a, c.b), c.distance) << c.a << " / " << c.b;
    EXPECT_EQ(EditDistance(c.b, c.a), c.distance) << "symmetric: " << c.b << " / " << c.a;
  }
}

TEST(NearestNames, OffersOnlyTheNearestNamesWithinAThirdOfTheWord) {
  constexpr std::string_view kNames[] = {"status", "read",    "reset", "restore", "macro",
                                         "macros", "backups", "keys",  "assign",  "profile"};
  const struct {
    std::string_view typed;
    std::vector<std::string> meant;
  } kCases[] = {
      {"stauts", {"status"}},
      {"macross", {"macros"}},
      {"mcro", {"macro"}},  // one edit from macro, two from macros
      {"rset", {"reset"}},
      {"kes", {"keys"}},
      {"dance", {}},  // nothing near: no guess
      {"x", {}},
      {"Profile", {"profile"}},  // letters in any case
      {"restor", {"restore"}},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(NearestNames(c.typed, kNames), c.meant) << c.typed;
  }
  constexpr std::string_view kTies[] = {"LCtrl", "RCtrl", "LAlt", "LCtrl"};
  EXPECT_EQ(NearestNames("Ctrl", kTies), (std::vector<std::string>{"LCtrl", "RCtrl"}))
      << "ties are all offered, each once";
  EXPECT_EQ(NearestNames("Ctrl", kTies, 1), std::vector<std::string>{"LCtrl"});
}

TEST(DidYouMean, ListsTheNamesAsASentence) {
  const struct {
    std::vector<std::string> names;
    std::string text;
  } kCases[] = {
      {{}, ""},
      {{"status"}, "did you mean status?"},
      {{"LCtrl", "RCtrl"}, "did you mean LCtrl or RCtrl?"},
      {{"a", "b", "c"}, "did you mean a, b or c?"},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(DidYouMean(c.names), c.text);
  }
}

}  // namespace
}  // namespace n240qx
