#include "soak_invariants.h"

#include <sstream>

#include "program_rules.h"
#include "protocol/frames.h"
#include "protocol/hex_bytes.h"

namespace kx14::faults {
namespace {

std::string Hex(const BlockBytes& block) { return HexBytes(ToByteString(block)); }

std::string Describe(const WindowState& state) {
  std::ostringstream out;
  PrintTo(state, &out);
  return out.str();
}

std::optional<std::string> SuccessOnlyWhenStored(const OperationRecord& r) {
  if (r.texts.empty() || r.texts.back() != info_text::kProgramSucceeded) return std::nullopt;
  const std::optional<BlockBytes> sent =
      r.commands.empty() ? std::nullopt : ParseProgramCommand(r.commands.back());
  if (sent && *sent == r.deviceAfter) return std::nullopt;
  return "\"書き込み成功\" shown, but the simulator holds " + Hex(r.deviceAfter) +
         (sent ? " instead of the block sent, " + Hex(*sent)
               : std::string(" and no block was sent"));
}

std::optional<std::string> FailedReadChangesNothing(const OperationRecord& r) {
  if (r.operation != SoakOperation::kRead ||
      r.texts != Texts{std::string(info_text::kReadFailed)}) {
    return std::nullopt;
  }
  if (r.after == r.before) return std::nullopt;
  return "\"読み取り失敗\" shown, but the window changed from " + Describe(r.before) + " to " +
         Describe(r.after);
}

std::optional<std::string> BlockByTheRules(const OperationRecord& r) {
  if (r.operation != SoakOperation::kProgram) return std::nullopt;
  if (r.commands.size() != 2 || r.replies.size() != 2) {
    return "a program operation made " + std::to_string(r.commands.size()) + " exchanges";
  }
  const BlockBytes rule = RuleProgramBlock(r.before.controls, r.replies[0]);
  const std::optional<BlockBytes> sent = ParseProgramCommand(r.commands[1]);
  if (sent && *sent == rule) return std::nullopt;
  return "the program frame carried " +
         (sent ? Hex(*sent) : "no valid block (" + HexBytes(r.commands[1]) + ")") +
         ", the rules give " + Hex(rule);
}

}  // namespace

std::optional<std::string> BrokenInvariant(const OperationRecord& record) {
  if (auto broken = SuccessOnlyWhenStored(record)) return broken;
  if (auto broken = FailedReadChangesNothing(record)) return broken;
  return BlockByTheRules(record);
}

}  // namespace kx14::faults
