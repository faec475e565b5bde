#pragma once

#include "image/ConfigImage.h"
#include "macros/MacroStore.h"

namespace n240qx {

// Rewrites macro record i of the image's `macros` field from stored entry i, for every entry in
// use before the first unused one (at most the image's 32 records): [repeat_count high byte,
// repeat_count low byte, device_events]. Records from the first unused entry on keep their bytes,
// and so does the record of an entry that does not decode (MacroStoreEntry::Decodes): its
// garbage would play on the keyboard.
void BuildMacroRecords(const MacroStore& store, ConfigImage& image);

}  // namespace n240qx
