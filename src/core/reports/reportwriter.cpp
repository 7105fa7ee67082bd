#include "reports/reportwriter.h"

#include "model/options.h"

namespace dovra::report {

ReportWriter::~ReportWriter() = default;

int originSymbol(int conformity)
{
    switch (conformity) {
    case Conformity::WithinCriteria:
        return 252;
    case Conformity::OutsideCriteria:
        return 214;
    default:
        return 250;
    }
}

QString symbolLookAlike(int code)
{
    // The origin marks: a check mark for a checklist item within its criteria, an arrow-box for one
    // outside them, a small square for a user-defined item.
    switch (code) {
    case 252:
        return QStringLiteral("\u2713");
    case 214:
        return QStringLiteral("\u2326");
    case 250:
        return QStringLiteral("\u25AB");
    default:
        return QString(QChar(code));
    }
}

} // namespace dovra::report
