#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

#include "config/ProfileJson.h"
#include "keys/FunctionTable.h"
#include "keys/KeymapStore.h"
#include "macros/MacroEvent.h"
#include "support/ValidProfile.h"
#include "util/JsonParser.h"
#include "util/JsonWriter.h"

namespace n240qx {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

struct Profile {
  ConfigImage image;
  KeyActionTable table;
};

Profile Decoded(const std::vector<std::uint8_t>& bytes) {
  Profile profile;
  DecodeKeymapStore(bytes, false, profile.image, profile.table);
  return profile;
}

// A profile as the window leaves it after a session of edits: a macro of key lines and delays,
// a function, a launch with a path outside ASCII, a combination and a macro key.
Profile EditedProfile() {
  Profile profile = Decoded(testing::ValidProfile(kKeymapStoreSize, 0));
  auto record = profile.image.Field(image_field::MacroRecord(3));
  record[1] = 2;  // repeat twice
  std::size_t at = 2;
  for (const EncodedEvent& event : {EncodeEvent(false, 0, 0xE0), EncodeEvent(false, 50, 0x06),
                                    EncodeEvent(true, 300, 0x06), EncodeEvent(true, 1, 0xE0)}) {
    std::copy_n(event.bytes.begin(), event.length, record.begin() + static_cast<long>(at));
    at += event.length;
  }
  const auto function = FunctionTable::Rows()[0].entry.ToBytes();
  profile.table[10].kind = static_cast<std::uint8_t>(AssignmentKind::kFunction);
  std::copy(function.begin(), function.end(), profile.table[10].data.begin());
  profile.table[11].kind = static_cast<std::uint8_t>(AssignmentKind::kOpenFile);
  profile.table[11].data = {0x03, 0x00, 0x23, 0x02};
  profile.table[11].SetPath(u"/home/p\u00e4r/notes \U0001F600.txt");
  profile.table[12].kind = static_cast<std::uint8_t>(AssignmentKind::kCombine);
  profile.table[12].data = {0xA2, 0xA4, 0x2E};
  profile.table[12].count = 3;
  profile.table[13].kind = static_cast<std::uint8_t>(AssignmentKind::kMacro);
  profile.table[13].data = {0x04, 0x01, 0x03, 0x00};
  return profile;
}

std::string Text(const Profile& profile, const KeyNameTable& names, const MacroStore& macros) {
  return profile_json::ToText({profile.image, profile.table, macros, names, FirmwareVersion{1, 5}});
}

// Every byte comes back, whether a part was written by name or as hex: fills that no field
// would hold, the all-zero profile, and one with readable macros and assignments.
TEST(ProfileJsonTest, EveryProfileReadsBackByteForByte) {
  const KeyNameTable names = BuildKeyNameTable();
  MacroStore macros;
  ASSERT_TRUE(macros.entry(0).SetName(u"Copy \"all\"").ok());
  std::vector<Profile> profiles;
  for (const std::uint8_t fill : {0x00, 0x01, 0x5A, 0xC3, 0xFF}) {
    profiles.push_back(Decoded(testing::ValidProfile(kKeymapStoreSize, fill)));
  }
  profiles.push_back(EditedProfile());
  for (const Profile& profile : profiles) {
    const std::string text = Text(profile, names, macros);
    const auto back = profile_json::FromText(names, text);
    ASSERT_TRUE(back.ok()) << back.error().message;
    EXPECT_EQ(*back, EncodeKeymapStore(profile.image, profile.table)) << text.substr(0, 400);
  }
}

// The edited profile's parts are written by their meaning, not as hex.
TEST(ProfileJsonTest, KnownPartsAreWrittenByName) {
  const KeyNameTable names = BuildKeyNameTable();
  MacroStore macros;
  ASSERT_TRUE(macros.entry(0).SetName(u"Copy").ok());
  const std::string text = Text(EditedProfile(), names, macros);
  for (
      const std::string expected :
      {R"("light_effect":"Static")", R"({"name":"Copy","repeat_count":0,"events":[]})",
       R"({"name":"","repeat_count":2,"events":["LCtrl dn","50 ms","C dn","300 ms","C up","1 ms","LCtrl up"]})",
       R"("kind":"function","keys":[],"function":")",
       "\"kind\":\"open-file\",\"keys\":[],\"function\":\"Internet browser\",\"macro\":null,"
       "\"path\":\"/home/p\xC3\xA4r/notes \xF0\x9F\x98\x80.txt\"",
       R"("kind":"combine","keys":["LCtrl","LAlt","Del"],"function":"","macro":null)",
       R"("kind":"macro","keys":[],"function":"","macro":3,)",
       R"("firmware":{"major":1,"minor":5})"}) {
    EXPECT_THAT(text, HasSubstr(expected));
  }
}

