#pragma once

#include <QString>

#include "SkinPainter.h"
#include "SkinSet.h"
#include "util/Language.h"

namespace n240qx {

// Every skin picture of one language, below "png": the main window's pictures in the
// language's folder ("english", "german"), each dialog's in its sub-folder ("Config",
// "Custom", "MacroManagement"), and the colour dialog's background beside the main window's.
class SkinCatalog {
 public:
  static QString LanguageFolder(Language language) {
    return SkinPainter::Name(SkinFolderName(language));
  }
  static SkinSet Build(Language language);
};

}  // namespace n240qx
