#pragma once

// The serial port component: one COM port, its line settings as properties,
// a transmit worker fed with queued chunks and a receive worker that reports
// port events to the window's thread.
//
// Every member runs on the window's thread (the thread that runs `pump`), and
// so do the three events. Failures of Open and of the setters are raised as
// ECommError with a fixed message; the transfer operations raise nothing and
// report by their results.

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>

#include "base/byte_string.h"
#include "comm/comm_error.h"
#include "comm/comm_types.h"
#include "comm/dcb.h"
#include "comm/message_pump.h"

namespace kx14 {

class SerialDevice;
class TCommTransThread;
class TCommReceiveThread;
struct CommShared;
struct CommAnchor;

class TCustomCommX {
 public:
  static constexpr std::uint32_t kInvalidHandle = 0xFFFFFFFFu;

  // Maps a COM number to the device it names; nothing when there is none.
  using PortResolver = std::function<std::optional<std::filesystem::path>(int portNo)>;
  // Opens the device of a COM number; nothing when it cannot be opened.
  using DeviceOpener = std::function<std::unique_ptr<SerialDevice>(int portNo)>;

  // `pump` stands in for the notification window: it must outlive the
  // component. Builds a closed component with the defaults.
  explicit TCustomCommX(TMessagePump& pump);
  virtual ~TCustomCommX();  // closes an open port
  TCustomCommX(const TCustomCommX&) = delete;
  TCustomCommX& operator=(const TCustomCommX&) = delete;

  // Opens the port named by PortNo, applies every setting and starts both
  // workers. Raises ECommError; after a failure the component is closed.
  // Takes at least 100 ms when it succeeds.
  void Open();
  // Stops the workers and closes the port; nothing while closed. Takes at
  // least 300 ms for an open port. Raises nothing.
  void Close();
  // Modem lines; nothing while closed or where the port has none.
  void SetRTS(bool on);
  void SetDTR(bool on);

  // Queues `count` bytes in chunks of at most BufLenTrans for the transmit
  // worker and returns without waiting for them to be sent (beyond 32 chunks
  // in flight it waits, with window messages running). While the worker is
  // idle on a full-duplex line a chunk goes straight into the driver's queue
  // instead, without blocking (what the driver does not take is queued as
  // usual): same order, one thread hand-off less. True when everything was
  // queued or `count` is 0; false when the port is closed, the data is
  // absent or `count` is negative (chunks queued before a failure stay
  // queued).
  virtual bool Write(const void* data, std::int32_t count);
  bool WriteString(const ByteString& s);
  // Reads `count` bytes into `buffer`, letting window messages run while it
  // waits. Returns `count` when they all came, fewer (down to 0) when
  // TimeOutReceive passed first or a handler purged the input meanwhile, -1 when the port is closed (also by a handler
  // during the wait), the buffer is absent, `count` is negative, the read
  // failed or the far end hung up. The bytes that arrive during the wait are
  // the read's own and raise no OnReceive; bytes still waiting when it ends,
  // and line errors and breaks counted meanwhile, are reported then.
  virtual std::int32_t Read(void* buffer, std::int32_t count);
  // Drops all queued output and aborts the write in progress; returns when no
  // queued byte is left. Does not let window messages run.
  void PurgeTransmit();
  // Discards the port's input queue and ends a pending Read (from a handler
  // running inside its wait) with the bytes it has. Nothing while closed.
  void PurgeReceive();
  // Bytes waiting in the input queue (0 while closed); clears the pending
  // line-error state without reporting it.
  std::int32_t ReceiveCount();

  bool IsOpen() const;
  // Changes at every Open and Close: what a caller learnt about the line
  // while the port was open no longer holds once it differs.
  std::uint64_t OpenGeneration() const { return generation_; }
  // The port's descriptor (Linux) or HANDLE (Windows) while open;
  // kInvalidHandle while closed.
  std::uint32_t Handle() const;

