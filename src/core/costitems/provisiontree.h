#pragma once

#include "base/messageservice.h"

#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace dovra {

class clsAct;
class clsVoorz;
class Workspace;

// Images of the tree's nodes: a cost item shows its rubric (1-6).
namespace TreeImage {
constexpr int Provision = 7; // categories and provisions
constexpr int Phase = 8;     // further phases
} // namespace TreeImage

// The key of a cost item node whose record has no id in its key yet.
inline const QString NewCostItemKey = QStringLiteral("actNEW");

// The editor's tree of a facility: object categories, their provisions, and under each provision its
// cost items, an item in phases with its further phases beneath it. It holds the nodes as the screen shows
// them and carries out the tree's commands on the records; the screen only mirrors the nodes.
class ProvisionTree
{
public:
    struct Node
    {
        QString key;  // "objcat"/"inr"/"act" and the record's id, or "actNEW"
        QString text; // the name; "{n e fase}" for further phases
        QString tag;  // "?" for categories and provisions, else bytIsTALVO as text
        bool bold = false;
        ColourValue colour = 0;
        int image = 0;
        bool expanded = true;
        Node* parent = nullptr;
        std::vector<std::unique_ptr<Node>> children;

        bool isFurtherPhase() const { return text.startsWith(QLatin1Char('{')); }
    };
    enum class Kind
    {
        Category,
        Provision,
        CostItem
    };
    struct Colours
    {
        ColourValue provision;
        ColourValue costItem;
    };
    // What the context menu offers for the selected node.
    struct Commands
    {
        bool addProvision = false;
        QString addProvisionCaption;
        bool addCostItem = false;
        QString addCostItemCaption;
        bool addPhase = false;
        bool rename = false;
        bool remove = false;
    };

    static constexpr int ProvisionNameLength = 100;
    static constexpr ColourValue Black = 0;
    static constexpr ColourValue Red = 255; // incomplete

    // The tree of the facility whose provision and cost item records are given. gediffToeslag: the
    // facility's checklist version sets replacement surcharges per item (completeness depends on it).
    ProvisionTree(Workspace& workspace, clsVoorz& provisions, clsAct& costItems, Colours colours,
                  bool gediffToeslag);
    ~ProvisionTree();

    // Builds every node from the records in memory and the data file's categories; nothing is selected.
    bool build();

    const std::vector<std::unique_ptr<Node>>& roots() const { return m_roots; }
    Node* find(const QString& key) const;
    Node* selected() const { return m_selected; }
    // The first node of the tree, null when it is empty.
    Node* first() const { return m_roots.empty() ? nullptr : m_roots.front().get(); }

    static Kind kindOf(const QString& key);
    // The record id in a key; 0 for "actNEW".
    static long idOf(const QString& key);

    // Selects the node with key (pRefreshSubscherm): the current cost item's pending edits are saved
    // first, an "actNEW" key becomes the current cost item's key, and the node's record becomes current
    // (a cost item's unless keepRecord). False, with nothing changed, when the edits cannot be saved or
    // the node does not exist.
    bool select(const QString& key, bool keepRecord = false);
    // The caption of the selected cost item: its name, for a further phase followed by the phase label.
    QString selectedPostTitle() const;

    // The context menu of the selected node.
    Commands commands() const;

    // Asks a name and adds a provision to the selected category; its key, empty when nothing was added.
    QString psubAddVoorz();
    // Adds a phase to the selected cost item; the new node's key, empty when nothing was added.
    QString psubAddFase();
    // Asks a new name for the selected provision until it holds no braces; false when nothing changed.
    bool renameProvision();
    // The selected cost item (a user-defined one, not a further phase) renamed by the item dialog, with
    // all its phases; false when nothing changed.
    bool renameCostItem(const QString& name, int rubric);
    // Adds a user-defined cost item to the selected provision; the new key, empty on failure.
    QString addCustomItem(const QString& name, int rubric);
    // The user-defined item dialog's OK, adding to the selected provision or renaming the selected item:
    // the name is checked, then the item added or renamed. False, after telling the user, keeps the dialog
    // open.
    bool acceptCustomItem(bool adding, const QString& name, int rubric);
    // Adds a cost item from the checklist under its provision, created when missing; the new key, empty
    // on failure.
    QString addChecklistItem(long itemId);
    enum class Deleted
    {
        Nothing,
        Provision,
        CostItem
    };
    // Asks and deletes the selected node (psubDeleteItem).
    Deleted psubDeleteItem();

    // Marks the selected cost item's node after the item was judged again: its colour by completeness and
    // conformity, its tag by conformity.
    void setSelectedMarking(bool complete, int conformity);
    void setAllExpanded(bool expanded);

private:
    // Red while incomplete, the orange of the editor's captions when outside the checklist's criteria
    // (bytIsTALVO 2), otherwise the cost item colour (black for a further phase).
    ColourValue costItemColour(bool complete, int conformity, bool furtherPhase) const;
    Node* addNode(Node* parent, const QString& key, const QString& text, const QString& tag, bool bold,
                  ColourValue colour, int image);
    std::unique_ptr<Node> detach(Node* node);
    Node* findIn(const std::vector<std::unique_ptr<Node>>& nodes, const QString& key) const;
    Node* categoryNode(int category) const;
    QString costItemKey() const;
    void replaceNewKey();
    bool removeCostItemRows(const std::vector<long>& ids);
    // A provision's name as the user typed it, or empty when cancelled.
    static QString askProvisionName(const QString& prompt, const QString& title, const QString& proposal);
    static void relabelPhases(Node* first);

    Workspace* m_workspace;
    clsVoorz* m_provisions;
    clsAct* m_costItems;
    Colours m_colours;
    bool m_gediffToeslag;
    std::vector<std::unique_ptr<Node>> m_roots;
    Node* m_selected = nullptr;
};

} // namespace dovra
