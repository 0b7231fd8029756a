#include "common/Locale.h"

#include <atomic>
#include <clocale>

namespace vastrel {

namespace {
std::atomic<char> gDecimal{'.'};
std::atomic<char> gThousand{','};
} // namespace

char DecimalSeparator() { return gDecimal.load(); }
char ThousandSeparator() { return gThousand.load(); }
void SetDecimalSeparator(char c) { gDecimal.store(c); }
void SetThousandSeparator(char c) { gThousand.store(c); }

void InitFormatSettingsFromEnvironment()
{
    std::setlocale(LC_ALL, "");
    const std::lconv* lc = std::localeconv();
    char dec = '.';
    if (lc && lc->decimal_point && (lc->decimal_point[0] == ',' || lc->decimal_point[0] == '.'))
        dec = lc->decimal_point[0];
    char thou = dec == ',' ? '.' : ',';
    if (lc && lc->thousands_sep && (lc->thousands_sep[0] == '.' || lc->thousands_sep[0] == ',') &&
        lc->thousands_sep[0] != dec)
        thou = lc->thousands_sep[0];
    // The C library must keep formatting with '.': every conversion of the
    // system goes through Format.h, which applies the separator itself.
    std::setlocale(LC_NUMERIC, "C");
    SetDecimalSeparator(dec);
    SetThousandSeparator(thou);
}

ScopedDecimalSeparator::ScopedDecimalSeparator(char c) : saved_(DecimalSeparator())
{
    SetDecimalSeparator(c);
}

ScopedDecimalSeparator::~ScopedDecimalSeparator() { SetDecimalSeparator(saved_); }

} // namespace vastrel
