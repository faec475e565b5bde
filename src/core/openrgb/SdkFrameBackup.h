#pragma once

#include "image/ConfigImage.h"

namespace n240qx {

// A frame's write carries every unapplied edit of the window along (it is the ordinary write
// of changes). Frames alone make no backup, but edits of the user's that ride along must not
// lose theirs: true when `image` differs from `held` outside the lighting a frame sets.
bool FrameWriteNeedsBackup(const ConfigImage& image, const ImageBlock& held);

}  // namespace n240qx
