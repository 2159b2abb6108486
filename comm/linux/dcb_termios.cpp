#include "comm/linux/dcb_termios.h"

#include <array>
#include <utility>

namespace kx14 {
namespace {

constexpr std::array<std::pair<std::uint32_t, tcflag_t>, 30> kStandardRates{{
    {50, B50},           {75, B75},           {110, B110},         {134, B134},
    {150, B150},         {200, B200},         {300, B300},         {600, B600},
    {1200, B1200},       {1800, B1800},       {2400, B2400},       {4800, B4800},
    {9600, B9600},       {19200, B19200},     {38400, B38400},     {57600, B57600},
    {115200, B115200},   {230400, B230400},   {460800, B460800},   {500000, B500000},
    {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000}, {2500000, B2500000}, {3000000, B3000000},
    {3500000, B3500000}, {4000000, B4000000},
}};

using namespace dcb_flag;

std::uint32_t DtrControl(std::uint32_t flags) { return flags & kDtrControlMask; }
std::uint32_t RtsControl(std::uint32_t flags) { return flags & kRtsControlMask; }

bool SetCharSize(std::uint8_t byteSize, tcflag_t& cflag) {
  static constexpr std::array<tcflag_t, 4> kSizes{CS5, CS6, CS7, CS8};
  if (byteSize < 5 || byteSize > 8) return false;
  cflag |= kSizes[byteSize - 5];
  return true;
}

bool SetParity(std::uint8_t parity, tcflag_t& cflag) {
  switch (parity) {
    case 0:
      return true;
    case 1:
      cflag |= PARENB | PARODD;
      return true;
    case 2:
      cflag |= PARENB;
      return true;
    case 3:
      cflag |= PARENB | PARODD | CMSPAR;
      return true;
    case 4:
      cflag |= PARENB | CMSPAR;
      return true;
    default:
      return false;
  }
}

bool SetStopBits(std::uint8_t stopBits, tcflag_t& cflag) {
  if (stopBits == 0) return true;
  if (stopBits == 2) {
    cflag |= CSTOPB;
    return true;
  }
  return false;  // one and a half stop bits do not exist in termios
}

bool FlowIsPossible(std::uint32_t flags) {
  if (flags & kOutxDsrFlow) return false;
  if (DtrControl(flags) == kDtrControlHandshake) return false;
  if (DtrControl(flags) == kDtrControlMask) return false;  // undefined value
  return RtsControl(flags) != kRtsControlToggle;
}

LineLevel DtrLevel(std::uint32_t flags) {
  return DtrControl(flags) == kDtrControlEnable ? LineLevel::kRaise : LineLevel::kLower;
}

LineLevel RtsLevel(std::uint32_t flags) {
  switch (RtsControl(flags)) {
    case kRtsControlEnable:
      return LineLevel::kRaise;
    case kRtsControlHandshake:
      return LineLevel::kLeave;  // CRTSCTS drives it
    default:
      return LineLevel::kLower;
  }
}

SettingFault FillFlags(const Dcb& dcb, termios2& tio) {
  tio.c_iflag = 0;
  tio.c_oflag = 0;
  tio.c_lflag = 0;
  tio.c_cflag = CREAD | CLOCAL;
  if (dcb.BaudRate == 0) return SettingFault::kBaudRate;
  tio.c_cflag |= BaudCode(dcb.BaudRate);
  tio.c_ispeed = dcb.BaudRate;
  tio.c_ospeed = dcb.BaudRate;
  if (!SetCharSize(dcb.ByteSize, tio.c_cflag)) return SettingFault::kByteSize;
  if (!SetParity(dcb.Parity, tio.c_cflag)) return SettingFault::kParity;
  if (!SetStopBits(dcb.StopBits, tio.c_cflag)) return SettingFault::kStopBits;
  if (!FlowIsPossible(dcb.Flags)) return SettingFault::kFlowControl;
  if ((dcb.Flags & kOutxCtsFlow) || RtsControl(dcb.Flags) == kRtsControlHandshake) {
    tio.c_cflag |= CRTSCTS;
  }
  if (dcb.Flags & kOutX) tio.c_iflag |= IXON;
  if (dcb.Flags & kInX) tio.c_iflag |= IXOFF;
  if ((dcb.Flags & (kOutX | kInX)) && dcb.XonChar == dcb.XoffChar) {
    return SettingFault::kXonXoffChars;
  }
  return SettingFault::kNone;
}

}  // namespace

tcflag_t BaudCode(std::uint32_t rate) {
  for (const auto& [value, code] : kStandardRates) {
    if (value == rate) return code;
  }
  return BOTHER;
}

TermiosMapping DcbToTermios(const Dcb& dcb, const termios2& current) {
  TermiosMapping mapping;
  termios2& tio = mapping.settings.tio;
  tio = current;
  mapping.fault = FillFlags(dcb, tio);
  if (mapping.fault != SettingFault::kNone) return mapping;
  // Reads never block in the driver: the descriptor is non-blocking and the
  // waits happen in poll(). VMIN=1 makes an empty read report EAGAIN, so a
  // read of 0 bytes can only mean the far end hung up.
  tio.c_cc[VMIN] = 1;
  tio.c_cc[VTIME] = 0;
  tio.c_cc[VSTART] = static_cast<cc_t>(dcb.XonChar);
  tio.c_cc[VSTOP] = static_cast<cc_t>(dcb.XoffChar);
  mapping.settings.dtr = DtrLevel(dcb.Flags);
  mapping.settings.rts = RtsLevel(dcb.Flags);
  return mapping;
}

namespace {

std::uint8_t ByteSizeOf(tcflag_t cflag) {
  switch (cflag & CSIZE) {
    case CS5:
      return 5;
    case CS6:
      return 6;
    case CS7:
      return 7;
    default:
      return 8;
  }
}

std::uint8_t ParityOf(tcflag_t cflag) {
  if (!(cflag & PARENB)) return 0;
  const bool odd = cflag & PARODD;
  if (cflag & CMSPAR) return odd ? 3 : 4;
  return odd ? 1 : 2;
}

std::uint32_t FlagsOf(const termios2& tio) {
  std::uint32_t flags = kBinary | kParity | kDtrControlEnable;
  flags |= (tio.c_cflag & CRTSCTS) ? (kOutxCtsFlow | kRtsControlHandshake) : kRtsControlEnable;
  if (tio.c_iflag & IXON) flags |= kOutX;
  if (tio.c_iflag & IXOFF) flags |= kInX;
  return flags;
}

}  // namespace

Dcb TermiosToDcb(const termios2& tio) {
  Dcb dcb;
  dcb.BaudRate = tio.c_ospeed;
  dcb.Flags = FlagsOf(tio);
  dcb.ByteSize = ByteSizeOf(tio.c_cflag);
  dcb.Parity = ParityOf(tio.c_cflag);
  dcb.StopBits = (tio.c_cflag & CSTOPB) ? 2 : 0;
  dcb.XonChar = static_cast<char>(tio.c_cc[VSTART]);
  dcb.XoffChar = static_cast<char>(tio.c_cc[VSTOP]);
  return dcb;
}

}  // namespace kx14
