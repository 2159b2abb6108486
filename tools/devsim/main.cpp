// kx14-devsim: a simulated KX-14 device on a pseudo-terminal, registered as a
// user-defined COM port so that kx14-manager lists and opens it like a real
// one. See --help.

#include <unistd.h>

#include <csignal>
#include <cstdio>
#include <exception>
#include <stdexcept>
#include <string>
#include <vector>

#include "kx14_version.h"
#include "ports/com_ports.h"
#include "tools/devsim/devsim_loop.h"
#include "tools/devsim/devsim_options.h"
#include "tools/devsim/port_registration.h"
#include "tools/devsim/pty_endpoint.h"

namespace {

using namespace kx14::devsim;

int Simulate(const DevsimOptions& options) {
  // A closed stdout or log reader must not kill us before the entry is gone;
  // a background job reading its terminal gets EIO instead of being stopped.
  std::signal(SIGPIPE, SIG_IGN);
  std::signal(SIGTTIN, SIG_IGN);
  StopSignals signals;
  FrameLog log = options.logFile.empty() ? FrameLog() : FrameLog(options.logFile);
  PtyEndpoint pty;
  PortRegistration registration(kx14::DefaultPortSources(), options.comNumber, pty.SlavePath());
  log.Line("port " + registration.Name() + " " + pty.SlavePath());
  std::fprintf(stderr, "kx14-devsim: simulated device on %s (%s); Ctrl+C ends it\n",
               registration.Name().c_str(), pty.SlavePath().c_str());

  DeviceResponder responder(options.block, options.behaviour);
  OutputSchedule schedule(ByteTimeAtBaud(options.paceBaud));
  DevsimLoop(pty.MasterFd(), STDIN_FILENO, responder, schedule, log, &registration).Run(signals);

  // "kept": someone else's entry stands in place of ours; "unregistered":
  // a control command removed ours already.
  const bool wasRegistered = registration.Registered();
  const bool removed = registration.Release();
  log.Line("exit " + registration.Name() +
           (removed         ? " removed"
            : wasRegistered ? " kept"
                            : " unregistered"));
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  DevsimOptions options;
  try {
    options = ParseDevsimOptions(std::vector<std::string>(argv + 1, argv + argc));
  } catch (const std::invalid_argument& error) {
    std::fprintf(stderr, "kx14-devsim: %s (see --help)\n", error.what());
    return 2;
  }
  if (options.help) {
    std::fputs(DevsimUsage().c_str(), stdout);
    return 0;
  }
  if (options.version) {
    std::printf("kx14-devsim %.*s\n", static_cast<int>(kx14::kVersion.size()),
                kx14::kVersion.data());
    return 0;
  }
  try {
    return Simulate(options);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "kx14-devsim: %s\n", error.what());
    return 1;
  }
}
