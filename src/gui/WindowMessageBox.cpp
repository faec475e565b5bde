#include "gui/WindowMessageBox.h"

#include <QPushButton>
#include <QWidget>

#include "app/Texts.h"
#include "gui/QtText.h"

namespace n240qx {

namespace {

// The window's own greys, white text and the profile list's cyan selection.
const QColor kWindowGrey(0x28, 0x28, 0x28);
const QColor kButtonGrey(0x35, 0x35, 0x35);
const QColor kFieldGrey(0x20, 0x20, 0x20);
const QColor kDisabledText(0x80, 0x80, 0x80);
const QColor kSelection(0, 255, 255);

}  // namespace

QPalette WindowMessageBox::DarkPalette() {
  QPalette colours;
  colours.setColor(QPalette::Window, kWindowGrey);
  colours.setColor(QPalette::Base, kFieldGrey);
  colours.setColor(QPalette::AlternateBase, kButtonGrey);
  colours.setColor(QPalette::Button, kButtonGrey);
  colours.setColor(QPalette::ToolTipBase, kButtonGrey);
  for (const QPalette::ColorRole role :
       {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::ToolTipText}) {
    colours.setColor(role, Qt::white);
    colours.setColor(QPalette::Disabled, role, kDisabledText);
  }
  colours.setColor(QPalette::Highlight, kSelection);
  colours.setColor(QPalette::HighlightedText, Qt::black);
  colours.setColor(QPalette::Link, kSelection);
  return colours;
}

void WindowMessageBox::Darken(QWidget& box) {
  box.setPalette(DarkPalette());
  box.setAutoFillBackground(true);
}

std::unique_ptr<QMessageBox> WindowMessageBox::Make(QWidget* parent, Language language,
                                                    QMessageBox::Icon icon, const QString& title,
                                                    const QString& text, Buttons buttons) {
  auto box = std::make_unique<QMessageBox>(icon, title, text, QMessageBox::NoButton, parent);
  const Texts texts(language);
  QPushButton* ok =
      box->addButton(ToQString(texts.Get(TextId::kButtonOk)), QMessageBox::AcceptRole);
  if (buttons == Buttons::kOkCancel) {
    box->addButton(ToQString(texts.Get(TextId::kButtonCancel)), QMessageBox::RejectRole);
  }
  box->setDefaultButton(ok);
  Darken(*box);
  return box;
}

bool WindowMessageBox::Ask(QWidget* parent, Language language, const QString& title,
                           const QString& text) {
  const auto box = Make(parent, language, QMessageBox::Question, title, text, Buttons::kOkCancel);
  box->exec();
  return box->buttonRole(box->clickedButton()) == QMessageBox::AcceptRole;
}

void WindowMessageBox::Tell(QWidget* parent, Language language, QMessageBox::Icon icon,
                            const QString& title, const QString& text) {
  Make(parent, language, icon, title, text, Buttons::kOk)->exec();
}

void WindowMessageBox::About(QWidget* parent, Language language, const QString& title,
                             const QString& text) {
  MakeAbout(parent, language, title, text)->exec();
}

std::unique_ptr<QMessageBox> WindowMessageBox::MakeAbout(QWidget* parent, Language language,
                                                         const QString& title,
                                                         const QString& text) {
  auto box = Make(parent, language, QMessageBox::NoIcon, title, text, Buttons::kOk);
  if (parent != nullptr && !parent->windowIcon().isNull()) {
    box->setIconPixmap(parent->windowIcon().pixmap(64, 64));
  }
  return box;
}

}  // namespace n240qx
