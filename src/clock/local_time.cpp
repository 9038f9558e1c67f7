#include "clock/local_time.h"

#include <ctime>

namespace timesync {

std::optional<SystemTime> LocalCalendarTime(std::int64_t unixSeconds) {
  if (unixSeconds < 0) return std::nullopt;
  const auto t = static_cast<std::time_t>(unixSeconds);
  if (static_cast<std::int64_t>(t) != unixSeconds) return std::nullopt;  // a 32-bit time_t
  std::tm local{};
#ifdef _WIN32
  if (localtime_s(&local, &t) != 0) return std::nullopt;
#else
  if (localtime_r(&t, &local) == nullptr) return std::nullopt;
#endif
  const long long year = static_cast<long long>(local.tm_year) + 1900;
  if (year < 1970 || year > 9999) return std::nullopt;
  SystemTime result;
  result.year = static_cast<std::uint16_t>(year);
  result.month = static_cast<std::uint16_t>(local.tm_mon + 1);
  result.dayOfWeek = static_cast<std::uint16_t>(local.tm_wday);
  result.day = static_cast<std::uint16_t>(local.tm_mday);
  result.hour = static_cast<std::uint16_t>(local.tm_hour);
  result.minute = static_cast<std::uint16_t>(local.tm_min);
  result.second = static_cast<std::uint16_t>(local.tm_sec > 59 ? 59 : local.tm_sec);
  return result;
}

}  // namespace timesync
