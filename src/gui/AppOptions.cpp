#include "gui/AppOptions.h"

#include "app/ProgramVersion.h"

namespace n240qx {

namespace {

Error BadOption(const QString& message) {
  return Error{ErrorCode::kInvalidArgument, message.toStdString()};
}

// --openrgb-server[=PORT]; false when the argument is neither form.
Result<bool> TakeOpenRgbServer(const QString& argument, AppOptions& options) {
  if (argument == QLatin1String("--openrgb-server")) {
    options.openrgb_port = kDefaultOpenRgbPort;
    return true;
  }
  const QString prefix = QStringLiteral("--openrgb-server=");
  if (!argument.startsWith(prefix)) {
    return false;
  }
  bool number = false;
  const uint port = argument.mid(prefix.size()).toUInt(&number);
  if (!number || port == 0 || port > 65535) {
    return BadOption(QStringLiteral("--openrgb-server= takes a port from 1 to 65535"));
  }
  options.openrgb_port = static_cast<quint16>(port);
  return true;
}

std::filesystem::path PathOf(const QString& value) {
  return std::filesystem::path(value.toStdString());
}

// An option that takes a value, given as "--name VALUE" or "--name=VALUE". Moves `index` past
// what it used; an empty optional with `missing` set when the value is absent or empty.
std::optional<QString> ValueOf(const QStringList& arguments, qsizetype& index, const QString& name,
                               bool& missing) {
  const QString& argument = arguments[index];
  QString value;
  if (argument.startsWith(name + QLatin1Char('='))) {
    value = argument.mid(name.size() + 1);
  } else if (argument != name) {
    return std::nullopt;
  } else if (index + 1 < arguments.size()) {
    ++index;
    value = arguments[index];
  }
  if (value.isEmpty()) {
    missing = true;
    return std::nullopt;
  }
  return value;
}

Status TakeValueOption(const QStringList& arguments, qsizetype& index, AppOptions& options,
                       bool& taken) {
  bool missing = false;
  taken = true;
  const QString argument = arguments[index];
  if (auto dir = ValueOf(arguments, index, QStringLiteral("--data-dir"), missing)) {
    options.data_dir = PathOf(*dir);
  } else if (auto log = ValueOf(arguments, index, QStringLiteral("--wire-log"), missing)) {
    options.wire_log = PathOf(*log);
  } else if (auto language = ValueOf(arguments, index, QStringLiteral("--language"), missing)) {
    options.language = ParseLanguage(*language);
    if (!options.language) {
      return BadOption(QStringLiteral("--language takes de or en, not \"%1\"").arg(*language));
    }
  } else {
    taken = false;
  }
  if (missing) {
    return BadOption(QStringLiteral("%1 needs a value").arg(argument));
  }
  return Status::Ok();
}

}  // namespace

std::optional<Language> ParseLanguage(const QString& value) {
  const QString lower = value.trimmed().toLower();
  if (lower == QLatin1String("de") || lower == QLatin1String("german") ||
      lower == QLatin1String("7")) {
    return Language::kGerman;
  }
  if (lower == QLatin1String("en") || lower == QLatin1String("english") ||
      lower == QLatin1String("9")) {
    return Language::kEnglish;
  }
  return std::nullopt;
}

Result<AppOptions> ParseAppOptions(const QStringList& arguments) {
  AppOptions options;
  for (qsizetype index = 1; index < arguments.size(); ++index) {
    const QString& argument = arguments[index];
    if (argument == QLatin1String("--help") || argument == QLatin1String("-h")) {
      options.help = true;
      continue;
    }
    if (argument == QLatin1String("--version")) {
      options.version = true;
      continue;
    }
    if (argument == QLatin1String("--minimized")) {
      options.minimized = true;
      continue;
    }
    auto openrgb = TakeOpenRgbServer(argument, options);
    if (!openrgb.ok()) {
      return openrgb.error();
    }
    if (*openrgb) {
      continue;
    }
    if (argument == QLatin1String("--simulate")) {
      options.simulate = true;
      continue;
    }
    if (argument.startsWith(QLatin1String("--simulate="))) {
      const QString state = argument.mid(QStringLiteral("--simulate=").size());
      if (state.isEmpty()) {
        return BadOption(QStringLiteral("--simulate= needs a state file name"));
      }
      options.simulate = true;
      options.simulate_state = PathOf(state);
      continue;
    }
    bool taken = false;
    if (Status status = TakeValueOption(arguments, index, options, taken); !status.ok()) {
      return status.error();
    }
    if (!taken) {
      return BadOption(QStringLiteral("unknown option \"%1\"").arg(argument));
    }
  }
  return options;
}

QString AppUsage() {
  return QStringLiteral(
      "Usage: n240qx [options]\n"
      "  --simulate[=STATE]  use the built-in keyboard simulator; STATE keeps its memory\n"
      "  --data-dir DIR      keep keymap.bin, MacroDefine.bin and the profiles in DIR\n"
      "  --language de|en    the language of the window (default: the saved setting)\n"
      "  --wire-log FILE     write every report to and from the keyboard to FILE\n"
      "  --minimized         start hidden in the tray (shown where there is no tray)\n"
      "  --openrgb-server[=PORT]  serve the keyboard to OpenRGB SDK clients on 127.0.0.1\n"
      "                      (port 6742 by default)\n"
      "  --help              show this text\n"
      "  --version           show the program's version\n");
}

std::optional<QString> InformationText(const AppOptions& options) {
  if (options.help) {
    return AppUsage();
  }
  if (options.version) {
    return AppVersionLine();
  }
  return std::nullopt;
}

QString AppVersionLine() {
  return QStringLiteral("n240qx %1\n")
      .arg(QLatin1String(kProgramVersion.data(), static_cast<qsizetype>(kProgramVersion.size())));
}

}  // namespace n240qx
