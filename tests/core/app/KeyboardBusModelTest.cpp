#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "app/KeyboardBusModel.h"
#include "lighting/EffectTable.h"

namespace n240qx {
namespace {

using Settings = std::map<std::string, std::string>;

// A window at rest, connected, nothing pending.
constexpr KeyboardBusWindow kIdle{true, false, false, false};

struct SetCase {
  const char* name;
  Settings settings;
  bool discard_edits;
  KeyboardBusWindow window;
  std::optional<ErrorCode> refused;
  const char* reason;  // part of the refusal's message
};

void PrintTo(const SetCase& set_case, std::ostream* out) {
  *out << set_case.name;
}

class KeyboardBusSetTest : public ::testing::TestWithParam<SetCase> {};

TEST_P(KeyboardBusSetTest, WritesOnlyWhenNothingOfTheWindowsIsLost) {
  const SetCase& c = GetParam();
  const auto changes = KeyboardBusModel::CheckSet(c.settings, c.discard_edits, c.window);
  if (!c.refused) {
    ASSERT_TRUE(changes.ok()) << changes.error().message;
    EXPECT_EQ(changes->size(), c.settings.size());
    return;
  }
  ASSERT_FALSE(changes.ok());
  EXPECT_EQ(changes.error().code, *c.refused);
  EXPECT_NE(changes.error().message.find(c.reason), std::string::npos) << changes.error().message;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeyboardBusSetTest,
    ::testing::Values(
        SetCase{"idle", {{"brightness", "20"}}, false, kIdle, std::nullopt, ""},
        SetCase{
            "short_names", {{"speed", "3"}, {"effect", "Wave"}}, false, kIdle, std::nullopt, ""},
        SetCase{"colour_slot_takes_two_words",
                {{"colour_slot", "2 ff0000"}},
                false,
                kIdle,
                std::nullopt,
                ""},
        SetCase{
            "bad_value", {{"brightness", "51"}}, false, kIdle, ErrorCode::kInvalidArgument, "0-50"},
        SetCase{"empty_value",
                {{"brightness", ""}},
                false,
                kIdle,
                ErrorCode::kInvalidArgument,
                "brightness"},
        SetCase{"unknown_name",
                {{"brightnes", "5"}},
                false,
                kIdle,
                ErrorCode::kInvalidArgument,
                "did you mean brightness"},
        SetCase{"nothing", {}, false, kIdle, ErrorCode::kInvalidArgument, "NAME VALUE"},
        SetCase{"bad_value_before_busy",
                {{"brightness", "x"}},
                false,
                {true, true, true, true},
                ErrorCode::kInvalidArgument,
                "0-50"},
        SetCase{"no_keyboard",
                {{"brightness", "5"}},
                false,
                {false, false, false, false},
                ErrorCode::kNotOpen,
                "no keyboard"},
        SetCase{"dialog_open",
                {{"brightness", "5"}},
                true,
                {true, true, false, false},
                ErrorCode::kNotOpen,
                "dialog"},
        SetCase{"busy",
                {{"brightness", "5"}},
                true,
                {true, false, true, false},
                ErrorCode::kNotOpen,
                "reading or writing"},
        SetCase{"unapplied_edits",
                {{"brightness", "5"}},
                false,
                {true, false, false, true},
                ErrorCode::kNotOpen,
                "discard_edits"},
        SetCase{"unapplied_edits_discarded",
                {{"brightness", "5"}},
                true,
                {true, false, false, true},
                std::nullopt,
                ""}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

struct PublishCase {
  const char* name;
  std::function<void(ConfiguratorState&)> edit;
  std::vector<std::string_view> changed;
};

void PrintTo(const PublishCase& publish_case, std::ostream* out) {
  *out << publish_case.name;
}

class KeyboardBusPublishTest : public ::testing::TestWithParam<PublishCase> {
 protected:
  KeyboardBusPublishTest() {
    state.ImageForEditing().brightness() = 10;
    state.ImageForEditing().light_effect() = EffectTable::kStatic;
    // As after a read: every key enabled, the lock folded in, nothing unapplied.
    for (std::size_t slot = 0; slot < image_field::kKeySlotCount; ++slot) {
      state.ImageForEditing().SetKeyEnabled(slot, true);
    }
    state.ImageForEditing().ApplyWindowsKeyLock();
    state.CopyToSnapshots();
    model.Publish(KeyboardBusModel::Read(state, true, true));
  }
  ConfiguratorState state;
  KeyboardBusModel model;
};

TEST_P(KeyboardBusPublishTest, NamesEveryChangedPropertyOnce) {
  GetParam().edit(state);
  const KeyboardBusProperties now = KeyboardBusModel::Read(state, true, true);
  std::vector<std::string_view> names;
  for (const KeyboardBusProperty& property : model.Publish(now)) {
    names.push_back(property.name);
  }
  EXPECT_EQ(names, GetParam().changed);
  EXPECT_EQ(model.published(), now);
  EXPECT_TRUE(model.Publish(now).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeyboardBusPublishTest,
    ::testing::Values(PublishCase{"nothing", [](ConfiguratorState&) {}, {}},
                      PublishCase{
                          "edit_of_brightness",
                          [](ConfiguratorState& s) { s.ImageForEditing().brightness() = 20; },
                          {"Brightness", "UnappliedEdits"}},
                      PublishCase{"applied_brightness",
                                  [](ConfiguratorState& s) {
                                    s.ImageForEditing().brightness() = 20;
                                    s.CopyToSnapshots();
                                  },
                                  {"Brightness"}},
                      PublishCase{"firmware_read",
                                  [](ConfiguratorState& s) {
                                    s.ApplyFullRead(DeviceRead{s.image(), FirmwareVersion{1, 7}});
                                  },
                                  {"Firmware"}},
                      PublishCase{"effect",
                                  [](ConfiguratorState& s) {
                                    s.ImageForEditing().light_effect() = EffectTable::kWave;
                                  },
                                  {"Effect", "UnappliedEdits"}}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST(KeyboardBusRead, GivesTheEffectByTheNameSetTakes) {
  ConfiguratorState state;
  state.ApplyFullRead(DeviceRead{state.image(), FirmwareVersion{1, 7}});
  state.ImageForEditing().light_effect() = EffectTable::kWave;
  const KeyboardBusProperties read = KeyboardBusModel::Read(state, false, true);
  EXPECT_EQ(read.effect, EffectTable::NameOfCode(EffectTable::kWave, Language::kEnglish));
  EXPECT_EQ(read.firmware, "1.7");
  EXPECT_FALSE(read.connected);
  EXPECT_TRUE(read.simulated);
  // The name read back is one that Set takes.
  EXPECT_TRUE(KeyboardBusModel::CheckSet({{"light_effect", read.effect}}, false, kIdle).ok());
}

// Every kind crosses the bus and comes back as itself; a name of anyone else's is no kind.
TEST(KeyboardBusErrors, EachKindHasANameOfItsOwnThatComesBack) {
  std::set<std::string> names;
  for (const ErrorCode code :
       {ErrorCode::kNotOpen, ErrorCode::kInvalidArgument, ErrorCode::kNotFound,
        ErrorCode::kPermissionDenied, ErrorCode::kIo, ErrorCode::kTimeout, ErrorCode::kDisconnected,
        ErrorCode::kBadData}) {
    const std::string name = KeyboardBusModel::ErrorName(code);
    EXPECT_TRUE(names.insert(name).second) << name;
    EXPECT_EQ(KeyboardBusModel::ErrorCodeOfName(name), code) << name;
  }
  for (const char* foreign : {"org.freedesktop.DBus.Error.ServiceUnknown",
                              "io.github.n240qx.Configurator.Error.", "Refused"}) {
    EXPECT_EQ(KeyboardBusModel::ErrorCodeOfName(foreign), std::nullopt) << foreign;
  }
}

// A write without settings of its own meets the same refusals as Set; a change of the stores
// meets them too, but needs no keyboard.
TEST(KeyboardBusErrors, AWriteWithoutSettingsIsRefusedAsSetIs) {
  for (const SetCase& c :
       {SetCase{"idle", {}, false, kIdle, std::nullopt, ""},
        SetCase{"disconnected", {}, false, {}, ErrorCode::kNotOpen, "no keyboard"},
        SetCase{
            "edits", {}, false, {true, false, false, true}, ErrorCode::kNotOpen, "discard_edits"},
        SetCase{"edits_discarded", {}, true, {true, false, false, true}, std::nullopt, ""},
        SetCase{"dialog", {}, true, {true, true, false, false}, ErrorCode::kNotOpen, "dialog"}}) {
    const Status status = KeyboardBusModel::CheckWrite(c.discard_edits, c.window);
    EXPECT_EQ(status.ok(), !c.refused) << c.name;
    if (!status.ok()) {
      EXPECT_NE(status.error().message.find(c.reason), std::string::npos) << c.name;
    }
    const Status stores = KeyboardBusModel::CheckStoreChange(c.discard_edits, c.window);
    EXPECT_EQ(stores.ok(), status.ok() || !c.window.connected) << c.name;
  }
}

// What the tool sends for `set`'s words makes the same changes as the words themselves.
TEST(KeyboardBusSetWords, PairsMakeTheChangesOfTheWords) {
  using Words = std::vector<std::string>;
  const struct {
    Words words;
    std::vector<std::pair<std::string, std::string>> pairs;
  } kCases[] = {
      {{"brightness", "20"}, {{"brightness", "20"}}},
      {{"speed=3", "Effect", "Wave"}, {{"effect_speed", "3"}, {"light_effect", "Wave"}}},
      {{"colour-slot", "2", "ff0000", "game_mode", "1"},
       {{"colour_slot", "2 ff0000"}, {"game_mode", "1"}}},
  };
  for (const auto& c : kCases) {
    const auto pairs = SettingWordPairs(c.words);
    EXPECT_EQ(pairs, c.pairs) << c.words[0];
    ConfigImage by_words;
    ConfigImage by_pairs;
    const auto typed = ParseSettingChanges(c.words);
    ASSERT_TRUE(typed.ok()) << typed.error().message;
    for (const SettingChange& change : *typed) {
      change(by_words);
    }
    const auto sent = KeyboardBusModel::CheckSet({pairs.begin(), pairs.end()}, false, kIdle);
    ASSERT_TRUE(sent.ok()) << sent.error().message;
    for (const SettingChange& change : *sent) {
      change(by_pairs);
    }
    EXPECT_NE(by_words.bytes(), ConfigImage().bytes()) << c.words[0];
    EXPECT_EQ(by_pairs.bytes(), by_words.bytes()) << c.words[0];
  }
}

}  // namespace
}  // namespace n240qx
