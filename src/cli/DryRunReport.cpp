#include "cli/DryRunReport.h"

#include "cli/JsonWriter.h"

namespace n240qx {

namespace {

void StringArray(JsonWriter& json, const char* key, const std::vector<std::string>& items) {
  json.Key(key);
  json.BeginArray();
  for (const std::string& item : items) {
    json.String(item);
  }
  json.EndArray();
}

std::string Joined(const std::vector<std::string>& items) {
  std::string text;
  for (const std::string& item : items) {
    text += (text.empty() ? "" : ", ") + item;
  }
  return text;
}

}  // namespace

void DryRunReport::Print(std::ostream& out, bool json) const {
  if (json) {
    JsonWriter writer;
    writer.BeginObject();
    writer.Key("dry_run");
    writer.Bool(true);
    writer.Key("compared_with");
    if (compared_with) {
      writer.String(*compared_with);
    } else {
      writer.Null();
    }
    StringArray(writer, "regions", regions);
    StringArray(writer, "reports", reports);
    writer.EndObject();
    out << writer.text() << '\n';
    return;
  }
  out << "dry run, nothing was sent; "
      << (compared_with ? "compared with what " + *compared_with + " holds, as just read"
                        : std::string("this sends the same whatever the keyboard holds"))
      << '\n';
  out << "would write: "
      << (regions.empty() ? "nothing, the keyboard holds it already" : Joined(regions)) << '\n';
  for (const std::string& report : reports) {
    out << report << '\n';
  }
}

}  // namespace n240qx
