#include "gui/DefaultDialogs.h"

#include <QMessageBox>
#include <QProcess>
#include <QPushButton>

#include "app/ProfileLibrary.h"
#include "gui/CConfigureDlg.h"
#include "gui/CKeyMap.h"
#include "gui/CMacroRecordDlg.h"
#include "gui/ColourDialogRunner.h"
#include "gui/FileDialogChooser.h"
#include "gui/QtText.h"
#include "gui/WindowMessageBox.h"
#include "gui/XInputKeyHook.h"

namespace n240qx {

void DefaultDialogs::Fill(WindowDialogs& dialogs, QWidget& parent, Sources sources) {
  QWidget* const over = &parent;
  ConfiguratorState& state = sources.state;
  const ProgramPaths& paths = sources.paths;
  SkinPictures& skins = sources.skins;
  const Language language = sources.language;
  if (!dialogs.confirm) {
    dialogs.confirm = [over, language](const ConfirmPrompt& prompt) {
      return WindowMessageBox::Ask(over, language, ToQString(prompt.title),
                                   ToQString(prompt.question));
    };
  }
  if (!dialogs.close_question) {
    dialogs.close_question = [over, language] { return AskBeforeClosing(*over, language); };
  }
  if (!dialogs.key_assignment) {
    dialogs.key_assignment = [over, &state, &paths, &skins, language](PendingAssignment& pending) {
      // An unreadable library offers no profiles; the other actions still work.
      auto profiles = ProfileLibrary(paths.LibraryFolder()).Names();
      KeyMapSetup setup{pending,
                        state.KeyActionsForEditing(),
                        state.image(),
                        state.stored_macros(),
                        state.key_names(),
                        skins.folder(),
                        language,
                        {},
                        profiles.ok() ? std::move(*profiles) : std::vector<std::string>{}};
      CKeyMap dialog(std::move(setup), over);
      return dialog.Run();
    };
  }
  if (!dialogs.macros) {
    dialogs.macros = [over, &state, &paths, &skins, language] {
      CMacroRecordDlg dialog(
          state, skins, language,
          [](KeyHook::Sink sink) { return std::make_unique<XInputKeyHook>(std::move(sink)); },
          over);
      return dialog.Run(state.stores().Held(paths.MacroFile()));
    };
  }
  if (!dialogs.colour) {
    dialogs.colour = [over, &skins, language](RgbColour& colour) {
      return RunColourDialog(over, colour, skins, language);
    };
  }
  if (!dialogs.profiles) {
    dialogs.profiles = [over, &state, &paths, language] {
      FileDialogChooser chooser;
      return CConfigureDlg(state, paths, chooser, language, over).Run();
    };
  }
  if (!dialogs.about) {
    dialogs.about = [over, language](const AboutBox& about) {
      WindowMessageBox::About(over, language, QString::fromStdString(about.title),
                              QString::fromStdString(about.text));
    };
  }
  if (!dialogs.start_updater) {
    dialogs.start_updater = [&paths](const QString& program) {
      return QProcess::startDetached(program, QStringList(), ToQString(paths.share_folder()));
    };
  }
}

CloseAnswer DefaultDialogs::AskBeforeClosing(QWidget& parent, Language language) {
  const Texts texts(language);
  QMessageBox box(QMessageBox::Question, ToQString(texts.Get(TextId::kWindowTitle)),
                  ToQString(texts.Get(TextId::kCloseQuestion)), QMessageBox::NoButton, &parent);
  // Named in the window's language: Qt's own button texts would stay English.
  QPushButton* apply =
      box.addButton(ToQString(texts.Get(TextId::kCloseApply)), QMessageBox::AcceptRole);
  QPushButton* discard =
      box.addButton(ToQString(texts.Get(TextId::kCloseDiscard)), QMessageBox::DestructiveRole);
  QPushButton* cancel =
      box.addButton(ToQString(texts.Get(TextId::kCloseCancel)), QMessageBox::RejectRole);
  box.setDefaultButton(apply);
  box.setEscapeButton(cancel);
  WindowMessageBox::Darken(box);
  box.exec();
  if (box.clickedButton() == apply) {
    return CloseAnswer::kApply;
  }
  return box.clickedButton() == discard ? CloseAnswer::kDiscard : CloseAnswer::kCancel;
}

}  // namespace n240qx
