#include "app/DiagnosisReport.h"

#include <fstream>
#include <optional>
#include <variant>

namespace n240qx {

namespace {

std::string ScalarText(const JsonScalar& value) {
  if (const auto* number = std::get_if<std::int64_t>(&value)) {
    return std::to_string(*number);
  }
  if (const auto* flag = std::get_if<bool>(&value)) {
    return *flag ? "yes" : "no";
  }
  return std::get<std::string>(value);
}

void ItemsJson(JsonWriter& json, const std::vector<DiagnosisReport::Item>& items) {
  for (const DiagnosisReport::Item& item : items) {
    json.Key(item.key);
    json.Value(item.value);
  }
}

std::string SessionType(const EnvironmentLookup& environment) {
  if (auto type = environment("XDG_SESSION_TYPE"); type && !type->empty()) {
    return *type;
  }
  if (environment("WAYLAND_DISPLAY")) {
    return "wayland";
  }
  return environment("DISPLAY") ? "x11" : "none (no display)";
}

}  // namespace

DiagnosisReport::Section& DiagnosisReport::Add(std::string name) {
  sections.push_back(Section{std::move(name), {}, {}, {}});
  return sections.back();
}

std::string DiagnosisReport::Text() const {
  std::string text;
  for (const Section& section : sections) {
    text += section.name + ":\n";
    for (const Item& item : section.items) {
      text += "  " + item.key + ": " + ScalarText(item.value) + "\n";
    }
    for (const auto& entry : section.entries) {
      std::string line;
      for (const Item& item : entry) {
        line += (line.empty() ? "  " : ", ") + item.key + " " + ScalarText(item.value);
      }
      text += line + "\n";
    }
    for (const std::string& line : section.lines) {
      text += "  " + line + "\n";
    }
  }
  return text;
}

std::string DiagnosisReport::Json() const {
  JsonWriter json;
  json.BeginObject();
  for (const Section& section : sections) {
    json.Key(section.name);
    json.BeginObject();
    ItemsJson(json, section.items);
    if (!section.entries.empty()) {
      json.Key("entries");
      json.BeginArray();
      for (const auto& entry : section.entries) {
        json.BeginObject();
        ItemsJson(json, entry);
        json.EndObject();
      }
      json.EndArray();
    }
    if (!section.lines.empty()) {
      json.Key("lines");
      json.BeginArray();
      for (const std::string& line : section.lines) {
        json.String(line);
      }
      json.EndArray();
    }
    json.EndObject();
  }
  json.EndObject();
  return json.text();
}

std::vector<DiagnosisReport::Item> DesktopSessionItems(const EnvironmentLookup& environment) {
  const auto desktop = environment("XDG_CURRENT_DESKTOP");
  return {
      {"session", SessionType(environment)},
      {"desktop", desktop && !desktop->empty() ? *desktop : std::string("unknown")},
      {"tray", std::string("asked by the window only (n240qx says so when there is none)")},
  };
}

std::vector<DiagnosisReport::Item> StoreItems(const std::filesystem::path& file,
                                              const StoreGuard& held) {
  std::error_code error;
  const bool exists = std::filesystem::exists(file, error);
  std::vector<DiagnosisReport::Item> items = {{"file", file.string()}, {"exists", exists}};
  if (!exists) {
    return items;
  }
  if (std::filesystem::is_directory(file, error)) {
    std::int64_t count = 0;
    for (auto it = std::filesystem::directory_iterator(file, error);
         !error && it != std::filesystem::directory_iterator(); it.increment(error)) {
      ++count;
    }
    items.push_back({"files", count});
    items.push_back({"readable", !error});
    return items;
  }
  const auto size = std::filesystem::file_size(file, error);
  items.push_back({"size", error ? std::int64_t{-1} : static_cast<std::int64_t>(size)});
  items.push_back({"readable", std::ifstream(file, std::ios::binary).good()});
  items.push_back({"held", held.Held(file)});
  if (Status writable = held.CheckWritable(file); !writable.ok()) {
    items.push_back({"why_held", writable.error().message});
  }
  return items;
}

}  // namespace n240qx
