#include "recording_device_view.h"

#include <algorithm>
#include <iterator>

namespace kx14::testing {
namespace {

std::string Call(const std::string& name, long long argument) {
  return name + "(" + std::to_string(argument) + ")";
}

}  // namespace

const char* PresetName(THandicapPreset preset) {
  static constexpr const char* kNames[] = {"Handy_S", "Handy_M", "Handy0", "Handy1", "Handy2",
                                           "Handy3",  "Handy4",  "Handy5", "Handy6", "Handy_7"};
  return kNames[static_cast<int>(preset)];
}

const char* BarName(TByteField bar) {
  static constexpr const char* kNames[] = {"LAST_BAR", "MODE_BAR", "UA_BAR",    "LOW_BAR",
                                           "HICH_BAR", "THR_BAR",  "YOBI1_BAR", "YOBI2_BAR"};
  return kNames[static_cast<int>(bar)];
}

std::vector<std::string> RecordingDeviceView::ControlCalls() const {
  std::vector<std::string> sets;
  std::copy_if(calls.begin(), calls.end(), std::back_inserter(sets),
               [](const std::string& c) { return c != "ProcessMessages" && c != "Exchange"; });
  return sets;
}

void RecordingDeviceView::ProcessMessages() {
  calls.push_back("ProcessMessages");
  if (duringProcessMessages) duringProcessMessages();
}

void RecordingDeviceView::SendReceive(ByteString& command, int /*replyLength*/, ByteString& reply) {
  calls.push_back("Exchange");
  commandsSent.push_back(command);
  if (duringExchange) duringExchange();
  reply.clear();
  if (!replies.empty()) {
    reply = replies.front();
    replies.pop_front();
  }
  command = reply;
}

void RecordingDeviceView::SelectBup(bool bup5Ah) {
  calls.push_back(Call("SelectBup", bup5Ah));
  TControlModel::SelectBup(bup5Ah);
}

void RecordingDeviceView::SetYourId(std::int32_t value) {
  calls.push_back(Call("SetYourId", value));
  TControlModel::SetYourId(value);
}

void RecordingDeviceView::SetMyId(std::int32_t value) {
  calls.push_back(Call("SetMyId", value));
  TControlModel::SetMyId(value);
}

void RecordingDeviceView::SelectMasterF(bool on) {
  calls.push_back(Call("SelectMasterF", on));
  TControlModel::SelectMasterF(on);
}

void RecordingDeviceView::SelectOvertake(bool on) {
  calls.push_back(Call("SelectOvertake", on));
  TControlModel::SelectOvertake(on);
}

void RecordingDeviceView::SetBarPosition(TByteField bar, int position) {
  calls.push_back(std::string("SetBar(") + BarName(bar) + "," + std::to_string(position) + ")");
  TControlModel::SetBarPosition(bar, position);
}

void RecordingDeviceView::ShowInformation(std::string_view text) {
  TControlModel::ShowInformation(text);
  informationShown.emplace_back(text);
}

void RecordingDeviceView::SelectHandicap(THandicapPreset selected) {
  calls.push_back(std::string("SelectHandicap(") + PresetName(selected) + ")");
  ClickPreset(selected);
}

}  // namespace kx14::testing
