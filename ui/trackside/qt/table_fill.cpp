#include "ui/trackside/qt/table_fill.h"

#include <QBrush>
#include <QColor>
#include <QHeaderView>

namespace kx14::trackside {

void FillTable(QTableWidget& table, const std::vector<std::string>& headers,
               const std::vector<TableRow>& rows) {
  table.setColumnCount(static_cast<int>(headers.size()));
  QStringList labels;
  for (const std::string& header : headers) labels << QString::fromStdString(header);
  table.setHorizontalHeaderLabels(labels);
  table.setRowCount(static_cast<int>(rows.size()));
  for (int row = 0; row < table.rowCount(); ++row) {
    const TableRow& source = rows[static_cast<std::size_t>(row)];
    for (int column = 0; column < table.columnCount(); ++column) {
      const auto cell = static_cast<std::size_t>(column);
      auto* item = new QTableWidgetItem(
          cell < source.cells.size() ? QString::fromStdString(source.cells[cell]) : QString());
      item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
      if (source.alert) item->setForeground(QBrush(QColor(Qt::red)));
      table.setItem(row, column, item);
    }
  }
}

void FillList(QListWidget& list, const std::vector<std::string>& lines) {
  list.clear();
  for (const std::string& line : lines) list.addItem(QString::fromStdString(line));
}

}  // namespace kx14::trackside
