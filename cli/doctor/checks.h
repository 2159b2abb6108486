#pragma once

// The checks of one port, each in its own file. A check that does not apply
// to the port (ModemManager for a port other than ttyACM, brltty for an
// adapter other than a CH340/CH341, the USB identity of a tty not on USB)
// gives nothing.

#include <optional>

#include "cli/doctor/check_result.h"
#include "cli/doctor/port_under_test.h"

namespace kx14::cli {

// The device exists and is a character device. The other checks run only
// when this one is ok.
CheckResult CheckDeviceNode(const DoctorContext& context, const PortUnderTest& port);
// This process may open it for reading and writing; if not, why: not in the
// device's group, in it only from the next login, or no group may.
CheckResult CheckAccess(const DoctorContext& context, const PortUnderTest& port);
// No other process has it open.
CheckResult CheckHolders(const DoctorContext& context, const PortUnderTest& port);
// The adapter's USB identity and its stable name, with the command that pins
// it to a COM number.
std::optional<CheckResult> CheckUsbIdentity(const DoctorContext& context,
                                            const PortUnderTest& port);
// ModemManager probes new ttyACM ports with AT commands unless udev tells it
// not to.
std::optional<CheckResult> CheckModemManager(const DoctorContext& context,
                                             const PortUnderTest& port);
// brltty claims CH340/CH341 adapters as braille displays.
std::optional<CheckResult> CheckBrltty(const DoctorContext& context, const PortUnderTest& port);
// Not tied to a port: a CH340/CH341 plugged in without a serial port while
// brltty is installed, which is what its claim leaves behind.
std::optional<CheckResult> CheckCh34xWithoutPort(const DoctorContext& context);

}  // namespace kx14::cli