  // Every assignment stores the value first; while the port is open it is
  // then handed to the port, and a refusal raises the setting's message (the
  // port stays open). Two values are refused when assigned, closed or open,
  // and are not stored: a BitRate below 10 (the turnaround formula divides by
  // BitRate / 10) and a BufLenTrans of 0 or less (Write could never make
  // progress).
  std::int32_t PortNo() const;
  void SetPortNo(std::int32_t value);  // while open: Close, then Open
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

  // How COM numbers become devices. Whoever knows the machine's port list
  // gives the resolver (ResolveMachinePort in ports/ for the machine's own
  // list; tests map numbers to ptys); without a resolver or an opener no
  // number opens. What the resolver names is opened exclusively by the
  // platform's opener, unless an opener is given (tests give a fake device).
  // Take effect at the next Open.
  void SetPortResolver(PortResolver resolver);
  void SetDeviceOpener(DeviceOpener opener);

  // Observation points.
  std::int32_t PendingBytes() const;   // queued bytes not yet let go of by the worker
  std::int32_t PendingChunks() const;  // queued chunks not yet let go of
  std::int32_t TurnDelay() const;      // the transmit worker's; 0 while closed
  bool TransmitPurging() const;        // the transmit worker's Purging flag
  const Dcb& WorkingDcb() const { return dcb_; }

 protected:
  // The notification window's procedure: WM_COMMRECEIVE, WM_COMMBREAK and
  // WM_COMMERROR run DoReceive, DoBreak and DoError; anything else returns 0.
  virtual std::intptr_t CommWndProc(std::uint32_t msg, std::uintptr_t wParam, std::intptr_t lParam);
  virtual void DoReceive();
  virtual void DoBreak();
  virtual void DoError(std::int32_t errorState);

  void StartThreads();
  void SetTimeOuts();
  void SetBufLen();

 private:
  friend void DeliverToComponent(TCustomCommX& comm, std::uint64_t generation, std::uint32_t msg,
                                 std::intptr_t lParam);

  std::unique_ptr<SerialDevice> OpenDevice() const;
  void ConfigurePort();
  void PushDcb(const char* refusalMessage);
  void StopWorkers();
  bool WaitForChunkRoom(std::int32_t chunks);
  bool PostChunk(const std::uint8_t* data, std::int32_t n);
  void ReportReadFailure();
  bool PauseInputWatch();
  void ResumeInputWatch(std::uint64_t generation);

  TMessagePump& pump_;  // the notification window
  std::shared_ptr<CommAnchor> anchor_;
  std::shared_ptr<CommShared> shared_;    // PortLock, CountLock, the two counters
  std::shared_ptr<SerialDevice> device_;  // the open port; empty while closed
  std::unique_ptr<TCommTransThread> TransThread;
  std::unique_ptr<TCommReceiveThread> ReceiveThread;
  // Counts opens and closes: a Read or a notification that started on one
  // open port never touches another.
  std::uint64_t generation_ = 0;
  // The port whose input reports a Read has paused (0: none).
  std::uint64_t inputWatchPaused_ = 0;
  // Counts input purges: a Read whose wait saw one ends.
  std::uint64_t receivePurges_ = 0;
  PortResolver resolver_;
  DeviceOpener opener_;

  std::int32_t portNo_ = 1;
  std::int32_t bitRate_ = 9600;
  std::int32_t charSize_ = 8;
  TCommParityBits parityBit_ = TCommParityBits::cpbNone;
  TCommStopBits stopBit_ = TCommStopBits::csb1;
  TCommFlowCtrls flowCtrl_ = TCommFlowCtrls::cfcRtsCts;
  std::int32_t timeOutTrans_ = 3000;
  std::int32_t timeOutReceive_ = 3000;
  char xonChar_ = 0x11;
  char xoffChar_ = 0x13;
  std::int32_t bufLenTrans_ = 2048;
  std::int32_t bufLenReceive_ = 2048;
  Dcb dcb_;
};

// The published form used by the window.
class TCommX : public TCustomCommX {
 public:
  using TCustomCommX::TCustomCommX;
};

}  // namespace kx14
