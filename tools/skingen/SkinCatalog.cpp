#include "SkinCatalog.h"

#include "ColourDialogArt.h"
#include "KeyDialogArt.h"
#include "KeyboardArt.h"
#include "LightingArt.h"
#include "MacroDialogArt.h"
#include "MainWindowArt.h"
#include "ProfileDialogArt.h"
#include "window/KeyboardViewGeometry.h"
#include "window/MainWindowLayout.h"

namespace n240qx {

SkinSet SkinCatalog::Build(Language language) {
  SkinSet set;
  const QString folder = LanguageFolder(language);
  MainWindowArt::AddTo(set, folder, language);
  LightingArt::AddTo(set, folder);
  // The window draws the keyboard as "kb_BK.png" and the keyboard view names it "kb_bk.png";
  // both spellings are the same picture.
  set.AddSpellings(
      folder, {SkinPainter::Name(MainWindowLayout::kKeyboard.file), QStringLiteral("kb_bk.png")},
      KeyboardArt::Background());
  set.Add(folder + QStringLiteral("/kb_hl.png"), KeyboardArt::Highlight());
  ColourDialogArt::AddTo(set, folder);
  KeyDialogArt::AddTo(set, folder);
  MacroDialogArt::AddTo(set, folder, language);
  ProfileDialogArt::AddTo(set, folder, language);
  return set;
}

}  // namespace n240qx
