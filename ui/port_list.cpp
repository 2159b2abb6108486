// The port list: rebuilt from the machine's serial ports each time it drops
// down. The user-defined ports directory and the detected serial devices
// stand in for the registry's list of serial ports.

#include <QString>
#include <exception>

#include "ports/port_name_order.h"
#include "ui/controls/combo_box.h"
#include "ui/main_form.h"

namespace kx14 {
namespace {

const char* const kOffEntry = "OFF";

}  // namespace

void TMainForm::UsePortSources(const PortSources& sources) {
  portSources_ = sources;
  // The opening must find the very device that the list shows.
  CommX1->SetPortResolver([sources](int portNo) { return ResolveComPort(portNo, sources); });
}

PortSources TMainForm::CurrentPortSources() const {
  // Read afresh each time: the user's ports directory may change between two
  // drop-downs (a simulator registers itself, an adapter is plugged in).
  return portSources_ ? *portSources_ : DefaultPortSources();
}

void TMainForm::CommBoxDropDown(QObject*) { UpdatePortList(); }

void TMainForm::UpdatePortList() {
  const QString previous = CommBox->currentText();
  CommBox->clear();
  std::vector<std::string> names;
  try {
    names = ListComPortNames(CurrentPortSources());
    // Sorts only a list of more than one name, so a single name is never
    // converted: it is listed whatever it is called.
    SortPortNames(names);
  } catch (...) {
    // The list is left holding "OFF" alone; the error goes on to the error
    // box, and MON_EDIT keeps its text.
    RefillPortList(previous, {});
    throw;
  }
  RefillPortList(previous, names);
}

void TMainForm::RefillPortList(const QString& previous, const std::vector<std::string>& names) {
  for (const std::string& name : names) CommBox->addItem(QString::fromStdString(name));
  CommBox->insertItem(0, QString::fromLatin1(kOffEntry));
  // The first entry whose whole text matches, letter case ignored; "OFF"
  // when the port is no longer listed.
  const int found = CommBox->findText(previous, Qt::MatchFixedString);
  CommBox->SetItemIndex(found >= 0 ? found : 0);
}

}  // namespace kx14
