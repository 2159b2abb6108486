#pragma once

// Properties of the user-defined ports directory scan and the COM mapping
// (ports/user_ports.h, ports/com_ports.h) over directories of hostile entries.

#include <cstdint>
#include <span>

#include "fuzz/properties/property_report.h"

namespace kx14::fuzz {

// Input: entries, each a kind byte (EntryKind, modulo their count), a length
// byte (modulo 33) and that many name bytes ("/" and NUL read as "_"); names
// that cannot be made are skipped. A fresh directory is made from them, then
// checked: exactly the character devices are listed, under their names as
// they are; COM<n> resolves exactly to the character device named "COM<n>";
// the first free number is the smallest one neither listed nor taken by any
// entry; and opening any entry the way the serial component opens a port
// succeeds only for a terminal. Nothing may block: no entry is opened for
// the listing, and the component's open does not wait on a FIFO.
PropertyReport CheckPortsDirectory(std::span<const std::uint8_t> input);

}  // namespace kx14::fuzz
