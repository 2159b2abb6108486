#include "ui/trackside/qt/file_dialog.h"

#include <QFileDialog>

#include "ui/trackside/trackside_texts.h"

namespace kx14::trackside {

std::optional<std::string> SystemFileDialog(QWidget* parent, TFileChoice choice) {
  const QString filter = QStringLiteral("CSV (*.csv);;* (*)");
  // A log that exists already is appended to, never replaced: the save
  // dialog must not ask whether to overwrite it.
  const QString path =
      choice == TFileChoice::Roster
          ? QFileDialog::getOpenFileName(parent, QString::fromStdString(Text(TText::OpenRoster)),
                                         {}, filter)
          : QFileDialog::getSaveFileName(parent, QString::fromStdString(Text(TText::ChooseLog)), {},
                                         filter, nullptr, QFileDialog::DontConfirmOverwrite);
  if (path.isEmpty()) return std::nullopt;
  return path.toStdString();
}

}  // namespace kx14::trackside
