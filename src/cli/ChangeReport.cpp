#include "cli/ChangeReport.h"

#include <iostream>

namespace n240qx {

void ChangeReport::Add(const std::string& name, const std::string& from_text,
                       const std::string& to_text, const JsonScalar& from, const JsonScalar& to) {
  if (from_text != to_text) {
    changes_.push_back({name, from_text, to_text, from, to});
  }
}

void ChangeReport::AddSettings(const std::vector<ShownSetting>& before,
                               const std::vector<ShownSetting>& after) {
  for (std::size_t i = 0; i < before.size() && i < after.size(); ++i) {
    Add(before[i].name, before[i].text, after[i].text, before[i].value, after[i].value);
  }
}

void ChangeReport::WriteJson(JsonWriter& writer) const {
  writer.Key("changed");
  writer.BeginArray();
  for (const Change& change : changes_) {
    writer.BeginObject();
    writer.Key("name");
    writer.String(change.name);
    writer.Key("from");
    writer.Value(change.from);
    writer.Key("to");
    writer.Value(change.to);
    writer.EndObject();
  }
  writer.EndArray();
}

void ChangeReport::Print(bool json) const {
  if (json) {
    JsonWriter writer;
    writer.BeginObject();
    WriteJson(writer);
    writer.EndObject();
    std::cout << writer.text() << '\n';
    return;
  }
  if (changes_.empty()) {
    std::cout << "nothing changed: the keyboard holds these values already\n";
  }
  for (const Change& change : changes_) {
    std::cout << change.name << ": " << change.from_text << " -> " << change.to_text << '\n';
  }
}

}  // namespace n240qx
