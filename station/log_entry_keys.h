#pragma once

#include <QLatin1StringView>

// The station log's key names that its writer and `log` both rely on. Every
// entry is one JSON object a line with the common members
//   time, host, user, version, port {com, device}, operation, serial, model
// and then either a transfer's outcome (outcome, cause, frames, ...), or, for a
// write, first its write-ahead entry, appended and flushed before the first
// write frame:
//   "outcome": "write started", "writeId": "<unique text>",
//   "backup": "<path>" or null, "linesToWrite": ["0x00", "0x20", ...]
// The write's outcome entry, appended later, carries the same "writeId"; a
// started write whose outcome never came (the station was killed, the power
// went) is the one entry that tells of it.
namespace zr::station::log_keys {

inline constexpr QLatin1StringView Time{"time"};  // UTC, ISO 8601 with milliseconds
inline constexpr QLatin1StringView Port{"port"};
inline constexpr QLatin1StringView Com{"com"};  // in Port
inline constexpr QLatin1StringView Operation{"operation"};
inline constexpr QLatin1StringView Outcome{"outcome"};
inline constexpr QLatin1StringView Cause{"cause"};
inline constexpr QLatin1StringView Serial{"serial"};
inline constexpr QLatin1StringView Package{"package"};
inline constexpr QLatin1StringView Backup{"backup"};
inline constexpr QLatin1StringView Changes{"changes"};
inline constexpr QLatin1StringView ChangeOffset{"offset"};  // in each of Changes
inline constexpr QLatin1StringView WriteId{"writeId"};
inline constexpr QLatin1StringView LinesToWrite{"linesToWrite"};

// The outcome of a write-ahead entry.
inline constexpr QLatin1StringView WriteStarted{"write started"};

}  // namespace zr::station::log_keys
