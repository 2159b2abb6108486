// The main window as it opens on Qt: its size and font, the controls'
// colours, the hidden editor panels and the size rule. Where each control
// sits, and the exit with a port open or while an exchange waits, are the
// shared window suite's (tests/window_suite).

#include <QTest>

#include "form_test.h"
#include "ui/qt/bitmap_button.h"
#include "ui/qt/combo_box.h"
#include "ui/qt/edit.h"
#include "ui/qt/panel.h"
#include "ui/qt/radio_button.h"
#include "ui/qt/scroll_bar.h"
#include "ui/qt/speed_button.h"
#include "ui/qt/static_text.h"

namespace kx14 {
namespace {

const QColor kSkyBlue(166, 202, 240);
const QColor kButtonFace(240, 240, 240);

}  // namespace

class MainFormTest : public FormTest {
  Q_OBJECT

 private slots:
  void windowCaptionAndClientSize();
  void sizeStaysAfterAResizeAttempt();
  void portListShowsTwentyItemsAndTakesNoTyping();
  void onlyTheFourRowsAreShown();
  void rowColours();
  void fieldColoursAndFonts();
  void barsAreHorizontal();
  void rightClickOnTheInformationFieldStartsNothing();
  void serialComponentStartsClosedWithoutFlowControl();
};

void MainFormTest::windowCaptionAndClientSize() {
  TMainForm& form = fixture_.Form();
  QCOMPARE(form.windowTitle(), QStringLiteral("KX-14 Quovi Manager V1.00"));
  QCOMPARE(form.size(), QSize(310, 416));
  QCOMPARE(form.font().family(), QStringLiteral("IPAPGothic"));
  QCOMPARE(form.font().pixelSize(), 12);
}

void MainFormTest::sizeStaysAfterAResizeAttempt() {
  TMainForm& form = fixture_.Form();
  form.resize(500, 600);
  QCOMPARE(form.size(), QSize(310, 416));
  form.setGeometry(form.x(), form.y(), 100, 100);
  QCOMPARE(form.size(), QSize(310, 416));
}

// Its start items are the shared window suite's; the Win32 window has its
// own case for the 20 items shown.
void MainFormTest::portListShowsTwentyItemsAndTakesNoTyping() {
  TComboBox* list = fixture_.Form().CommBox;
  QVERIFY(!list->isEditable());
  QCOMPARE(list->maxVisibleItems(), 20);
}

void MainFormTest::onlyTheFourRowsAreShown() {
  TMainForm& form = fixture_.Form();
  for (QWidget* shown :
       {static_cast<QWidget*>(form.Panel15), static_cast<QWidget*>(form.Panel14),
        static_cast<QWidget*>(form.CMD_PANEL), static_cast<QWidget*>(form.Panel16)}) {
    QVERIFY2(shown->isVisible(), qPrintable(shown->objectName()));
  }
  const QList<TPanel*> hidden = {form.Panel1,  form.Panel2,  form.Panel3, form.Panel4, form.Panel5,
                                 form.Panel6,  form.Panel7,  form.Panel8, form.Panel9, form.Panel10,
                                 form.Panel11, form.Panel12, form.Panel13};
  QCOMPARE(hidden.size(), 13);
  for (TPanel* panel : hidden) {
    QVERIFY2(!panel->isVisible(), qPrintable(panel->objectName()));
    QVERIFY(panel->isHidden());  // hidden for good, not merely clipped
  }
}

void MainFormTest::rowColours() {
  TMainForm& form = fixture_.Form();
  QCOMPARE(form.Panel14->Color(), kSkyBlue);
  QCOMPARE(form.CMD_PANEL->Color(), kSkyBlue);
  QCOMPARE(form.Panel16->Color(), kSkyBlue);
  QCOMPARE(form.Panel15->Color(), kButtonFace);
  QCOMPARE(form.Panel11->Color(), kButtonFace);
  QCOMPARE(form.Handy0->palette().color(QPalette::Window), kButtonFace);
  QVERIFY(form.Handy0->autoFillBackground());
  QCOMPARE(form.K_Comment->palette().color(QPalette::Window), QColor(255, 255, 255));
  QVERIFY(form.Label26->autoFillBackground());
  QCOMPARE(form.Label26->palette().color(QPalette::Window), QColor(64, 64, 64));
}

void MainFormTest::fieldColoursAndFonts() {
  TMainForm& form = fixture_.Form();
  QCOMPARE(form.MON_EDIT->palette().color(QPalette::Base), QColor(160, 160, 164));
  QCOMPARE(form.MON_EDIT->palette().color(QPalette::Text), QColor(Qt::blue));
  QCOMPARE(form.MON_EDIT->CharCase(), TEditCharCase::ecUpperCase);
  QCOMPARE(form.THR_EDIT->CharCase(), TEditCharCase::ecUpperCase);
  QCOMPARE(form.YOUID_EDIT->CharCase(), TEditCharCase::ecNormal);
  QCOMPARE(form.YOUID_EDIT->palette().color(QPalette::Base), QColor(255, 255, 0));
  QCOMPARE(form.MYID_EDIT->palette().color(QPalette::Base), QColor(0, 255, 0));
  QCOMPARE(form.YOUID_EDIT->Hint, std::string("YOUID"));
  QCOMPARE(form.MYID_EDIT->Hint, std::string("MYID"));
  QVERIFY(form.YOUID_EDIT->toolTip().isEmpty());  // hints are never shown
  QCOMPARE(form.YOUID_EDIT->font().pixelSize(), 21);
  QVERIFY(form.YOUID_EDIT->font().bold());
  QCOMPARE(form.Label2->font().pixelSize(), 21);
  QVERIFY(form.Label2->font().bold());
  QCOMPARE(form.YOUID_INC->font().pixelSize(), 19);
  QVERIFY(form.YOUID_INC->font().bold());
  QCOMPARE(form.YOUID_INC->palette().color(QPalette::ButtonText), QColor(Qt::red));
  QCOMPARE(form.YOUID_DEC->palette().color(QPalette::ButtonText), QColor(Qt::blue));
  QCOMPARE(form.THR_EDIT->font().pixelSize(), 12);
  QVERIFY(!form.THR_EDIT->font().bold());
  QCOMPARE(form.YOUID_INC->focusPolicy(), Qt::NoFocus);
}

// The start texts, bars, selections, tab order, clicks that start nothing
// and the exit button are the shared window suite's (tests/window_suite); what follows only Qt
// shows.
void MainFormTest::barsAreHorizontal() {
  for (TScrollBar* bar : fixture_.Form().findChildren<TScrollBar*>()) {
    QCOMPARE(bar->orientation(), Qt::Horizontal);
  }
}

// On Windows the right button opens the native field's context menu.
void MainFormTest::rightClickOnTheInformationFieldStartsNothing() {
  TMainForm& form = fixture_.Form();
  QTest::mouseClick(form.MON_EDIT, Qt::RightButton);
  QCOMPARE(form.MON_EDIT->text(), QStringLiteral("起動完了"));
  QCOMPARE(form.THR_BAR->Position(), 5);
  QVERIFY(form.Handy0->Checked());
}

void MainFormTest::serialComponentStartsClosedWithoutFlowControl() {
  TCommX& comm = *fixture_.Form().CommX1;
  QVERIFY(!comm.IsOpen());
  QCOMPARE(comm.FlowCtrl(), TCommFlowCtrls::cfcNone);
  QCOMPARE(comm.BitRate(), 9600);
  QCOMPARE(comm.CharSize(), 8);
  QCOMPARE(comm.ParityBit(), TCommParityBits::cpbNone);
  QCOMPARE(comm.StopBit(), TCommStopBits::csb1);
  QCOMPARE(comm.TimeOutReceive(), 3000);
  QVERIFY(!comm.OnReceive && !comm.OnBreak && !comm.OnError);  // no event is bound
}

}  // namespace kx14

QTEST_MAIN(kx14::MainFormTest)
#include "main_form_test.moc"
