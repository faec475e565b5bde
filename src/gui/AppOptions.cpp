#include "gui/AppOptions.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

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

// --language VALUE or --language=VALUE.
Result<bool> TakeLanguage(std::span<const std::string_view> words, std::size_t& at,
                          AppOptions& options) {
  auto value = OptionValue(words, at, "--language");
  if (!value) {
    return false;
  }
  if (!value->ok()) {
    return value->error();
  }
  const QString text = QString::fromUtf8(value->value().data(), value->value().size());
  options.language = ParseLanguage(text);
  if (!options.language) {
    return BadOption(QStringLiteral("--language takes de or en, not \"%1\"").arg(text));
  }
  return true;
}

// The window's own options: --minimized, --openrgb-server[=PORT], --language; false for any
// other word.
Result<bool> TakeWindowOption(std::span<const std::string_view> words, std::size_t& at,
                              AppOptions& options) {
  const QString argument = QString::fromUtf8(words[at].data(), words[at].size());
  if (argument == QLatin1String("--minimized")) {
    options.minimized = true;
    return true;
  }
  auto openrgb = TakeOpenRgbServer(argument, options);
  if (!openrgb.ok() || *openrgb) {
    return openrgb;
  }
  return TakeLanguage(words, at, options);
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
  std::vector<std::string> owned;
  for (qsizetype index = 1; index < arguments.size(); ++index) {
    owned.push_back(arguments[index].toStdString());
  }
  const std::vector<std::string_view> words(owned.begin(), owned.end());
  AppOptions options;
  for (std::size_t at = 0; at < words.size(); ++at) {
    if (auto shared = options.Take(words, at)) {
      if (!shared->ok()) {
        return shared->error();
      }
      continue;
    }
    auto taken = TakeWindowOption(words, at, options);
    if (!taken.ok()) {
      return taken.error();
    }
    if (!*taken) {
      return BadOption(
          QStringLiteral("unknown option \"%1\"").arg(QString::fromStdString(owned[at])));
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
