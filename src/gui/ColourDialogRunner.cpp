#include "gui/ColourDialogRunner.h"

#include <cstdint>

#include "gui/CCustomColorDialog.h"

namespace n240qx {

bool RunColourDialog(QWidget* parent, RgbColour& shared_colour, SkinPictures& skins,
                     Language language) {
  // The dialog edits its colour as the user goes; working on a copy keeps a cancelled run
  // from reaching the caller's colour.
  std::uint32_t working = shared_colour.Packed();
  CCustomColorDialog dialog(working, skins, language, parent);
  if (!dialog.Run()) {
    return false;
  }
  shared_colour = RgbColour::FromPacked(working);
  return true;
}

}  // namespace n240qx
