#pragma once

// The invariants that every operation of the soak must keep, checked from
// what one operation did: the texts it showed, the window before and after,
// the exchanges it made and the block the device holds afterwards.

#include <optional>
#include <string>
#include <vector>

#include "campaign_fixture.h"

namespace kx14::faults {

enum class SoakOperation { kRead, kProgram };

struct OperationRecord {
  SoakOperation operation = SoakOperation::kRead;
  WindowState before;
  WindowState after;
  Texts texts;
  std::vector<ByteString> commands;  // the exchanges of this operation
  std::vector<ByteString> replies;   // what each of them received
  BlockBytes deviceAfter{};
};

// Nothing when every invariant held; otherwise which one broke and how:
//  - "書き込み成功" is shown only if the device now holds exactly the block sent;
//  - a read that shows "読み取り失敗" changed no control;
//  - a program operation sends exactly the block the rules give for the
//    window before it and what its preliminary read received.
std::optional<std::string> BrokenInvariant(const OperationRecord& record);

}  // namespace kx14::faults
