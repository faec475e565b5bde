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

TrayIcon::TrayIcon(const QIcon& icon, const Texts& texts, QObject* parent)
    : QObject(parent), texts_(texts), icon_(icon) {
  icon_.setToolTip(Text(texts_, TextId::kWindowTitle));
  menu_.addAction(Text(texts_, TextId::kAbout), this, &TrayIcon::AboutChosen);
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

void TrayIcon::ShowNoKeyboardBalloon() {
  icon_.showMessage(Text(texts_, TextId::kNoKeyboardTitle),
                    Text(texts_, TextId::kNoKeyboardMessage), QSystemTrayIcon::Information,
                    kBalloonMs);
}

}  // namespace n240qx
