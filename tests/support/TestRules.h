#pragma once
// Rules every test of the program obeys, checked after each test by the test programs' own main:
// a test that skips itself fails unless it names a reason the runs accept, a question of the
// estimate code that found no answer queued (or an answer left unused) fails the test, and a
// program that ends while its tests still run ends with a failure, never with 0.
#include <span>
#include <string_view>

namespace kiv::test {

// The reasons a test may give for skipping itself (the skip message starts with one of them) and
// still let a run pass. None is accepted: every check the suite holds runs on every machine,
// root included. Add one here only for a need the CI machine cannot meet, so that a skip is a
// decision in one place and never a check quietly lost.
inline constexpr std::span<const std::string_view> kAcceptedSkipReasons{};

// Whether the skip message names one of `accepted`.
bool isAcceptedSkip(std::string_view message, std::span<const std::string_view> accepted = kAcceptedSkipReasons);

// Installs the checks into GoogleTest; called by main before the tests run.
void installTestRules();
// Marks the end of the run: an exit after this is no longer early.
void testsFinished();

} // namespace kiv::test
