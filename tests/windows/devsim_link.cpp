#include "tests/windows/devsim_link.h"

#include <windows.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>

namespace kx14::test {

std::string DevsimLink::Env(const char* name) const {
  const char* value = std::getenv((name + suffix_).c_str());
  return value != nullptr ? value : "";
}

bool DevsimLink::Available(std::string& why) const {
  for (const char* name : {"KX14_WINE_COM", "KX14_DEVSIM_CONTROL", "KX14_DEVSIM_LOG"}) {
    if (Env(name).empty()) {
      why = std::string(name) + suffix_ + " not set (run by scripts/windows-test.sh)";
      return false;
    }
  }
  return true;
}

std::string DevsimLink::PortName() const { return Env("KX14_WINE_COM"); }

std::int32_t DevsimLink::PortNo() const { return std::atoi(PortName().c_str() + 3); }

std::string DevsimLink::Log() const {
  std::ifstream in(Env("KX14_DEVSIM_LOG"), std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::size_t DevsimLink::CountInLog(const std::string& text) const {
  const std::string log = Log();
  std::size_t count = 0;
  for (auto at = log.find(text); at != std::string::npos; at = log.find(text, at + 1)) ++count;
  return count;
}

bool DevsimLink::WaitForLog(const std::string& text, std::size_t before,
                            std::chrono::milliseconds timeout) const {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (CountInLog(text) <= before) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(5));  // polling a file, bounded
  }
  return true;
}

bool DevsimLink::Control(const std::string& line) const {
  // Confirmed by "ctl <command> ...", in the simulator's own spelling.
  const std::string confirmation = "ctl " + line.substr(0, line.find(' '));
  const std::size_t before = CountInLog(confirmation);
  const HANDLE pipe = CreateFileA(Env("KX14_DEVSIM_CONTROL").c_str(), GENERIC_WRITE, 0, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  if (pipe == INVALID_HANDLE_VALUE) return false;
  const std::string text = line + "\n";
  DWORD written = 0;
  const bool ok = WriteFile(pipe, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
  CloseHandle(pipe);
  return ok && written == text.size() &&
         WaitForLog(confirmation, before, std::chrono::milliseconds(5000));
}

}  // namespace kx14::test
