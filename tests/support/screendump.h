#pragma once

#include "reports/formats/screenreport.h"

#include <QString>

namespace dovra::test {

// The report window's paragraphs as readable text, for golden files, in the notation of dumpDocx: one
// line a paragraph, a run whose look differs from the run before it opening with its marks ("[b #0000FF]";
// symbols as their look-alikes, marked "Wingdings"), a tab as "→". A line "tabs …" (positions in cm, "r"
// for right-aligned) with the size and alignment comes before a paragraph whose layout differs from the
// paragraph before it.
QString dumpScreen(const report::ScreenReport& screen);

} // namespace dovra::test
