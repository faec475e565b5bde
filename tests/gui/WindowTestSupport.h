#pragma once

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QString>
#include <QTemporaryDir>
#include <QWidget>
#include <functional>
#include <memory>

#include "app/ConfiguratorState.h"
#include "gui/CVaveVedozadoDlg.h"
#include "gui/MainWindowComposition.h"
#include "gui/WindowDialogs.h"
#include "sim/SimulatedLink.h"

namespace n240qx::testing {

// Where the tests click the main window: the lighting page's Game Mode switch and Apply.
inline constexpr QPoint kGameMode(115, 476);
inline constexpr QPoint kApply(897, 573);

// Processes events until `done` holds or `timeout_ms` passes; returns whether it held.
bool WaitFor(const std::function<bool()>& done, int timeout_ms = 10000);

// A key held down as Qt delivers it to the focused widget: a press, `repeats` auto-repeat
// release and press pairs, and the release.
void SendHeldKey(QWidget& target, Qt::Key key, int repeats);

// A share folder with plain pictures of known colours, so that tests can tell from a pixel
// which picture was drawn where.
struct PlainSkins {
  static const QColor kBackground;
  static const QColor kEnable;
  static const QColor kDisable;
  static const QColor kTrackLeft;
  static const QColor kTrackRight;
  // Writes them below `share_folder`/png/english.
  static void WriteTo(const QString& share_folder);
};

// What the desktop offers and how the program was started.
struct DesktopSetup {
  bool tray = false;
  bool minimized = false;  // --minimized
  // Shorter than the program's, so that a test of the profile rules takes moments.
  ProfileSwitcher::Timing automation_timing{};
  Language language = Language::kEnglish;
};

// A main window on the simulator, with its data folder in a temporary directory and dialogs
// that answer as the test says. The simulator sleeps in virtual time.
class WindowUnderTest {
 public:
  enum class Keyboard {
    kSimulated,  // --simulate: the simulator, plugged in
    kAbsent,     // the simulator, unplugged, and nothing to fall back to
    // A "hardware" transport without a keyboard, with the simulator to fall back to.
    kHardwareAbsentWithFallback,
    // Attached, but its nodes may not be opened (no udev rule).
    kPermissionDenied,
  };

  // `share_folder` empty: plain skins written into the temporary directory.
  explicit WindowUnderTest(QString share_folder = QString(),
                           Keyboard keyboard = Keyboard::kSimulated, DesktopSetup desktop = {});
  ~WindowUnderTest();

  CVaveVedozadoDlg& window() { return program_->window(); }
  MainWindowComposition& program() { return *program_; }
  SimulatedLink& keyboard() { return *keyboard_; }
  ConfiguratorState& state() { return *state_; }
  const QTemporaryDir& folder() const { return folder_; }
  std::filesystem::path DataFolder() const;

  // What the dialogs answer; set before they are asked.
  bool confirm_answer = true;
  int confirm_count = 0;
  // Runs while a question is up, to look at the window behind it.
  std::function<void()> while_confirming;
  std::function<bool(PendingAssignment&)> key_dialog = [](PendingAssignment&) { return false; };
  // The colour dialog: gets the shared colour the window starts it on, returns true for OK.
  std::function<bool(RgbColour&)> colour_dialog = [](RgbColour&) { return false; };
  int updater_starts = 0;
  // The macro dialog: edits the stored macros as it likes, returns true for OK.
  std::function<bool()> macro_dialog = [] { return false; };
  // The profile dialog: returns true when it changed the configuration.
  std::function<bool()> profile_dialog = [] { return false; };
  // Ending with unapplied edits: what the question is answered, and how often it was asked.
  CloseAnswer close_answer = CloseAnswer::kDiscard;
  int close_questions = 0;

  // Start-up until the full read has been applied and the window shows.
  bool StartAndWait();
  // Start-up until the window shows, without waiting for a read.
  bool StartAndWaitForWindow();
  bool WaitUntilIdle() {
    return WaitFor([this] { return !window().busy(); });
  }
  void Click(int x, int y);
  QColor PixelAt(int x, int y);

 private:
  QTemporaryDir folder_;
  std::unique_ptr<ConfiguratorState> state_;
  SimulatedLink* keyboard_ = nullptr;
  std::unique_ptr<MainWindowComposition> program_;
};

}  // namespace n240qx::testing
