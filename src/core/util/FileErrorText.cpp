#include "util/FileErrorText.h"

#include <cerrno>
#include <cstring>
#include <string_view>

namespace n240qx {

namespace {

std::string_view GermanReason(int os_error) {
  switch (os_error) {
    case ENOENT:
      return "Datei nicht gefunden";
    case EACCES:
    case EPERM:
      return "Zugriff verweigert";
    case EISDIR:
      return "ein Ordner, keine Datei";
    case ENOTDIR:
      return "ein Teil des Pfads ist kein Ordner";
    case ENOTEMPTY:
      return "der Ordner ist nicht leer";
    case ENOSPC:
    case EDQUOT:
      return "kein Platz mehr auf dem Datentr\u00E4ger";
    case EROFS:
      return "schreibgesch\u00FCtztes Dateisystem";
    case EFBIG:
      return "Datei zu gro\u00DF";
    default:
      return {};
  }
}

std::string_view Verb(FileAction action, Language language) {
  const bool german = language == Language::kGerman;
  switch (action) {
    case FileAction::kRead:
      return german ? "kann nicht gelesen werden" : "cannot read";
    case FileAction::kWrite:
      return german ? "kann nicht geschrieben werden" : "cannot write";
    case FileAction::kReplace:
      break;
  }
  return german ? "kann nicht ersetzt werden" : "cannot replace";
}

Error OnPath(ErrorCode code, std::string what, const std::filesystem::path& path) {
  return Error{code, what + ": " + path.string()};
}

}  // namespace

std::string FileErrorText::Reason(int os_error, Language language) {
  const std::string system = std::strerror(os_error);
  if (language != Language::kGerman) {
    return system;
  }
  const std::string_view german = GermanReason(os_error);
  return german.empty() ? "Systemfehler: " + system : std::string(german);
}

Error FileErrorText::Failed(FileAction action, int os_error, const std::filesystem::path& path,
                            Language language) {
  // A folder that takes no new file is the user's to change; a refused read or rename stays an
  // input/output failure, as callers branch on it.
  const bool denied = action == FileAction::kWrite && os_error == EACCES;
  return OnPath(denied ? ErrorCode::kPermissionDenied : ErrorCode::kIo,
                std::string(Verb(action, language)) + " (" + Reason(os_error, language) + ")",
                path);
}

Error FileErrorText::Missing(const std::filesystem::path& path, Language language) {
  return OnPath(ErrorCode::kNotFound,
                language == Language::kGerman ? "Datei nicht gefunden" : "no such file", path);
}

Error FileErrorText::NotPlainFile(FileAction action, const std::filesystem::path& path, bool folder,
                                  Language language) {
  const bool german = language == Language::kGerman;
  if (action == FileAction::kRead) {
    return OnPath(ErrorCode::kBadData,
                  german ? "keine gew\u00F6hnliche Datei, daher nicht gelesen"
                         : "not a plain file, so not read",
                  path);
  }
  if (folder) {
    return OnPath(ErrorCode::kInvalidArgument,
                  german ? "ein Ordner, keine Datei" : "a folder, not a file", path);
  }
  return OnPath(ErrorCode::kInvalidArgument,
                german ? "keine gew\u00F6hnliche Datei" : "not a plain file", path);
}

}  // namespace n240qx
