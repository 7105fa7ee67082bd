#pragma once

#include <QTextStream>
#include <QUrl>

namespace dovra {

struct ProxyPreferences;
class Workspace;

// dovra-cli update against the update folder base. Without installChecklist (--controleer): the statuses,
// the maintenance flag and the information text; exit 0 nothing newer, 1 something newer, 2 the server gave
// no information. With installChecklist (--checklist): a newer checklist file downloaded and installed over
// the workspace's; exit 0 the newest is installed, 1 a newer one could not be installed, 2 no information.
int runUpdate(Workspace& workspace, const ProxyPreferences& proxy, const QUrl& base, bool installChecklist,
              QTextStream& out);

} // namespace dovra
