#pragma once

namespace n240qx {

// Every user-visible text of the main window, its help window, the performance panel, the
// firmware prompt and the factory reset; Texts gives each in English and German.
enum class TextId {
  kWindowTitle,
  kApply,
  kProfile,
  kMacro,
  kTrayExit,
  kNoKeyboardTitle,
  kNoKeyboardMessage,
  kHelpResetSettings,
  kHelpFirmwareUpdate,
  kSoftwareVersion,
  kGameMode,
  kWindowsKeyLock,
  kResponseTime,
  kReportRate,
  kFirmwareUpdateTitle,
  kFirmwareUpdateQuestion,
  kFactoryResetTitle,
  kFactoryResetQuestion,
  kUpdaterNotStarted,
  kDeviceBusy,
  kBusyWithAnotherProgram,
  kKeyboardNotPermitted,
  kSimulatedKeyboard,
  kReadFailed,
  kWriteFailed,
  kResetFailed,
  kSaveFailed,
  kHotplugFailed,
  kTrayStartWithDesktop,
  kAutostartFailed,
  kTrayOpenRgbServer,
  // The tray's library submenu, its empty entry and the options that follow the desktop.
  kTrayProfiles,
  kTrayNoProfiles,
  kTrayLightsOffWhenLocked,
  kTrayLightsOffBeforeSuspend,
  kTrayNotifications,
  // A desktop notification's heading and why, and a profile that was not applied.
  kProfileAppliedNotice,
  kChosenInTheTray,
  kProfileNotApplied,
  kAbout,
  kAboutVersion,
  kAboutLicence,
  kAboutFirmware,
  kAboutFirmwareUnknown,
  // What Apply will send, beside the Apply button, and what a backup's write changed.
  kApplyWillSend,
  kChangeFactoryReset,
  kChangeLighting,
  kChangeKeyColours,
  kChangeOneKey,
  kChangeKeys,
  kChangeMacros,
  kChangeGameMode,
  kChangeWindowsKeyLock,
  kChangeReportRate,
  kChangeResponseTime,
  kBackupFailed,
  // A backup that cannot be saved: the question whether to send anyway, and its title.
  kSendWithoutBackup,
  kSendWithoutBackupTitle,
  // An imported profile that adds or changes launch paths: title, the list's heading, question.
  kLaunchPathsTitle,
  kLaunchPathsListed,
  kLaunchPathsTake,
  // Ending with unapplied edits: the question and its three buttons.
  kCloseQuestion,
  kCloseApply,
  kCloseDiscard,
  kCloseCancel,
  kReadAgainBeforeApply,
  // What the last action did; a detail (changes, file, name) follows the first four.
  kFeedbackApplied,
  kFeedbackExported,
  kFeedbackImported,
  kFeedbackRenamed,
  kFeedbackRestored,
  kFeedbackFactoryReset,
  // The buttons of the window's message boxes: Qt's standard buttons would stay English.
  kButtonOk,
  kButtonCancel,
  // What the profile rules did: "Profile NAME" then who chose it or what it waits for.
  kRuleProfile,
  kRuleChoseProfile,
  kRuleDefaultProfile,
  kRuleWaitsForSequence,
  kRuleWaitsForDialog,
  kRuleWaitsForEdits,
  kRuleSwitchFailed,
  // The tray menu's list of the rules, and its default's line.
  kTrayRules,
  kTrayNoRules,
  kTrayRulesDefault,
  // A key with a host action: the profile it applied, and why it did nothing; the missing
  // profile's name follows kProfileKeyMissing.
  kFeedbackProfileKey,
  kProfileKeyBusy,
  kProfileKeyDialogOpen,
  kProfileKeyUnappliedEdits,
  kProfileKeyNoProfiles,
  kProfileKeyMissing,
  kProfileKeyFailed,
  kCount,  // not a text: the number of texts
};

}  // namespace n240qx
