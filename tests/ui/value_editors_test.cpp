// The eight value editors: bar to field, typed text to bar (by leaving the
// field and by Enter), clamping, the MAXPWR even display and the whole-text
// selection on a mouse release.

#include <QTest>

#include "form_test.h"
#include "ui/qt/edit.h"
#include "ui/qt/radio_button.h"
#include "ui/qt/scroll_bar.h"
#include "ui/qt/static_text.h"

namespace kx14 {
namespace {

// Counts the runs of a bar's change handler, still running the handler.
class ChangeCounter {
 public:
  explicit ChangeCounter(TScrollBar* bar) {
    auto original = bar->OnChange;
    bar->OnChange = [this, original](TScrollBarControl* sender) {
      ++runs_;
      original(sender);
    };
  }
  int Runs() const { return runs_; }

 private:
  int runs_ = 0;
};

}  // namespace

class ValueEditorsTest : public FormTest {
  Q_OBJECT

 private slots:
  void barToFieldFromCode_data();
  void barToFieldFromCode();
  void commitByLeavingTheField_data();
  void commitByLeavingTheField();
  void lettersTurnUpperCaseAsTyped();
  void enterCommitsAndKeepsTheFocus();
  void maxPowerShowsEvenValuesFromTheBar();
  void maxPowerCommitShowsThePlainValueUntilTheBarIsLeft();
  void committingOtMaxLeavesThePresetAlone();
  void mouseReleaseSelectsTheWholeText_data();
  void mouseReleaseSelectsTheWholeText();

