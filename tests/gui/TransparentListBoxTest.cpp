#include <gtest/gtest.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include "gui/CTransparentListBox.h"

namespace n240qx {
namespace {

// A list in a window of its own, edited with real mouse and key events.
class TransparentListBoxTest : public ::testing::Test {
 protected:
  void Make(ListEditMode mode, bool sorted, const QStringList& items) {
    list_ = new CTransparentListBox(&window_, sorted);
    list_->setGeometry(16, 50, 243, 283);
    list_->SetEditMode(mode);
    for (const QString& item : items) {
      list_->AddString(item);
    }
    window_.resize(300, 400);
    window_.show();
    window_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
  }

  // Double-clicks item `row` and types `text` over the selected start text.
  void Edit(int row, const QString& text) {
    const QPoint centre = list_->ItemRect(row).center();
    QTest::mouseDClick(list_->viewport(), Qt::LeftButton, {}, centre);
    ASSERT_TRUE(list_->editor()->isVisible());
    QTest::keyClicks(list_->editor(), text);
  }

  QWidget window_;
  CTransparentListBox* list_ = nullptr;
};

TEST_F(TransparentListBoxTest, DelayEditsAreClampedAndReported) {
  Make(ListEditMode::kDelayValues, false, {"A dn", "15 ms", "A up"});
  QSignalSpy begins(list_, &CTransparentListBox::EditBegins);
  QSignalSpy accepted(list_, &CTransparentListBox::EditAccepted);
  struct Case {
    QString typed;
    QString in_box;
    int key;
    QString shown;
    int reported;
  };
  // Letters never reach the box; Enter, the focus leaving and the wheel all accept.
  for (const Case& c : {Case{"75000", "75000", Qt::Key_Return, "60000 ms", 60000},
                        Case{"1x", "1", Qt::Key_Enter, "2 ms", 2},
                        Case{"3a00", "300", Qt::Key_Tab, "300 ms", 300}}) {
    Edit(1, c.typed);
    EXPECT_EQ(list_->editor()->text(), c.in_box);
    QTest::keyClick(list_->editor(), static_cast<Qt::Key>(c.key));
    EXPECT_FALSE(list_->editor()->isVisible());
    EXPECT_EQ(list_->Text(1), c.shown);
    ASSERT_FALSE(accepted.isEmpty());
    EXPECT_EQ(accepted.takeLast(), (QList<QVariant>{1, c.reported}));
  }
  Edit(1, "9");
  QWheelEvent wheel(QPointF(5, 5), QPointF(5, 5), {}, QPoint(0, -120), Qt::NoButton, {},
                    Qt::NoScrollPhase, false);
  QApplication::sendEvent(list_->viewport(), &wheel);
  EXPECT_EQ(list_->Text(1), "9 ms");
  EXPECT_EQ(begins.count(), 4);
  EXPECT_EQ(accepted.count(), 1);
}

TEST_F(TransparentListBoxTest, FileNameGetsItsSuffixAndEscSendsNothing) {
  Make(ListEditMode::kFileNames, true, {"Race"});
  QSignalSpy begins(list_, &CTransparentListBox::EditBegins);
  QSignalSpy accepted(list_, &CTransparentListBox::EditAccepted);
  Edit(0, "Cave");
  QTest::keyClick(list_->editor(), Qt::Key_Escape);
  EXPECT_EQ(list_->Text(0), "Race");
  EXPECT_EQ(begins.count(), 1);
  EXPECT_TRUE(accepted.isEmpty());

  Edit(0, "Cave");
  QTest::keyClick(list_->editor(), Qt::Key_Return);
  EXPECT_EQ(list_->Text(0), "Cave.bin");
  EXPECT_EQ(list_->CurrentRow(), 0);
  ASSERT_EQ(accepted.count(), 1);
  EXPECT_EQ(accepted.takeFirst(), (QList<QVariant>{0, 0}));
}

}  // namespace
}  // namespace n240qx
