// kx14ctl's `program --level L` against the window's own rules: for every
// level on a few device blocks, the program frame that the window sends after
// Read, a click on the level and Program, and the one kx14ctl sends through
// the shared control model, compared byte for byte.

#include <QFile>
#include <QTest>
#include <sstream>

#include "device/device_actions.h"
#include "form_fixture.h"
#include "private_devsim.h"
#include "protocol/handicap_captions.h"
#include "ui/form/handicap_presets.h"
#include "window_test_support.h"

namespace kx14 {
namespace {

using testing::PrivateDevsim;

const char* const kBlocks[] = {
    "5A 00 00 01 00 00 02 00 00 00 00 00 00 05 03 51",  // the worked example
    "33 AB CD EF 12 34 56 F7 FF 80 01 02 03 0D FF 00",  // odd bytes, MASTERF on, OT_MAX 13
    "00 00 00 00 FF FF FF 01 07 06 05 04 03 FA 01 76",  // OT_MAX 250, MAXPWR byte 118
};

// The device's path, as the port list resolves its name.
std::filesystem::path DevicePath(const PrivateDevsim& device) {
  for (const ComPort& port : ListComPorts(device.Sources())) {
    if (port.name == device.PortName()) return port.device;
  }
  return {};
}

}  // namespace

class CliProgramParityTest : public QObject {
  Q_OBJECT

 private slots:
  void captionsAreTheWindows() {
    for (std::size_t i = 0; i < kHandicapPresets.size(); ++i) {
      QCOMPARE(QString::fromUtf8(HandicapCaption(kHandicapPresets[i]).data()),
               QString::fromUtf8(HandicapPresets()[i].caption));
    }
  }

  // The window traces its exchanges as kx14ctl's --trace does.
  void windowWritesTheTraceThatKx14TraceNames() {
    testing::TempDir dir;
    const std::filesystem::path path = dir.path() / "trace.log";
    qputenv("KX14_TRACE", path.c_str());
    const std::optional<std::string> frame = WindowFrame(kBlocks[0], THandicapPreset::Handy3);
    qunsetenv("KX14_TRACE");
    QVERIFY(frame.has_value());
    QFile trace(path);
    QVERIFY(trace.open(QIODevice::ReadOnly));
    const QString text = QString::fromLatin1(trace.readAll());
    QVERIFY2(text.contains(" tx E5\n") && text.contains(" rx E5 5A 00 00 01") &&
                 text.contains(" tx F5 5A 00 00 01"),
             qPrintable(text));
  }

  void programSendsWhatTheWindowSends_data() {
    QTest::addColumn<QString>("block");
    QTest::addColumn<int>("level");
    for (const char* block : kBlocks) {
      for (std::size_t level = 0; level < kHandicapPresets.size(); ++level) {
        QTest::addRow("%s level %zu", block, level) << QString(block) << static_cast<int>(level);
      }
    }
  }

  void programSendsWhatTheWindowSends() {
    QFETCH(QString, block);
    QFETCH(int, level);
    const THandicapPreset preset = kHandicapPresets[static_cast<std::size_t>(level)];
    const std::optional<std::string> window = WindowFrame(block.toStdString(), preset);
    QVERIFY(window.has_value());
    QCOMPARE(CliFrame(block.toStdString(), preset), window);
  }

 private:
  static std::optional<std::string> WindowFrame(const std::string& block, THandicapPreset preset) {
    PrivateDevsim device({"--block", block});
    FormFixture fixture;
    TMainForm& form = fixture.Create();
    form.UsePortSources(device.Sources());
    testing::CloseUpCounter closeUps(form.CommBox);
    if (!testing::ChooseFromList(form.CommBox, QString::fromStdString(device.PortName()))) {
      return std::nullopt;
    }
    if (!QTest::qWaitFor([&] { return closeUps.Count() == 1; })) return std::nullopt;
    form.READ_BTN->click();
    const QString button = QString::fromUtf8(
        std::array{"Handy_S", "Handy_M", "Handy0", "Handy1", "Handy2", "Handy3", "Handy4", "Handy5",
                   "Handy6", "Handy_7"}[static_cast<std::size_t>(preset)]);
    QTest::mouseClick(fixture.Named<TRadioButton>(button), Qt::LeftButton);
    form.PROGRAM_BTN->click();
    return device.NextLine("rx F5 ");
  }

  static std::optional<std::string> CliFrame(const std::string& block, THandicapPreset preset) {
    PrivateDevsim device({"--block", block});
    std::ostringstream notes;
    {
      cli::DeviceSession session({device.PortName(), DevicePath(device)}, nullptr);
      cli::ProgramLevel(session, preset, false, notes);
    }
    return device.NextLine("rx F5 ");
  }
};

}  // namespace kx14

QTEST_MAIN(kx14::CliProgramParityTest)
#include "cli_program_parity_test.moc"
