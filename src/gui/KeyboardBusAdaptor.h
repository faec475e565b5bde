#pragma once

#include <QByteArray>
#include <QDBusConnection>
#include <QDBusContext>
#include <QMap>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

#include "app/KeyboardBusModel.h"
#include "app/KeyboardBusWrites.h"
#include "app/ProgramPaths.h"
#include "config/DiskProfileFiles.h"
#include "util/Result.h"

namespace n240qx {

// Set's a{ss}: settings by the names `set` takes.
using BusSettings = QMap<QString, QString>;

// The keyboard's object on the session bus: its properties, methods and signals as the
// interface names them. The rules are KeyboardBusModel's; this class forwards calls to the
// window and holds back the replies of writes until the keyboard has acknowledged them.
class KeyboardBusAdaptor : public QObject, protected QDBusContext {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "io.github.n240qx.Configurator.Keyboard1")
  Q_PROPERTY(bool Connected READ Connected)
  Q_PROPERTY(bool Simulated READ Simulated)
  Q_PROPERTY(QString Firmware READ Firmware)
  Q_PROPERTY(QString Effect READ Effect)
  Q_PROPERTY(int Speed READ Speed)
  Q_PROPERTY(int Brightness READ Brightness)
  Q_PROPERTY(int Direction READ Direction)
  Q_PROPERTY(int ColourChoice READ ColourChoice)
  Q_PROPERTY(QStringList ColourSlots READ ColourSlots)
  Q_PROPERTY(int GameMode READ GameMode)
  Q_PROPERTY(int WindowsKeyLock READ WindowsKeyLock)
  Q_PROPERTY(int ReportRate READ ReportRate)
  Q_PROPERTY(int ResponseTime READ ResponseTime)
  Q_PROPERTY(bool UnappliedEdits READ UnappliedEdits)
  Q_PROPERTY(QString ActiveProfile READ ActiveProfile)
  Q_PROPERTY(QStringList ProfileNames READ ProfileNames)

 public:
  static constexpr const char* kInterface = "io.github.n240qx.Configurator.Keyboard1";
  static constexpr const char* kPath = "/io/github/n240qx/Configurator/Keyboard";

  using WriteDone = std::function<void(const Status& status)>;
  struct Window {
    std::function<KeyboardBusProperties()> properties;
    // What the window is doing, for the refusals.
    std::function<KeyboardBusWindow()> activity;
    // What the keyboard holds as last read or written, as `read --json` prints it.
    std::function<std::string()> profile_json;
    // Makes the change through the window's write of changes; `done` follows its end.
    std::function<void(const std::function<Status(ConfiguratorState&)>& change, bool discard_edits,
                       WriteDone done)>
        write;
    // A change of the window's stores (the stored macros) made at once, with no keyboard write.
    std::function<Status(const std::function<Status(ConfiguratorState&)>& change,
                         bool discard_edits)>
        change_stores;
    // The factory reset, on the same terms as `write`.
    std::function<void(bool discard_edits, WriteDone done)> reset;
    // A stored profile of the library has been applied.
    std::function<void(const std::string& name)> profile_applied;
    const KeyNameTable* key_names = nullptr;
    const ProgramPaths* paths = nullptr;
  };

  // `bus` carries PropertiesChanged.
  KeyboardBusAdaptor(Window window, QDBusConnection bus, QObject* parent = nullptr);

  bool Connected() const { return Now().connected; }
  bool Simulated() const { return Now().simulated; }
  QString Firmware() const { return QString::fromStdString(Now().firmware); }
  QString Effect() const { return QString::fromStdString(Now().effect); }
  int Speed() const { return Now().speed; }
  int Brightness() const { return Now().brightness; }
  int Direction() const { return Now().direction; }
  int ColourChoice() const { return Now().colour_choice; }
  QStringList ColourSlots() const;
  int GameMode() const { return Now().game_mode; }
  int WindowsKeyLock() const { return Now().windows_key_lock; }
  int ReportRate() const { return Now().report_rate; }
  int ResponseTime() const { return Now().response_time; }
  bool UnappliedEdits() const { return Now().unapplied_edits; }
  QString ActiveProfile() const { return QString::fromStdString(Now().active_profile); }
  QStringList ProfileNames() const;

  // PropertiesChanged with the properties that differ from those last published; nothing when
  // none does. Called where a route or a sequence ends, never on a timer.
  void PublishChanges();

 public slots:
  QString ReadProfile();
  // Spelt out, not BusSettings: the bus finds a slot's types by the name moc writes down.
  void Set(const QMap<QString, QString>& settings, bool discard_edits);
  // A binary profile or the JSON ReadProfile gives, checked and refused as `apply` does.
  void ApplyProfile(const QByteArray& data, bool discard_edits);
  void ApplyStoredProfile(const QString& name, bool discard_edits);
  // `assign`'s words: KEY, then ACTION [KEY ACTION ...].
  void Assign(const QString& key, const QStringList& words, bool discard_edits);
  void FactoryReset(bool discard_edits);
  // The backups' file names, newest first: `Restore("1")` is the first.
  QStringList ListBackups();
  // A backup by number (1 for the newest) or file name.
  void Restore(const QString& backup, bool discard_edits);
  // `profile import FILE` (an absolute name) on the window's configuration, which then holds it
  // as unapplied edits, as after the profile dialog's Import: the name it is kept under.
  QString ImportProfile(const QString& file, bool discard_edits);
  // `macro`'s change words, made on the window's stored macros, which it saves: the line the
  // tool prints, and the warnings in `warnings`.
  QString ChangeMacros(const QStringList& words, bool discard_edits, QStringList& warnings);

 signals:
  void ProfileApplied(const QString& name);
  void LaunchKeyPressed(const QString& key);
  void KeyboardPresence(bool present);

 private:
  KeyboardBusProperties Now() const { return window_.properties(); }
  // The call being served gets its reply once `done` is told the write's end.
  WriteDone DelayReply();
  // The same for a reply that carries `answer` on success.
  using Answer = std::function<void(const Status& status, const QList<QVariant>& answer)>;
  Answer DelayAnswer();
  // After a change of the stored macros: their records to the keyboard, then the reply.
  void SendMacroRecords(const QString& line, const QStringList& warnings);
  void ReplyError(const Error& error);
  // `change` made through the window's write once the window may write for the caller;
  // `applied` runs when the keyboard has it, before the reply.
  void Write(const Result<KeyboardBusWrites::Change>& change, bool discard_edits,
             std::function<void()> applied = {});

  Window window_;
  QDBusConnection bus_;
  KeyboardBusModel model_;
  DiskProfileFiles files_;
};

}  // namespace n240qx
