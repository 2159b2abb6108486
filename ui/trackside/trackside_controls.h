#pragma once

// The names of the track-side window's controls, the same under every
// toolkit: each front end gives its controls these names, and the window
// tests find them by these names.

namespace kx14::trackside::controls {

inline constexpr const char* kOpenRoster = "OpenRoster";
inline constexpr const char* kRosterFile = "RosterFile";
inline constexpr const char* kRoster = "Roster";  // table: identifier, name, level, note
inline constexpr const char* kRosterMessage = "RosterMessage";
inline constexpr const char* kOtherCars = "OtherCars";  // drop-down list, item 0 skips
inline constexpr const char* kAdapters = "Adapters";    // table: port (check box), state
inline constexpr const char* kChooseLog = "ChooseLog";
inline constexpr const char* kLogFile = "LogFile";
inline constexpr const char* kStart = "Start";
inline constexpr const char* kStop = "Stop";
inline constexpr const char* kStartHint = "StartHint";
inline constexpr const char* kStatuses = "Statuses";  // list: one line per adapter
inline constexpr const char* kCounts = "Counts";
inline constexpr const char* kResults = "Results";  // table, newest first
inline constexpr const char* kNotSeen = "NotSeen";  // list
inline constexpr const char* kMessage = "Message";
// The captions above the controls they name.
inline constexpr const char* kOtherCarsCaption = "OtherCarsCaption";
inline constexpr const char* kAdaptersCaption = "AdaptersCaption";
inline constexpr const char* kStatusesCaption = "StatusesCaption";
inline constexpr const char* kResultsCaption = "ResultsCaption";
inline constexpr const char* kNotSeenCaption = "NotSeenCaption";

}  // namespace kx14::trackside::controls
