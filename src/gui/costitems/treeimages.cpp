#include "costitems/treeimages.h"

namespace dovra {

QIcon treeImage(int image)
{
    if (image >= 1 && image <= 6)
        return QIcon(QStringLiteral(":/costitems/rubric%1.svg").arg(image));
    if (image == 7)
        return QIcon(QStringLiteral(":/costitems/provision.svg"));
    if (image == 8)
        return QIcon(QStringLiteral(":/costitems/phase.svg"));
    return {};
}

QIcon originImage(int conformity)
{
    static const char* const names[] = {":/costitems/user.svg", ":/costitems/checklist.svg",
                                        ":/costitems/outside.svg"};
    return QIcon(QLatin1String(names[conformity >= 0 && conformity <= 2 ? conformity : 0]));
}

QIcon stopSign()
{
    return QIcon(QStringLiteral(":/costitems/stop.svg"));
}

} // namespace dovra
