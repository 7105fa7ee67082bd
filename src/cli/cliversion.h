#pragma once

#include <QTextStream>

#include <optional>

namespace dovra {

class Workspace;

// dovra-cli checklistversie for facility facilityId: the newer checklist versions on offer and the
// comparison with target (the newest when not given), or with apply the change made without questions.
// Exit status: 0 done, 1 nothing newer, the facility not ready or the change failed, 2 target not on offer.
int runVersionChange(Workspace& workspace, long facilityId, std::optional<int> target, bool apply, bool json,
                     QTextStream& out);

} // namespace dovra
