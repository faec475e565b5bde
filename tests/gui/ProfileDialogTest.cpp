#include <gtest/gtest.h>

#include <QDir>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>

#include "WindowTestSupport.h"
#include "app/ProfileTransfer.h"
#include "gui/CConfigureDlg.h"
#include "keys/KeymapStore.h"
#include "support/StateStores.h"

namespace n240qx::testing {
namespace {

namespace fs = std::filesystem;

constexpr QPoint kImportBand(320, 70);
constexpr QPoint kExportBand(320, 117);
constexpr QPoint kOkArea(40, 375);

std::vector<std::uint8_t> ReadAll(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> FolderNames(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder)) {
    names.push_back(entry.path().filename().string());
  }
  std::ranges::sort(names);
  return names;
}

// Answers the file dialogs as the test says and remembers where they would have started.
struct ScriptedChooser : ProfileFileChooser {
  QString answer;
  QString started_in;
  QString ChooseImport(QWidget*, const QString& start_folder) override {
    started_in = start_folder;
    return answer;
  }
  QString ChooseExport(QWidget*, const QString& start_folder) override {
    started_in = start_folder;
    return answer;
  }
};

class ProfileDialog : public ::testing::Test {
 protected:
  void Show(Language language = Language::kEnglish) {
    fs::create_directories(data);
    state->UseStores(StoresIn(data));
    dialog = std::make_unique<CConfigureDlg>(*state, paths, chooser, language);
    dialog->Open();
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get()));
  }
  void Click(QPoint at) { QTest::mouseClick(dialog.get(), Qt::LeftButton, {}, at); }
  QStringList Rows() const {
    QStringList rows;
    for (int i = 0; i < dialog->list()->Count(); ++i) {
      rows << dialog->list()->Text(i);
    }
    return rows;
  }
  void WriteProfile(const fs::path& file, std::uint8_t brightness) {
    ConfiguratorState source;
    // A configuration the keyboard takes: Static, one colour, left to right.
    source.ImageForEditing().light_effect() = 1;
    source.ImageForEditing().colour_choice() = 1;
    source.ImageForEditing().light_direction() = 1;
    source.ImageForEditing().brightness() = brightness;
    fs::create_directories(file.parent_path());
    ASSERT_TRUE(SaveKeymapStore(file, source.image(), source.key_actions()).ok());
  }

  QTemporaryDir temp;
  fs::path data = fs::path(temp.path().toStdString()) / "data";
  fs::path elsewhere = fs::path(temp.path().toStdString()) / "elsewhere";
  ProgramPaths paths{data, QDir::cleanPath(QStringLiteral(N240QX_SKIN_DIR "/..")).toStdString(),
                     false};
  std::unique_ptr<ConfiguratorState> state = std::make_unique<ConfiguratorState>();
  ScriptedChooser chooser;
  std::unique_ptr<CConfigureDlg> dialog;
};

TEST_F(ProfileDialog, ImportAndExportThroughTheBandsKeepOneProfile) {
  Show();
  EXPECT_EQ(dialog->windowTitle(), "Profiles");
  EXPECT_TRUE(Rows().isEmpty());
  WriteProfile(elsewhere / "Race.bin", 41);

  chooser.answer = QString::fromStdString((elsewhere / "Race.bin").string());
  Click(kImportBand);
  EXPECT_EQ(chooser.started_in.toStdString(), data.string());
  EXPECT_EQ(state->image().brightness(), 41);
  EXPECT_EQ(Rows(), QStringList{"Race"});
  EXPECT_EQ(FolderNames(data / "Configure"), std::vector<std::string>{"Race.bin"});
  EXPECT_EQ(ReadAll(data / "keymap.bin"), ReadAll(elsewhere / "Race.bin"));

  state->ImageForEditing().brightness() = 7;
  chooser.answer = QString::fromStdString((elsewhere / "Night.cfg.bin").string());
  Click(kExportBand);
  EXPECT_EQ(ReadAll(elsewhere / "Night.cfg.bin").size(), 206920u);
  EXPECT_EQ(Rows(), QStringList{"Night"});
  EXPECT_EQ(FolderNames(data / "Configure"), std::vector<std::string>{"Night.bin"});

  for (const QString& answer : {QString(), QStringLiteral("/nonexistent/Gone.bin")}) {
    chooser.answer = answer;
    Click(kImportBand);
    EXPECT_EQ(state->image().brightness(), 7) << answer.toStdString();
    EXPECT_EQ(Rows(), QStringList{"Night"}) << answer.toStdString();
  }
  EXPECT_TRUE(dialog->message().startsWith("The profile was not imported: "))
      << dialog->message().toStdString();
  EXPECT_TRUE(dialog->isVisible());
}