JsonValue& MemberOf(JsonValue& object, std::string_view name) {
  for (auto& [key, value] : std::get<JsonValue::Object>(object.data)) {
    if (key == name) {
      return value;
    }
  }
  throw std::out_of_range(std::string(name));
}

JsonValue& ItemOf(JsonValue& array, std::size_t index) {
  return std::get<JsonValue::Array>(array.data).at(index);
}

void Remove(JsonValue& object, std::string_view name) {
  std::erase_if(std::get<JsonValue::Object>(object.data),
                [&](const auto& member) { return member.name == name; });
}

// The document as an older version wrote it: the macros' count was called "repeat".
void CallRepeatCountRepeat(JsonValue& document) {
  for (auto& macro : std::get<JsonValue::Array>(MemberOf(document, "macros").data)) {
    for (auto& member : std::get<JsonValue::Object>(macro.data)) {
      if (member.name == "repeat_count") {
        member.name = "repeat";
      }
    }
  }
}

// A damaged or partial profile names the field and the reason.
TEST(ProfileJsonTest, DamagedProfilesAreRefusedNamingTheField) {
  const KeyNameTable names = BuildKeyNameTable();
  const MacroStore macros;
  const auto good = JsonParser::Parse(Text(EditedProfile(), names, macros));
  ASSERT_TRUE(good.ok());
  using Edit = std::function<void(JsonValue&)>;
  const struct {
    Edit edit;
    std::string message;
  } kCases[] = {
      {[](JsonValue& p) { MemberOf(p, "brightness") = JsonValue{std::int64_t{300}}; },
       "brightness: 300 is out of range 0..255"},
      {[](JsonValue& p) { MemberOf(p, "brightness") = JsonValue{std::string("30")}; },
       "brightness: a whole number expected, not a text"},
      {[](JsonValue& p) { MemberOf(p, "game_mode") = JsonValue{1.5}; },
       "game_mode: a whole number expected, not a fractional number"},
      {[](JsonValue& p) { MemberOf(p, "light_effect") = JsonValue{std::string("Sparkle")}; },
       "light_effect: unknown effect \"Sparkle\""},
      {[](JsonValue& p) { Remove(p, "key_actions"); }, "missing field \"key_actions\""},
      {[](JsonValue& p) {
         std::get<JsonValue::Object>(p.data).emplace_back("colours", JsonValue{});
       },
       "unknown field \"colours\""},
      {[](JsonValue& p) { MemberOf(p, "version") = JsonValue{std::int64_t{4}}; },
       "version: 4 is out of range 1..3"},
      {[](JsonValue& p) { MemberOf(p, "light_direction") = JsonValue{std::string("up")}; },
       "light_direction: unknown \"up\""},
      {[](JsonValue& p) { MemberOf(p, "colour_choice") = JsonValue{std::string("all")}; },
       "colour_choice: unknown \"all\""},
      {[](JsonValue& p) { MemberOf(p, "format") = JsonValue{std::string("other")}; },
       "format: \"other\" is not \"n240qx-profile\""},
      {[](JsonValue& p) {
         MemberOf(ItemOf(MemberOf(p, "key_actions"), 12), "kind") = JsonValue{std::string("foo")};
       },
       "key_actions[12].kind: unknown \"foo\"; use one of single,"},
      {[](JsonValue& p) {
         ItemOf(MemberOf(ItemOf(MemberOf(p, "keys"), 3), "colours"), 1) =
             JsonValue{std::string("12345")};
       },
       "keys[3].colours[1]: \"12345\" is not 6 or 8 hex digits"},
      {[](JsonValue& p) { Remove(ItemOf(MemberOf(p, "keys"), 5), "map"); },
       "keys[5]: missing field \"map\""},
      {[](JsonValue& p) {
         MemberOf(ItemOf(MemberOf(p, "keys"), 127), "enabled") = JsonValue{true};
       },
       "keys[127].enabled: this slot has no enable bit"},
      {[](JsonValue& p) { std::get<JsonValue::Array>(MemberOf(p, "keys").data).pop_back(); },
       "keys: 127 items; 128 expected"},
      {[](JsonValue& p) {
         ItemOf(MemberOf(ItemOf(MemberOf(p, "macros"), 3), "events"), 0) =
             JsonValue{std::string("Nokey dn")};
       },
       "macros[3].events[0]: unknown key name \"Nokey\""},
      {[](JsonValue& p) {
         ItemOf(MemberOf(ItemOf(MemberOf(p, "macros"), 3), "events"), 2) =
             JsonValue{std::string("5 ms")};
       },
       "macros[3].events[2]: two delays in a row"},
      {[](JsonValue& p) {
         MemberOf(ItemOf(MemberOf(p, "key_actions"), 10), "function") =
             JsonValue{std::string("Teleport")};
       },
       "key_actions[10].function: unknown \"Teleport\""},
      {[](JsonValue& p) {
         MemberOf(p, "key_enable_mask_spare_bits") = JsonValue{std::string(42, 'F')};
       },
       "key_enable_mask_spare_bits: byte 0 has bits other than 6 and 7"},
      {[](JsonValue& p) {
         MemberOf(MemberOf(p, "unnamed_bytes"), "0") = JsonValue{std::string("00")};
       },
       "unnamed_bytes.0: \"00\" is not 22 hex digits"},
  };
  for (const auto& c : kCases) {
    JsonValue damaged = *good;
    c.edit(damaged);
    const auto read = profile_json::FromJson(names, damaged);
    ASSERT_FALSE(read.ok()) << c.message;
    EXPECT_EQ(read.error().code, ErrorCode::kBadData);
    EXPECT_THAT(read.error().message, StartsWith(c.message));
    // A German window gets its own words for every refusal, at the same place.
    const auto german = profile_json::FromJson(names, damaged, Language::kGerman);
    ASSERT_FALSE(german.ok()) << c.message;
    const std::size_t place = c.message.find(": ");
    const std::string path = place == std::string::npos ? "" : c.message.substr(0, place + 2);
    EXPECT_THAT(german.error().message, StartsWith(path));
    EXPECT_NE(german.error().message.substr(path.size(), 12),
              read.error().message.substr(path.size(), 12))
        << german.error().message;
  }
}

