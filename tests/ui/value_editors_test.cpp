// The value editors' cases that only the Qt window runs (the rest are
// shared: tests/window_suite/value_editors_suite.cpp): a drag of the MAXPWR
// bar (the Win32 driver cannot drag a bar of a hidden panel: its track
// position exists only while the real mouse holds the thumb), and the
// release of the right button (on Windows it opens the field's modal
// context menu).

#include <QTest>

#include "form_test.h"
#include "ui/qt/edit.h"
#include "ui/qt/scroll_bar.h"

namespace kx14 {

class ValueEditorsTest : public FormTest {
  Q_OBJECT

 private slots:
  void maxPowerShowsEvenValuesFromTheBar();
  void rightButtonReleaseSelectsTheWholeText_data();
  void rightButtonReleaseSelectsTheWholeText();
};

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
  // The arrow keys on the bar are the shared window suite's.
}

void ValueEditorsTest::rightButtonReleaseSelectsTheWholeText_data() {
  QTest::addColumn<QString>("field");
  QTest::newRow("value field") << "THR_EDIT";
  QTest::newRow("MYID") << "MYID_EDIT";
}

void ValueEditorsTest::rightButtonReleaseSelectsTheWholeText() {
  QFETCH(QString, field);
  auto* edit = fixture_.Named<TEdit>(field);
  FormFixture::Reveal(edit->parentWidget());
  edit->setText(QStringLiteral("12345"));
  edit->setFocus();
  edit->setSelection(1, 2);  // a range chosen by dragging
  QTest::mouseClick(edit, Qt::RightButton, {}, QPoint(3, 5));
  QCOMPARE(edit->selectedText(), QStringLiteral("12345"));
  QCOMPARE(edit->selectionStart(), 0);
}

}  // namespace kx14

QTEST_MAIN(kx14::ValueEditorsTest)
#include "value_editors_test.moc"
