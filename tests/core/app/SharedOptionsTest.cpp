#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/SharedOptions.h"

namespace n240qx {
namespace {

struct Parsed {
  SharedOptions options;
  std::vector<std::string> left;  // words that are none of the shared options
  std::string error;
};

Parsed Parse(std::vector<std::string_view> words) {
  Parsed parsed;
  for (std::size_t at = 0; at < words.size(); ++at) {
    auto taken = parsed.options.Take(words, at);
    if (!taken) {
      parsed.left.emplace_back(words[at]);
    } else if (!taken->ok()) {
      parsed.error = taken->error().message;
      break;
    }
  }
  return parsed;
}

TEST(SharedOptions, EachOptionInEachSpelling) {
  auto parsed = Parse({"--simulate=st.bin", "--data-dir", "d", "--wire-log=w.log", "-h", "status",
                       "--version", "--json"});
  EXPECT_TRUE(parsed.options.simulate);
  EXPECT_EQ(parsed.options.state_file, std::filesystem::path("st.bin"));
  EXPECT_EQ(parsed.options.data_dir, std::filesystem::path("d"));
  EXPECT_EQ(parsed.options.wire_log, std::filesystem::path("w.log"));
  EXPECT_TRUE(parsed.options.help);
  EXPECT_TRUE(parsed.options.version);
  EXPECT_EQ(parsed.left, (std::vector<std::string>{"status", "--json"}));

  parsed = Parse({"--simulate", "--data-dir=d2"});
  EXPECT_TRUE(parsed.options.simulate);
  EXPECT_FALSE(parsed.options.state_file);
  EXPECT_EQ(parsed.options.data_dir, std::filesystem::path("d2"));
  EXPECT_TRUE(parsed.error.empty());
}

TEST(SharedOptions, AMissingValueIsNamedOneWay) {
  const struct {
    std::vector<std::string_view> words;
    const char* error;
  } cases[] = {
      {{"--data-dir"}, "--data-dir needs a value"},
      {{"--wire-log="}, "--wire-log needs a value"},
      {{"--data-dir="}, "--data-dir needs a value"},
      {{"--simulate="}, "--simulate= needs a file name after the '='"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Parse(c.words).error, c.error) << c.words[0];
  }
  EXPECT_EQ(Parse({"--data-directory", "x"}).left,
            (std::vector<std::string>{"--data-directory", "x"}))
      << "a longer word is no spelling of the option";
}

}  // namespace
}  // namespace n240qx
