// The two identifier editors: steps by button and arrow key, commits by
// Enter and by leaving, the 0..16777215 range, and typed text that a step
// discards.

#include <QTest>

#include "form_test.h"

namespace kx14 {
namespace {

constexpr int kMaxId = 16777215;

}  // namespace

class IdEditorsTest : public FormTest {
  Q_OBJECT

 private slots:
  void init() {
    FormTest::init();
    FormFixture::Reveal(fixture_.Form().Panel2);
    FormFixture::Reveal(fixture_.Form().Panel3);
  }

  void stepsStopAtTheBounds_data();
  void stepsStopAtTheBounds();
  void stepDiscardsTypedText_data();
  void stepDiscardsTypedText();
  void enterCommitsKeepsTheFocusAndArrowsStepFromThere();
  void commitReadsTheTypedNumber_data();
  void commitReadsTheTypedNumber();
  void typedLettersKeepTheirCase();
  void plusOfYourIdFirstCommitsMyId();
  void shiftOrCtrlWithArrowsStillStepsByOne();
  void enterTwiceCommitsTwiceWithoutChange();
  void otherKeysReachTheField();
  void stepButtonsNeverTakeTheFocus();

 private:
  void TypeInto(TEdit* field, const QString& typed) {
    field->setFocus();
    QVERIFY(field->hasFocus());
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, typed);
  }
  static void SetId(TEdit* field, int value) {
    field->Tag = value;
    field->setText(QString::number(value));
  }
};

void IdEditorsTest::stepsStopAtTheBounds_data() {
  QTest::addColumn<bool>("myId");
  QTest::addColumn<bool>("plus");
  QTest::addColumn<int>("start");
  QTest::addColumn<int>("result");
  QTest::newRow("YOURID plus") << false << true << 5 << 6;
  QTest::newRow("YOURID minus") << false << false << 5 << 4;
  QTest::newRow("YOURID plus at top") << false << true << kMaxId << kMaxId;
  QTest::newRow("YOURID minus at zero") << false << false << 0 << 0;
  QTest::newRow("MYID plus to top") << true << true << kMaxId - 1 << kMaxId;
  QTest::newRow("MYID plus at top") << true << true << kMaxId << kMaxId;
  QTest::newRow("MYID minus at zero") << true << false << 0 << 0;
  QTest::newRow("MYID minus from one") << true << false << 1 << 0;
}

void IdEditorsTest::stepsStopAtTheBounds() {
  QFETCH(bool, myId);
  QFETCH(bool, plus);
  QFETCH(int, start);
  QFETCH(int, result);
  TMainForm& form = fixture_.Form();
  TEdit* field = myId ? form.MYID_EDIT : form.YOUID_EDIT;
  TSpeedButton* button =
      myId ? (plus ? form.MYID_INC : form.MYID_DEC) : (plus ? form.YOUID_INC : form.YOUID_DEC);
  SetId(field, start);
  field->setText(QStringLiteral("junk"));  // rewritten even when the value stays
  QTest::mouseClick(button, Qt::LeftButton);
  QCOMPARE(field->Tag, result);
  QCOMPARE(field->text(), QString::number(result));
  QCOMPARE(field->selectedText(), field->text());
  QVERIFY(field->hasFocus());
}

void IdEditorsTest::stepDiscardsTypedText_data() {
  QTest::addColumn<bool>("byKey");
  QTest::newRow("plus button") << false;
  QTest::newRow("up arrow") << true;
}

void IdEditorsTest::stepDiscardsTypedText() {
  QFETCH(bool, byKey);
  TMainForm& form = fixture_.Form();
  SetId(form.YOUID_EDIT, 5);
  TypeInto(form.YOUID_EDIT, QStringLiteral("123"));
  if (byKey) {
    QTest::keyClick(form.YOUID_EDIT, Qt::Key_Up);
  } else {
    QTest::mouseClick(form.YOUID_INC, Qt::LeftButton);
  }
  QCOMPARE(form.YOUID_EDIT->Tag, 6);
  QCOMPARE(form.YOUID_EDIT->text(), QStringLiteral("6"));
}

void IdEditorsTest::enterCommitsKeepsTheFocusAndArrowsStepFromThere() {
  TMainForm& form = fixture_.Form();
  SetId(form.MYID_EDIT, 5);
  TypeInto(form.MYID_EDIT, QStringLiteral("123"));
  QTest::keyClick(form.MYID_EDIT, Qt::Key_Return);
  QCOMPARE(form.MYID_EDIT->Tag, 123);
  QVERIFY(form.MYID_EDIT->hasFocus());
  QTest::keyClick(form.MYID_EDIT, Qt::Key_Up);
  QCOMPARE(form.MYID_EDIT->Tag, 124);
  QTest::keyClick(form.MYID_EDIT, Qt::Key_Down);
  QTest::keyClick(form.MYID_EDIT, Qt::Key_Down);
  QCOMPARE(form.MYID_EDIT->Tag, 122);
  QCOMPARE(form.MYID_EDIT->text(), QStringLiteral("122"));
}

