#pragma once

#include <QString>
#include <QTextStream>

#include <optional>

namespace dovra {

class Workspace;

// dovra-cli export: facility facilityId into the exchange file path. Exit status 0, or 1 when it could not
// be written.
int exportFacilityFile(Workspace& workspace, long facilityId, const QString& path, QTextStream& out);

// dovra-cli import: the facility of the exchange file path added to the data file, under name when given.
// Never asks: a taken name refuses the import. Exit status 0, 1 when refused or failed, 2 when the file
// cannot be opened.
int importFacilityFile(Workspace& workspace, const QString& path, const std::optional<QString>& name,
                       QTextStream& out);

} // namespace dovra