TEST_F(ProfileDialog, RenameInTheListMovesTheKeptProfileAndRefusesEscapes) {
  WriteProfile(data / "Configure" / "Kept.bin", 9);
  const auto kept = ReadAll(data / "Configure" / "Kept.bin");
  Show(Language::kGerman);
  EXPECT_EQ(dialog->windowTitle(), "Profile");
  ASSERT_EQ(Rows(), QStringList{"Kept"});
  const auto rename = [this](const QString& text) {
    QTest::mouseDClick(dialog->list()->viewport(), Qt::LeftButton, {},
                       dialog->list()->ItemRect(0).center());
    ASSERT_TRUE(dialog->list()->editor()->isVisible());
    QTest::keyClicks(dialog->list()->editor(), text);
    QTest::keyClick(dialog->list()->editor(), Qt::Key_Return);
  };
  rename("../Evil");
  EXPECT_TRUE(dialog->message().startsWith("Das Profil wurde nicht umbenannt: "));
  EXPECT_EQ(Rows(), QStringList{"Kept"});
  rename("Tour");
  EXPECT_EQ(dialog->message(), "Umbenannt in Tour");
  EXPECT_FALSE(dialog->message_is_failure());
  EXPECT_EQ(Rows(), QStringList{"Tour"});
  EXPECT_EQ(FolderNames(data / "Configure"), std::vector<std::string>{"Tour.bin"});
  EXPECT_EQ(ReadAll(data / "Configure" / "Tour.bin"), kept);
  EXPECT_TRUE(dialog->isVisible()) << "Enter stays with the list";
}

struct FeedbackStep {
  QPoint band;
  const char* file;  // under `elsewhere`
  const char* message;
  bool failure;
};

TEST_F(ProfileDialog, TheMessageLineSaysWhatTheLastOperationDidAndASuccessClearsAFailure) {
  WriteProfile(elsewhere / "Race.bin", 41);
  Show();
  const std::string out = (elsewhere / "Out.bin").string();
  const std::vector<FeedbackStep> steps{
      {kImportBand, "Gone.bin", "The profile was not imported: ", true},
      {kExportBand, "Out.bin", "Exported to ", false},
      {kImportBand, "Race.bin", "Imported: Race", false},
      {kExportBand, "", "Imported: Race", false},  // a cancelled choice changes nothing
  };
  for (const FeedbackStep& step : steps) {
    chooser.answer =
        *step.file == 0 ? QString() : QString::fromStdString((elsewhere / step.file).string());
    Click(step.band);
    EXPECT_TRUE(dialog->message().startsWith(step.message)) << dialog->message().toStdString();
    EXPECT_EQ(dialog->message_is_failure(), step.failure) << step.message;
  }
  chooser.answer = QString::fromStdString(out);
  Click(kExportBand);
  EXPECT_EQ(dialog->message().toStdString(), "Exported to " + out);
  dialog->Open();
  EXPECT_TRUE(dialog->message().isEmpty());
}

