#pragma once
// One SNTP exchange with the configured server and the setting of the local clock.
#include <string>

#include "clock/clock_ports.h"

namespace timesync {

inline constexpr std::uint16_t LocalPort = 1024;
inline constexpr int ReplyWaitMilliseconds = 3000;

// Asks the server named by serverText ("host" or "host:port") for the time, sets the local
// clock to it and plays soundFile. Returns the text for the status bar: the success text
// "時刻を修正しました [N秒]" (N = server time − local time before the correction) or the
// failure that ended the attempt. A failure to bind the local port shows a box and goes on.
std::string CorrectClock(std::string serverText, const std::string& soundFile, ClockPorts& ports);

}  // namespace timesync
