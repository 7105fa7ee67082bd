#pragma once

#include <QDateTime>
#include <QString>

namespace dovra::report {

// What every section of a report needs to know beyond its own data.
struct ReportContext
{
    long facilityId = 0;
    QString dataFile;  // the data file's path, as the report names it
    QDateTime written; // the moment of writing ("Gegenereerd d.d.")
};

// The open facility and the linked data file, written now.
ReportContext currentReportContext();

} // namespace dovra::report
