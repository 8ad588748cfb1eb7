#include "platform/clock/LocalDate.h"

#include <ctime>

namespace kiv::clock {

namespace {

std::function<LocalDate()>& source() {
    static std::function<LocalDate()> s;
    return s;
}

} // namespace

LocalDate today() {
    if (source())
        return source()();
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    ::localtime_r(&now, &local);
    return {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
}

void setTodaySource(std::function<LocalDate()> source_) { source() = std::move(source_); }

} // namespace kiv::clock
