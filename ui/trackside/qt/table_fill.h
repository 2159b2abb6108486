#pragma once

// Copies the logic's rows into Qt's tables and lists, read-only, rows marked
// as alerts in red.

#include <QListWidget>
#include <QTableWidget>
#include <string>
#include <vector>

#include "ui/trackside/trackside_screen.h"

namespace kx14::trackside {

void FillTable(QTableWidget& table, const std::vector<std::string>& headers,
               const std::vector<TableRow>& rows);
void FillList(QListWidget& list, const std::vector<std::string>& lines);

}  // namespace kx14::trackside
