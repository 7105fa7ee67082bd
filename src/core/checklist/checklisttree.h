#pragma once

#include "base/messageservice.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace dovra {

class Database;

// The tree of a checklist version's items from which items are picked: object categories, the checklist's
// provisions, and their items.
struct ChecklistTreeNode
{
    QString key;  // category name, "inr" and the first item id under the provision, or "act" and the item id
    QString text; // an item's description with " *" for a combination post
    QString tag;  // "new" for an item the facility does not use yet, "old" for one it does
    bool bold = false;
    ColourValue colour = 0;
    int image = 0; // an item's rubric
    std::vector<ChecklistTreeNode> children;

    bool isAvailable() const { return tag == QLatin1String("new"); }
};

namespace ChecklistTreeColour {
constexpr ColourValue Available = 0x800080; // purple
constexpr ColourValue Used = 0xC0C0C0;      // grey
} // namespace ChecklistTreeColour

// The active items of the version. usedReferences: "|id|id|…|" of the items the facility uses. Empty when
// the checklist file cannot be read.
std::vector<ChecklistTreeNode> buildChecklistTree(Database& checklist, int versionId,
                                                  const QString& usedReferences, ColourValue provisionColour);

// The item nodes whose text holds every word of filter, letter case and accents ignored, with their
// provisions and categories; the whole tree for an empty filter.
std::vector<ChecklistTreeNode> filterChecklistTree(const std::vector<ChecklistTreeNode>& tree,
                                                   const QString& filter);

// The item id of an item node's key; 0 for any other node.
long checklistItemOfKey(const QString& key);

} // namespace dovra
