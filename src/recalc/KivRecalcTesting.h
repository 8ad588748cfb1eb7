#pragma once
// For tests only: the recalculation without its record of settled rows and items at a fixed
// point. With the record off every row and item is computed again on every pass, which is what
// the record claims to save work on without changing a byte; the tests run one estimate both
// ways and compare. No setting of the program reaches it.
namespace kiv::recalc {

// On by default. Off: nothing is taken from the record and nothing is put into it.
void SetSkipRecordForTesting(bool on);
bool SkipRecordOn();

// Turns the record off for the scope's lifetime (or on again, with `on`).
class ScopedSkipRecord {
public:
    explicit ScopedSkipRecord(bool on) : m_Before(SkipRecordOn()) { SetSkipRecordForTesting(on); }
    ~ScopedSkipRecord() { SetSkipRecordForTesting(m_Before); }
    ScopedSkipRecord(const ScopedSkipRecord&) = delete;
    ScopedSkipRecord& operator=(const ScopedSkipRecord&) = delete;

private:
    bool m_Before;
};

} // namespace kiv::recalc