// Version 2 writes the direction and the multicolour choice by name; names and the numbers of
// version 1 both read back as the same bytes.
TEST(ProfileJsonTest, DirectionAndColourChoiceAreNamesAndVersionOneNumbersStillRead) {
  const KeyNameTable names = BuildKeyNameTable();
  const MacroStore macros;
  // A written value as JSON text: "\"left\"", "3".
  const auto written = [](const JsonValue& value) {
    if (const auto* text = std::get_if<std::string>(&value.data)) {
      return "\"" + *text + "\"";
    }
    const auto* number = std::get_if<std::int64_t>(&value.data);
    return number ? std::to_string(*number) : std::string("(other)");
  };
  const struct {
    std::uint8_t direction;
    std::uint8_t choice;
    std::string direction_written;
    std::string choice_written;
  } kCases[] = {
      {1, 8, "\"left\"", "\"multicolour\""},
      {2, 3, "\"right\"", "3"},
      {3, 1, "\"top\"", "1"},
      {4, 7, "\"bottom\"", "7"},
      {0, 0, "0", "0"},  // no name: the byte as it is
  };
  for (const auto& c : kCases) {
    Profile profile = EditedProfile();
    profile.image.light_direction() = c.direction;
    profile.image.colour_choice() = c.choice;
    JsonValue document = profile_json::ToJson({profile.image, profile.table, macros, names, {}});
    EXPECT_EQ(written(MemberOf(document, "version")), std::to_string(profile_json::kVersion));
    EXPECT_EQ(written(MemberOf(document, "light_direction")), c.direction_written);
    EXPECT_EQ(written(MemberOf(document, "colour_choice")), c.choice_written);
    const auto bytes = EncodeKeymapStore(profile.image, profile.table);
    const auto expect_bytes = [&](const char* form) {
      const auto read = profile_json::FromJson(names, document);
      ASSERT_TRUE(read.ok()) << form << ": " << read.error().message;
      EXPECT_EQ(*read, bytes) << form << " " << int{c.direction} << "/" << int{c.choice};
    };
    expect_bytes("version 2");
    MemberOf(document, "version") = JsonValue{std::int64_t{1}};
    CallRepeatCountRepeat(document);
    MemberOf(document, "light_direction") = JsonValue{std::int64_t{c.direction}};
    MemberOf(document, "colour_choice") = JsonValue{std::int64_t{c.choice}};
    expect_bytes("version 1 numbers");
    if (c.choice == 8) {
      MemberOf(document, "colour_choice") = JsonValue{std::string("Multicolor")};
      expect_bytes("a name in any case");
    }
  }
}

