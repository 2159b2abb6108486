// The window under a dark desktop: where the layout fixes a background (the
// sky-blue rows, the comment box, the level buttons, the fields), the text on
// it must stay readable although the system's text colour is now light.
// Checked as a user sees it: from a screenshot of the window, the contrast of
// each visible text against its own background.

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QStyle>
#include <QStyleOptionComboBox>
#include <QTest>
#include <vector>

#include "form_fixture.h"
#include "tests/window_suite/text_contrast.h"

namespace kx14 {
namespace {

// A dark desktop as a GTK dark theme hands it to Qt: dark faces, light text.
QPalette DarkPalette() {
  QPalette palette;
  const QColor face(53, 53, 53), base(36, 36, 36), text(238, 238, 236);
  for (auto [role, colour] : {std::pair{QPalette::Window, face}, {QPalette::Button, face},
                              {QPalette::Base, base}, {QPalette::AlternateBase, face},
                              {QPalette::WindowText, text}, {QPalette::Text, text},
                              {QPalette::ButtonText, text}, {QPalette::BrightText, text}}) {
    palette.setColor(role, colour);
  }
  return palette;
}

TColour ToColour(QRgb pixel) {
  return {static_cast<std::uint8_t>(qRed(pixel)), static_cast<std::uint8_t>(qGreen(pixel)),
          static_cast<std::uint8_t>(qBlue(pixel))};
}

// The area of a control where its text is drawn, in the control's own
// coordinates: frames, arrows and radio circles left out.
QRect TextArea(QWidget* control) {
  if (auto* list = qobject_cast<QComboBox*>(control)) {
    QStyleOptionComboBox option;
    option.initFrom(list);
    return list->style()->subControlRect(QStyle::CC_ComboBox, &option,
                                         QStyle::SC_ComboBoxEditField, list);
  }
  if (auto* button = qobject_cast<QAbstractButton*>(control)) {
    QStyleOptionButton option;
    option.initFrom(button);
    return button->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, button);
  }
  return control->contentsRect().adjusted(2, 2, -2, -2);
}

// The pixels of `area` of the screenshot.
std::vector<TColour> PixelsIn(const QImage& shot, const QRect& area) {
  std::vector<TColour> pixels;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) pixels.push_back(ToColour(shot.pixel(x, y)));
  }
  return pixels;
}

QString TextOf(QWidget* control) {
  if (auto* label = qobject_cast<QLabel*>(control)) return label->text();
  if (auto* field = qobject_cast<QLineEdit*>(control)) return field->text();
  if (auto* list = qobject_cast<QComboBox*>(control)) return list->currentText();
  if (auto* button = qobject_cast<QAbstractButton*>(control)) return button->text();
  return control->property("text").toString();
}

}  // namespace

class DarkThemeTest : public QObject {
  Q_OBJECT

 private slots:
  void initTestCase() { QApplication::setPalette(DarkPalette()); }

  void everyVisibleTextIsReadableOnItsBackground() {
    TMainForm& form = fixture_.Create();
    QVERIFY(fixture_.Active());
    const QImage shot = form.grab().toImage();
    shot.save(QStringLiteral("dark-theme-window.png"));  // kept for a look
    QStringList unreadable;
    int checked = 0;
    for (QWidget* control : form.findChildren<QWidget*>()) {
      if (!control->isVisibleTo(&form) || TextOf(control).trimmed().isEmpty()) continue;
      const QRect area = TextArea(control).translated(control->mapTo(&form, QPoint(0, 0)));
      const test::Contrast found = test::ContrastIn(PixelsIn(shot, area & shot.rect()));
      if (found.ratio < 4.5) {
        unreadable << QStringLiteral("%1 \"%2\": %3 : 1, rgb(%4, %5, %6) on rgb(%7, %8, %9)")
                          .arg(control->objectName(), TextOf(control))
                          .arg(found.ratio, 0, 'f', 2)
                          .arg(found.text.red).arg(found.text.green).arg(found.text.blue)
                          .arg(found.background.red).arg(found.background.green)
                          .arg(found.background.blue);
      }
      ++checked;
    }
    QVERIFY2(unreadable.isEmpty(), qPrintable(unreadable.join(QStringLiteral("\n"))));
    QVERIFY(checked >= 14);  // the two row labels, the list, the information, ten levels, the comment
  }

 private:
  FormFixture fixture_;
};

}  // namespace kx14

QTEST_MAIN(kx14::DarkThemeTest)
#include "dark_theme_test.moc"