// A German window says why a file was not imported in German too: the parser's refusal with
// its position, the system's error with the file.
TEST_F(ProfileDialog, AGermanImportSaysWhyInGerman) {
  fs::create_directories(elsewhere / "Folder.bin");
  std::ofstream(elsewhere / "Damaged.json") << "{\"a\": }";
  std::ofstream(elsewhere / "Partial.json") << "{\"format\": \"n240qx-profile\"}";
  const struct {
    const char* file;
    std::string detail;
  } kCases[] = {
      {"Damaged.json", ":\n  Zeile 1, Spalte 7: unerwartetes Zeichen"},
      {"Partial.json", ":\n  das Feld \"version\" fehlt"},
      {"Gone.bin", "Datei nicht gefunden: " + (elsewhere / "Gone.bin").string()},
      {"Folder.bin", "keine gew\u00F6hnliche Datei, daher nicht gelesen"},
  };
  Show(Language::kGerman);
  for (const auto& c : kCases) {
    chooser.answer = QString::fromStdString((elsewhere / c.file).string());
    Click(kImportBand);
    const std::string message = dialog->message().toStdString();
    EXPECT_TRUE(message.starts_with("Das Profil wurde nicht importiert: ")) << message;
    EXPECT_NE(message.find(c.detail), std::string::npos) << message;
  }
  EXPECT_TRUE(Rows().isEmpty());
}

TEST_F(ProfileDialog, AnEditThatChangesNothingStoresNothing) {
  for (const QKeyCombination ending :
       {QKeyCombination(Qt::Key_Return), QKeyCombination(Qt::Key_Escape)}) {
    WriteProfile(data / "Configure" / "Kept.bin", 9);
    WriteProfile(data / "Configure" / "Stray.bin", 10);
    Show();
    ASSERT_EQ(Rows(), (QStringList{"Kept", "Stray"}));
    QTest::mouseDClick(dialog->list()->viewport(), Qt::LeftButton, {},
                       dialog->list()->ItemRect(0).center());
    ASSERT_TRUE(dialog->list()->editor()->isVisible());
    QTest::keyClick(dialog->list()->editor(), ending.key());
    EXPECT_EQ(Rows(), (QStringList{"Kept", "Stray"})) << ending.key();
    EXPECT_EQ(FolderNames(data / "Configure"), (std::vector<std::string>{"Kept.bin", "Stray.bin"}))
        << "an unchanged name is no rename";
  }
}

TEST_F(ProfileDialog, OkAreaClosesAndTheSkinnedDialogIsKeptAsAPicture) {
  WriteProfile(data / "Configure" / "Race.bin", 9);
  Show();
  EXPECT_EQ(dialog->size(), QSize(390, 395));
  const QImage shot = dialog->grab().toImage();
  const QString folder = QStringLiteral(N240QX_BINARY_DIR "/artifacts");
  QDir().mkpath(folder);
  EXPECT_TRUE(shot.save(QDir(folder).filePath(QStringLiteral("gui-profile-dialog.png"))));
  QSignalSpy finished(dialog.get(), &QDialog::finished);
  Click(QPoint(200, 20));
  EXPECT_TRUE(finished.isEmpty()) << "the title strip is for dragging";
  Click(kOkArea);
  ASSERT_EQ(finished.count(), 1);
  EXPECT_EQ(finished[0][0].toInt(), QDialog::Accepted);
}

TEST(ProfileButton, RefreshesFromTheImageWithoutReadingTheKeyboard) {
  WindowUnderTest window;
  ASSERT_TRUE(window.StartAndWait());
  const int commands = window.keyboard().Counters().commands_accepted;
  const std::uint8_t loaded = window.state().image().brightness() == 12 ? 13 : 12;
  int shown = 0;
  window.profile_dialog = [&] {
    ++shown;
    window.state().ImageForEditing().brightness() = loaded;
    return true;
  };
  window.Click(50, 570);
  EXPECT_EQ(shown, 1);
  EXPECT_EQ(window.window().slider(SliderId::kBrightness).position(), loaded);
  ConfigImage stored;
  KeyActionTable table;
  ASSERT_TRUE(LoadKeymapStore(window.DataFolder() / "keymap.bin", false, stored, table).ok());
  EXPECT_EQ(stored.brightness(), loaded);
  EXPECT_EQ(window.keyboard().Counters().commands_accepted, commands);
  EXPECT_NE(window.keyboard().Memory().brightness, loaded) << "only Apply sends it";
}

}  // namespace
}  // namespace n240qx::testing
