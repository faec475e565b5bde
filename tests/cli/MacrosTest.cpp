#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "CliFixture.h"
#include "JsonValue.h"
#include "macros/MacroEventList.h"
#include "macros/MacroStore.h"

namespace n240qx::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class MacrosTest : public CliFixture {
 protected:
  // Two macros: "Hello" repeated 3 times with delays, and "Ä" with none.
  void StoreMacros() {
    MacroStore store;
    MacroStoreEntry& hello = store.entry(0);
    ASSERT_TRUE(hello.SetName(u"Hello").ok());
    hello.repeat_count = 3;
    hello.set_has_delay(true);
    // A down, 50 ms, A up, 200 ms (escaped form), B down.
    const std::uint8_t events[] = {0x01, 0x41, 0xB2, 0x41, 0x7F, 0x42, 0x00, 0xC8};
    std::copy(std::begin(events), std::end(events), hello.key_events.begin());
    ASSERT_TRUE(store.entry(1).SetName(u"\u00C4").ok());
    std::filesystem::create_directories(data_dir);
    WriteBytes(data_dir / "MacroDefine.bin", store.ToBytes());
  }
};

TEST_F(MacrosTest, TheListShowsNameRepeatDelayAndEventCount) {
  StoreMacros();
  const CliResult json = Run({"macros", "--json"});
  ASSERT_EQ(json.exit_code, 0) << json.err;
  const auto result = ParseJson(json.out);
  ASSERT_TRUE(result && result->IsObject()) << json.out;
  const auto list = std::optional<JsonValue>((*result)["macros"]);
  ASSERT_TRUE(list && list->IsArray()) << json.out;
  ASSERT_EQ(list->Items().size(), 2U);
  EXPECT_EQ((*list)[0]["index"].Number(), 0);
  EXPECT_EQ((*list)[0]["name"].String(), "Hello");
  EXPECT_EQ((*list)[0]["repeat_count"].Number(), 3);
  EXPECT_TRUE((*list)[0]["delay"].Bool());
  EXPECT_EQ((*list)[0]["events"].Number(), 3);
  EXPECT_EQ((*list)[1]["name"].String(), "\xC3\x84");
  EXPECT_EQ((*list)[1]["repeat_count"].Number(), 1) << "a cleared count shows as 1";
  EXPECT_EQ((*list)[1]["events"].Number(), 0);

  const CliResult text = Run({"macros"});
  ASSERT_EQ(text.exit_code, 0);
  EXPECT_THAT(text.out, HasSubstr("0: Hello (repeat 3, with delays, 3 events)"));
  EXPECT_TRUE(FeaturesSent().empty()) << "the keyboard is not needed";
}

TEST_F(MacrosTest, ShowPrintsTheEventListAsTheDialogDoes) {
  StoreMacros();
  const CliResult shown = Run({"macro", "show", "0"});
  ASSERT_EQ(shown.exit_code, 0) << shown.err;
  EXPECT_EQ(shown.out, "macro 0: Hello\nA dn\n50 ms\nA up\n200 ms\nB dn\n");
  const CliResult empty = Run({"macro", "show", "1"});
  EXPECT_EQ(empty.out, "macro 1: \xC3\x84\n(no events)\n");
}

