#include "fuzz/properties/ports_directory_properties.h"

#include <algorithm>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "comm/default_device.h"
#include "comm/serial_device.h"
#include "fuzz/properties/fuzz_input.h"
#include "fuzz/properties/hostile_ports_dir.h"
#include "ports/com_ports.h"
#include "ports/port_name_order.h"
#include "ports/user_ports.h"

namespace kx14::fuzz {
namespace {

namespace fs = std::filesystem;

constexpr std::size_t kMaxEntries = 24;
constexpr std::size_t kMaxNameLength = 32;

using Entries = std::map<std::string, EntryKind>;  // what was made, by name

Entries MakeEntries(FuzzInput& in, HostilePortsDir& dir) {
  Entries made;
  while (!in.Empty() && made.size() < kMaxEntries) {
    const auto kind = static_cast<EntryKind>(in.TakeByte() % kEntryKindCount);
    std::string name = in.TakeBytes(in.TakeByte() % (kMaxNameLength + 1));
    std::replace(name.begin(), name.end(), '/', '_');
    std::replace(name.begin(), name.end(), '\0', '_');
    if (dir.Add(name, kind)) made.emplace(name, kind);
  }
  return made;
}

std::vector<std::string> CharacterDeviceNames(const Entries& made) {
  std::vector<std::string> names;
  for (const auto& [name, kind] : made) {
    if (IsCharacterDevice(kind)) names.push_back(name);
  }
  return names;  // sorted, as the map is
}

std::string ShowSorted(std::vector<std::string> names) {
  std::sort(names.begin(), names.end());
  return PrintableList(names);
}

std::string Show(const Entries& made) {
  std::string out = "{";
  for (const auto& [name, kind] : made) {
    out.append(Printable(name)).append(": ").append(EntryKindName(kind)).append(", ");
  }
  return out.append("}");
}

bool SameNames(std::vector<std::string> a, std::vector<std::string> b) {
  std::sort(a.begin(), a.end());
  std::sort(b.begin(), b.end());
  return a == b;
}

void CheckListing(const HostilePortsDir& dir, const Entries& made, PropertyReport& report) {
  const std::vector<std::string> expected = CharacterDeviceNames(made);
  std::vector<std::string> listed;
  bool pathsMatch = true;
  for (const UserPort& port : ListUserPorts(dir.PortsDir())) {
    listed.push_back(port.name);
    pathsMatch = pathsMatch && port.entry == dir.PortsDir() / port.name;
  }
  report.Expect(SameNames(listed, expected),
                "exactly the character devices are listed, under their names as they are",
                [&] { return Show(made) + " lists " + ShowSorted(listed); });
  report.Expect(pathsMatch, "a listed port's entry is its name in the ports directory",
                [&] { return Show(made); });
  const std::vector<std::string> comNames = ListComPortNames(dir.Sources());
  report.Expect(SameNames(comNames, expected),
                "the machine's port names are the listed user-defined ports",
                [&] { return Show(made) + " gives " + ShowSorted(comNames); });
}

// The number n when `name` is exactly ComPortName(n).
std::optional<int> ExactComNumber(const std::string& name) {
  if (!name.starts_with("COM")) return std::nullopt;
  const auto number = TryPortNameNumber(name);
  if (!number || ComPortName(*number) != name) return std::nullopt;
  return *number;
}

void CheckResolving(const HostilePortsDir& dir, const Entries& made, PropertyReport& report) {
  std::set<int> numbers = {0, 1, 2, 3};
  for (const auto& [name, kind] : made) {
    if (const auto number = ExactComNumber(name)) numbers.insert(*number);
  }
  for (int number : numbers) {
    const std::string name = ComPortName(number);
    const auto found = made.find(name);
    const bool resolvable = found != made.end() && IsCharacterDevice(found->second);
    const auto expected = resolvable ? std::optional(dir.PortsDir() / name) : std::nullopt;
    const auto resolved = ResolveComPort(number, dir.Sources());
    report.Expect(resolved == expected,
                  "COM<n> resolves exactly to the character device named COM<n>", [&] {
                    return name + " in " + Show(made) + " resolves to " +
                           (resolved ? resolved->string() : std::string("nothing"));
                  });
  }
}

void CheckFirstFreeNumber(const HostilePortsDir& dir, const Entries& made, PropertyReport& report) {
  std::set<std::int32_t> held;
  for (const auto& [name, kind] : made) {
    const auto number = TryPortNameNumber(name);
    if (number && IsCharacterDevice(kind)) held.insert(*number);
  }
  std::int32_t expected = 1;
  while (held.count(expected) != 0 || made.count(ComPortName(expected)) != 0) ++expected;
  const std::int32_t first = FirstFreeComNumber(dir.Sources());
  report.Expect(first == expected,
                "the first free number is the smallest one neither held nor taken by an entry",
                [&] {
                  return Show(made) + " gives " + std::to_string(first) + ", expected " +
                         std::to_string(expected);
                });
}

// The component's own opener on every entry, whatever the listing says.
void CheckOpening(const HostilePortsDir& dir, const Entries& made, PropertyReport& report) {
  for (const auto& entry : made) {
    const std::string& name = entry.first;  // clang 14 cannot capture a structured binding
    const EntryKind kind = entry.second;
    const bool opened = OpenDefaultDevice(dir.PortsDir() / name) != nullptr;
    report.Expect(opened == (kind == EntryKind::kLinkToPty),
                  "only a terminal opens as a serial port", [&] {
                    return Printable(name) + ", a " + std::string(EntryKindName(kind)) +
                           (opened ? ", opened" : ", did not open");
                  });
  }
}

}  // namespace

PropertyReport CheckPortsDirectory(std::span<const std::uint8_t> input) {
  PropertyReport report;
  HostilePortsDir dir;
  FuzzInput in(input);
  const Entries made = MakeEntries(in, dir);
  CheckListing(dir, made, report);
  CheckResolving(dir, made, report);
  CheckFirstFreeNumber(dir, made, report);
  CheckOpening(dir, made, report);
  return report;
}

}  // namespace kx14::fuzz
