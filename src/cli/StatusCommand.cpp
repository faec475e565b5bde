#include <iostream>
#include <optional>

#include "app/FirmwareCheck.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"

namespace n240qx {

namespace {

std::string VersionText(const std::optional<FirmwareVersion>& version) {
  if (!version) {
    return "unknown";
  }
  return std::to_string(version->major) + "." + std::to_string(version->minor);
}

void VersionJson(JsonWriter& json, const std::optional<FirmwareVersion>& version) {
  if (!version) {
    json.Null();
    return;
  }
  json.BeginObject();
  json.Key("major");
  json.Number(version->major);
  json.Key("minor");
  json.Number(version->minor);
  json.EndObject();
}

}  // namespace

// The shipped version is looked for in the share folder, beside the updater it belongs to.
ExitCode RunStatusCommand(CliSession& session, const CliArguments& arguments) {
  if (!arguments.words.empty()) {
    return session.Fail(ExitCode::kUsage, "status takes no arguments");
  }
  // Whatever fails is part of the status object.
  session.PrintFailuresAsJson(false);
  const ExitCode connected = session.Connect();
  std::optional<FirmwareVersion> keyboard;
  ExitCode result = connected;
  if (connected == ExitCode::kOk) {
    auto read = session.ReadFirmware();
    if (read.ok()) {
      keyboard = KeyboardFirmwareVersion(read->major, read->minor);
    } else {
      result = session.FailDevice(read.error());
    }
  }
  const auto version_file = session.paths().VersionFile();
  const FirmwareCheck check = FirmwareCheck::FromVersionFile(version_file);
  const bool offered = check.ShouldOfferUpdate(keyboard);
  if (session.json()) {
    JsonWriter json;
    json.BeginObject();
    json.Key("keyboard");
    json.Bool(connected == ExitCode::kOk);
    json.Key("simulated");
    json.Bool(session.simulated());
    json.Key("firmware");
    VersionJson(json, keyboard);
    json.Key("version_file");
    json.String(version_file.string());
    json.Key("shipped_firmware");
    VersionJson(json, check.shipped());
    json.Key("update_offered");
    json.Bool(offered);
    json.EndObject();
    std::cout << json.text() << '\n';
  } else {
    std::cout << "keyboard: "
              << (connected == ExitCode::kOk ? (session.simulated() ? "found (simulated)" : "found")
                                             : "not found")
              << '\n';
    std::cout << "firmware: " << VersionText(keyboard) << '\n';
    std::cout << "shipped firmware: " << VersionText(check.shipped()) << " ("
              << version_file.string() << ")\n";
    std::cout << "update offered: " << (offered ? "yes" : "no") << '\n';
  }
  return result;
}

}  // namespace n240qx
