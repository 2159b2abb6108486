// The ten handicap presets: captions, comments and limits, and that a
// preset's handler runs only when its button becomes selected.

#include <QTest>

#include "form_test.h"

namespace kx14 {
namespace {

const char* const kHeading = "開発室から一言：";

TRadioButton* Preset(TMainForm& form, int index) {
  TRadioButton* buttons[] = {form.Handy_S, form.Handy_M, form.Handy0, form.Handy1, form.Handy2,
                             form.Handy3,  form.Handy4,  form.Handy5, form.Handy6, form.Handy_7};
  return buttons[index];
}

}  // namespace

class PresetsTest : public FormTest {
  Q_OBJECT

 private slots:
  void clickingAPresetShowsItsCommentAndSetsItsLimit_data();
  void clickingAPresetShowsItsCommentAndSetsItsLimit();
  void handy0IsSelectedAtStartWithoutItsHandler();
  void clickingTheSelectedPresetChangesNothing();
  void limitsReachBothEndsOfTheBar();
  void equalLimitStillReplacesTheComment();
  void arrowKeysMoveTheSelectionAndRunTheHandler();
  void selectingFromCodeRunsTheHandlerOnlyOnAChange();
  void presetsFormOneGroupApartFromTheOnOffPairs();
};

void PresetsTest::clickingAPresetShowsItsCommentAndSetsItsLimit_data() {
  QTest::addColumn<int>("index");
  QTest::addColumn<QString>("caption");
  QTest::addColumn<int>("top");
  QTest::addColumn<int>("limit");
  QTest::addColumn<QString>("comment");
  auto row = [](const char* name, int index, const char* caption, int top, int limit,
                const char* comment) {
    QTest::newRow(name) << index << QString::fromUtf8(caption) << top << limit
                        << QString::fromUtf8(comment);
  };
  row("Handy_S", 0, "Vorer仙人", 16, 1,
      "開発室から一言：\r\n"
      "さぁ～いよいよ「Vorer仙人」の領域に達しました。\r\n"
      "これからはVorer仙人としてVorerの遊び方を切り開いてください。\r\n"
      "（オーバーテイク回数：１回）");
  row("Handy_M", 1, "Vorer名人", 40, 3,
      "開発室から一言：\r\n"
      "ここからは、未知の領域。Vorerの走りを極めよう！！\r\n"
      "Vorer名人に相応しい走りで観客を魅了しよう。\r\n"
      "\r\n"
      "（オーバーテイク回数：３回）");
  row("Handy0", 2, "ハンデ無し", 64, 5,
      "開発室から一言：\r\n"
      "あなたはスバリ上級者！Vorer界を盛り上げて！！\r\n"
      "\r\n"
      "\r\n"
      "（オーバーテイク回数：５回）");
  row("Handy1", 3, "ハンデ＋１", 88, 6,
      "開発室から一言：\r\n"
      "あと一歩で上級者。チャンス活かしてオーバーテイク！\r\n"
      "\r\n"
      "\r\n"
      "（オーバーテイク回数：６回）");
  row("Handy2", 4, "ハンデ＋２", 112, 7,
      "開発室から一言：\r\n"
      "Vorerにマッチするセッティングを極めろ！上級者を脅かせ！！\r\n"
      "\r\n"
      "（オーバーテイク回数：７回）");
  row("Handy3", 5, "ハンデ＋３", 136, 8,
      "開発室から一言：\r\n"
      "ここまで来れば、練習あるのみ！めざせ「Vorer仙人」！！\r\n"
      "\r\n"
      "（オーバーテイク回数：８回）");
  row("Handy4", 6, "ハンデ＋４", 160, 9,
      "開発室から一言：\r\n"
      "Vorerの走りのコツを掴めたかな？油断せずにしっかり走ろう！\r\n"
      "\r\n"
      "（オーバーテイク回数：９回）");
  row("Handy5", 7, "ハンデ＋５", 184, 10,
      "開発室から一言：\r\n"
      "上手くオーバーテイクを使いこなそう。コーナーリングを大切に！！\r\n"
      "\r\n"
      "（オーバーテイク回数：１０回）");
  row("Handy6", 8, "ハンデ＋６", 208, 15,
      "開発室から一言：\r\n"
      "まだまだ、Vorerの道は始まったばかり。ストレートで抜きまくれ！！\r\n"
      "\r\n"
      "（オーバーテイク回数：１５回）");
  row("Handy_7", 9, "ハンデ＋ＭＡＸ", 232, 250,
      "開発室から一言：\r\n"
      "Vorerにチャレンジしてくれて、ありがとう。オーバーテイク機能で自爆しないように練習してね！！"
      "\r\n"
      "\r\n"
      "（オーバーテイク回数：２５０回）");
}

void PresetsTest::clickingAPresetShowsItsCommentAndSetsItsLimit() {
  QFETCH(int, index);
  QFETCH(QString, caption);
  QFETCH(int, top);
  QFETCH(int, limit);
  QFETCH(QString, comment);
  TMainForm& form = fixture_.Form();
  TRadioButton* button = Preset(form, index);
  QCOMPARE(button->text(), caption);
  QCOMPARE(button->geometry(), QRect(96, top, 105, 18));
  // Start from another preset, so that Handy0 too becomes newly selected.
  TRadioButton* other = Preset(form, index == 9 ? 0 : 9);
  QTest::mouseClick(other, Qt::LeftButton);
  QVERIFY(other->Checked());
  QTest::mouseClick(button, Qt::LeftButton);
  QVERIFY(button->Checked());
  QVERIFY(!other->Checked());
  QCOMPARE(form.K_Comment->text(), comment);
  QVERIFY(!comment.endsWith(QStringLiteral("\r\n")));
  QCOMPARE(form.THR_BAR->Position(), limit);
  QCOMPARE(form.THR_EDIT->text(), QString::number(limit));
}

void PresetsTest::handy0IsSelectedAtStartWithoutItsHandler() {
  TMainForm& form = fixture_.Form();
  QVERIFY(form.Handy0->Checked());
  QCOMPARE(form.K_Comment->text(), QString::fromUtf8(kHeading));
  // The stored level agrees with the one shown: Handy0's count, 5.
  QCOMPARE(form.THR_BAR->Position(), 5);
  QCOMPARE(form.THR_EDIT->text(), QStringLiteral("5"));
}

void PresetsTest::clickingTheSelectedPresetChangesNothing() {
  TMainForm& form = fixture_.Form();
  QTest::mouseClick(form.Handy0, Qt::LeftButton);  // right after start
  QCOMPARE(form.K_Comment->text(), QString::fromUtf8(kHeading));
  QCOMPARE(form.THR_BAR->Position(), 5);

  QTest::mouseClick(form.Handy3, Qt::LeftButton);
  form.THR_BAR->SetPosition(42);  // e.g. a value read from the device
  form.K_Comment->SetText("x");
  QTest::mouseClick(form.Handy3, Qt::LeftButton);
  QCOMPARE(form.THR_BAR->Position(), 42);
  QCOMPARE(form.K_Comment->text(), QStringLiteral("x"));

  QTest::mouseClick(form.Handy0, Qt::LeftButton);  // now a change
  QCOMPARE(form.THR_BAR->Position(), 5);
  QVERIFY(form.K_Comment->text().endsWith(QStringLiteral("（オーバーテイク回数：５回）")));
}

void PresetsTest::limitsReachBothEndsOfTheBar() {
  TMainForm& form = fixture_.Form();
  QTest::mouseClick(form.Handy_7, Qt::LeftButton);
  QCOMPARE(form.THR_BAR->Position(), form.THR_BAR->Max());
  QCOMPARE(form.THR_EDIT->text(), QStringLiteral("250"));
  QTest::mouseClick(form.Handy_S, Qt::LeftButton);
  QCOMPARE(form.THR_BAR->Position(), form.THR_BAR->Min());
  QCOMPARE(form.THR_EDIT->text(), QStringLiteral("1"));
}

void PresetsTest::equalLimitStillReplacesTheComment() {
  TMainForm& form = fixture_.Form();
  form.THR_BAR->SetPosition(8);
  int changes = 0;
  auto original = form.THR_BAR->OnChange;
  form.THR_BAR->OnChange = [&](TScrollBarControl* bar) {
    ++changes;
    original(bar);
  };
  QTest::mouseClick(form.Handy3, Qt::LeftButton);
  QVERIFY(form.K_Comment->text().endsWith(QStringLiteral("（オーバーテイク回数：８回）")));
  QCOMPARE(form.THR_BAR->Position(), 8);
  QCOMPARE(changes, 0);
}

void PresetsTest::arrowKeysMoveTheSelectionAndRunTheHandler() {
  TMainForm& form = fixture_.Form();
  form.Handy0->setFocus();
  QVERIFY(form.Handy0->hasFocus());
  QTest::keyClick(form.Handy0, Qt::Key_Down);
  QVERIFY(form.Handy1->Checked());
  QVERIFY(form.Handy1->hasFocus());
  QCOMPARE(form.THR_BAR->Position(), 6);
  QTest::keyClick(form.Handy1, Qt::Key_Up);
  QTest::keyClick(form.Handy0, Qt::Key_Up);
  QVERIFY(form.Handy_M->Checked());
  QCOMPARE(form.THR_BAR->Position(), 3);
  QVERIFY(form.K_Comment->text().endsWith(QStringLiteral("（オーバーテイク回数：３回）")));
}

void PresetsTest::selectingFromCodeRunsTheHandlerOnlyOnAChange() {
  // What a read does: set the limit it read, then select the preset.
  TMainForm& form = fixture_.Form();
  form.THR_BAR->SetPosition(12);
  form.Handy6->SetChecked(true);
  QCOMPARE(form.THR_BAR->Position(), 15);
  QVERIFY(form.K_Comment->text().endsWith(QStringLiteral("（オーバーテイク回数：１５回）")));
  form.K_Comment->SetText("kept");
  form.THR_BAR->SetPosition(12);
  form.Handy6->SetChecked(true);  // already selected
  QCOMPARE(form.THR_BAR->Position(), 12);
  QCOMPARE(form.K_Comment->text(), QStringLiteral("kept"));
}

void PresetsTest::presetsFormOneGroupApartFromTheOnOffPairs() {
  TMainForm& form = fixture_.Form();
  for (int i = 0; i < 10; ++i) {
    QTest::mouseClick(Preset(form, i), Qt::LeftButton);
    for (int j = 0; j < 10; ++j) QCOMPARE(Preset(form, j)->Checked(), i == j);
  }
  QVERIFY(form.OT_OFF->Checked());
  QVERIFY(form.MAS_OFF->Checked());
  QVERIFY(form.BUP_5Ah->Checked());
  form.OT_ON->SetChecked(true);
  QVERIFY(form.Handy_7->Checked());
  QVERIFY(!form.OT_OFF->Checked());
  QVERIFY(form.MAS_OFF->Checked());
}

}  // namespace kx14

QTEST_MAIN(kx14::PresetsTest)
#include "presets_test.moc"
