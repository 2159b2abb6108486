#pragma once

// The device's 16-byte parameter block and its encoding to and from the
// values the window's controls hold.
//
// CONTRACT SKETCH: the protocol module owns the implementation and may add
// members, but keeps these signatures.

#include <array>
#include <cstdint>

namespace kx14 {

using BlockBytes = std::array<std::uint8_t, 16>;

// The block's fields as the window holds them: radio choices, identifier
// values (the fields' Tag) and scroll bar positions. The bar names follow the
// window, not the fields: uaBar holds LOW_CH, lowBar HIGH_CH, hichBar ST_ADJ.
struct BlockControls {
  bool bup5Ah = true;      // BUP_5Ah selected (else BUP_00h)
  std::int32_t yourId = 0;  // YOUID_EDIT's Tag, 0..16777215
  std::int32_t myId = 0;    // MYID_EDIT's Tag, 0..16777215
  bool masOn = false;       // MAS_ON selected (else MAS_OFF)
  bool otOn = false;        // OT_ON selected (else OT_OFF)
  int lastBar = 0;          // LASTCH   0..255
  int modeBar = 0;          // MODE     0..255
  int uaBar = 0;            // LOW_CH   0..255
  int lowBar = 0;           // HIGH_CH  0..255
  int hichBar = 0;          // ST_ADJ   0..255
  int thrBar = 1;           // OT_MAX   1..250
  int yobi1Bar = 1;         // OT_TIME  1..250
  int yobi2Bar = 0;         // MAXPWR position 0..100
  friend bool operator==(const BlockControls&, const BlockControls&) = default;
};

// Block to controls: positions limited to each bar's range, MAXPWR through
// its transform (position = 236 - 2 * byte, limited to 0..100).
BlockControls DecodeBlock(const BlockBytes& block);

// Controls to block: MAXPWR byte = 118 - position / 2; flag bits other than
// 0 and 3 are 0; BUP is 0x00 for BUP_00h, else 0x5A.
BlockBytes EncodeBlock(const BlockControls& controls);

}  // namespace kx14
