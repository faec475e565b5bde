#include "dialogs/KeyDialogTexts.h"

#include <array>
#include <cstddef>

#include "util/TextTable.h"

namespace n240qx {

namespace {

constexpr std::array<TextRow<KeyDialogText>, static_cast<std::size_t>(KeyDialogText::kCount)>
    kTexts{{
        {KeyDialogText::kWindowTitle, "Key assignment", "Tastenbelegung"},
        {KeyDialogText::kSelectedKey, "Selected key:", "Ausgewählte Taste:"},
        {KeyDialogText::kTabSingleCombine, "Single/Combine", "Single/Combine"},
        {KeyDialogText::kTabMacro, "Macro", "Macro"},
        {KeyDialogText::kTabBasic, "Basic", "Einfach"},
        {KeyDialogText::kTabAdvance, "Advance", "Fortgeschritten"},
        {KeyDialogText::kSingle, "Single", "Einzeln"},
        {KeyDialogText::kCombine, "Combine", "Kombiniere"},
        {KeyDialogText::kDisableKey, "Disable key", "Deaktivieren Taste"},
        {KeyDialogText::kReset, "Reset", "Rücksetzen"},
        {KeyDialogText::kClose, "Close", "Schließen"},
        {KeyDialogText::kSave, "Save", "Speichern"},
        {KeyDialogText::kPlayMusic, "Play music", "Spiel Musik"},
        {KeyDialogText::kStartup, "Startup", "Autostart"},
        {KeyDialogText::kOpenFile, "Open file", "Datei öffnen"},
        {KeyDialogText::kOpenFolder, "Open folder", "Ordner öffnen"},
        {KeyDialogText::kSelectSubItem, "Please select Sub item", "Bitte wähle ein ??? aus"},
        {KeyDialogText::kSelectFolder, "Please select a folder", "Bitte wähle einen Ordner aus"},
        {KeyDialogText::kFolderChoiceTitle, "modification path", "modification path"},
        {KeyDialogText::kAllFiles, "All files (*)", "Alle Dateien (*)"},
        {KeyDialogText::kPathTooLong, "The path is too long: at most 255 characters fit.",
         "Der Pfad ist zu lang: höchstens 255 Zeichen passen."},
        {KeyDialogText::kPathControlCharacter, "A path cannot hold control characters.",
         "Ein Pfad kann keine Steuerzeichen enthalten."},
        {KeyDialogText::kFocusedCaptureOnly,
         "Keys are captured only while this dialog has the focus.",
         "Tasten werden nur erfasst, solange dieser Dialog den Fokus hat."},
        {KeyDialogText::kCannotSendKey, "The keyboard cannot send this key.",
         "Die Tastatur kann diese Taste nicht senden."},
        {KeyDialogText::kLimitNotX11, "The window system is not X11.",
         "Das Fenstersystem ist nicht X11."},
        {KeyDialogText::kLimitWayland, "This desktop runs a Wayland session.",
         "Dieser Desktop läuft als Wayland-Sitzung."},
        {KeyDialogText::kLimitNoDisplay, "The X display cannot be opened.",
         "Das X-Display lässt sich nicht öffnen."},
        {KeyDialogText::kLimitNoXInput22, "The X server has no XInput 2.2.",
         "Der X-Server hat kein XInput 2.2."},
        {KeyDialogText::kDesktopShortcuts, "Shortcuts the desktop keeps cannot be captured:",
         "Kürzel, die der Desktop behält, sind nicht erfassbar:"},
        {KeyDialogText::kDesktopShortcutKeys, "Super, Alt+Tab, Ctrl+Alt+Del, Print.",
         "Super, Alt+Tab, Strg+Alt+Entf, Druck."},
        {KeyDialogText::kProfileKeys, "Profiles and lights ...", "Profile und Beleuchtung ..."},
        {KeyDialogText::kApplyProfile, "Profile: ", "Profil: "},
        {KeyDialogText::kNextProfile, "Next profile", "Nächstes Profil"},
        {KeyDialogText::kPreviousProfile, "Previous profile", "Vorheriges Profil"},
        {KeyDialogText::kToggleLights, "Lights on/off", "Beleuchtung an/aus"},
    }};
static_assert(RowsFollowIds(kTexts), "one row per text, in the order of KeyDialogText");

}  // namespace

std::string_view KeyDialogTexts::Get(KeyDialogText text, Language language) {
  return LookupText(kTexts, text, language);
}

std::string KeyDialogTexts::HostActionText(const HostAction& action, Language language) {
  switch (action.kind) {
    case HostActionKind::kApplyProfile:
      return std::string(Get(KeyDialogText::kApplyProfile, language)) + action.profile;
    case HostActionKind::kNextProfile:
      return std::string(Get(KeyDialogText::kNextProfile, language));
    case HostActionKind::kPreviousProfile:
      return std::string(Get(KeyDialogText::kPreviousProfile, language));
    case HostActionKind::kToggleLights:
      break;
  }
  return std::string(Get(KeyDialogText::kToggleLights, language));
}

}  // namespace n240qx
