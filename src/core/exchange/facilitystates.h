#pragma once

#include "calc/facilitycomparison.h"

#include <QString>

#include <optional>

namespace dovra {

class Workspace;

// The state of facility facilityId of the workspace's data file, with its checks and calculation run (their
// messages told) and its levy per ton; empty when its records cannot be read.
std::optional<FacilityState> readFacilityState(Workspace& workspace, long facilityId);

struct ExportedState
{
    std::optional<FacilityState> state;
    QString error; // why the file was refused (the reader's message), in Dutch
};

// The state of the facility of the exchange file at path, as it would be in place of facility replacedId:
// imported into a scratch copy of the data file from which that facility is deleted, so that its levy is
// equalised with the same other facilities. The copy is removed again; the data file itself is only read.
ExportedState readExportedState(Workspace& workspace, long replacedId, const QString& path);

} // namespace dovra
