// The main window as it opens on Qt: every control's position, size and
// colour, the hidden editor panels, the size rule and the exit.

#include <QTest>
#include <QTimer>
#include <filesystem>
#include <optional>

#include "form_test.h"
#include "pty_pair.h"
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
  void controlGeometry_data();
  void controlGeometry();
  void onlyTheFourRowsAreShown();
  void rowColours();
  void fieldColoursAndFonts();
  void barsAreHorizontal();
  void rightClickOnTheInformationFieldStartsNothing();
  void serialComponentStartsClosedWithoutFlowControl();
  void exitWithAPortOpenClosesThePort();
  void exitDuringAWaitingReadEndsTheReadNotTheComponent();
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

void MainFormTest::controlGeometry_data() {
  QTest::addColumn<QString>("name");
  QTest::addColumn<QRect>("geometry");  // width -1: sized to its caption
  auto row = [](const char* name, int x, int y, int w, int h) {
    QTest::newRow(name) << QString::fromLatin1(name) << QRect(x, y, w, h);
  };
  row("Panel15", 0, 0, 310, 345);
  row("Panel14", 0, 344, 310, 24);
  row("CMD_PANEL", 0, 367, 310, 28);
  row("Panel16", 0, 392, 310, 24);
  row("Panel5", 0, 416, 300, 25);
  row("Panel11", 0, 440, 300, 24);
  row("Panel12", 0, 464, 300, 20);
  row("Panel13", 0, 484, 300, 20);
  row("Panel2", 0, 504, 300, 40);
  row("Panel3", 0, 544, 300, 40);
  row("Panel4", 0, 584, 300, 25);
  row("Panel6", 0, 608, 300, 20);
  row("Panel7", 0, 628, 300, 20);
  row("Panel8", 0, 648, 300, 20);
  row("Panel9", 0, 668, 300, 20);
  row("Panel1", 0, 684, 300, 20);
  row("Panel10", 0, 704, 300, 20);
  row("Image1", -8, 0, 321, 345);
  row("Label15", 101, 20, 104, 17);
  row("Label16", 101, 44, 104, 17);
  row("Label17", 80, 64, 4, 12);
  row("Label18", 101, 65, 104, 20);
  row("Label19", 101, 92, 104, 17);
  row("Label22", 101, 164, 104, 17);
  row("Label25", 101, 236, 104, 17);
  row("Label26", 16, 270, 289, 67);
  row("Handy_S", 96, 16, 105, 18);
  row("Handy_M", 96, 40, 105, 18);
  row("Handy0", 96, 64, 105, 18);
  row("Handy1", 96, 88, 105, 18);
  row("Handy2", 96, 112, 105, 18);
  row("Handy3", 96, 136, 105, 18);
  row("Handy4", 96, 160, 105, 18);
  row("Handy5", 96, 184, 105, 18);
  row("Handy6", 96, 208, 105, 18);
  row("Handy_7", 96, 232, 105, 18);
  row("K_Comment", 8, 264, 289, 65);
  row("Label14", 10, 6, -1, -1);
  row("CommBox", 96, 3, 209, 18);
  row("PROGRAM_BTN", 2, 2, 40, 24);
  row("READ_BTN", 43, 2, 43, 24);
  row("EXIT_BTN", 264, 2, 41, 24);
  row("Label27", 10, 6, -1, -1);
  row("MON_EDIT", 96, 3, 209, 18);
  row("Label5", 4, 4, -1, -1);
  row("OT_ON", 124, 4, 37, 12);
  row("OT_OFF", 188, 4, 41, 12);
  row("MAS_ON", 124, 4, 37, 12);
  row("MAS_OFF", 188, 4, 41, 12);
  row("BUP_00h", 120, 4, 41, 12);
  row("BUP_5Ah", 188, 4, 37, 12);
  row("Label2", 4, 9, -1, -1);
  row("YOUID_DEC", 88, 7, 19, 27);
  row("YOUID_EDIT", 108, 6, 117, 29);
  row("YOUID_INC", 226, 7, 19, 27);
  row("MYID_DEC", 88, 7, 19, 27);
  row("MYID_EDIT", 108, 6, 117, 29);
  row("MYID_INC", 226, 7, 19, 27);
  row("Label6", 4, 4, -1, -1);
  for (const char* bar :
       {"LAST_BAR", "MODE_BAR", "UA_BAR", "LOW_BAR", "HICH_BAR", "YOBI1_BAR", "YOBI2_BAR"}) {
    row(bar, 124, 2, 121, 16);
  }
  row("THR_BAR", 124, 2, 125, 16);
  for (const char* field : {"LAST_EDIT", "MODE_EDIT", "UA_EDIT", "LOW_EDIT", "HICH_EDIT"}) {
    row(field, 72, 1, 49, 18);
  }
  for (const char* field : {"THR_EDIT", "YOBI1_EDIT", "YOBI2_EDIT"}) row(field, 80, 1, 41, 18);
}

void MainFormTest::controlGeometry() {
  QFETCH(QString, name);
  QFETCH(QRect, geometry);
  QWidget* control = fixture_.Named<QWidget>(name);
  QVERIFY2(control != nullptr, qPrintable(name));
  QCOMPARE(control->pos(), geometry.topLeft());
  if (geometry.width() >= 0) QCOMPARE(control->size(), geometry.size());
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

void MainFormTest::exitWithAPortOpenClosesThePort() {
  const testing::PtyPair pty;
  TMainForm& form = fixture_.Form();
  const std::filesystem::path device(pty.SlavePath());
  form.CommX1->SetPortResolver([device](int portNo) -> std::optional<std::filesystem::path> {
    if (portNo == 7) return device;
    return std::nullopt;
  });
  form.CommX1->SetPortNo(7);
  form.CommX1->Open();
  QVERIFY(form.CommX1->IsOpen());
  QTest::mouseClick(form.EXIT_BTN, Qt::LeftButton);
  QVERIFY(!form.isVisible());
  QVERIFY(!form.CommX1->IsOpen());
}

void MainFormTest::exitDuringAWaitingReadEndsTheReadNotTheComponent() {
  // The exit button can run while an exchange waits in Read (the wait runs
  // window messages). Closing must end that Read, not destroy the component
  // it runs in.
  const testing::PtyPair pty;
  TMainForm& form = fixture_.Form();
  const std::filesystem::path device(pty.SlavePath());
  form.CommX1->SetPortResolver(
      [device](int) -> std::optional<std::filesystem::path> { return device; });
  form.CommX1->Open();
  QTimer::singleShot(50, form.EXIT_BTN, [&form] { form.EXIT_BTN->click(); });
  char reply[18];
  const std::int32_t count = form.CommX1->Read(reply, sizeof reply);
  QCOMPARE(count, -1);  // ended by the close, not by the 3 s time-out
  QVERIFY(!form.isVisible());
  QVERIFY(!form.CommX1->IsOpen());
}

}  // namespace kx14

QTEST_MAIN(kx14::MainFormTest)
#include "main_form_test.moc"
