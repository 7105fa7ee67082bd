#include "costitems/treeimages.h"

#include "widgets/colours.h"

#include <QTreeWidgetItem>

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

void showTreeNode(QTreeWidgetItem* item, const QString& text, bool bold, ColourValue colour, int image)
{
    item->setText(0, text);
    item->setToolTip(0, text);
    QFont font = item->font(0);
    font.setBold(bold);
    item->setFont(0, font);
    item->setForeground(0, toQColor(colour));
    item->setIcon(0, treeImage(image));
}

} // namespace dovra
