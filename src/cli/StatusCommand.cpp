#include <iostream>
#include <optional>

#include "app/FirmwareCheck.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "device/FirmwareVersionText.h"

namespace n240qx {

namespace {

std::string VersionText(const std::optional<FirmwareVersion>& version) {
  return FirmwareVersionText(version, "unknown");
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

void PrintStatus(const KeyboardStatus& status, const std::filesystem::path& version_file,
                 bool json) {
  const FirmwareCheck check = FirmwareCheck::FromVersionFile(version_file);
  const bool offered = check.ShouldOfferUpdate(status.firmware);
  if (json) {
    JsonWriter writer;
    writer.BeginObject();
    writer.Key("keyboard");
    writer.Bool(status.connected);
    writer.Key("simulated");
    writer.Bool(status.simulated);
    writer.Key("firmware");
    VersionJson(writer, status.firmware);
    writer.Key("version_file");
    writer.String(version_file.string());
    writer.Key("shipped_firmware");
    VersionJson(writer, check.shipped());
    writer.Key("update_offered");
    writer.Bool(offered);
    writer.EndObject();
    std::cout << writer.text() << '\n';
    return;
  }
  std::cout << "keyboard: "
            << (status.connected ? (status.simulated ? "found (simulated)" : "found") : "not found")
            << '\n';
  std::cout << "firmware: " << VersionText(status.firmware) << '\n';
  std::cout << "shipped firmware: " << VersionText(check.shipped()) << " (" << version_file.string()
            << ")\n";
  std::cout << "update offered: " << (offered ? "yes" : "no") << '\n';
}

// The shipped version is looked for in the share folder, beside the updater it belongs to.
ExitCode RunStatusCommand(CliSession& session, const CliArguments& arguments) {
  if (!arguments.words.empty()) {
    return session.Fail(ExitCode::kUsage, "status takes no arguments");
  }
  // Whatever fails is part of the status object.
  session.PrintFailuresAsJson(false);
  const ExitCode connected = session.Connect();
  KeyboardStatus status{connected == ExitCode::kOk, session.simulated(), std::nullopt};
  ExitCode result = connected;
  if (status.connected) {
    auto read = session.ReadFirmware();
    if (read.ok()) {
      status.firmware = KeyboardFirmwareVersion(read->major, read->minor);
    } else {
      result = session.FailDevice(read.error());
    }
  }
  PrintStatus(status, session.paths().VersionFile(), session.json());
  return result;
}

}  // namespace n240qx
