#pragma once

// The two files the track-side window asks the user for.

namespace kx14::trackside {

// The roster is opened (it must exist); the log is written (appended to
// when it exists).
enum class TFileChoice { Roster, Log };

}  // namespace kx14::trackside
