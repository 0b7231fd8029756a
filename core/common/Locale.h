#pragma once
// The user's regional number settings. Numbers are written with the decimal
// separator of the user's locale and read back with either a comma or a
// point. The GUI sets these from its locale at start-up; the command line
// takes them from the C library's locale (LC_NUMERIC).

namespace vastrel {

char DecimalSeparator();
char ThousandSeparator();
void SetDecimalSeparator(char c);
void SetThousandSeparator(char c);

// Reads LC_NUMERIC of the environment (after setlocale(LC_ALL, "")) and
// stores its separators. A locale whose separator is not '.' or ',' falls
// back to '.'.
void InitFormatSettingsFromEnvironment();

// Restores a previous separator when leaving a scope (used by tests and by
// writers of machine-readable output that must use a point).
class ScopedDecimalSeparator {
public:
    explicit ScopedDecimalSeparator(char c);
    ~ScopedDecimalSeparator();
    ScopedDecimalSeparator(const ScopedDecimalSeparator&) = delete;
    ScopedDecimalSeparator& operator=(const ScopedDecimalSeparator&) = delete;

private:
    char saved_;
};

} // namespace vastrel