void IdEditorsTest::commitReadsTheTypedNumber_data() {
  QTest::addColumn<QString>("typed");
  QTest::addColumn<int>("value");
  const int stored = 4711;
  QTest::newRow("minus one") << "-1" << 0;
  QTest::newRow("one above top") << "16777216" << kMaxId;
  QTest::newRow("$FFFFFF") << "$FFFFFF" << kMaxId;
  QTest::newRow("0xff") << "0xff" << 255;
  QTest::newRow("$1000000") << "$1000000" << kMaxId;
  QTest::newRow("0x10") << "0x10" << 16;
  QTest::newRow("0010") << "0010" << 10;
  QTest::newRow("$FFFFFFFF is -1") << "$FFFFFFFF" << 0;
  QTest::newRow("int min") << "-2147483648" << 0;
  QTest::newRow("int max") << "2147483647" << kMaxId;
  QTest::newRow("empty") << "" << stored;
  QTest::newRow("word") << "abc" << stored;
  QTest::newRow("trailing blank") << "12 " << stored;
  QTest::newRow("above int range") << "2147483648" << stored;
}

void IdEditorsTest::commitReadsTheTypedNumber() {
  QFETCH(QString, typed);
  QFETCH(int, value);
  TMainForm& form = fixture_.Form();
  for (TEdit* field : {form.YOUID_EDIT, form.MYID_EDIT}) {
    SetId(field, 4711);
    TypeInto(field, typed);
    form.CommBox->setFocus();  // leaving commits
    QCOMPARE(field->Tag, value);
    QCOMPARE(field->text(), QString::number(value));
  }
}

void IdEditorsTest::typedLettersKeepTheirCase() {
  TMainForm& form = fixture_.Form();
  TypeInto(form.YOUID_EDIT, QStringLiteral("0xff"));
  QCOMPARE(form.YOUID_EDIT->text(), QStringLiteral("0xff"));
}

void IdEditorsTest::plusOfYourIdFirstCommitsMyId() {
  TMainForm& form = fixture_.Form();
  SetId(form.YOUID_EDIT, 9);
  SetId(form.MYID_EDIT, 1);
  TypeInto(form.MYID_EDIT, QStringLiteral("77"));
  QTest::mouseClick(form.YOUID_INC, Qt::LeftButton);
  QCOMPARE(form.MYID_EDIT->Tag, 77);
  QCOMPARE(form.MYID_EDIT->text(), QStringLiteral("77"));
  QCOMPARE(form.YOUID_EDIT->Tag, 10);
  QVERIFY(form.YOUID_EDIT->hasFocus());
}

void IdEditorsTest::shiftOrCtrlWithArrowsStillStepsByOne() {
  TMainForm& form = fixture_.Form();
  SetId(form.YOUID_EDIT, 100);
  form.YOUID_EDIT->setFocus();
  QTest::keyClick(form.YOUID_EDIT, Qt::Key_Up, Qt::ShiftModifier);
  QCOMPARE(form.YOUID_EDIT->Tag, 101);
  QTest::keyClick(form.YOUID_EDIT, Qt::Key_Up, Qt::ControlModifier);
  QCOMPARE(form.YOUID_EDIT->Tag, 102);
  QTest::keyClick(form.YOUID_EDIT, Qt::Key_Down, Qt::ShiftModifier | Qt::ControlModifier);
  QCOMPARE(form.YOUID_EDIT->Tag, 101);
}

void IdEditorsTest::enterTwiceCommitsTwiceWithoutChange() {
  TMainForm& form = fixture_.Form();
  TypeInto(form.YOUID_EDIT, QStringLiteral("$10"));
  QTest::keyClick(form.YOUID_EDIT, Qt::Key_Return);
  QCOMPARE(form.YOUID_EDIT->Tag, 16);
  QCOMPARE(form.YOUID_EDIT->text(), QStringLiteral("16"));
  QTest::keyClick(form.YOUID_EDIT, Qt::Key_Enter);
  QCOMPARE(form.YOUID_EDIT->Tag, 16);
  QCOMPARE(form.YOUID_EDIT->text(), QStringLiteral("16"));
}

void IdEditorsTest::otherKeysReachTheField() {
  TMainForm& form = fixture_.Form();
  TypeInto(form.MYID_EDIT, QStringLiteral("12"));
  QTest::keyClick(form.MYID_EDIT, Qt::Key_Backspace);
  QTest::keyClick(form.MYID_EDIT, Qt::Key_Left);
  QTest::keyClicks(form.MYID_EDIT, QStringLiteral("9"));
  QCOMPARE(form.MYID_EDIT->text(), QStringLiteral("91"));
  QCOMPARE(form.MYID_EDIT->Tag, 0);  // not committed yet
}

void IdEditorsTest::stepButtonsNeverTakeTheFocus() {
  TMainForm& form = fixture_.Form();
  for (TSpeedButton* button : {form.YOUID_DEC, form.YOUID_INC, form.MYID_DEC, form.MYID_INC}) {
    QCOMPARE(button->focusPolicy(), Qt::NoFocus);
    QCOMPARE(button->PartnerEdit, button == form.YOUID_DEC || button == form.YOUID_INC
                                      ? form.YOUID_EDIT
                                      : form.MYID_EDIT);
  }
}

}  // namespace kx14

QTEST_MAIN(kx14::IdEditorsTest)
#include "id_editors_test.moc"
