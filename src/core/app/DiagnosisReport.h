#pragma once

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "util/JsonWriter.h"
#include "util/StoreGuard.h"

namespace n240qx {

// What `diagnose` tells for a bug report, in sections: each a list of named values, then
// entries of their own (one per hidraw node) and lines of text (a wire log's end). Printed as
// text for a person or as JSON for a script; gathering it never writes anything.
struct DiagnosisReport {
  struct Item {
    std::string key;
    JsonScalar value;
  };
  struct Section {
    std::string name;
    std::vector<Item> items;
    std::vector<std::vector<Item>> entries;
    std::vector<std::string> lines;
  };

  std::vector<Section> sections;

  Section& Add(std::string name);
  std::string Text() const;
  std::string Json() const;
};

// The environment variable of that name, or nothing when it is unset.
using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;

// The desktop session as its environment tells it: X11 or Wayland (or a text console), the
// desktop's name, and whether a tray can be asked for (only the window can ask the desktop).
std::vector<DiagnosisReport::Item> DesktopSessionItems(const EnvironmentLookup& environment);

// One store of the data folder: whether it exists, its size, whether it can be read and, when
// it is held unread, why.
std::vector<DiagnosisReport::Item> StoreItems(const std::filesystem::path& file,
                                              const StoreGuard& held);

}  // namespace n240qx
