#include "ui/trackside/win32/list_view.h"

#include <algorithm>

#include "ui/trackside/win32/child_control.h"
#include "ui/win32/text.h"

namespace kx14::trackside {

ListView::ListView(HWND parent, int id, bool checkBoxes)
    : hwnd_(NewChild(parent, WC_LISTVIEWW, "",
                     WS_BORDER | WS_TABSTOP | LVS_REPORT | LVS_NOSORTHEADER | LVS_SINGLESEL, id)) {
  DWORD extended = LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES;
  if (checkBoxes) extended |= LVS_EX_CHECKBOXES;
  ListView_SetExtendedListViewStyle(hwnd_, extended);
}

void ListView::SetColumns(const std::vector<std::string>& headers) {
  headers_ = headers;
  for (; columns_ > 0; --columns_) ListView_DeleteColumn(hwnd_, columns_ - 1);
  for (const std::string& header : headers) {
    std::wstring text = WideFromUtf8(header);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = text.data();
    column.cx = 80;
    SendMessageW(hwnd_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(columns_++),
                 reinterpret_cast<LPARAM>(&column));
  }
}

void ListView::AddRow(int row, const std::vector<std::string>& cells) {
  for (int column = 0; column < columns_; ++column) {
    const auto cell = static_cast<std::size_t>(column);
    std::wstring text = WideFromUtf8(cell < cells.size() ? cells[cell] : "");
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = text.data();
    SendMessageW(hwnd_, column == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW,
                 column == 0 ? 0 : static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  }
}

void ListView::Fill(const std::vector<TableRow>& rows) {
  filling_ = true;
  SendMessageW(hwnd_, WM_SETREDRAW, FALSE, 0);
  ListView_DeleteAllItems(hwnd_);
  red_.clear();
  std::vector<std::vector<std::string>> cells;
  for (const TableRow& row : rows) {
    AddRow(static_cast<int>(red_.size()), row.cells);
    red_.push_back(row.alert);
    cells.push_back(row.cells);
  }
  FitColumns(cells);
  SendMessageW(hwnd_, WM_SETREDRAW, TRUE, 0);
  filling_ = false;
}

void ListView::FillAdapters(const std::vector<AdapterRow>& adapters) {
  filling_ = true;
  ListView_DeleteAllItems(hwnd_);
  red_.assign(adapters.size(), false);
  std::vector<std::vector<std::string>> cells;
  for (std::size_t row = 0; row < adapters.size(); ++row) {
    cells.push_back({adapters[row].port, adapters[row].state});
    AddRow(static_cast<int>(row), cells.back());
    ListView_SetCheckState(hwnd_, static_cast<int>(row), adapters[row].chosen);
  }
  // Room for the check box beside the port's name.
  FitColumns(cells, GetSystemMetrics(SM_CXSMICON) + 4);
  filling_ = false;
}

int ListView::TextWidth(const std::string& text) const {
  return ListView_GetStringWidth(hwnd_, WideFromUtf8(text).c_str());
}

void ListView::FitColumns(const std::vector<std::vector<std::string>>& rows, int firstExtra) {
  // Each column as wide as its header or its widest cell, whichever is
  // wider (the control's own autosize ignores the header of an empty list);
  // the last one takes what is left.
  constexpr int kPadding = 16;
  for (int column = 0; column + 1 < columns_; ++column) {
    const auto cell = static_cast<std::size_t>(column);
    int width = TextWidth(headers_[cell]);
    for (const auto& row : rows) {
      if (cell < row.size()) width = std::max(width, TextWidth(row[cell]));
    }
    ListView_SetColumnWidth(hwnd_, column, width + kPadding + (column == 0 ? firstExtra : 0));
  }
  if (columns_ > 0) ListView_SetColumnWidth(hwnd_, columns_ - 1, LVSCW_AUTOSIZE_USEHEADER);
}

std::string ListView::Cell(int row, int column) const {
  wchar_t text[512] = {};
  ListView_GetItemText(hwnd_, row, column, text, static_cast<int>(std::size(text)));
  return Utf8FromWide(text);
}

std::vector<std::vector<std::string>> ListView::Rows() const {
  std::vector<std::vector<std::string>> rows;
  for (int row = 0; row < ListView_GetItemCount(hwnd_); ++row) {
    rows.emplace_back();
    for (int column = 0; column < columns_; ++column) rows.back().push_back(Cell(row, column));
  }
  return rows;
}

bool ListView::RowInRed(int row) const {
  return row >= 0 && static_cast<std::size_t>(row) < red_.size() &&
         red_[static_cast<std::size_t>(row)];
}

bool ListView::Checked(int row) const { return ListView_GetCheckState(hwnd_, row) != 0; }

LRESULT ListView::CustomDraw(NMLVCUSTOMDRAW& draw) const {
  if (draw.nmcd.dwDrawStage == CDDS_PREPAINT) return CDRF_NOTIFYITEMDRAW;
  if (draw.nmcd.dwDrawStage == CDDS_ITEMPREPAINT &&
      RowInRed(static_cast<int>(draw.nmcd.dwItemSpec))) {
    draw.clrText = RGB(255, 0, 0);
    return CDRF_NEWFONT;
  }
  return CDRF_DODEFAULT;
}

}  // namespace kx14::trackside
