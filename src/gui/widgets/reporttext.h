#pragma once

class QTextEdit;

namespace dovra::report {
class ScreenReport;
}

namespace dovra {

// Replaces the text of edit by a report's paragraphs, formatted, with their tab stops in centimetres on
// the edit's screen, and puts the cursor at the start.
void showReport(QTextEdit* edit, const report::ScreenReport& report);

} // namespace dovra
