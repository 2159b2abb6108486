#include "ui/trackside/win32/file_dialog.h"

// After windows.h (from the header), which it needs.
#include <commdlg.h>

#include "ui/trackside/trackside_texts.h"
#include "ui/win32/text.h"

namespace kx14::trackside {

std::optional<std::string> SystemFileDialog(HWND owner, TFileChoice choice) {
  wchar_t path[MAX_PATH] = {};
  const std::wstring title =
      WideFromUtf8(Text(choice == TFileChoice::Roster ? TText::OpenRoster : TText::ChooseLog));
  OPENFILENAMEW dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = L"CSV (*.csv)\0*.csv\0*.*\0*.*\0";
  dialog.lpstrFile = path;
  dialog.nMaxFile = MAX_PATH;
  dialog.lpstrTitle = title.c_str();
  dialog.lpstrDefExt = L"csv";
  // A log that exists already is appended to, never replaced: no question
  // about overwriting it.
  dialog.Flags = OFN_EXPLORER | OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST |
                 (choice == TFileChoice::Roster ? OFN_FILEMUSTEXIST : 0);
  const BOOL chosen =
      choice == TFileChoice::Roster ? GetOpenFileNameW(&dialog) : GetSaveFileNameW(&dialog);
  if (!chosen) return std::nullopt;
  return Utf8FromWide(path);
}

}  // namespace kx14::trackside