 private:
  // Gives `field` the focus, replaces its text by typing `typed` and leaves
  // it for the port list.
  void TypeAndLeave(TEdit* field, const QString& typed) {
    TypeInto(field, typed);
    fixture_.Form().CommBox->setFocus();
    QVERIFY(!field->hasFocus());
  }
  void TypeInto(TEdit* field, const QString& typed) {
    FormFixture::Reveal(field->parentWidget());
    field->setFocus();
    QVERIFY(field->hasFocus());
    field->selectAll();
    QTest::keyClick(field, Qt::Key_Delete);
    QTest::keyClicks(field, typed);
  }
};

void ValueEditorsTest::barToFieldFromCode_data() {
  QTest::addColumn<QString>("bar");
  QTest::addColumn<int>("requested");
  QTest::addColumn<int>("position");
  QTest::addColumn<QString>("shown");
  QTest::newRow("LASTCH") << "LAST_BAR" << 200 << 200 << "200";
  QTest::newRow("MODE top") << "MODE_BAR" << 255 << 255 << "255";
  QTest::newRow("LOW CH above range") << "UA_BAR" << 300 << 255 << "255";
  QTest::newRow("ST ADJ below range") << "HICH_BAR" << -1 << 0 << "0";
  QTest::newRow("OT MAX device 0") << "THR_BAR" << 0 << 1 << "1";
  QTest::newRow("OT MAX device 251") << "THR_BAR" << 251 << 250 << "250";
  QTest::newRow("OT TIME device 255") << "YOBI1_BAR" << 255 << 250 << "250";
  QTest::newRow("OT TIME 3") << "YOBI1_BAR" << 3 << 3 << "3";
  QTest::newRow("MAXPWR 74") << "YOBI2_BAR" << 74 << 74 << "74";
  QTest::newRow("MAXPWR 51 shows 50") << "YOBI2_BAR" << 51 << 51 << "50";
  QTest::newRow("MAXPWR 1 shows 0") << "YOBI2_BAR" << 1 << 1 << "0";
  QTest::newRow("MAXPWR 100") << "YOBI2_BAR" << 100 << 100 << "100";
}

void ValueEditorsTest::barToFieldFromCode() {
  QFETCH(QString, bar);
  QFETCH(int, requested);
  QFETCH(int, position);
  QFETCH(QString, shown);
  auto* scrollBar = fixture_.Named<TScrollBar>(bar);
  scrollBar->SetPosition(requested);
  QCOMPARE(scrollBar->Position(), position);
  QCOMPARE(QString::fromStdString(scrollBar->PartnerEdit->Text()), shown);
}

void ValueEditorsTest::commitByLeavingTheField_data() {
  QTest::addColumn<QString>("field");
  QTest::addColumn<int>("start");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<int>("position");
  QTest::addColumn<QString>("shown");
  QTest::addColumn<int>("changes");  // runs of the bar's change handler
  auto row = [](const char* name, const char* field, int start, const char* typed, int position,
                const char* shown, int changes) {
    QTest::newRow(name) << QString::fromLatin1(field) << start << QString::fromLatin1(typed)
                        << position << QString::fromLatin1(shown) << changes;
  };
  row("plain", "LAST_EDIT", 0, "12", 12, "12", 1);
  row("empty brings back the value", "LAST_EDIT", 37, "", 37, "37", 0);
  row("above max", "MODE_EDIT", 0, "300", 255, "255", 1);
  row("below min", "THR_EDIT", 1, "-5", 1, "1", 0);
  row("below min from 9", "THR_EDIT", 9, "-5", 1, "1", 1);
  row("hex dollar", "UA_EDIT", 0, "$ff", 255, "255", 1);
  row("hex X", "LOW_EDIT", 0, "X1F", 31, "31", 1);
  row("hex 0X", "LOW_EDIT", 0, "0X1F", 31, "31", 1);
  row("hex 0x lower", "HICH_EDIT", 0, "0x10", 16, "16", 1);
  row("leading blanks", "LAST_EDIT", 0, "  12", 12, "12", 1);
  row("plus sign", "LAST_EDIT", 0, "+5", 5, "5", 1);
  row("trailing blank", "LAST_EDIT", 37, "12 ", 37, "37", 0);
  row("decimal point", "LAST_EDIT", 37, "1.5", 37, "37", 0);
  row("sign before prefix", "LAST_EDIT", 37, "-$10", 37, "37", 0);
  row("plus before prefix", "LAST_EDIT", 37, "+0X10", 37, "37", 0);
  row("exponent", "LAST_EDIT", 37, "1E3", 37, "37", 0);
  row("letter after digits", "LAST_EDIT", 37, "12A", 37, "37", 0);
  row("lone minus", "LAST_EDIT", 37, "-", 37, "37", 0);
  row("word", "MODE_EDIT", 37, "abc", 37, "37", 0);
  row("above int range", "MODE_EDIT", 37, "2147483648", 37, "37", 0);
  row("int min", "YOBI1_EDIT", 5, "-2147483648", 1, "1", 1);
  row("FFFFFFFF is -1", "MODE_EDIT", 37, "$FFFFFFFF", 0, "0", 1);
  row("leading zeros same value", "LAST_EDIT", 7, "007", 7, "7", 0);
  row("MAXPWR odd stays plain", "YOBI2_EDIT", 0, "51", 51, "51", 1);
  row("MAXPWR above max", "YOBI2_EDIT", 0, "101", 100, "100", 1);
  row("OT TIME hex", "YOBI1_EDIT", 1, "$FA", 250, "250", 1);
}

void ValueEditorsTest::commitByLeavingTheField() {
  QFETCH(QString, field);
  QFETCH(int, start);
  QFETCH(QString, typed);
  QFETCH(int, position);
  QFETCH(QString, shown);
  QFETCH(int, changes);
  auto* edit = fixture_.Named<TEdit>(field);
  auto* bar = dynamic_cast<TScrollBar*>(edit->PartnerBar);
  QVERIFY(bar != nullptr);
  QCOMPARE(bar->PartnerEdit, edit);
  bar->SetPosition(start);
  ChangeCounter counter(bar);
  TypeAndLeave(edit, typed);
  QCOMPARE(bar->Position(), position);
  QCOMPARE(edit->text(), shown);
  QCOMPARE(counter.Runs(), changes);
}

void ValueEditorsTest::lettersTurnUpperCaseAsTyped() {
  TEdit* field = fixture_.Form().UA_EDIT;
  TypeInto(field, QStringLiteral("$ff"));
  QCOMPARE(field->text(), QStringLiteral("$FF"));
  QTest::keyClick(field, Qt::Key_Return);
  QCOMPARE(fixture_.Form().UA_BAR->Position(), 255);
}

void ValueEditorsTest::enterCommitsAndKeepsTheFocus() {
  TMainForm& form = fixture_.Form();
  ChangeCounter counter(form.MODE_BAR);
  TypeInto(form.MODE_EDIT, QStringLiteral("0x20"));
  QTest::keyClick(form.MODE_EDIT, Qt::Key_Return);
  QCOMPARE(form.MODE_BAR->Position(), 32);
  QCOMPARE(form.MODE_EDIT->text(), QStringLiteral("32"));
  QVERIFY(form.MODE_EDIT->hasFocus());
  QCOMPARE(counter.Runs(), 1);
  QTest::keyClick(form.MODE_EDIT, Qt::Key_Enter);  // the keypad Enter as well
  form.CommBox->setFocus();                        // leaving commits the same value
  QCOMPARE(form.MODE_BAR->Position(), 32);
  QCOMPARE(form.MODE_EDIT->text(), QStringLiteral("32"));
  QCOMPARE(counter.Runs(), 1);
}

void ValueEditorsTest::maxPowerShowsEvenValuesFromTheBar() {
  TMainForm& form = fixture_.Form();
  TScrollBar* bar = form.YOBI2_BAR;
  FormFixture::Reveal(form.Panel13);
  bar->setSliderDown(true);  // a drag to 51
  bar->setSliderPosition(50);
  bar->setSliderPosition(51);
  bar->setSliderDown(false);
  QCOMPARE(bar->Position(), 51);
  QCOMPARE(form.YOBI2_EDIT->text(), QStringLiteral("50"));
  bar->triggerAction(QAbstractSlider::SliderSingleStepAdd);  // steps of two
  QCOMPARE(bar->Position(), 53);
  QCOMPARE(form.YOBI2_EDIT->text(), QStringLiteral("52"));
  bar->triggerAction(QAbstractSlider::SliderPageStepSub);
  QCOMPARE(bar->Position(), 51);
  bar->setFocus();
  QTest::keyClick(bar, Qt::Key_Right);
  QCOMPARE(bar->Position(), 53);
}

void ValueEditorsTest::maxPowerCommitShowsThePlainValueUntilTheBarIsLeft() {
  TMainForm& form = fixture_.Form();
  TypeAndLeave(form.YOBI2_EDIT, QStringLiteral("51"));
  QCOMPARE(form.YOBI2_BAR->Position(), 51);
  QCOMPARE(form.YOBI2_EDIT->text(), QStringLiteral("51"));
  form.YOBI2_BAR->setFocus();
  QCOMPARE(form.YOBI2_EDIT->text(), QStringLiteral("51"));
  form.CommBox->setFocus();  // leaving the bar rewrites the field by the bar's rule
  QCOMPARE(form.YOBI2_EDIT->text(), QStringLiteral("50"));
  QCOMPARE(form.YOBI2_BAR->Position(), 51);
}

void ValueEditorsTest::committingOtMaxLeavesThePresetAlone() {
  TMainForm& form = fixture_.Form();
  TypeAndLeave(form.THR_EDIT, QStringLiteral("15"));
  QCOMPARE(form.THR_BAR->Position(), 15);
  QVERIFY(form.Handy0->Checked());
  QVERIFY(!form.Handy6->Checked());
  QCOMPARE(form.K_Comment->text(), QStringLiteral("開発室から一言："));
}

void ValueEditorsTest::mouseReleaseSelectsTheWholeText_data() {
  QTest::addColumn<QString>("field");
  QTest::addColumn<int>("button");
  QTest::newRow("value field, left") << "LAST_EDIT" << int(Qt::LeftButton);
  QTest::newRow("value field, right") << "THR_EDIT" << int(Qt::RightButton);
  QTest::newRow("value field, middle") << "YOBI2_EDIT" << int(Qt::MiddleButton);
  QTest::newRow("YOURID, left") << "YOUID_EDIT" << int(Qt::LeftButton);
  QTest::newRow("MYID, right") << "MYID_EDIT" << int(Qt::RightButton);
}

void ValueEditorsTest::mouseReleaseSelectsTheWholeText() {
  QFETCH(QString, field);
  QFETCH(int, button);
  auto* edit = fixture_.Named<TEdit>(field);
  FormFixture::Reveal(edit->parentWidget());
  edit->setText(QStringLiteral("12345"));
  edit->setFocus();
  edit->setSelection(1, 2);  // a range chosen by dragging
  QTest::mouseClick(edit, static_cast<Qt::MouseButton>(button), {}, QPoint(3, 5));
  QCOMPARE(edit->selectedText(), QStringLiteral("12345"));
  QCOMPARE(edit->selectionStart(), 0);
}

}  // namespace kx14

QTEST_MAIN(kx14::ValueEditorsTest)
#include "value_editors_test.moc"