TEST_F(MacrosTest, NewThenShowGivesBackTheEventsAndTheStoreRulesHold) {
  const std::vector<std::string> events = {"LCtrl dn", "C dn", "50 ms", "C up", "LCtrl up"};
  std::vector<std::string> words = {"macro", "new", "Copy"};
  words.insert(words.end(), events.begin(), events.end());
  const CliResult created = Run(words);
  ASSERT_EQ(created.exit_code, 0) << created.err;
  const auto shown = ParseJson(Run({"--json", "macro", "show", "0"}).out);
  ASSERT_TRUE(shown);
  std::vector<std::string> given_back;
  for (const JsonValue& line : (*shown)["lines"].Items()) {
    given_back.push_back(line.String());
  }
  EXPECT_EQ(given_back, events);
  EXPECT_EQ((*shown)["name"].String(), "Copy");

  const struct {
    std::vector<std::string> words;
    const char* said;
  } kRefused[] = {
      {{"macro", "new", "Copy", "A dn"}, "already called Copy"},
      {{"macro", "new", "Tab\there"}, "no control characters: Tab\\there"},
      {{"macro", "new", ""}, "1-254 characters"},
      {{"macro", "new", "Late", "50 ms", "A dn"}, "without delay"},
      {{"macro", "set", "3", "A dn"}, "no stored macro 3"},
      {{"macro", "rename", "0", std::string(255, 'x')}, "1-254 characters"},
      {{"macro", "delete"}, "use: macro show N"},
  };
  const auto store_before = ReadBytes(data_dir / "MacroDefine.bin");
  for (const auto& refused : kRefused) {
    const CliResult result = Run(refused.words);
    EXPECT_EQ(result.exit_code, 2) << refused.said;
    EXPECT_THAT(result.err, HasSubstr(refused.said));
  }
  EXPECT_EQ(ReadBytes(data_dir / "MacroDefine.bin"), store_before) << "nothing refused is stored";

  ASSERT_EQ(Run({"macro", "new", "Second", "A dn", "A up"}).exit_code, 0);
  ASSERT_EQ(Run({"macro", "rename", "1", "Line\x1b[2Jbreak"}).exit_code, 2);
  ASSERT_EQ(Run({"macro", "set", "0", "B dn", "B up"}).exit_code, 0);
  ASSERT_EQ(Run({"macro", "delete", "1"}).exit_code, 0);
  EXPECT_EQ(Run({"macro", "show", "0"}).out, "macro 0: Copy\nB dn\nB up\n");
  EXPECT_TRUE(FeaturesSent().empty()) << "macros are kept without the keyboard";
  const auto keymap = ReadBytes(data_dir / "keymap.bin");
  ASSERT_EQ(keymap.size(), 206920U);
  EXPECT_EQ(keymap[1304 + 2], 0x01) << "record 0 rebuilt from the store";
  EXPECT_EQ(keymap[1304 + 3], 0x05) << "B's device code";
}

TEST_F(MacrosTest, ThirtyTwoMacrosAreTheMostAndNamesShowTheirControlCharactersEscaped) {
  MacroStore store;
  for (std::size_t i = 0; i < 32; ++i) {
    ASSERT_TRUE(
        store.entry(i).SetName(i == 0 ? u"Bell\u0007" : u"M" + std::u16string(i, u'x')).ok());
  }
  WriteBytes(data_dir / "MacroDefine.bin", store.ToBytes());
  const CliResult full = Run({"macro", "new", "More"});
  EXPECT_EQ(full.exit_code, 2);
  EXPECT_THAT(full.err, HasSubstr("at most 32 macros"));
  EXPECT_THAT(Run({"macros"}).out, HasSubstr("0: Bell\\x07 (repeat 1"));
  EXPECT_EQ(Run({"macro", "show", "0"}).out, "macro 0: Bell\\x07\n(no events)\n");
}

TEST_F(MacrosTest, AnEmptyStoreAndAMissingMacro) {
  const CliResult empty = Run({"--json", "macros"});
  ASSERT_EQ(empty.exit_code, 0) << empty.err;
  EXPECT_EQ(empty.out, "{\"macros\":[]}\n");
  const CliResult missing = Run({"macro", "show", "0"});
  EXPECT_EQ(missing.exit_code, 2);
  EXPECT_THAT(missing.err, HasSubstr("no stored macro 0"));
  EXPECT_EQ(Run({"macro", "list"}).exit_code, 2);
}

TEST_F(MacrosTest, AStoredMacroCanBeAssignedAndItsRecordIsWritten) {
  StoreMacros();
  const CliResult assign = Run({"assign", "F1", "macro", "0"});
  ASSERT_EQ(assign.exit_code, 0) << assign.err;
  EXPECT_THAT(WriteFeaturesSent(), ::testing::Contains(HasSubstr("11 00 00 03")))
      << "macro record 0 is written";
  const auto image = ParseJson(Run({"--json", "read"}).out);
  ASSERT_TRUE(image);
  EXPECT_EQ((*image)["keys"][17]["map"].String(), "04010000") << "F1 sits in slot 17";
  EXPECT_EQ((*image)["macros"][0]["repeat_count"].Number(), 3)
      << "one name for the count, as macros --json has it";
}

}  // namespace
}  // namespace n240qx::testing
