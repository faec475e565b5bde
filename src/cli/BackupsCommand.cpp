#include <time.h>

#include <array>
#include <iostream>

#include "app/BackupStore.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/TextTable.h"
#include "config/DiskProfileFiles.h"

namespace n240qx {

namespace {

// Local time for people, to the second; the file name keeps the milliseconds.
std::string LocalTime(BackupName::Time time) {
  const std::time_t seconds = std::chrono::system_clock::to_time_t(
      std::chrono::time_point_cast<std::chrono::seconds>(time));
  std::tm local{};
  std::array<char, 32> text{};
  if (::localtime_r(&seconds, &local) == nullptr ||
      std::strftime(text.data(), text.size(), "%Y-%m-%d %H:%M:%S", &local) == 0) {
    return "?";
  }
  return text.data();
}

std::string Changed(const BackupEntry& entry) {
  const std::string words = entry.name.summary.Words(Texts());
  return entry.damaged ? "damaged, cannot be restored (" + words + ")" : words;
}

void PrintJson(const std::vector<BackupEntry>& backups) {
  JsonWriter json;
  json.BeginArray();
  for (const BackupEntry& entry : backups) {
    json.BeginObject();
    json.Key("number");
    json.Number(static_cast<std::int64_t>(entry.number));
    json.Key("time");
    json.String(LocalTime(entry.name.time));
    json.Key("changed");
    json.String(entry.name.summary.Words(Texts()));
    json.Key("damaged");
    json.Bool(entry.damaged);
    json.Key("file");
    json.String(entry.file.string());
    json.EndObject();
  }
  json.EndArray();
  std::cout << json.text() << '\n';
}

}  // namespace

// The backups folder only; the keyboard is not touched.
ExitCode RunBackupsCommand(CliSession& session, const CliArguments& arguments) {
  if (!arguments.words.empty()) {
    return session.Fail(ExitCode::kUsage, "backups takes no words");
  }
  DiskProfileFiles files;
  BackupStore store(session.paths().BackupsFolder(), files);
  const auto backups = store.List();
  if (!backups.ok()) {
    return session.Fail(ExitCode::kFileError, backups.error().message);
  }
  if (session.json()) {
    PrintJson(*backups);
  } else if (backups->empty()) {
    std::cout << "no backup in " << store.folder().string() << '\n';
  } else {
    TextTable table({"N", "time", "what the write that followed changed"});
    for (const BackupEntry& entry : *backups) {
      table.Add({std::to_string(entry.number), LocalTime(entry.name.time), Changed(entry)});
    }
    table.Print(std::cout);
  }
  return ExitCode::kOk;
}

}  // namespace n240qx
