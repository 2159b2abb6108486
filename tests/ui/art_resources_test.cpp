// The artwork as the program finds it in its resources: the picture and the
// glyphs come out at their size and with the drawn pixels, straight over the
// embedded bytes, and the window shows them.

#include "ui/art/art_resources.h"

#include <QIcon>
#include <QTest>

#include "ui/art/glyphs.h"
#include "ui/art/picture.h"
#include "ui/qt/bitmap_button.h"
#include "ui/qt/image.h"
#include "ui/qt/main_form.h"

namespace kx14 {
namespace {

QRgb Opaque(const art::Rgb& c) { return qRgb(c.r, c.g, c.b); }

}  // namespace

class ArtResourcesTest : public QObject {
  Q_OBJECT

 private slots:
  void pictureIsTheDrawnSceneAtFullSize();
  void glyphsAreTheDrawnGlyphsWithTheirBackgroundTransparent();
  void missingResourceGivesNullImage();
  void windowShowsPictureAndGlyphs();
};

void ArtResourcesTest::pictureIsTheDrawnSceneAtFullSize() {
  QVERIFY(art::artResourcesPresent());
  const QImage picture = art::pictureImage();
  QCOMPARE(picture.size(), QSize(art::kPictureWidth, art::kPictureHeight));
  const art::RgbImage drawn = art::drawRacingPicture();
  // Every row and column, sampled along two diagonals and the corners.
  for (int i = 0; i < art::kPictureHeight; ++i) {
    const int x = i * (art::kPictureWidth - 1) / (art::kPictureHeight - 1);
    for (const QPoint p : {QPoint(x, i), QPoint(art::kPictureWidth - 1 - x, i)}) {
      QCOMPARE(picture.pixel(p), Opaque(drawn.at(p.x(), p.y())));
    }
  }
  QCOMPARE(picture.pixel(art::kPictureWidth - 1, 0), Opaque(drawn.at(art::kPictureWidth - 1, 0)));
  QCOMPARE(picture.pixel(0, art::kPictureHeight - 1), Opaque(drawn.at(0, art::kPictureHeight - 1)));
}

void ArtResourcesTest::glyphsAreTheDrawnGlyphsWithTheirBackgroundTransparent() {
  const std::pair<const char*, art::IndexedImage> glyphs[] = {
      {art::kProgramGlyphResource, art::programGlyph()},
      {art::kReadGlyphResource, art::readGlyph()},
      {art::kExitGlyphResource, art::exitGlyph()},
  };
  for (const auto& [resource, drawn] : glyphs) {
    const QImage glyph = art::glyphImage(resource);
    QCOMPARE(glyph.size(), QSize(drawn.width(), drawn.height()));
    for (int y = 0; y < drawn.height(); ++y) {
      for (int x = 0; x < drawn.width(); ++x) {
        const std::uint8_t index = drawn.at(x, y);
        const QRgb expected =
            index == art::kTransparentIndex ? qRgba(0, 0, 0, 0) : Opaque(drawn.palette()[index]);
        QCOMPARE(glyph.pixel(x, y), expected);
      }
    }
  }
}

void ArtResourcesTest::missingResourceGivesNullImage() {
  QVERIFY(art::glyphImage(":/art/no-such.glyph").isNull());
}

void ArtResourcesTest::windowShowsPictureAndGlyphs() {
  TMainForm form;
  QCOMPARE(form.Image1->Picture().size(), QSize(art::kPictureWidth, art::kPictureHeight));
  for (TBitBtn* button : {form.PROGRAM_BTN, form.READ_BTN, form.EXIT_BTN}) {
    QVERIFY(!button->icon().isNull());
  }
  QCOMPARE(form.READ_BTN->iconSize(), QSize(art::readGlyph().width(), art::readGlyph().height()));
}

}  // namespace kx14

QTEST_MAIN(kx14::ArtResourcesTest)
#include "art_resources_test.moc"
