#include "gui/KeyboardBusAdaptor.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QVariantMap>
#include <map>
#include <optional>

#include "app/ProfileTransfer.h"
#include "app/StoredMacroChange.h"
#include "config/ProfileStore.h"

namespace n240qx {

namespace {

QStringList ToQStringList(const std::vector<std::string>& texts) {
  QStringList list;
  for (const std::string& text : texts) {
    list.push_back(QString::fromStdString(text));
  }
  return list;
}

std::vector<std::string> ToStrings(const QStringList& list) {
  std::vector<std::string> texts;
  for (const QString& text : list) {
    texts.push_back(text.toStdString());
  }
  return texts;
}

struct ToVariant {
  QVariant operator()(bool value) const { return value; }
  QVariant operator()(int value) const { return value; }
  QVariant operator()(const std::string& value) const { return QString::fromStdString(value); }
  QVariant operator()(const std::vector<std::string>& value) const { return ToQStringList(value); }
};

}  // namespace

KeyboardBusAdaptor::KeyboardBusAdaptor(Window window, QDBusConnection bus, QObject* parent)
    : QObject(parent), window_(std::move(window)), bus_(std::move(bus)) {
  // Before the object is exported: Set's a{ss} is no type the bus knows by itself.
  qDBusRegisterMetaType<BusSettings>();
  // What a caller's first PropertiesChanged is measured against.
  (void)model_.Publish(Now());
}

QStringList KeyboardBusAdaptor::ColourSlots() const {
  return ToQStringList(Now().colour_slots);
}

QStringList KeyboardBusAdaptor::ProfileNames() const {
  return ToQStringList(Now().profile_names);
}

void KeyboardBusAdaptor::PublishChanges() {
  const std::vector<KeyboardBusProperty> changed = model_.Publish(Now());
  if (changed.empty()) {
    return;
  }
  QVariantMap values;
  for (const KeyboardBusProperty& property : changed) {
    values.insert(
        QString::fromUtf8(property.name.data(), static_cast<qsizetype>(property.name.size())),
        std::visit(ToVariant(), property.value));
  }
  QDBusMessage signal = QDBusMessage::createSignal(
      QString::fromLatin1(kPath), QStringLiteral("org.freedesktop.DBus.Properties"),
      QStringLiteral("PropertiesChanged"));
  signal << QString::fromLatin1(kInterface) << values << QStringList();
  bus_.send(signal);
}

QString KeyboardBusAdaptor::ReadProfile() {
  return QString::fromStdString(window_.profile_json());
}

void KeyboardBusAdaptor::Set(const QMap<QString, QString>& settings, bool discard_edits) {
  std::map<std::string, std::string> named;
  for (auto at = settings.begin(); at != settings.end(); ++at) {
    named[at.key().toStdString()] = at.value().toStdString();
  }
  auto changes = KeyboardBusModel::CheckSet(named, discard_edits, window_.activity());
  if (!changes.ok()) {
    ReplyError(changes.error());
    return;
  }
  window_.write(
      [changes = std::move(*changes)](ConfiguratorState& state) {
        for (const SettingChange& change : changes) {
          change(state.ImageForEditing());
        }
        return Status::Ok();
      },
      discard_edits, DelayReply());
}

void KeyboardBusAdaptor::ApplyProfile(const QByteArray& data, bool discard_edits) {
  Write(KeyboardBusWrites::Profile(
            *window_.key_names, std::vector<std::uint8_t>(data.begin(), data.end()), "the profile"),
        discard_edits);
}

void KeyboardBusAdaptor::ApplyStoredProfile(const QString& name, bool discard_edits) {
  const ProfileLibrary library(window_.paths->LibraryFolder());
  const std::string named = name.toStdString();
  Write(KeyboardBusWrites::StoredProfile(*window_.key_names, library, named), discard_edits,
        [applied = window_.profile_applied, named] { applied(named); });
}

void KeyboardBusAdaptor::Assign(const QString& key, const QStringList& words, bool discard_edits) {
  std::vector<std::string> typed = ToStrings(words);
  typed.insert(typed.begin(), key.toStdString());
  Write(KeyboardBusWrites::Assign(*window_.key_names, typed), discard_edits);
}

void KeyboardBusAdaptor::FactoryReset(bool discard_edits) {
  if (Status writable = KeyboardBusModel::CheckWrite(discard_edits, window_.activity());
      !writable.ok()) {
    ReplyError(writable.error());
    return;
  }
  window_.reset(discard_edits, DelayReply());
}

QStringList KeyboardBusAdaptor::ListBackups() {
  BackupStore store(window_.paths->BackupsFolder(), files_);
  const auto names = KeyboardBusWrites::BackupNames(store);
  if (!names.ok()) {
    ReplyError(names.error());
    return {};
  }
  return ToQStringList(*names);
}

void KeyboardBusAdaptor::Restore(const QString& backup, bool discard_edits) {
  BackupStore store(window_.paths->BackupsFolder(), files_);
  Write(KeyboardBusWrites::Restore(store, backup.toStdString()), discard_edits);
}

QString KeyboardBusAdaptor::ImportProfile(const QString& file, bool discard_edits) {
  if (Status changeable = KeyboardBusModel::CheckStoreChange(discard_edits, window_.activity());
      !changeable.ok()) {
    ReplyError(changeable.error());
    return {};
  }
  ProfileOutcome outcome;
  const Status changed = window_.change_stores(
      [&](ConfiguratorState& state) -> Status {
        ProfileStore store(window_.paths->ProfilesFolder(), files_);
        // No launch approval: launch paths from elsewhere only the window's own dialog takes.
        outcome = ProfileTransfer(state, store).Import(file.toStdString());
        // A configuration loaded but not kept stays, as in the window's own Import.
        return outcome.status.ok() || outcome.configuration_changed
                   ? Status::Ok()
                   : TransferFailure(outcome, true);
      },
      discard_edits);
  if (!changed.ok() || !outcome.status.ok()) {
    ReplyError(changed.ok() ? TransferFailure(outcome, true) : changed.error());
    return {};
  }
  return QString::fromStdString(outcome.kept->name);
}

QString KeyboardBusAdaptor::ChangeMacros(const QStringList& words, bool discard_edits,
                                         QStringList& warnings) {
  if (Status changeable = KeyboardBusModel::CheckStoreChange(discard_edits, window_.activity());
      !changeable.ok()) {
    ReplyError(changeable.error());
    return {};
  }
  std::optional<MacroWords::Done> made;
  const Status changed = window_.change_stores(
      [&, typed = ToStrings(words)](ConfiguratorState& state) -> Status {
        auto done = ChangeStoredMacros(state, typed);
        if (done.ok()) {
          made = std::move(*done);
        }
        return done.ok() ? Status::Ok() : Status(done.error());
      },
      discard_edits);
  if (!changed.ok()) {
    ReplyError(changed.error());
    return {};
  }
  warnings = ToQStringList(made->warnings);
  const QString line = QString::fromStdString(made->line);
  const KeyboardBusWindow now = window_.activity();
  if (now.connected && now.unapplied_edits) {
    SendMacroRecords(line, warnings);
  }
  return line;
}

// The change was made with no edits of the window's pending, so what differs now is the
// macros' records, which the keyboard plays: they are sent at once, or the next caller's
// write would be refused for edits nobody made in the window. The macros are saved whatever
// the write's end, as after the macro dialog's OK.
void KeyboardBusAdaptor::SendMacroRecords(const QString& line, const QStringList& warnings) {
  window_.write(
      [](ConfiguratorState&) { return Status::Ok(); }, false,
      [reply = DelayAnswer(), line, warnings](const Status& status) {
        QStringList told = warnings;
        if (!status.ok()) {
          told.push_back(QStringLiteral("the keyboard did not take the macros' records (%1); the "
                                        "next write sends them")
                             .arg(QString::fromStdString(status.error().message)));
        }
        reply(Status::Ok(), {line, told});
      });
}

void KeyboardBusAdaptor::Write(const Result<KeyboardBusWrites::Change>& change, bool discard_edits,
                               std::function<void()> applied) {
  if (!change.ok()) {
    ReplyError(change.error());
    return;
  }
  if (Status writable = KeyboardBusModel::CheckWrite(discard_edits, window_.activity());
      !writable.ok()) {
    ReplyError(writable.error());
    return;
  }
  window_.write(*change, discard_edits,
                [reply = DelayReply(), applied = std::move(applied)](const Status& status) {
                  if (status.ok() && applied) {
                    applied();
                  }
                  reply(status);
                });
}

KeyboardBusAdaptor::WriteDone KeyboardBusAdaptor::DelayReply() {
  return [reply = DelayAnswer()](const Status& status) { reply(status, {}); };
}

KeyboardBusAdaptor::Answer KeyboardBusAdaptor::DelayAnswer() {
  setDelayedReply(true);
  return [call = message(), bus = connection()](const Status& status,
                                                const QList<QVariant>& answer) mutable {
    bus.send(status.ok()
                 ? call.createReply(answer)
                 : call.createErrorReply(
                       QString::fromStdString(KeyboardBusModel::ErrorName(status.error().code)),
                       QString::fromStdString(status.error().message)));
  };
}

void KeyboardBusAdaptor::ReplyError(const Error& error) {
  sendErrorReply(QString::fromStdString(KeyboardBusModel::ErrorName(error.code)),
                 QString::fromStdString(error.message));
}

}  // namespace n240qx
