#pragma once
// The user's regional number form (decimal and thousands separators), taken
// from the system locale that Qt reads at start-up. Numbers themselves are
// always written and read by core/common/Format.h, never by the C library.

namespace vastrel::gui {

void AplicarFormatoRegional();

} // namespace vastrel::gui
