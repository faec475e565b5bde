#include <gtest/gtest.h>

#include <QImage>
#include <string>
#include <vector>

#include "GeneratedSkins.h"

namespace n240qx::test {
namespace {

// Every picture the window and its dialogs load, by the folder they look in.
const std::vector<std::string>& MainWindowNames() {
  static const std::vector<std::string> names = {"main.png",
                                                 "button-help-normal.png",
                                                 "button-min-normal.png",
                                                 "button-close-normal.png",
                                                 "HelpWindow.png",
                                                 "kb_BK.png",
                                                 "kb_bk.png",
                                                 "kb_hl.png",
                                                 "apply.png",
                                                 "Config.png",
                                                 "MacroButton3.png",
                                                 "Light_Item.png",
                                                 "8.png",
                                                 "Direction-T-Disable.png",
                                                 "Direction-B-Disable.png",
                                                 "Direction-R-Disable.png",
                                                 "Direction-L-Disable.png",
                                                 "Direction-T-Enable.png",
                                                 "Direction-B-Enable.png",
                                                 "Direction-R-Enable.png",
                                                 "Direction-L-Enable.png",
                                                 "Enable.png",
                                                 "Disable.png",
                                                 "enable.png",
                                                 "disable.png",
                                                 "Thumb.png",
                                                 "slider_track_left.png",
                                                 "slider_track_right.png",
                                                 "responsetime_txt.png",
                                                 "reportRate_txt.png",
                                                 "Color_BK.png"};
  return names;
}

const std::vector<std::string>& DialogNames() {
  static const std::vector<std::string> names = {"Config/Profile_BK.png",
                                                 "Config/button-close-normal.png",
                                                 "Custom/Custom_BK.png",
                                                 "Custom/button-close-normal.png",
                                                 "Custom/button-close-over.png",
                                                 "Custom/large_button.png",
                                                 "Custom/single_combine_option.png",
                                                 "Custom/Disable.png",
                                                 "Custom/Enable.png",
                                                 "Custom/disable.png",
                                                 "Custom/enable.png",
                                                 "Custom/button-cancel-normal.png",
                                                 "Custom/button-cancel-over.png",
                                                 "Custom/button-save-normal.png",
                                                 "Custom/button-save-over.png",
                                                 "Custom/Advanced.png",
                                                 "Custom/view.png",
                                                 "Custom/view02.png",
                                                 "MacroManagement/MacroManagement.png",
                                                 "MacroManagement/Record-normal.png",
                                                 "MacroManagement/Record-over.png",
                                                 "MacroManagement/Pane.png",
                                                 "MacroManagement/PaneMakingTick.png",
                                                 "MacroManagement/button-new-normal.png",
                                                 "MacroManagement/button-new-over.png"};
  return names;
}

constexpr const char* kLanguages[] = {"english", "german"};

TEST(SkinNames, GeneratorSucceeds) {
  EXPECT_EQ(GeneratedSkins::ExitStatus(), 0);
}

TEST(SkinNames, EveryPictureExistsAndLoadsInBothLanguages) {
  for (const char* language : kLanguages) {
    for (const std::vector<std::string>* names : {&MainWindowNames(), &DialogNames()}) {
      for (const std::string& name : *names) {
        const QImage image = GeneratedSkins::Load(std::string(language) + "/" + name);
        EXPECT_FALSE(image.isNull()) << language << "/" << name << " is missing or unreadable";
      }
    }
  }
}

// On a case-insensitive file system the two spellings are one file, so they must hold the
// same picture; the same holds for a language's two copies of a picture without text.
TEST(SkinNames, SpellingsOfOneNameHoldTheSamePicture) {
  const std::vector<std::pair<std::string, std::string>> pairs = {
      {"kb_BK.png", "kb_bk.png"},
      {"Enable.png", "enable.png"},
      {"Disable.png", "disable.png"},
      {"Custom/Enable.png", "Custom/enable.png"},
      {"Custom/Disable.png", "Custom/disable.png"}};
  for (const char* language : kLanguages) {
    for (const auto& [first, second] : pairs) {
      const std::string prefix = std::string(language) + "/";
      const QImage a = GeneratedSkins::Load(prefix + first);
      const QImage b = GeneratedSkins::Load(prefix + second);
      ASSERT_FALSE(a.isNull()) << prefix << first;
      EXPECT_TRUE(a == b) << prefix << first << " differs from " << second;
    }
  }
}

TEST(SkinNames, OnOffPicturesDiffer) {
  for (const std::string name :
       {"Enable.png", "Custom/Enable.png", "Direction-T-Enable.png", "Direction-L-Enable.png"}) {
    std::string off = name;
    off.replace(off.find("Enable"), 6, "Disable");
    const QImage on_image = GeneratedSkins::Load("english/" + name);
    const QImage off_image = GeneratedSkins::Load("english/" + off);
    ASSERT_FALSE(on_image.isNull()) << name;
    EXPECT_EQ(on_image.size(), off_image.size()) << name;
    EXPECT_FALSE(on_image == off_image) << name << " looks like " << off;
  }
  EXPECT_FALSE(GeneratedSkins::Load("english/MacroManagement/Pane.png") ==
               GeneratedSkins::Load("english/MacroManagement/PaneMakingTick.png"));
}

TEST(SkinNames, LanguagesShareEveryPictureSize) {
  for (const std::vector<std::string>* names : {&MainWindowNames(), &DialogNames()}) {
    for (const std::string& name : *names) {
      EXPECT_EQ(GeneratedSkins::Load("english/" + name).size(),
                GeneratedSkins::Load("german/" + name).size())
          << name;
    }
  }
}

}  // namespace
}  // namespace n240qx::test
