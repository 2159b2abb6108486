#include "tools/devsim/devsim_options.h"

#include <climits>
#include <functional>
#include <map>
#include <stdexcept>

#include "tools/devsim/option_values.h"

namespace kx14::devsim {
namespace {

using FlagAction = std::function<void(DevsimOptions&)>;
using ValueAction = std::function<void(DevsimOptions&, const std::string&)>;

const std::map<std::string, FlagAction, std::less<>>& Flags() {
  static const std::map<std::string, FlagAction, std::less<>> flags = {
      {"--help", [](DevsimOptions& o) { o.help = true; }},
      {"--version", [](DevsimOptions& o) { o.version = true; }},
      {"--silent", [](DevsimOptions& o) { o.behaviour.faults.silent = true; }},
      {"--short", [](DevsimOptions& o) { o.behaviour.faults.shortReply = true; }},
      {"--long", [](DevsimOptions& o) { o.behaviour.faults.longReply = true; }},
      {"--bad-checksum", [](DevsimOptions& o) { o.behaviour.faults.badChecksum = true; }},
      {"--refuse", [](DevsimOptions& o) { o.behaviour.faults.refuse = true; }},
      {"--noise", [](DevsimOptions& o) { o.behaviour.faults.noise = true; }},
      {"--no-echo", [](DevsimOptions& o) { o.behaviour.faults.noEcho = true; }},
      {"--wrong-store", [](DevsimOptions& o) { o.behaviour.faults.wrongStore = true; }},
  };
  return flags;
}

const std::map<std::string, ValueAction, std::less<>>& ValueOptions() {
  static const std::map<std::string, ValueAction, std::less<>> options = {
      {"--com",
       [](DevsimOptions& o, const std::string& v) {
         o.comNumber = static_cast<int>(ParseInteger(v, 1, INT_MAX, "--com"));
       }},
      {"--block", [](DevsimOptions& o, const std::string& v) { o.block = ParseBlock(v); }},
      {"--log", [](DevsimOptions& o, const std::string& v) { o.logFile = v; }},
      {"--delay",
       [](DevsimOptions& o, const std::string& v) {
         o.behaviour.delay = std::chrono::milliseconds(ParseInteger(v, 0, kMaxDelayMs, "--delay"));
       }},
      {"--pace",
       [](DevsimOptions& o, const std::string& v) {
         o.paceBaud = static_cast<long>(ParseInteger(v, kMinBaud, kMaxBaud, "--pace"));
       }},
      {"--fail-rate",
       [](DevsimOptions& o, const std::string& v) { o.behaviour.failRate = ParseRate(v); }},
      {"--seed",
       [](DevsimOptions& o, const std::string& v) {
         o.behaviour.seed = static_cast<std::uint32_t>(ParseInteger(v, 0, UINT32_MAX, "--seed"));
       }},
  };
  return options;
}

}  // namespace

DevsimOptions ParseDevsimOptions(const std::vector<std::string>& args) {
  DevsimOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    const std::size_t equals = arg.find('=');
    const std::string name = arg.substr(0, equals);
    if (const auto flag = Flags().find(name);
        flag != Flags().end() && equals == std::string::npos) {
      flag->second(options);
      continue;
    }
    const auto option = ValueOptions().find(name);
    if (option == ValueOptions().end()) throw std::invalid_argument("unknown option '" + arg + "'");
    if (equals != std::string::npos) {
      option->second(options, arg.substr(equals + 1));
    } else if (i + 1 < args.size()) {
      option->second(options, args[++i]);
    } else {
      throw std::invalid_argument("option '" + name + "' needs a value");
    }
  }
  if (options.behaviour.faults.shortReply && options.behaviour.faults.longReply) {
    throw std::invalid_argument("--short and --long exclude each other");
  }
  return options;
}

std::string DevsimUsage() {
  return R"(Usage: kx14-devsim [options]

Simulates the KX-14 device on a pseudo-terminal registered as a user-defined
COM port ($XDG_CONFIG_HOME/kx14-manager/ports/COM<n>, default
~/.config/kx14-manager/ports). It echoes each command and answers:
  E5                   -> E5, block, checksum
  F5, block, checksum  -> the 18 bytes, then 06 (stored) or 15 (bad checksum)
Bytes that start no command are dropped; a program frame incomplete for
500 ms is dropped. The entry is removed on exit (Ctrl+C, SIGTERM, SIGHUP).

Options:
  --com N            register as COM<N> (default: the first free number)
  --block HEX        the block it starts with, 16 hex bytes
                     (default: 5A 00 00 01 00 00 02 00 00 00 00 00 00 05 03 51)
  --log FILE         also write the frame log to FILE
  --silent           answer nothing (no echo either) and store nothing
  --short            send every reply one byte short
  --long             send one extra byte (00) after every reply
  --bad-checksum     send read replies with a wrong checksum
  --refuse           answer program commands with 15 and store nothing
  --noise            send garbage (00 FF 55) ahead of every reply
  --no-echo          lead every reply with random bytes instead of the
                     command's echo (a line that does not echo)
  --wrong-store      acknowledge program commands with 06 but store the block
                     with its last byte (MAXPWR) changed (lowest bit flipped)
  --delay MS         wait MS milliseconds before each reply
  --pace BAUD        space the reply bytes as a BAUD bit/s line would
                     (9600: about 1.04 ms a byte)
  --fail-rate P      give a reply one random fault with probability P (0..1)
  --seed S           seed of the random faults (default 1)
  --help             show this text
  --version          show the version

Frame log (stdout, and FILE with --log), one line per event:
  port COM3 /dev/pts/4   rx E5   tx E5 5A ... B6   stored 5A ... 51
  drop 12 34   expired F5 5A   ctl mode silent   ctl error ...   exit COM3 removed

Control commands, one per line on standard input, change the behaviour
while it runs (each is confirmed by a "ctl" line):
  mode normal | mode NAME[,NAME...]   set the faults (silent, short, long,
                                      bad-checksum, refuse, noise, no-echo,
                                      wrong-store)
  delay MS          pace BAUD | pace off
  fail-rate P [S]   block HEX         quit
  unregister        remove the port entry, as if the adapter were unplugged
                    (the pseudo-terminal stays); register puts it back

Exit status: 0 after a stop signal or "quit", 1 when it cannot start (no
pseudo-terminal, the COM name is taken), 2 for a bad command line.
)";
}

}  // namespace kx14::devsim
