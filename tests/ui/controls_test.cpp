// The toolkit glue: the radio button and scroll bar rules, the edit field's
// events, the drop-down list's events and the error box for escaped
// exceptions.

#include <QAbstractItemView>
#include <QApplication>
#include <QMessageBox>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <stdexcept>

#include "controls/virtual_keys.h"
#include "ui/form/guarded_handler.h"
#include "ui/qt/app_title.h"
#include "ui/qt/combo_box.h"
#include "ui/qt/edit.h"
#include "ui/qt/error_box.h"
#include "ui/qt/radio_button.h"
#include "ui/qt/scroll_bar.h"

namespace kx14 {
namespace {

// A shown, active window holding the controls under test, so that focus
// changes deliver real focus events.
class Host : public QWidget {
 public:
  Host() { setGeometry(100, 100, 300, 300); }
  void ShowActive() {
    show();
    activateWindow();
  }
};

}  // namespace

class ControlsTest : public QObject {
  Q_OBJECT

 private slots:
  void radioClickHandlerRunsOnlyWhenItBecomesSelected();
  void radioOnlySelectedButtonIsTabStop();
  void radioClearingFromCodeRunsNothing();

  void scrollBarClampsAndRunsHandlerOnlyOnChange_data();
  void scrollBarClampsAndRunsHandlerOnlyOnChange();
  void scrollBarStepsAndDragRunHandlerOnChange();
  void scrollBarKeysStepInTheirDirection_data();
  void scrollBarKeysStepInTheirDirection();
  void scrollBarExitRunsOnFocusMoveNotOnDeactivation();

  void editUpperCaseTurnsTypedLettersUpper();
  void editNormalCaseKeepsTypedLetters();
  void editKeyDownCanConsumeKeys();
  void editKeyPressCanReplaceOrDropCharacters();
  void editMouseUpRunsForEveryButton();
  void editExitRunsWhenFocusMoves();

  void comboCodeSelectionRaisesNoEvent();
  void comboDropDownRunsBeforeTheListShows();
  void comboCloseUpSeesMouseChoice();
  void comboCloseUpAlsoWhenDismissed();
  void comboShowsTwentyItemsOfTwelvePixels();

  void errorBoxText_data();
  void errorBoxText();
  void guardedHandlerShowsErrorBoxAndCarriesOn();
  void applicationTitleFromPath_data();
  void applicationTitleFromPath();

