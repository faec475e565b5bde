#pragma once

#include <QString>
#include <QStringList>
#include <filesystem>
#include <optional>

#include "app/SharedOptions.h"
#include "util/Language.h"
#include "util/Result.h"

namespace n240qx {

// Where OpenRGB's clients look first ("ORGB" on a telephone keypad).
inline constexpr quint16 kDefaultOpenRgbPort = 6742;

// The window program's command line.
struct AppOptions : SharedOptions {
  std::optional<Language> language;  // --language de|en
  // --minimized: start hidden in the tray (how the autostart entry starts the program).
  bool minimized = false;
  // --openrgb-server[=PORT]: serve the OpenRGB SDK on 127.0.0.1 (port 6742 by default).
  std::optional<quint16> openrgb_port;
};

// `arguments` as QCoreApplication::arguments() gives them, the program's own path first.
// kInvalidArgument names the option that was not understood.
Result<AppOptions> ParseAppOptions(const QStringList& arguments);

// "de" / "german" / "7" and "en" / "english" / "9", in any case; nothing for anything else.
std::optional<Language> ParseLanguage(const QString& value);

QString AppUsage();
// "n240qx VERSION", for --version.
QString AppVersionLine();
// What --help or --version print, when the command line asks for either; nothing otherwise.
std::optional<QString> InformationText(const AppOptions& options);

}  // namespace n240qx
