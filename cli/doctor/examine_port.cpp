#include "cli/doctor/device_path.h"
#include "cli/doctor/port_under_test.h"

namespace kx14::cli {

PortUnderTest ExaminePort(const DoctorContext& context, std::string name,
                          std::filesystem::path entry, bool userDefined) {
  PortUnderTest port{std::move(name), std::move(entry), userDefined, {}, {}, {}, {}};
  const LinkChain chain = FollowLinks(context.roots, port.entry);
  port.device = chain.device;
  port.local = Localize(context.roots, chain.device);
  port.byIdLink = chain.byIdLink;
  port.usb = ReadUsbIdentity(context.roots.sys, TtyName(port.device));
  return port;
}

}  // namespace kx14::cli