 private:
  static void Activate(Host& host) {
    host.ShowActive();
    QVERIFY(QTest::qWaitForWindowActive(&host));
  }
};

// --- Radio buttons ----------------------------------------------------------

void ControlsTest::radioClickHandlerRunsOnlyWhenItBecomesSelected() {
  Host host;
  TRadioButton first(QStringLiteral("A"), &host);
  TRadioButton second(QStringLiteral("B"), &host);
  first.setGeometry(0, 0, 80, 20);
  second.setGeometry(0, 30, 80, 20);
  second.SetChecked(true);  // before any handler is attached
  int firstRuns = 0;
  int secondRuns = 0;
  first.OnClick = [&](TRadioButtonControl* sender) {
    QCOMPARE(sender, &first);
    QVERIFY(!second.Checked());  // the group is already updated
    ++firstRuns;
  };
  second.OnClick = [&](TRadioButtonControl*) { ++secondRuns; };
  Activate(host);

  QTest::mouseClick(&second, Qt::LeftButton, {}, QPoint(70, 10));  // already selected
  QCOMPARE(secondRuns, 0);
  QTest::mouseClick(&first, Qt::LeftButton, {}, QPoint(70, 10));  // right of the caption
  QCOMPARE(firstRuns, 1);
  QVERIFY(first.Checked());
  QVERIFY(!second.Checked());
  QTest::mouseClick(&first, Qt::LeftButton);  // again: no change, no handler
  QCOMPARE(firstRuns, 1);
  QVERIFY(first.Checked());

  first.SetChecked(true);  // from code, already selected
  QCOMPARE(firstRuns, 1);
  second.SetChecked(true);  // from code, a change
  QCOMPARE(secondRuns, 1);
  QVERIFY(!first.Checked());
  QCOMPARE(firstRuns, 1);
}

// The arrow keys' move through a group and its handler run are the shared
// window suite's (Presets.ArrowKeysMoveTheSelectionAndRunTheHandler).

void ControlsTest::radioOnlySelectedButtonIsTabStop() {
  Host host;
  TEdit before(&host);
  TRadioButton first(QStringLiteral("A"), &host);
  TRadioButton second(QStringLiteral("B"), &host);
  TRadioButton third(QStringLiteral("C"), &host);
  TEdit after(&host);
  first.setGeometry(0, 30, 80, 20);
  second.setGeometry(0, 60, 80, 20);
  third.setGeometry(0, 90, 80, 20);
  after.setGeometry(0, 120, 80, 20);
  second.SetChecked(true);
  Activate(host);
  before.setFocus();
  QTest::keyClick(&before, Qt::Key_Tab);
  QVERIFY(second.hasFocus());
  QTest::keyClick(&second, Qt::Key_Tab);
  QVERIFY(after.hasFocus());

  third.SetChecked(true);
  before.setFocus();
  QTest::keyClick(&before, Qt::Key_Tab);
  QVERIFY(third.hasFocus());
  // Focus put on an unselected button from code does not move the tab stop.
  first.setFocus();
  before.setFocus();
  QTest::keyClick(&before, Qt::Key_Tab);
  QVERIFY(third.hasFocus());
}

void ControlsTest::radioClearingFromCodeRunsNothing() {
  Host host;
  TRadioButton only(QStringLiteral("A"), &host);
  only.SetChecked(true);
  int runs = 0;
  only.OnClick = [&runs](TRadioButtonControl*) { ++runs; };
  only.SetChecked(false);
  QVERIFY(!only.Checked());
  QVERIFY(only.autoExclusive());
  QCOMPARE(runs, 0);
  only.SetChecked(true);
  QCOMPARE(runs, 1);
}

// --- Scroll bars ------------------------------------------------------------

void ControlsTest::scrollBarClampsAndRunsHandlerOnlyOnChange_data() {
  QTest::addColumn<int>("start");
  QTest::addColumn<int>("requested");
  QTest::addColumn<int>("expected");
  QTest::addColumn<int>("handlerRuns");
  QTest::newRow("change") << 1 << 7 << 7 << 1;
  QTest::newRow("same position") << 7 << 7 << 7 << 0;
  QTest::newRow("below min") << 5 << 0 << 1 << 1;
  QTest::newRow("below min at min") << 1 << -100 << 1 << 0;
  QTest::newRow("above max") << 5 << 251 << 250 << 1;
  QTest::newRow("above max at max") << 250 << 255 << 250 << 0;
  QTest::newRow("int min") << 9 << INT_MIN << 1 << 1;
  QTest::newRow("int max") << 9 << INT_MAX << 250 << 1;
}

void ControlsTest::scrollBarClampsAndRunsHandlerOnlyOnChange() {
  QFETCH(int, start);
  QFETCH(int, requested);
  QFETCH(int, expected);
  QFETCH(int, handlerRuns);
  TScrollBar bar(nullptr);
  bar.SetRange(1, 250);
  bar.SetPosition(start);
  int runs = 0;
  int seen = -1;
  bar.OnChange = [&](TScrollBarControl* sender) {
    ++runs;
    seen = sender->Position();
  };
  bar.SetPosition(requested);
  QCOMPARE(bar.Position(), expected);
  QCOMPARE(runs, handlerRuns);
  if (runs > 0) QCOMPARE(seen, expected);  // the handler sees the new position
}

void ControlsTest::scrollBarStepsAndDragRunHandlerOnChange() {
  TScrollBar bar(nullptr);
  bar.SetRange(0, 100);
  bar.SetSteps(2, 2);
  bar.SetPosition(51);
  QList<int> seen;
  bar.OnChange = [&seen](TScrollBarControl* sender) { seen << sender->Position(); };

  bar.triggerAction(QAbstractSlider::SliderSingleStepAdd);
  bar.triggerAction(QAbstractSlider::SliderPageStepSub);
  bar.triggerAction(QAbstractSlider::SliderToMaximum);
  bar.triggerAction(QAbstractSlider::SliderSingleStepAdd);  // at max: no change
  QCOMPARE(seen, (QList<int>{53, 51, 100}));

  seen.clear();
  bar.setSliderDown(true);  // a drag: every step of the thumb counts
  bar.setSliderPosition(60);
  bar.setSliderPosition(61);
  bar.setSliderPosition(61);
  bar.setSliderDown(false);
  QCOMPARE(seen, (QList<int>{60, 61}));
}

void ControlsTest::scrollBarKeysStepInTheirDirection_data() {
  QTest::addColumn<int>("key");
  QTest::addColumn<int>("expected");
  QTest::newRow("left") << int(Qt::Key_Left) << 48;
  QTest::newRow("up") << int(Qt::Key_Up) << 48;
  QTest::newRow("right") << int(Qt::Key_Right) << 52;
  QTest::newRow("down") << int(Qt::Key_Down) << 52;
  QTest::newRow("page up") << int(Qt::Key_PageUp) << 40;
  QTest::newRow("page down") << int(Qt::Key_PageDown) << 60;
  QTest::newRow("home") << int(Qt::Key_Home) << 0;
  QTest::newRow("end") << int(Qt::Key_End) << 100;
}

void ControlsTest::scrollBarKeysStepInTheirDirection() {
  QFETCH(int, key);
  QFETCH(int, expected);
  TScrollBar bar(nullptr);
  bar.SetSteps(2, 10);
  bar.SetPosition(50);
  int runs = 0;
  bar.OnChange = [&runs](TScrollBarControl*) { ++runs; };
  QTest::keyClick(&bar, static_cast<Qt::Key>(key));
  QCOMPARE(bar.Position(), expected);
  QCOMPARE(runs, 1);
}

void ControlsTest::scrollBarExitRunsOnFocusMoveNotOnDeactivation() {
  Host host;
  TScrollBar bar(&host);
  TEdit other(&host);
  bar.setGeometry(0, 0, 100, 16);
  other.setGeometry(0, 40, 100, 20);
  int exits = 0;
  bar.OnExit = [&exits](TScrollBarControl*) { ++exits; };
  Activate(host);
  bar.setFocus();
  QVERIFY(bar.hasFocus());
  QFocusEvent deactivated(QEvent::FocusOut, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(&bar, &deactivated);
  QCOMPARE(exits, 0);
  other.setFocus(Qt::TabFocusReason);
  QCOMPARE(exits, 1);
}

// --- Edit fields ------------------------------------------------------------

void ControlsTest::editUpperCaseTurnsTypedLettersUpper() {
  TEdit field(nullptr);
  field.SetCharCase(TEditCharCase::ecUpperCase);
  QTest::keyClicks(&field, QStringLiteral("$ff x1f"));
  QCOMPARE(field.text(), QStringLiteral("$FF X1F"));
  field.setText(QStringLiteral("com3 設定完了"));
  QCOMPARE(field.text(), QStringLiteral("COM3 設定完了"));
}

void ControlsTest::editNormalCaseKeepsTypedLetters() {
  TEdit field(nullptr);
  QTest::keyClicks(&field, QStringLiteral("0xff"));
  QCOMPARE(field.text(), QStringLiteral("0xff"));
}

void ControlsTest::editKeyDownCanConsumeKeys() {
  TEdit field(nullptr);
  QList<int> keys;
  field.OnKeyDown = [&keys](TEditControl*, int& key, TShiftState) {
    keys << key;
    if (key == kVkUp || key == kVkReturn) key = kVkNone;
  };
  QString pressed;
  field.OnKeyPress = [&pressed](TEditControl*, char32_t& key) { pressed += QChar(key); };
  QTest::keyClicks(&field, QStringLiteral("1"));
  QTest::keyClick(&field, Qt::Key_Up);
  QTest::keyClick(&field, Qt::Key_Return);
  QTest::keyClick(&field, Qt::Key_Enter);
  QTest::keyClick(&field, Qt::Key_Down, Qt::ShiftModifier);
  // The Shift key itself comes down first, as a key of its own.
  QCOMPARE(keys, (QList<int>{kVkOther, kVkUp, kVkReturn, kVkReturn, kVkOther, kVkDown}));
  QCOMPARE(pressed, QStringLiteral("1"));  // consumed keys typed no character
}

void ControlsTest::editKeyPressCanReplaceOrDropCharacters() {
  TEdit field(nullptr);
  field.OnKeyPress = [](TEditControl*, char32_t& key) {
    if (key == U'a') key = U'b';
    if (key == U'x') key = 0;
  };
  QTest::keyClicks(&field, QStringLiteral("axc"));
  QCOMPARE(field.text(), QStringLiteral("bc"));

  char32_t seen = 0;
  field.OnKeyPress = [&seen](TEditControl*, char32_t& key) { seen = key; };
  QTest::keyClick(&field, Qt::Key_Return);
  QCOMPARE(static_cast<int>(seen), 13);
  QCOMPARE(field.text(), QStringLiteral("bc"));
}

void ControlsTest::editMouseUpRunsForEveryButton() {
  TEdit field(nullptr);
  field.resize(100, 20);
  QList<TMouseButton> buttons;
  field.OnMouseUp = [&buttons](TEditControl*, TMouseButton button) { buttons << button; };
  QTest::mouseRelease(&field, Qt::LeftButton);
  QTest::mouseRelease(&field, Qt::RightButton);
  QTest::mouseRelease(&field, Qt::MiddleButton);
  QVERIFY((buttons == QList<TMouseButton>{TMouseButton::mbLeft, TMouseButton::mbRight,
                                          TMouseButton::mbMiddle}));
}

void ControlsTest::editExitRunsWhenFocusMoves() {
  Host host;
  TEdit first(&host);
  TEdit second(&host);
  first.setGeometry(0, 0, 100, 20);
  second.setGeometry(0, 40, 100, 20);
  QList<TEditControl*> exits;
  first.OnExit = [&exits](TEditControl* sender) { exits << sender; };
  Activate(host);
  first.setFocus();
  QTest::keyClick(&first, Qt::Key_Tab);
  QVERIFY(second.hasFocus());
  QCOMPARE(exits, QList<TEditControl*>{&first});
  QTest::mouseClick(&first, Qt::LeftButton);
  second.setFocus();
  QCOMPARE(exits.size(), 2);
}

// --- Drop-down list ---------------------------------------------------------

namespace {

struct ComboEvents {
  QStringList log;
  void Attach(TComboBox& combo) {
    combo.OnDropDown = [this, &combo](TComboBoxControl* sender) {
      log << QStringLiteral("down:%1:%2").arg(sender->ItemIndex()).arg(combo.view()->isVisible());
    };
    combo.OnCloseUp = [this](TComboBoxControl* sender) {
      log << QStringLiteral("up:%1").arg(sender->ItemIndex());
    };
  }
};

void FillPorts(TComboBox& combo) {
  combo.AddItem("OFF");
  for (int n = 1; n <= 30; ++n) combo.AddItem("COM" + std::to_string(n));
  combo.SetItemIndex(0);
}

}  // namespace

void ControlsTest::comboCodeSelectionRaisesNoEvent() {
  Host host;
  TComboBox combo(&host, 12, 20);
  FillPorts(combo);
  ComboEvents events;
  events.Attach(combo);
  Activate(host);
  combo.setFocus();
  combo.SetItemIndex(3);
  QTest::keyClick(&combo, Qt::Key_Down);  // list closed: a change, but no event
  QCoreApplication::processEvents();
  QCOMPARE(combo.ItemIndex(), 4);
  QVERIFY(events.log.isEmpty());
}

void ControlsTest::comboDropDownRunsBeforeTheListShows() {
  Host host;
  TComboBox combo(&host, 12, 20);
  combo.setGeometry(10, 10, 209, 18);
  FillPorts(combo);
  ComboEvents events;
  events.Attach(combo);
  combo.OnDropDown = [&](TComboBoxControl* sender) {
    events.log << QStringLiteral("down:%1").arg(combo.view()->isVisible());
    sender->Clear();  // a handler may rebuild the list before it shows
    sender->AddItem("OFF");
    sender->AddItem("COM7");
  };
  Activate(host);
  combo.showPopup();
  QVERIFY(combo.view()->isVisible());
  QCOMPARE(combo.count(), 2);
  QCOMPARE(events.log, QStringList{QStringLiteral("down:0")});
  combo.hidePopup();
}

void ControlsTest::comboCloseUpSeesMouseChoice() {
  Host host;
  TComboBox combo(&host, 12, 20);
  combo.setGeometry(10, 10, 209, 18);
  FillPorts(combo);
  ComboEvents events;
  events.Attach(combo);
  Activate(host);
  combo.showPopup();
  QAbstractItemView* list = combo.view();
  QTRY_VERIFY(list->isVisible());
  // The list ignores a release that comes too soon after it opened.
  QTest::qWait(QApplication::doubleClickInterval() + 50);
  const QModelIndex com5 = combo.model()->index(5, 0);
  list->scrollTo(com5);
  QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualRect(com5).center());
  QTRY_COMPARE(events.log.size(), 2);
  QCOMPARE(events.log.at(1), QStringLiteral("up:5"));
  QVERIFY(!list->isVisible());
}

// A keyboard choice in the open list, seen by the close-up, is the shared
// window suite's: every port chosen there is taken with Enter.

void ControlsTest::comboCloseUpAlsoWhenDismissed() {
  Host host;
  TComboBox combo(&host, 12, 20);
  combo.setGeometry(10, 10, 209, 18);
  FillPorts(combo);
  combo.SetItemIndex(4);
  ComboEvents events;
  events.Attach(combo);
  Activate(host);
  combo.setFocus();
  combo.showPopup();
  QAbstractItemView* list = combo.view();
  QTRY_VERIFY(list->isVisible());
  QTest::keyClick(list, Qt::Key_Down);
  QTest::keyClick(list, Qt::Key_Escape);  // dismissed: the entry stays
  QTRY_COMPARE(events.log.size(), 2);
  QCOMPARE(events.log.at(1), QStringLiteral("up:4"));
  QCoreApplication::processEvents();
  QCOMPARE(events.log.size(), 2);  // exactly one close-up per drop-down
}

void ControlsTest::comboShowsTwentyItemsOfTwelvePixels() {
  Host host;
  TComboBox combo(&host, 12, 20);
  combo.setGeometry(10, 10, 209, 18);
  FillPorts(combo);
  Activate(host);
  combo.showPopup();
  QAbstractItemView* list = combo.view();
  QTRY_VERIFY(list->isVisible());
  QCOMPARE(list->visualRect(combo.model()->index(0, 0)).height(), 12);
  const int rowsShown = list->viewport()->height() / 12;
  QVERIFY2(rowsShown >= 19 && rowsShown <= 20, qPrintable(QString::number(rowsShown)));
  combo.hidePopup();
}

// --- Error box --------------------------------------------------------------

void ControlsTest::errorBoxText_data() {
  QTest::addColumn<QString>("message");
  QTest::addColumn<QString>("shown");
  QTest::newRow("japanese") << QStringLiteral("'X1' は整数ではありません")
                            << QStringLiteral("'X1' は整数ではありません.");
  QTest::newRow("letter") << QStringLiteral("failed") << QStringLiteral("failed.");
  QTest::newRow("digit") << QStringLiteral("code 7") << QStringLiteral("code 7.");
  QTest::newRow("ends in dot") << QStringLiteral("done.") << QStringLiteral("done.");
  QTest::newRow("ends in bang") << QStringLiteral("stop!") << QStringLiteral("stop!");
  QTest::newRow("ends in comma") << QStringLiteral("a,") << QStringLiteral("a,");
  QTest::newRow("ends in hyphen") << QStringLiteral("a-") << QStringLiteral("a-");
  QTest::newRow("ends in slash") << QStringLiteral("a/") << QStringLiteral("a/.");
  QTest::newRow("ends in blank") << QStringLiteral("a ") << QStringLiteral("a ");
  QTest::newRow("empty") << QString() << QString();
  QTest::newRow("astral") << QString::fromUcs4(U"x\U0001F600")
                          << QString::fromUcs4(U"x\U0001F600.");
}

void ControlsTest::errorBoxText() {
  QFETCH(QString, message);
  QFETCH(QString, shown);
  QCOMPARE(ErrorBoxText(message), shown);
}

void ControlsTest::guardedHandlerShowsErrorBoxAndCarriesOn() {
  QCoreApplication::setApplicationName(QStringLiteral("Kx14-manager"));
  Host host;
  Activate(host);
  QString caption;
  QString text;
  QMessageBox::Icon icon = QMessageBox::NoIcon;
  QMessageBox::StandardButtons buttons;
  QTimer::singleShot(0, [&] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    QVERIFY(box != nullptr);
    caption = box->windowTitle();
    text = box->text();
    icon = box->icon();
    buttons = box->standardButtons();
    box->accept();
  });
  QChar key = QLatin1Char('a');
  auto showError = [&host](const std::string& message) {
    ShowErrorBox(&host, QString::fromStdString(message));
  };
  auto handler = Guarded(showError, [](QChar& k) {
    k = QLatin1Char('b');
    throw std::runtime_error("ポートをオープンできませんでした");
  });
  handler(key);                     // returns: the exception ended in the box
  QCOMPARE(key, QLatin1Char('b'));  // references reach the handler
  QCOMPARE(caption, QStringLiteral("Kx14-manager"));
  QCOMPARE(text, QStringLiteral("ポートをオープンできませんでした."));
  QCOMPARE(icon, QMessageBox::Critical);
  QCOMPARE(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

void ControlsTest::applicationTitleFromPath_data() {
  QTest::addColumn<QString>("path");
  QTest::addColumn<QString>("title");
  QTest::newRow("installed") << QStringLiteral("/usr/bin/kx14-manager")
                             << QStringLiteral("Kx14-manager");
  QTest::newRow("mixed case") << QStringLiteral("/opt/KX14-Manager")
                              << QStringLiteral("Kx14-manager");
  QTest::newRow("windows name") << QStringLiteral("KX14MGR.EXE") << QStringLiteral("Kx14mgr");
  QTest::newRow("first dot cuts") << QStringLiteral("/a.b/tool.v1.exe") << QStringLiteral("Tool");
  QTest::newRow("dot first") << QStringLiteral("/x/.hidden") << QString();
  QTest::newRow("digit first") << QStringLiteral("9LIVES") << QStringLiteral("9lives");
}

void ControlsTest::applicationTitleFromPath() {
  QFETCH(QString, path);
  QFETCH(QString, title);
  QCOMPARE(ApplicationTitleFromPath(path), title);
}

}  // namespace kx14

QTEST_MAIN(kx14::ControlsTest)
#include "controls_test.moc"
