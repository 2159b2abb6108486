#pragma once

// A report-style ListView (the common control) for the track-side window's
// tables: its columns, its rows replaced at once, rows drawn in red where the
// logic marks them, and check boxes for the adapter list.

#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <string>
#include <vector>

#include "ui/trackside/trackside_screen.h"

namespace kx14::trackside {

class ListView {
 public:
  // Creates it as a child of `parent` with the control id `id`.
  ListView(HWND parent, int id, bool checkBoxes);

  HWND Handle() const { return hwnd_; }
  void SetColumns(const std::vector<std::string>& headers);
  void Fill(const std::vector<TableRow>& rows);
  // The adapters: the port with its check box, and its state.
  void FillAdapters(const std::vector<AdapterRow>& adapters);

  // The cells as the control holds them.
  std::vector<std::vector<std::string>> Rows() const;
  bool RowInRed(int row) const;
  bool Checked(int row) const;
  std::string Cell(int row, int column) const;

  // True while the rows are being replaced: the check box changes that
  // this makes are not the user's.
  bool Filling() const { return filling_; }
  // The parent's answer to NM_CUSTOMDRAW from this control.
  LRESULT CustomDraw(NMLVCUSTOMDRAW& draw) const;

 private:
  void AddRow(int row, const std::vector<std::string>& cells);
  int TextWidth(const std::string& text) const;
  // `firstExtra`: pixels more for the first column (its check box).
  void FitColumns(const std::vector<std::vector<std::string>>& rows, int firstExtra = 0);

  HWND hwnd_;
  int columns_ = 0;
  std::vector<std::string> headers_;
  std::vector<bool> red_;
  bool filling_ = false;
};

}  // namespace kx14::trackside
