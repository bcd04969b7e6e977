#include <unicode/ucal.h>

#include <algorithm>
#include <chrono>
#include <memory>
#include <string>

#include "text/TextHelpers.h"

namespace tunelark {
namespace {

struct CalendarCloser {
    void operator()(UCalendar* calendar) const { ucal_close(calendar); }
};

constexpr long long kSecondsPerDay = 86400;
// The stamp counts from 08:00 local time on 1 January 1970, which is Unix time at UTC+8.
constexpr long long kBaseSeconds = 8 * 3600;
constexpr std::size_t kMillisDigits = 13;
constexpr std::size_t kSecondsDigits = 10;

long long LocalSeconds(const LocalDateTime& at) {
    using namespace std::chrono;
    const year_month_day date{year{at.year}, month{static_cast<unsigned>(at.month)},
                              day{static_cast<unsigned>(at.day)}};
    const long long days = sys_days{date}.time_since_epoch().count();
    return days * kSecondsPerDay + at.hour * 3600LL + at.minute * 60LL + at.second - kBaseSeconds;
}

std::string ThreeDigits(int millisecond) {
    const std::string digits = std::to_string(std::clamp(millisecond, 0, 999));
    return std::string(3 - digits.size(), '0') + digits;
}

}  // namespace

LocalDateTime ReadLocalClock() {
    UErrorCode error = U_ZERO_ERROR;
    std::unique_ptr<UCalendar, CalendarCloser> calendar(
        ucal_open(nullptr, 0, nullptr, UCAL_GREGORIAN, &error));
    if (U_FAILURE(error)) return {};
    ucal_setMillis(calendar.get(), ucal_getNow(), &error);
    const auto field = [&](UCalendarDateFields which) {
        return ucal_get(calendar.get(), which, &error);
    };
    return LocalDateTime{field(UCAL_EXTENDED_YEAR), field(UCAL_MONTH) + 1, field(UCAL_DATE),
                         field(UCAL_HOUR_OF_DAY),   field(UCAL_MINUTE),    field(UCAL_SECOND),
                         field(UCAL_MILLISECOND)};
}

Text UnixTimeMillis(bool secondsForm) {
    return UnixTimeMillis(secondsForm, ReadLocalClock);
}

Text UnixTimeMillis(bool secondsForm, const LocalClock& clock) {
    // The seconds and the milliseconds come from two reads of the clock, as they always have.
    Text stamp = std::to_string(LocalSeconds(clock())) + ThreeDigits(clock().millisecond);
    if (secondsForm) {
        stamp.resize(std::min(stamp.size(), kSecondsDigits));
        stamp.resize(kSecondsDigits, '0');
    } else if (stamp.size() < kMillisDigits) {
        stamp.resize(kMillisDigits, '0');
    }
    return stamp;
}

}  // namespace tunelark
