#pragma once
// Today's date on the local clock. Tests set the clock to a fixed day so that what depends on the
// date can be checked.
#include <functional>

namespace kiv::clock {

struct LocalDate {
    int year = 0;  // four digits
    int month = 0; // 1-12
    int day = 0;   // 1-31
};

LocalDate today();

// Replaces the clock for the run (or for a test); an empty function returns to the system clock.
void setTodaySource(std::function<LocalDate()> source);

} // namespace kiv::clock
