#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

namespace dovra {
class Workspace;
}

namespace dovra::report {

// What every section of a report needs to know beyond its own data.
struct ReportContext
{
    Workspace* workspace = nullptr; // the files the report reads
    long facilityId = 0;
    QString dataFile;          // the data file's path, as the report names it
    QDateTime written;         // the moment of writing ("Gegenereerd d.d.")
    QStringList databaseFiles; // the program's database files, which a report never overwrites
};

// Facility facilityId of the workspace's data file, written now. configuredDataFile: the data file
// the settings link.
ReportContext reportContext(Workspace& workspace, long facilityId, const QString& configuredDataFile);

} // namespace dovra::report
