#include <gtest/gtest.h>

#include <array>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "app/AboutBox.h"
#include "app/FirmwareCheck.h"
#include "app/ProgramVersion.h"
#include "support/TempDir.h"
#include "window/HelpWindowModel.h"

namespace n240qx {
namespace {

TEST(HelpWindow, RowsAreTwentyFivePixelsHighFromTheTopOfTheWindow) {
  EXPECT_EQ(HelpWindowModel::ChoiceAt(830, 22), HelpChoice::kFactoryReset);
  EXPECT_EQ(HelpWindowModel::ChoiceAt(996, 46), HelpChoice::kFactoryReset);
  EXPECT_EQ(HelpWindowModel::ChoiceAt(900, 47), HelpChoice::kFirmwareUpdate);
  EXPECT_EQ(HelpWindowModel::ChoiceAt(900, 71), HelpChoice::kFirmwareUpdate);
  EXPECT_EQ(HelpWindowModel::ChoiceAt(900, 72), HelpChoice::kAbout);
  EXPECT_EQ(HelpWindowModel::ChoiceAt(900, 96), HelpChoice::kAbout);
  EXPECT_EQ(HelpWindowModel::ChoiceAt(900, 97), HelpChoice::kClose) << "the last, partial row";
  EXPECT_EQ(HelpWindowModel::ChoiceAt(900, 99), HelpChoice::kClose);
}

TEST(HelpWindow, AboutTellsNameVersionLicenceAndTheKeyboardsFirmware) {
  struct Case {
    Language language;
    std::optional<FirmwareVersion> firmware;
    std::string title;
    std::string firmware_line;
    std::string licence_word;
  };
  const Case cases[] = {
      {Language::kEnglish, FirmwareVersion{1, 7}, "About n240qx", "Keyboard firmware: 1.7",
       "Licence: "},
      {Language::kGerman, FirmwareVersion{2, 10}, "\u00DCber n240qx", "Tastatur-Firmware: 2.10",
       "Lizenz: "},
      {Language::kEnglish, std::nullopt, "About n240qx", "Keyboard firmware: not read yet",
       "Licence: "},
  };
  for (const Case& c : cases) {
    const AboutBox about = AboutBox::For(Texts(c.language), c.firmware);
    EXPECT_EQ(about.title, c.title);
    EXPECT_EQ(about.text.rfind("n240qx\nVersion " + std::string(AboutBox::ProgramVersion()), 0), 0u)
        << about.text;
    EXPECT_NE(about.text.find(c.licence_word + AboutBox::Licence()), std::string::npos);
    EXPECT_NE(about.text.find(c.firmware_line), std::string::npos) << about.text;
  }
  EXPECT_STRNE(AboutBox::ProgramVersion(), "");
}

TEST(HelpWindow, ClicksOutsideCloseIt) {
  for (const auto& [x, y] : {std::pair{829, 30}, {997, 30}, {900, 21}, {900, 100}, {10, 10}}) {
    HelpWindowModel help;
    help.Open();
    EXPECT_EQ(help.OnButtonUp(x, y), HelpChoice::kClose) << x << "," << y;
    EXPECT_FALSE(help.open());
  }
}

TEST(HelpWindow, UpdaterRowKeepsItOpenAndResetRowClosesIt) {
  HelpWindowModel help;
  help.Open();
  EXPECT_EQ(help.OnButtonUp(850, 50), HelpChoice::kFirmwareUpdate);
  EXPECT_TRUE(help.open());
  EXPECT_EQ(help.OnButtonUp(850, 25), HelpChoice::kFactoryReset);
  EXPECT_FALSE(help.open());
}

TEST(HelpWindow, TextsInBothLanguages) {
  const Texts english;
  const Texts german(Language::kGerman);
  const auto lines = HelpWindowModel::Lines();
  EXPECT_EQ(english.Get(lines[0].text), "Reset settings");
  EXPECT_EQ(german.Get(lines[0].text), "Einstellung zur\u00FCcksetzen");
  EXPECT_EQ(english.Get(lines[1].text), "Firmware update");
  EXPECT_EQ(german.Get(lines[1].text), "Firmware aktualisieren");
  // The program's own version, as --version and the package give it.
  EXPECT_EQ(english.Get(lines[2].text), "Software Version: " + std::string(N240QX_RELEASE));
  EXPECT_EQ(german.Get(lines[2].text), "Softwareversion: " + std::string(N240QX_RELEASE));
  EXPECT_EQ(lines[2].x, 850);
  EXPECT_EQ(lines[2].y, 75);
}

std::array<std::uint8_t, 12> VersionFile(char major, char minor) {
  std::array<std::uint8_t, 12> bytes{'N', '2', '4', '0', 'V', 0, '.', 0, 0, 0, 0, 0};
  bytes[5] = static_cast<std::uint8_t>(major);
  bytes[7] = static_cast<std::uint8_t>(minor);
  return bytes;
}

TEST(FirmwareCheck, OffersTheUpdaterOnlyWhenTheKeyboardIsOlder) {
  const FirmwareCheck check(ParseShippedFirmwareVersion(VersionFile('1', '4')));
  ASSERT_TRUE(check.shipped().has_value());
  EXPECT_EQ(*check.shipped(), (FirmwareVersion{1, 4}));
  EXPECT_FALSE(check.ShouldOfferUpdate(FirmwareVersion{1, 4})) << "equal";
  EXPECT_TRUE(check.ShouldOfferUpdate(FirmwareVersion{1, 3})) << "older minor";
  EXPECT_TRUE(check.ShouldOfferUpdate(FirmwareVersion{0, 9})) << "older major";
  EXPECT_FALSE(check.ShouldOfferUpdate(FirmwareVersion{1, 5})) << "newer minor";
  EXPECT_FALSE(check.ShouldOfferUpdate(std::nullopt)) << "keyboard version not read";

  const FirmwareCheck shipped_1_9(FirmwareVersion{1, 9});
  EXPECT_FALSE(shipped_1_9.ShouldOfferUpdate(FirmwareVersion{2, 0})) << "newer major";
}

TEST(FirmwareCheck, ShortOrDamagedVersionFileNeverAsks) {
  const auto full = VersionFile('9', '9');
  EXPECT_FALSE(ParseShippedFirmwareVersion(std::span(full).first(7)).has_value());
  EXPECT_TRUE(ParseShippedFirmwareVersion(std::span(full).first(8)).has_value());
  EXPECT_FALSE(ParseShippedFirmwareVersion({}).has_value());
  // A byte below '0' would wrap to a huge version and prompt for ever.
  EXPECT_FALSE(ParseShippedFirmwareVersion(VersionFile(' ', '4')).has_value());
  EXPECT_FALSE(ParseShippedFirmwareVersion(VersionFile('1', 'x')).has_value());
  EXPECT_FALSE(FirmwareCheck(std::nullopt).ShouldOfferUpdate(FirmwareVersion{0, 1}));
}

TEST(FirmwareCheck, KeyboardAnswerCarriesMajorAndMinorInBytesTwoAndThree) {
  const std::array<std::uint8_t, 9> answer{0x07, 0x80, 0x01, 0x03, 0, 0, 0, 0, 0};
  EXPECT_EQ(ParseKeyboardFirmwareAnswer(answer), (FirmwareVersion{1, 3}));
  EXPECT_FALSE(ParseKeyboardFirmwareAnswer(std::span(answer).first(3)).has_value());
  const std::array<std::uint8_t, 9> unanswered{};
  EXPECT_FALSE(ParseKeyboardFirmwareAnswer(unanswered).has_value());
}

TEST(FirmwareCheck, ZeroDotZeroFromTheKeyboardIsNoVersion) {
  const struct {
    int major;
    int minor;
    bool known;
  } kCases[] = {{0, 0, false}, {0, 1, true}, {1, 0, true}, {2, 7, true}};
  for (const auto& c : kCases) {
    const auto version = KeyboardFirmwareVersion(c.major, c.minor);
    ASSERT_EQ(version.has_value(), c.known) << c.major << "." << c.minor;
    if (version) {
      EXPECT_EQ(*version, (FirmwareVersion{c.major, c.minor}));
    }
  }
}

class VersionFileTest : public ::testing::Test {
 protected:
  void SetUp() override { folder_ = dir_.path(); }
  void Write(const std::string& content) {
    std::ofstream(folder_ / "VER.bin", std::ios::binary) << content;
  }
  testing::TempDir dir_;
  std::filesystem::path folder_;
};

TEST_F(VersionFileTest, MissingFileNeverAsks) {
  const auto check = FirmwareCheck::FromVersionFile(folder_ / "VER.bin");
  EXPECT_FALSE(check.shipped().has_value());
  EXPECT_FALSE(check.ShouldOfferUpdate(FirmwareVersion{0, 1}));
}

TEST_F(VersionFileTest, ReadsTheDigitsFromTheFile) {
  Write("N240 2.1 and more text beyond twelve bytes");
  const auto check = FirmwareCheck::FromVersionFile(folder_ / "VER.bin");
  EXPECT_EQ(check.shipped(), (FirmwareVersion{2, 1}));
  EXPECT_TRUE(check.ShouldOfferUpdate(FirmwareVersion{1, 9}));
}

TEST_F(VersionFileTest, ShortFileNeverAsks) {
  Write("N240 2");
  EXPECT_FALSE(FirmwareCheck::FromVersionFile(folder_ / "VER.bin").shipped().has_value());
}

TEST(FirmwareCheck, PromptTexts) {
  const auto english = FirmwareCheck::Prompt(Texts());
  EXPECT_EQ(english.title, "Firmware Update");
  EXPECT_EQ(english.question, "Update new firmware\uFF1F");
  const auto german = FirmwareCheck::Prompt(Texts(Language::kGerman));
  EXPECT_EQ(german.title, "Firmware aktualisieren");
  EXPECT_EQ(german.question,
            "Es ist eine neue Firmware verf\u00FCgbar. M\u00F6chtest Du sie aktualisieren?");
}

}  // namespace
}  // namespace n240qx
