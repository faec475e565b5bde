#pragma once

#include <QWidget>

#include "gui/SkinPictures.h"
#include "paint/RgbColour.h"
#include "util/Language.h"

namespace n240qx {

// Runs the colour dialog modally, starting at `shared_colour`. Returns true on OK, with the
// chosen colour in `shared_colour`; false on Cancel or the close mark, leaving it untouched
// even when the colour was changed while the dialog was open. `skins` holds the pictures of
// the interface language's folder.
bool RunColourDialog(QWidget* parent, RgbColour& shared_colour, SkinPictures& skins,
                     Language language);

}  // namespace n240qx
