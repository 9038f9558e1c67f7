#pragma once
// Unix seconds to local calendar time in the process's time zone, for the clock adapters.
#include <cstdint>
#include <optional>

#include "clock/clock_ports.h"

namespace timesync {

// Nothing for a time before 1970-01-01 00:00:00 UTC, for one whose local time falls before
// 1970-01-01 00:00:00 or after year 9999, and when the C library refuses it.
std::optional<SystemTime> LocalCalendarTime(std::int64_t unixSeconds);

}  // namespace timesync
