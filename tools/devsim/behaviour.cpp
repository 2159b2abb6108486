#include "tools/devsim/behaviour.h"

#include <array>
#include <utility>

namespace kx14::devsim {
namespace {

using FaultFlag = bool Faults::*;

constexpr std::array<std::pair<std::string_view, FaultFlag>, 8> kFaultNames = {{
    {"silent", &Faults::silent},
    {"short", &Faults::shortReply},
    {"long", &Faults::longReply},
    {"bad-checksum", &Faults::badChecksum},
    {"refuse", &Faults::refuse},
    {"noise", &Faults::noise},
    {"no-echo", &Faults::noEcho},
    {"wrong-store", &Faults::wrongStore},
}};

}  // namespace

bool SetFaultByName(Faults& faults, std::string_view name) {
  for (const auto& [faultName, flag] : kFaultNames) {
    if (name == faultName) {
      faults.*flag = true;
      return true;
    }
  }
  return false;
}

std::string FaultNames(const Faults& faults) {
  std::string names;
  for (const auto& [faultName, flag] : kFaultNames) {
    if (!(faults.*flag)) continue;
    if (!names.empty()) names += ',';
    names += faultName;
  }
  return names.empty() ? "normal" : names;
}

}  // namespace kx14::devsim
