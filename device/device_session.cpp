#include "device/device_session.h"

#include "files/exit_status.h"
#include "device/port_state.h"
#include "kx14_version.h"
#include "protocol/frames.h"

namespace kx14::cli {
namespace {

constexpr int kComNumber = 1;  // the component's PortNo; the resolver maps it to the chosen device

std::string WhyNotOpened(const ChosenPort& port) {
  const PortState state = ProbePortState(port.device);
  switch (state.kind) {
    case PortState::Kind::Missing:
      return port.name + ": no such device (" + port.device.string() +
             "); is the adapter plugged in? see kx14ctl ports";
    case PortState::Kind::NoAccess:
      return port.name + ": no access to " + port.device.string() + "; " +
             PortTroubleHint(port.name);
    case PortState::Kind::Busy:
      return port.name + " is " + DescribePortState(state) + "; close that program and try again";
    case PortState::Kind::Free:
      break;
  }
  return port.name + " could not be opened; " + PortTroubleHint(port.name);
}

}  // namespace

void TLinkDeviceView::SendReceive(ByteString& command, int replyLength, ByteString& reply) {
  if (const auto block = ParseProgramCommand(command)) {
    lastBlockSent_ = block;
    if (dryRun_) {
      reply.clear();
      command.clear();
      return;
    }
  }
  link_.SendReceive(command, replyLength, reply);
}

DeviceSession::DeviceSession(const ChosenPort& port, TExchangeObserver* trace,
                             history::THistoryWriter* history, const std::string& command)
    : port_(port) {
  comm_.SetFlowCtrl(TCommFlowCtrls::cfcNone);
  comm_.SetPortResolver([device = port.device](int) { return device; });
  link_.SetObserver(trace);
  if (history != nullptr) {
    recorder_ = std::make_unique<history::TStoreRecorder>(
        *history, history::StoreOrigin{"kx14ctl", std::string(kVersion), command, port.name},
        trace);
    link_.SetObserver(recorder_.get());
  }
  try {
    comm_.SetPortNo(kComNumber);
    comm_.Open();
  } catch (const ECommError&) {
    throw CliFailure(TExitStatus::PortUnavailable, WhyNotOpened(port));
  }
  comm_.SetDTR(true);
  comm_.SetDTR(false);
  comm_.PurgeTransmit();
  comm_.PurgeReceive();
}

DeviceSession::~DeviceSession() { comm_.Close(); }

std::optional<BlockBytes> DeviceSession::ReadBlock() {
  ByteString command = ReadCommandFrame();
  ByteString reply;
  link_.SendReceive(command, kReadReplyLength, reply);
  return ParseReadReply(reply);
}

bool DeviceSession::StoreBlock(const BlockBytes& block) {
  ByteString command = ProgramCommandFrame(block);
  ByteString reply;
  link_.SendReceive(command, kProgramReplyLength, reply);
  return IsProgramAccepted(reply);
}

std::unique_ptr<TLinkDeviceView> DeviceSession::NewWindowView(bool dryRun) {
  return std::make_unique<TLinkDeviceView>(pump_, link_, dryRun);
}

void DeviceSession::RecordReadBack(const std::optional<BlockBytes>& stored) {
  if (recorder_) recorder_->ReadBack(stored);
}

}  // namespace kx14::cli
