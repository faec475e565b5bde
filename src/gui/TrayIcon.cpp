#include "gui/TrayIcon.h"

#include "gui/QtText.h"

namespace n240qx {

namespace {

// The desktop keeps a balloon up for its own minimum time whatever is asked; say so plainly.
constexpr int kBalloonMs = 10000;

QString Text(const Texts& texts, TextId id) {
  return ToQString(texts.Get(id));
}

}  // namespace

TrayIcon::TrayIcon(const QIcon& icon, const Texts& texts, std::optional<AutostartEntry> autostart,
                   QObject* parent)
    : QObject(parent), texts_(texts), autostart_(std::move(autostart)), icon_(icon) {
  icon_.setToolTip(Text(texts_, TextId::kWindowTitle));
  AddStartWithDesktop();
  about_ = menu_.addAction(Text(texts_, TextId::kAbout), this, &TrayIcon::AboutChosen);
  menu_.addAction(Text(texts_, TextId::kTrayExit), this, &TrayIcon::ExitChosen);
  icon_.setContextMenu(&menu_);
  connect(&icon_, &QSystemTrayIcon::activated, this,
          [this](QSystemTrayIcon::ActivationReason reason) {
            if (reason == QSystemTrayIcon::DoubleClick) {
              emit DoubleClicked();
            }
          });
  icon_.show();
}

void TrayIcon::AddStartWithDesktop() {
  if (!autostart_) {
    return;
  }
  start_with_desktop_ = menu_.addAction(Text(texts_, TextId::kTrayStartWithDesktop));
  start_with_desktop_->setCheckable(true);
  start_with_desktop_->setChecked(autostart_->IsEnabled());
  connect(start_with_desktop_, &QAction::triggered, this, &TrayIcon::OnStartWithDesktop);
  // The desktop's own settings can switch the entry off while the program runs.
  connect(&menu_, &QMenu::aboutToShow, this,
          [this] { start_with_desktop_->setChecked(autostart_->IsEnabled()); });
}

void TrayIcon::OnStartWithDesktop(bool checked) {
  const Status status = autostart_->Set(checked);
  start_with_desktop_->setChecked(autostart_->IsEnabled());
  if (!status.ok()) {
    icon_.showMessage(
        Text(texts_, TextId::kTrayStartWithDesktop),
        Text(texts_, TextId::kAutostartFailed) + QString::fromStdString(status.error().message),
        QSystemTrayIcon::Warning, kBalloonMs);
  }
}

void TrayIcon::AddOpenRgbServer(bool checked) {
  QAction* before = menu_.actions().value(autostart_ ? 1 : 0);
  openrgb_server_ = new QAction(Text(texts_, TextId::kTrayOpenRgbServer), &menu_);
  openrgb_server_->setCheckable(true);
  openrgb_server_->setChecked(checked);
  menu_.insertAction(before, openrgb_server_);
  connect(openrgb_server_, &QAction::triggered, this, &TrayIcon::OpenRgbServerToggled);
}

void TrayIcon::SetOpenRgbServerChecked(bool checked) {
  if (openrgb_server_ != nullptr) {
    openrgb_server_->setChecked(checked);
  }
}

void TrayIcon::SetRules(const std::vector<std::string>& lines) {
  if (rules_ == nullptr) {
    rules_ = new QMenu(Text(texts_, TextId::kTrayRules), &menu_);
    // Before "About" and "Exit", the two last items.
    menu_.insertMenu(menu_.actions().value(menu_.actions().size() - 2), rules_);
  }
  rules_->clear();
  for (const std::string& line : lines) {
    // Listed to be read: `n240qx-ctl rules` edits them.
    rules_->addAction(ToQString(line))->setEnabled(false);
  }
}

QAction* TrayIcon::AddCheckItem(TextId text, bool checked) {
  auto* item = new QAction(Text(texts_, text), &menu_);
  item->setCheckable(true);
  item->setChecked(checked);
  menu_.insertAction(about_, item);
  return item;
}

QMenu* TrayIcon::AddSubmenu(TextId title) {
  auto* submenu = new QMenu(Text(texts_, title), &menu_);
  menu_.insertMenu(about_, submenu);
  return submenu;
}

void TrayIcon::AddProfiles(std::function<std::vector<std::string>()> names) {
  profile_names_ = std::move(names);
  profiles_ = new QMenu(Text(texts_, TextId::kTrayProfiles), &menu_);
  menu_.insertMenu(menu_.actions().value(0), profiles_);
  FillProfiles();
  // Both: a desktop that shows the menu through the bus may ask for the submenu alone.
  connect(&menu_, &QMenu::aboutToShow, this, &TrayIcon::FillProfiles);
  connect(profiles_, &QMenu::aboutToShow, this, &TrayIcon::FillProfiles);
}

void TrayIcon::FillProfiles() {
  profiles_->clear();
  const std::vector<std::string> names = profile_names_();
  for (const std::string& name : names) {
    // An ampersand in a name is no shortcut mark.
    QString shown = QString::fromStdString(name);
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    profiles_->addAction(shown, this, [this, name] { emit ProfileChosen(name); });
  }
  if (names.empty()) {
    profiles_->addAction(Text(texts_, TextId::kTrayNoProfiles))->setEnabled(false);
  }
}

void TrayIcon::ShowNoKeyboardBalloon(const QString& message) {
  icon_.showMessage(Text(texts_, TextId::kNoKeyboardTitle),
                    message.isEmpty() ? Text(texts_, TextId::kNoKeyboardMessage) : message,
                    QSystemTrayIcon::Information, kBalloonMs);
}

}  // namespace n240qx
