#pragma once

#include <QPainter>
#include <vector>

#include "gui/SkinPictures.h"
#include "paint/PaintOp.h"

namespace n240qx {

// Draws what a model asked for, in order, with the program's pixel rules: text in "Arial"
// weight 300 whose cell is the given pixel height, with a transparent background; pictures at
// their own size (a missing picture draws nothing); fills; 1-pixel frames whose outer edge
// covers width x height; 1-pixel lines with both ends drawn; pieces cut from a second picture.
// Shapes are drawn without antialiasing; the painter's own state is left as it was.
void PaintOps(QPainter& painter, const std::vector<PaintOp>& ops, SkinPictures& skins);

QColor ToQColor(RgbColour colour);

}  // namespace n240qx
