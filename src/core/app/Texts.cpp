#include "app/Texts.h"

#include <array>
#include <cstddef>

#include "app/ProgramVersion.h"
#include "util/TextTable.h"

namespace n240qx {

namespace {

// Texts the keyboard's tools showed only in English stay English in both languages ("REPORT
// RATE", "Macro", the no-keyboard balloon); the rows from the updater message on are our own.
constexpr std::array<TextRow<TextId>, static_cast<std::size_t>(TextId::kCount)> kTexts{{
    {TextId::kWindowTitle, "BRAXLEN ZELKA KEYBOARD N240QX", "BRAXLEN ZELKA KEYBOARD N240QX"},
    {TextId::kApply, "Apply", "Anwenden"},
    {TextId::kProfile, "Profile", "Profil"},
    {TextId::kMacro, "Macro", "Macro"},
    {TextId::kTrayExit, "Exit", "Beenden"},
    {TextId::kNoKeyboardTitle, "Warning", "Warning"},
    {TextId::kNoKeyboardMessage, "No Gaming Keyboard\uFF01", "No Gaming Keyboard\uFF01"},
    {TextId::kHelpResetSettings, "Reset settings", "Einstellung zur\u00FCcksetzen"},
    {TextId::kHelpFirmwareUpdate, "Firmware update", "Firmware aktualisieren"},
    // The version is this program's own, the one its package and --version carry.
    {TextId::kSoftwareVersion, "Software Version: " N240QX_RELEASE,
     "Softwareversion: " N240QX_RELEASE},
    {TextId::kGameMode, "GAME MODE", "Spielmodus"},
    {TextId::kWindowsKeyLock, "WINDOWS KEY LOCK", "Windowstasten sperren"},
    {TextId::kResponseTime, "RESPONSE TIME", "Wiederholrate"},
    {TextId::kReportRate, "REPORT RATE", "REPORT RATE"},
    {TextId::kFirmwareUpdateTitle, "Firmware Update", "Firmware aktualisieren"},
    {TextId::kFirmwareUpdateQuestion, "Update new firmware\uFF1F",
     "Es ist eine neue Firmware verf\u00FCgbar. M\u00F6chtest Du sie aktualisieren?"},
    {TextId::kFactoryResetTitle, "Factory Setting", "Werkseinstellungen"},
    {TextId::kFactoryResetQuestion, "Confirm to return Factory Setting?",
     "Bitte best\u00E4tige das Zur\u00FCcksetzen auf die Werkseinstellungen?"},
    {TextId::kUpdaterNotStarted,
     "The firmware updater could not be started: it is not installed beside the program.",
     "Das Firmware-Aktualisierungsprogramm konnte nicht gestartet werden: es ist nicht neben "
     "dem Programm installiert."},
    {TextId::kDeviceBusy, "Please wait, the keyboard is busy\u2026",
     "Bitte warten, die Tastatur ist besch\u00E4ftigt\u2026"},
    {TextId::kBusyWithAnotherProgram, "Waiting: the keyboard is busy with another program\u2026",
     "Warten: die Tastatur wird von einem anderen Programm verwendet\u2026"},
    {TextId::kKeyboardNotPermitted,
     "The keyboard is attached, but this user may not open it. Install the udev rule:",
     "Die Tastatur ist angeschlossen, aber dieser Benutzer darf sie nicht \u00F6ffnen. "
     "Installiere die udev-Regel:"},
    // Shown in the title strip while the built-in simulator stands in for the keyboard.
    {TextId::kSimulatedKeyboard, "Simulated keyboard", "Simulierte Tastatur"},
    // A failed keyboard sequence or file write: the error's own message follows the text.
    {TextId::kReadFailed,
     "The keyboard could not be read: ", "Die Tastatur konnte nicht gelesen werden: "},
    {TextId::kWriteFailed,
     "The changes were not applied: ", "Die \u00C4nderungen wurden nicht \u00FCbernommen: "},
    {TextId::kResetFailed, "The factory reset failed: ",
     "Das Zur\u00FCcksetzen auf die Werkseinstellungen ist fehlgeschlagen: "},
    {TextId::kSaveFailed,
     "The settings file was not saved: ", "Die Einstellungsdatei wurde nicht gespeichert: "},
    {TextId::kHotplugFailed, "Plugging the keyboard in or out will go unnoticed: ",
     "Das Ein- und Ausstecken der Tastatur bleibt unbemerkt: "},
    // The tray menu's check item that writes or removes the desktop's autostart entry.
    {TextId::kTrayStartWithDesktop, "Start with the desktop", "Mit dem Desktop starten"},
    {TextId::kAutostartFailed, "Starting with the desktop could not be changed: ",
     "Der Start mit dem Desktop konnte nicht ge\u00E4ndert werden: "},
    // The tray menu's check item that serves the keyboard to OpenRGB's clients.
    {TextId::kTrayOpenRgbServer, "OpenRGB SDK server", "OpenRGB-SDK-Server"},
    {TextId::kTrayProfiles, "Profiles", "Profile"},
    {TextId::kTrayNoProfiles, "No profiles", "Keine Profile"},
    {TextId::kTrayLightsOffWhenLocked, "Lights off when the screen locks",
     "Licht aus bei gesperrtem Bildschirm"},
    {TextId::kTrayLightsOffBeforeSuspend, "Lights off before suspend",
     "Licht aus vor dem Ruhezustand"},
    // A submenu: never, or after a number of minutes, which comes between kTrayIdleAfter and
    // kTrayIdleMinutes; kTrayIdleNotReported stands alone in it where the desktop is silent.
    {TextId::kTrayLightsOffWhenIdle, "Lights off when idle", "Licht aus bei Inaktivit\u00E4t"},
    {TextId::kTrayIdleNever, "Never", "Nie"},
    {TextId::kTrayIdleAfter, "After ", "Nach "},
    {TextId::kTrayIdleMinutes, " minutes", " Minuten"},
    {TextId::kTrayIdleNotReported, "This desktop does not report idle time",
     "Diese Arbeitsumgebung meldet keine Inaktivit\u00E4t"},
    {TextId::kTrayNotifications, "Notifications", "Benachrichtigungen"},
    // The profile's name follows the heading.
    {TextId::kProfileAppliedNotice, "Profile applied: ", "Profil angewendet: "},
    {TextId::kChosenInTheTray, "Chosen in the tray menu",
     "Im Men\u00FC des Infobereichs gew\u00E4hlt"},
    {TextId::kChosenByProfileKey, "Chosen with a profile key",
     "Mit einer Profiltaste gew\u00E4hlt"},
    {TextId::kProfileNotApplied,
     "The profile was not applied: ", "Das Profil wurde nicht angewendet: "},
    // The About box, from the tray menu and the help window.
    {TextId::kAbout, "About", "\u00DCber"},
    {TextId::kAboutVersion, "Version ", "Version "},
    {TextId::kAboutLicence, "Licence: ", "Lizenz: "},
    {TextId::kAboutFirmware, "Keyboard firmware: ", "Tastatur-Firmware: "},
    {TextId::kAboutFirmwareUnknown, "not read yet", "noch nicht gelesen"},
    // The parts of a write, joined by commas; a count of keys comes before kChangeKeys.
    {TextId::kApplyWillSend, "Apply: ", "Anwenden: "},
    {TextId::kChangeFactoryReset, "factory reset", "Werkseinstellungen"},
    {TextId::kChangeLighting, "lighting", "Beleuchtung"},
    {TextId::kChangeKeyColours, "key colours", "Tastenfarben"},
    {TextId::kChangeOneKey, "1 key", "1 Taste"},
    {TextId::kChangeKeys, " keys", " Tasten"},
    {TextId::kChangeMacros, "macros", "Makros"},
    {TextId::kChangeGameMode, "game mode", "Spielmodus"},
    {TextId::kChangeWindowsKeyLock, "Windows key lock", "Windowstastensperre"},
    {TextId::kChangeReportRate, "report rate", "Abfragerate"},
    {TextId::kChangeResponseTime, "response time", "Wiederholrate"},
    {TextId::kBackupFailed, "Nothing was sent, the backup could not be saved: ",
     "Es wurde nichts gesendet, die Sicherung konnte nicht gespeichert werden: "},
    {TextId::kSendWithoutBackup, "Send without a backup?", "Ohne Sicherung senden?"},
    {TextId::kSendWithoutBackupTitle, "No backup", "Keine Sicherung"},
    {TextId::kLaunchPathsTitle, "Launch actions", "Startaktionen"},
    {TextId::kLaunchPathsListed, "This profile makes keys start programs or open files:",
     "Dieses Profil l\u00E4sst Tasten Programme starten oder Dateien \u00F6ffnen:"},
    {TextId::kLaunchPathsTake, "Import it with these launch actions?",
     "Mit diesen Startaktionen importieren?"},
    {TextId::kCloseQuestion, "Some changes have not been sent to the keyboard yet.",
     "Einige \u00C4nderungen wurden noch nicht an die Tastatur gesendet."},
    {TextId::kCloseApply, "Apply", "\u00DCbernehmen"},
    {TextId::kCloseDiscard, "Discard", "Verwerfen"},
    {TextId::kCloseCancel, "Cancel", "Abbrechen"},
    {TextId::kReadAgainBeforeApply,
     "Another program changed the keyboard: it was read again, and your changes were applied "
     "on top",
     "Ein anderes Programm hat die Tastatur ge\u00E4ndert: sie wurde neu gelesen, und Ihre "
     "\u00C4nderungen wurden dar\u00FCber angewendet"},
    {TextId::kFeedbackApplied, "Applied: ", "Angewendet: "},
    {TextId::kFeedbackExported, "Exported to ", "Exportiert nach "},
    {TextId::kFeedbackImported, "Imported: ", "Importiert: "},
    {TextId::kFeedbackRenamed, "Renamed to ", "Umbenannt in "},
    {TextId::kFeedbackRestored, "Restored the settings the keyboard holds",
     "Die Einstellungen der Tastatur sind wiederhergestellt"},
    {TextId::kFeedbackFactoryReset, "The keyboard is back to its factory settings",
     "Die Tastatur hat wieder ihre Werkseinstellungen"},
    {TextId::kButtonOk, "OK", "OK"},
    {TextId::kButtonCancel, "Cancel", "Abbrechen"},
    {TextId::kRuleProfile, "Profile ", "Profil "},
    {TextId::kRuleChoseProfile, " by rule ", " durch Regel "},
    {TextId::kRuleDefaultProfile, " as the rules' default", " als Vorgabe der Regeln"},
    {TextId::kRuleWaitsForSequence, " waits for the keyboard", " wartet auf die Tastatur"},
    {TextId::kRuleWaitsForDialog, " waits for the open dialog", " wartet auf den offenen Dialog"},
    {TextId::kRuleWaitsForEdits, " waits: apply or undo your changes",
     " wartet: \u00DCbernimm oder verwirf Deine \u00C4nderungen"},
    {TextId::kRuleSwitchFailed,
     "The rules' profile was not applied: ", "Das Profil der Regeln wurde nicht angewendet: "},
    {TextId::kTrayRules, "Rules", "Regeln"},
    {TextId::kTrayNoRules, "No rules", "Keine Regeln"},
    {TextId::kTrayRulesDefault, "Default: ", "Vorgabe: "},
    {TextId::kFeedbackProfileKey,
     "Applied by the profile key: ", "Von der Profiltaste angewendet: "},
    {TextId::kProfileKeyBusy, "Profile key not carried out: the keyboard is being read or written",
     "Profiltaste nicht ausgef\u00FChrt: die Tastatur wird gerade gelesen oder geschrieben"},
    {TextId::kProfileKeyDialogOpen, "Profile key not carried out: close the open dialog first",
     "Profiltaste nicht ausgef\u00FChrt: erst den offenen Dialog schlie\u00DFen"},
    {TextId::kProfileKeyUnappliedEdits,
     "Profile key not carried out: apply or undo your changes first",
     "Profiltaste nicht ausgef\u00FChrt: erst Ihre \u00C4nderungen anwenden oder "
     "r\u00FCckg\u00E4ngig machen"},
    {TextId::kProfileKeyNoProfiles, "Profile key: the profile library is empty",
     "Profiltaste: die Profilbibliothek ist leer"},
    {TextId::kProfileKeyMissing, "Profile key: there is no stored profile ",
     "Profiltaste: es gibt kein gespeichertes Profil "},
    {TextId::kProfileKeyFailed, "The profile key's profile was not applied",
     "Das Profil der Profiltaste wurde nicht angewendet"},
}};

static_assert(RowsFollowIds(kTexts), "one row per TextId, in the enum's order");

}  // namespace

std::string_view Texts::Lookup(TextId id, Language language) {
  return LookupText(kTexts, id, language);
}

}  // namespace n240qx
