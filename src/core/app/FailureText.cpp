#include "app/FailureText.h"

#include <string_view>

namespace n240qx {

namespace {

std::string_view GermanReason(ErrorCode code) {
  switch (code) {
    case ErrorCode::kNotFound:
      return "Tastatur oder Datei nicht gefunden.";
    case ErrorCode::kPermissionDenied:
      return "Zugriff verweigert: bitte die udev-Regel installieren, siehe README.";
    case ErrorCode::kIo:
      return "Fehler bei der \u00DCbertragung oder beim Dateizugriff.";
    case ErrorCode::kTimeout:
      return "Die Tastatur hat nicht rechtzeitig geantwortet.";
    case ErrorCode::kDisconnected:
      return "Die Tastatur wurde w\u00E4hrenddessen getrennt.";
    case ErrorCode::kNotOpen:
      return "Die Tastatur ist nicht ge\u00F6ffnet.";
    case ErrorCode::kBadData:
      return "Die Daten sind besch\u00E4digt.";
    case ErrorCode::kInvalidArgument:
      return "Ung\u00FCltige Angabe.";
  }
  return "Unbekannter Fehler.";
}

}  // namespace

std::string FailureText(const Texts& texts, TextId what, const Error& error) {
  std::string text(texts.Get(what));
  if (texts.language() == Language::kGerman) {
    return text.append(GermanReason(error.code));
  }
  return text.append(error.message);
}

}  // namespace n240qx
