// Windows hands main() its arguments in the ANSI code page, which cannot hold
// a level's caption on most systems: the arguments are taken from the UTF-16
// command line instead. The C++ library reads narrow file names as UTF-8 on
// Windows, so paths given on the command line keep every character.
#include <windows.h>
// shellapi.h needs windows.h first.
#include <shellapi.h>

#include "cli/program_arguments.h"

namespace kx14::cli {
namespace {

std::string Utf8(const wchar_t* text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8.data(), size, nullptr, nullptr);
  utf8.pop_back();  // the terminating zero
  return utf8;
}

}  // namespace

std::vector<std::string> ProgramArguments(int argc, char** argv) {
  SetConsoleOutputCP(CP_UTF8);
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  if (wide == nullptr) return std::vector<std::string>(argv + 1, argv + argc);
  std::vector<std::string> args;
  for (int i = 1; i < count; ++i) args.push_back(Utf8(wide[i]));
  LocalFree(wide);
  return args;
}

}  // namespace kx14::cli
