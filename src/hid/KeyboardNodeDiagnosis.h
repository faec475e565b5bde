#pragma once

#include <vector>

#include "app/DiagnosisReport.h"
#include "hid/HidrawNode.h"

namespace n240qx {

// The keyboard's hidraw nodes (its own product id and the firmware-update one) for `diagnose`:
// node, USB interface, top-level collections with their report ids, and whether this user may
// open it, and why not. Other devices' nodes are left out; a node whose ids could not be read
// is listed with its problem.
std::vector<std::vector<DiagnosisReport::Item>> KeyboardNodeEntries(
    const std::vector<HidrawNode>& nodes);

}  // namespace n240qx