// Each version reads the repeat count under its own name only, so a count is never dropped
// for a member the reader did not expect.
TEST(ProfileJsonTest, TheRepeatCountIsReadUnderTheNameItsVersionGivesIt) {
  const KeyNameTable names = BuildKeyNameTable();
  const Profile profile = EditedProfile();
  const auto bytes = EncodeKeymapStore(profile.image, profile.table);
  const struct {
    std::int64_t version;
    bool older_name;
    bool reads;
  } kCases[] = {
      {3, false, true}, {3, true, false}, {2, true, true}, {2, false, false}, {1, true, true}};
  for (const auto& c : kCases) {
    JsonValue document = profile_json::ToJson({profile.image, profile.table, {}, names, {}});
    MemberOf(document, "version") = JsonValue{c.version};
    if (c.older_name) {
      CallRepeatCountRepeat(document);
    }
    const auto read = profile_json::FromJson(names, document);
    ASSERT_EQ(read.ok(), c.reads) << "version " << c.version << ", older name " << c.older_name;
    if (read.ok()) {
      EXPECT_EQ(*read, bytes) << "version " << c.version;
    } else {
      EXPECT_THAT(read.error().message, HasSubstr("macros[")) << read.error().message;
    }
  }
}

// A binary profile may start with the byte of '{'; only a brace and a quoted name is JSON.
TEST(ProfileJsonTest, OnlyABraceAndANameAreTakenForJson) {
  const KeyNameTable names = BuildKeyNameTable();
  const std::vector<std::uint8_t> binary = testing::ValidProfile(100, '{');
  ASSERT_EQ(binary[0], '{');
  const auto kept = profile_json::ProfileBytes(names, binary);
  ASSERT_TRUE(kept.ok());
  EXPECT_EQ(*kept, binary);
  const std::string text = " \n\t{ \"format\":";
  const auto json = profile_json::ProfileBytes(names, {text.begin(), text.end()});
  ASSERT_FALSE(json.ok());
  EXPECT_EQ(json.error().message, "line 2, column 13: the text ends where a value should be");
}

}  // namespace
}  // namespace n240qx
