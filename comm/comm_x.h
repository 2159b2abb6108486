#pragma once

// The serial port component: one COM port, its line settings as properties,
// a transmit worker fed with queued chunks and a receive worker that reports
// port events to the window's thread.
//
// CONTRACT SKETCH (public API that protocol/ and ui/ code against). The comm
// module owns the implementation and may add members, but keeps these
// signatures.

#include <cstdint>
#include <memory>

#include "comm/byte_string.h"
#include "comm/comm_error.h"
#include "comm/comm_types.h"
#include "comm/message_pump.h"

namespace kx14 {

class TCustomCommX {
 public:
  static constexpr std::uint32_t kInvalidHandle = 0xFFFFFFFFu;

  // `pump` stands in for the notification window: it must outlive the
  // component. Builds a closed component with the defaults.
  explicit TCustomCommX(TMessagePump& pump);
  virtual ~TCustomCommX();  // closes an open port
  TCustomCommX(const TCustomCommX&) = delete;
  TCustomCommX& operator=(const TCustomCommX&) = delete;

  void Open();   // raises ECommError; on failure the component is closed
  void Close();  // nothing while closed
  void SetRTS(bool on);
  void SetDTR(bool on);

  virtual bool Write(const void* data, std::int32_t count);
  bool WriteString(const ByteString& s);
  virtual std::int32_t Read(void* buffer, std::int32_t count);
  void PurgeTransmit();
  void PurgeReceive();
  std::int32_t ReceiveCount();

  bool IsOpen() const;
  std::uint32_t Handle() const;

  std::int32_t PortNo() const;
  void SetPortNo(std::int32_t value);
  std::int32_t BitRate() const;
  void SetBitRate(std::int32_t value);
  std::int32_t CharSize() const;
  void SetCharSize(std::int32_t value);
  TCommParityBits ParityBit() const;
  void SetParityBit(TCommParityBits value);
  TCommStopBits StopBit() const;
  void SetStopBit(TCommStopBits value);
  TCommFlowCtrls FlowCtrl() const;
  void SetFlowCtrl(TCommFlowCtrls value);
  std::int32_t TimeOutTrans() const;
  void SetTimeOutTrans(std::int32_t value);
  std::int32_t TimeOutReceive() const;
  void SetTimeOutReceive(std::int32_t value);
  char XonChar() const;
  void SetXonChar(char value);
  char XoffChar() const;
  void SetXoffChar(char value);
  std::int32_t BufLenTrans() const;
  void SetBufLenTrans(std::int32_t value);
  std::int32_t BufLenReceive() const;
  void SetBufLenReceive(std::int32_t value);

  TCommReceiveEvent OnReceive;
  TCommBreakEvent OnBreak;
  TCommErrEvent OnError;
};

// The published form used by the window.
class TCommX : public TCustomCommX {
 public:
  using TCustomCommX::TCustomCommX;
};

}  // namespace kx14
