#pragma once

#include <QWidget>

#include "app/ConfiguratorState.h"
#include "app/ProgramPaths.h"
#include "gui/SkinPictures.h"
#include "gui/WindowDialogs.h"
#include "util/Language.h"

namespace n240qx {

// The real dialogs of the main window, over `parent`: every entry of WindowDialogs a test has
// not filled with its own answer.
class DefaultDialogs {
 public:
  struct Sources {
    ConfiguratorState& state;
    const ProgramPaths& paths;
    SkinPictures& skins;
    Language language;
  };

  static void Fill(WindowDialogs& dialogs, QWidget& parent, Sources sources);

 private:
  // The close question's own buttons, named in the window's language.
  static CloseAnswer AskBeforeClosing(QWidget& parent, Language language);
};

}  // namespace n240qx
