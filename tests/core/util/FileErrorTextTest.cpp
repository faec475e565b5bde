#include <gtest/gtest.h>

#include <cerrno>
#include <cstring>
#include <string>

#include "util/FileErrorText.h"

namespace n240qx {
namespace {

// The tool keeps the system's words; the window words the errors a user can act on, and any
// other keeps the system's text after its own.
TEST(FileErrorText, CommonSystemErrorsHaveGermanWordsAndOthersKeepTheSystemText) {
  const struct {
    int os_error;
    std::string german;
  } kCases[] = {
      {ENOENT, "Datei nicht gefunden"},
      {EACCES, "Zugriff verweigert"},
      {EISDIR, "ein Ordner, keine Datei"},
      {ENOTDIR, "ein Teil des Pfads ist kein Ordner"},
      {ENOTEMPTY, "der Ordner ist nicht leer"},
      {ENOSPC, "kein Platz mehr auf dem Datentr\u00E4ger"},
      {EROFS, "schreibgesch\u00FCtztes Dateisystem"},
      {EFBIG, "Datei zu gro\u00DF"},
      {EIO, std::string("Systemfehler: ") + std::strerror(EIO)},
  };
  for (const auto& c : kCases) {
    EXPECT_EQ(FileErrorText::Reason(c.os_error, Language::kEnglish), std::strerror(c.os_error));
    EXPECT_EQ(FileErrorText::Reason(c.os_error, Language::kGerman), c.german);
  }
}

}  // namespace
}  // namespace n240qx
