#pragma once

#include <string>
#include <vector>

#include "cli/JsonWriter.h"
#include "cli/SettingsView.h"

namespace n240qx {

// What `set`, `assign` and `restore` changed, printed once the keyboard has it: one
// "NAME: FROM -> TO" line each, or with --json {"changed": [{"name", "from", "to"}, ...]} with
// typed values.
class ChangeReport {
 public:
  // Recorded only when the two texts differ.
  void Add(const std::string& name, const std::string& from_text, const std::string& to_text,
           const JsonScalar& from, const JsonScalar& to);
  // Every setting whose text differs between two ShownSettings of the same order.
  void AddSettings(const std::vector<ShownSetting>& before, const std::vector<ShownSetting>& after);
  void Print(bool json) const;
  // The "changed" key and its array, into an object the caller has begun.
  void WriteJson(JsonWriter& writer) const;

 private:
  struct Change {
    std::string name;
    std::string from_text;
    std::string to_text;
    JsonScalar from;
    JsonScalar to;
  };
  std::vector<Change> changes_;
};

}  // namespace n240qx
