#include "costitems/provisiontree.h"

#include "checklist/itemverdict.h"
#include "costitems/clsAct.h"
#include "costitems/clsVoorz.h"
#include "model/rawvalue.h"
#include "storage/database.h"
#include "storage/lookups.h"
#include "storage/savefailure.h"
#include "storage/workspace.h"

#include <QHash>

#include <algorithm>

namespace dovra {

namespace {

const QString CategoryPrefix = QStringLiteral("objcat");
const QString ProvisionPrefix = QStringLiteral("inr");
const QString CostItemPrefix = QStringLiteral("act");
const QString FirstPhaseSuffix = QStringLiteral(" {1e fase}");

QString phaseLabel(qsizetype phase)
{
    return QLatin1Char('{') + QString::number(phase) + QStringLiteral("e fase}");
}

// Names sort as the data file sorts them: letter case of A-Z ignored, otherwise by character.
bool nameLess(const QString& a, const QString& b)
{
    const auto fold = [](QChar c) {
        const char16_t u = c.unicode();
        return u >= u'A' && u <= u'Z' ? char16_t(u + 32) : u;
    };
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(),
                                        [&fold](QChar x, QChar y) { return fold(x) < fold(y); });
}

// One stored cost item row as the completeness check reads it.
class StoredRow : public FieldSource
{
public:
    StoredRow(const clsAct& items, qsizetype row) : m_items(items), m_row(row) {}
    QVariant field(const QString& name) const override { return m_items.storedField(m_row, name); }

private:
    const clsAct& m_items;
    qsizetype m_row;
};

} // namespace

ProvisionTree::ProvisionTree(Workspace& workspace, clsVoorz& provisions, clsAct& costItems, Colours colours,
                             bool gediffToeslag)
    : m_workspace(&workspace), m_provisions(&provisions), m_costItems(&costItems), m_colours(colours),
      m_gediffToeslag(gediffToeslag)
{
}

ProvisionTree::~ProvisionTree() = default;

ProvisionTree::Kind ProvisionTree::kindOf(const QString& key)
{
    if (key.startsWith(ProvisionPrefix))
        return Kind::Provision;
    if (key.startsWith(CostItemPrefix))
        return Kind::CostItem;
    return Kind::Category;
}

long ProvisionTree::idOf(const QString& key)
{
    const qsizetype prefix = key.startsWith(CategoryPrefix) ? CategoryPrefix.size() : 3;
    return key.mid(prefix).toLong();
}

ProvisionTree::Node* ProvisionTree::addNode(Node* parent, const QString& key, const QString& text,
                                            const QString& tag, bool bold, ColourValue colour, int image)
{
    auto node = std::make_unique<Node>();
    node->key = key;
    node->text = text;
    node->tag = tag;
    node->bold = bold;
    node->colour = colour;
    node->image = image;
    node->parent = parent;
    Node* added = node.get();
    (parent ? parent->children : m_roots).push_back(std::move(node));
    return added;
}

std::unique_ptr<ProvisionTree::Node> ProvisionTree::detach(Node* node)
{
    auto& siblings = node->parent ? node->parent->children : m_roots;
    const auto it =
        std::find_if(siblings.begin(), siblings.end(), [node](const auto& n) { return n.get() == node; });
    std::unique_ptr<Node> detached = std::move(*it);
    siblings.erase(it);
    return detached;
}

ProvisionTree::Node* ProvisionTree::findIn(const std::vector<std::unique_ptr<Node>>& nodes,
                                           const QString& key) const
{
    for (const auto& node : nodes) {
        if (node->key == key)
            return node.get();
        if (Node* found = findIn(node->children, key))
            return found;
    }
    return nullptr;
}

ProvisionTree::Node* ProvisionTree::find(const QString& key) const
{
    return findIn(m_roots, key);
}

ProvisionTree::Node* ProvisionTree::categoryNode(int category) const
{
    return find(CategoryPrefix + QString::number(category));
}

bool ProvisionTree::build()
{
    m_roots.clear();
    m_selected = nullptr;
    std::shared_ptr<Database> data = m_workspace->dataDatabase();
    if (!data)
        return false;
    Statement categories =
        data->prepare(QStringLiteral("SELECT bytObjectCat_ID FROM tblObjectCat ORDER BY bytObjectCat_ID"));
    while (categories.next()) {
        const int id = int(categories.integer(0).value_or(0));
        addNode(nullptr, CategoryPrefix + QString::number(id), ObjectCategoryName(id), QStringLiteral("?"),
                true, m_colours.provision, TreeImage::Provision);
    }
    if (categories.failed())
        return false;

    // Provisions come in category and name order.
    QHash<long, Node*> provisionNodes;
    for (long i = 0; i < m_provisions->AantalRecords(); ++i) {
        const clsVoorz::Row& row = m_provisions->row(int(i));
        if (Node* category = categoryNode(int(row.category.value_or(0))))
            provisionNodes.insert(row.id, addNode(category, ProvisionPrefix + QString::number(row.id),
                                                  row.name, QStringLiteral("?"), false, m_colours.provision,
                                                  TreeImage::Provision));
    }

    struct Item
    {
        QString name;
        long id;
        qsizetype row;
    };
    QHash<long, std::vector<Item>> itemsOf;
    const clsAct& items = *m_costItems;
    for (qsizetype row = 0; row < items.rowCount(); ++row) {
        const long provision = items.storedField(row, QStringLiteral("lngInrichting_REF")).toLongLong();
        if (provisionNodes.contains(provision))
            itemsOf[provision].push_back(
                {items.storedField(row, QStringLiteral("strAct")).toString(),
                 long(items.storedField(row, QStringLiteral("idrAct_ID")).toLongLong()), row});
    }
    for (auto it = itemsOf.begin(); it != itemsOf.end(); ++it) {
        std::vector<Item>& list = it.value();
        std::sort(list.begin(), list.end(), [](const Item& a, const Item& b) {
            if (nameLess(a.name, b.name))
                return true;
            return !nameLess(b.name, a.name) && a.id < b.id;
        });
        Node* provision = provisionNodes.value(it.key());
        Node* first = nullptr;
        std::optional<QString> previous; // no name equals none
        for (std::size_t i = 0; i < list.size(); ++i) {
            const Item& item = list[i];
            const StoredRow row(items, item.row);
            const bool complete = verify_ansich(row, m_gediffToeslag);
            const QString key = CostItemPrefix + QString::number(item.id);
            const int conformity = int(numericValue(row.field(QStringLiteral("bytIsTALVO"))).value_or(0));
            const QString tag = QString::number(conformity);
            // Rows of one name are the phases of one cost item, the first by id leading.
            if (item.name != previous) {
                previous = item.name;
                const int rubric = int(numericValue(row.field(QStringLiteral("bytRubriek_REF"))).value_or(0));
                first = addNode(provision, key, item.name, tag, false,
                                costItemColour(complete, conformity, false), rubric);
                continue;
            }
            if (first->children.empty()) {
                first->text += FirstPhaseSuffix;
                first->colour = m_colours.costItem;
            }
            addNode(first, key, phaseLabel(qsizetype(first->children.size()) + 2), tag, false,
                    costItemColour(complete, conformity, true), TreeImage::Phase);
        }
    }
    return true;
}

QString ProvisionTree::costItemKey() const
{
    return CostItemPrefix + QString::number(m_costItems->idrAct_ID());
}

void ProvisionTree::replaceNewKey()
{
    if (Node* fresh = find(NewCostItemKey))
        fresh->key = costItemKey();
}

bool ProvisionTree::select(const QString& key, bool keepRecord)
{
    if (!m_costItems->UpdateNu()) {
        reportSaveFailure(*m_workspace);
        return false;
    }
    const QString target = key == NewCostItemKey ? costItemKey() : key;
    replaceNewKey();
    Node* node = find(target);
    if (!node)
        return false;
    m_selected = node;
    if (kindOf(target) == Kind::Provision)
        m_provisions->ActiveerID(idOf(target));
    else if (kindOf(target) == Kind::CostItem && !keepRecord)
        m_costItems->ActiveerID(idOf(target));
    return true;
}

QString ProvisionTree::selectedPostTitle() const
{
    if (!m_selected || kindOf(m_selected->key) != Kind::CostItem)
        return {};
    const QString name = m_costItems->strActHuidig();
    return m_selected->isFurtherPhase() ? name + QLatin1Char(' ') + m_selected->text : name;
}

ProvisionTree::Commands ProvisionTree::commands() const
{
    Commands commands;
    commands.addProvisionCaption = QStringLiteral("Voorziening toevoegen");
    commands.addCostItemCaption = QStringLiteral("Kostenpost toevoegen");
    if (!m_selected)
        return commands;
    const Node& node = *m_selected;
    switch (kindOf(node.key)) {
    case Kind::Category:
        commands.addProvision = true;
        commands.addProvisionCaption =
            QStringLiteral("Voorziening toevoegen aan ' ") + node.text + QStringLiteral(" '");
        break;
    case Kind::Provision:
        commands.addCostItem = true;
        commands.addCostItemCaption =
            QStringLiteral("Kostenpost toevoegen aan ' ") +
            (node.colour == Black ? node.parent->text + QStringLiteral("....") : QString()) + node.text +
            QStringLiteral(" '");
        commands.rename = !m_costItems->IsTALVOvoorziening(idOf(node.key));
        commands.remove = true;
        break;
    case Kind::CostItem:
        commands.addPhase = !node.isFurtherPhase();
        commands.rename = !node.isFurtherPhase() && node.tag == QLatin1String("0");
        commands.remove = true;
        break;
    }
    return commands;
}

QString ProvisionTree::psubAddVoorz()
{
    if (!m_selected || kindOf(m_selected->key) != Kind::Category)
        return {};
    const QString name =
        messages()
            .inputBox(QStringLiteral("Naam voorziening:"), QStringLiteral("Nieuwe voorziening"), {})
            .left(ProvisionNameLength);
    if (name.isEmpty())
        return {};
    const long id = m_provisions->VoegVoorzieningToe(int(idOf(m_selected->key)), name);
    if (id == 0) {
        reportSaveFailure(*m_workspace);
        return {};
    }
    const QString key = ProvisionPrefix + QString::number(id);
    addNode(m_selected, key, name, QStringLiteral("?"), false, m_colours.provision, TreeImage::Provision);
    select(key, true);
    return key;
}

QString ProvisionTree::psubAddFase()
{
    Node* item = m_selected;
    if (!item || kindOf(item->key) != Kind::CostItem || item->isFurtherPhase())
        return {};
    // The copy is made of the stored row: what the user entered is saved first.
    if (!m_costItems->UpdateNu() || !m_costItems->ActiveerID(idOf(item->key))) {
        reportSaveFailure(*m_workspace);
        return {};
    }
    const qsizetype phases = qsizetype(item->children.size()) + 1;
    if (m_costItems->Dupliceer_Act(int(phases)) == 0) {
        reportSaveFailure(*m_workspace);
        return {};
    }
    if (phases == 1)
        item->text += FirstPhaseSuffix;
    addNode(item, NewCostItemKey, phaseLabel(phases + 1), item->tag, false, m_colours.costItem,
            TreeImage::Phase);
    select(NewCostItemKey);
    return m_selected->key;
}

QString ProvisionTree::askProvisionName(const QString& prompt, const QString& title, const QString& proposal)
{
    QString name = messages().inputBox(prompt, title, proposal);
    while (name.contains(QLatin1Char('{')) || name.contains(QLatin1Char('}')))
        name = messages().inputBox(
            QStringLiteral("Voer een nieuwe naam in: \r\nOngeldige tekens { of } gebruikt."),
            QStringLiteral("Hernoemen"), name);
    return name.left(ProvisionNameLength);
}

bool ProvisionTree::renameProvision()
{
    if (!m_selected || kindOf(m_selected->key) != Kind::Provision || !commands().rename)
        return false;
    const QString name =
        askProvisionName(QStringLiteral("Nieuwe naam:"), QStringLiteral("Naam wijzigen"), m_selected->text);
    if (name.isEmpty() || !m_provisions->ActiveerID(idOf(m_selected->key)) ||
        !m_provisions->HernoemVoorzNaam(name))
        return false;
    m_selected->text = name;
    return true;
}

bool ProvisionTree::renameCostItem(const QString& name, int rubric)
{
    Node* item = m_selected;
    if (!item || !commands().rename || kindOf(item->key) != Kind::CostItem)
        return false;
    if (!m_costItems->UpdateNu() || !m_costItems->ActiveerID(idOf(item->key))) {
        reportSaveFailure(*m_workspace);
        return false;
    }
    if (!m_costItems->pfunHernoemActNaamOfRubriek(name, rubric))
        return false;
    item->text = item->children.empty() ? name : name + FirstPhaseSuffix;
    item->image = rubric;
    return true;
}

QString ProvisionTree::addCustomItem(const QString& name, int rubric)
{
    Node* provision = m_selected;
    if (!provision || kindOf(provision->key) != Kind::Provision)
        return {};
    if (!m_costItems->UpdateNu() || m_costItems->VoegToe_CustomAct(name, idOf(provision->key), rubric) == 0) {
        reportSaveFailure(*m_workspace);
        return {};
    }
    replaceNewKey();
    addNode(provision, NewCostItemKey, name, QStringLiteral("0"), false, m_colours.costItem, rubric);
    select(NewCostItemKey);
    return m_selected->key;
}

bool ProvisionTree::acceptCustomItem(bool adding, const QString& enteredName, int rubric)
{
    const QString name = enteredName.trimmed();
    if (name.isEmpty()) {
        messages().inform(QStringLiteral("Voer een naam in van de kostenpost."),
                          QStringLiteral("Ontbrekende gegevens"), MessageIcon::Exclamation);
        return false;
    }
    if (name.contains(QLatin1Char('{')) || name.contains(QLatin1Char('}'))) {
        messages().inform(QStringLiteral("Ongeldige tekens { of } gebruikt.\r\nVoer een andere naam in."),
                          QStringLiteral("Ongeldige naam"), MessageIcon::Exclamation);
        return false;
    }
    Node* node = m_selected;
    if (!node || kindOf(node->key) != (adding ? Kind::Provision : Kind::CostItem))
        return false;
    const long provisionId = idOf(adding ? node->key : node->parent->key);
    bool duplicate = m_costItems->ActiviteitBestaatAl(name, provisionId);
    if (!adding && duplicate && m_costItems->ActiveerID(idOf(node->key))) {
        // The item's own name may stay when only its rubric changes; another item's name never, since items
        // of one name are phases of one item.
        const bool sameName = name.compare(m_costItems->strActHuidig(), Qt::CaseInsensitive) == 0;
        duplicate = !sameName || rubric == m_costItems->bytRubriek_REF();
    }
    if (duplicate) {
        messages().inform(
            QStringLiteral(
                "Een kostenpost met deze naam bestaat al bij deze voorziening.\r\nVoer een andere naam in."),
            QStringLiteral("Naam kostenpost instellen"), MessageIcon::Exclamation);
        return false;
    }
    return adding ? !addCustomItem(name, rubric).isEmpty() : renameCostItem(name, rubric);
}

QString ProvisionTree::addChecklistItem(long itemId)
{
    if (!m_costItems->UpdateNu()) {
        reportSaveFailure(*m_workspace);
        return {};
    }
    // A node added earlier keeps its record's key.
    replaceNewKey();
    if (m_costItems->VoegToe_CLitem(itemId) == 0)
        return {};
    const long provisionId = m_costItems->Voorz_ID();
    const QString provisionKey = ProvisionPrefix + QString::number(provisionId);
    Node* provision = find(provisionKey);
    if (!provision && m_provisions->ActiveerID(provisionId)) {
        if (Node* category = categoryNode(m_provisions->bytObjectCat_ID()))
            provision = addNode(category, provisionKey, m_provisions->VoorzieningNaam(), QStringLiteral("?"),
                                false, m_colours.provision, TreeImage::Provision);
    }
    if (!provision)
        return {};
    addNode(provision, NewCostItemKey, m_costItems->strActHuidig(), QString::number(m_costItems->IsTALVO()),
            false, m_colours.costItem, m_costItems->bytRubriek_REF());
    select(NewCostItemKey);
    return m_selected->key;
}

void ProvisionTree::relabelPhases(Node* first)
{
    if (first->children.empty()) {
        if (first->text.endsWith(FirstPhaseSuffix))
            first->text.chop(FirstPhaseSuffix.size());
        return;
    }
    for (std::size_t i = 0; i < first->children.size(); ++i)
        first->children[i]->text = phaseLabel(qsizetype(i) + 2);
}

ProvisionTree::Deleted ProvisionTree::psubDeleteItem()
{
    Node* node = m_selected;
    if (!node)
        return Deleted::Nothing;
    const Kind kind = kindOf(node->key);
    if (kind == Kind::Category) {
        messages().inform(QStringLiteral("U kunt dit item niet verwijderen."),
                          QStringLiteral("Verwijdering niet toegestaan"), MessageIcon::Exclamation);
        return Deleted::Nothing;
    }
    if (kind == Kind::Provision) {
        if (!node->children.empty()) {
            messages().inform(
                QStringLiteral("U dient eerst kostenposten van deze voorziening te verwijderen."),
                QStringLiteral("verwijderen"), MessageIcon::Information);
            return Deleted::Nothing;
        }
        if (!messages().askYesNo(QStringLiteral("Wilt u deze voorziening verwijderen?"),
                                 QStringLiteral("Verwijderen"), MessageIcon::Question, MessageAnswer::No) ||
            !select(node->parent->key))
            return Deleted::Nothing;
        if (!m_provisions->ActiveerID(idOf(node->key)) || !m_provisions->verwijderVoorz()) {
            messages().inform(QStringLiteral("Fout bij verwijderen voorziening"), applicationTitle(),
                              MessageIcon::Critical);
            return Deleted::Nothing;
        }
        detach(node);
        return Deleted::Provision;
    }

    const bool withPhases = !node->children.empty();
    const QString question =
        withPhases ? QStringLiteral("Wilt u kostenpost '") + node->text +
                         QStringLiteral("' en alle onderliggende deelfases verwijderen?")
                   : QStringLiteral("Wilt u kostenpost '") + node->text + QStringLiteral("' verwijderen?");
    if (!messages().askYesNo(question, QStringLiteral("Verwijderen"), MessageIcon::Question,
                             MessageAnswer::No))
        return Deleted::Nothing;
    Node* parent = node->parent;
    if (!select(parent->key))
        return Deleted::Nothing;
    // The further phases go first, then the item; all of them or none.
    std::vector<long> ids;
    for (const auto& phase : node->children)
        ids.push_back(idOf(phase->key));
    ids.push_back(idOf(node->key));
    if (!m_costItems->verwijderActs(ids)) {
        messages().inform(QStringLiteral("Fout bij verwijderen kostenpost"), applicationTitle(),
                          MessageIcon::Critical);
        select(parent->key);
        return Deleted::Nothing;
    }
    detach(node);
    if (kindOf(parent->key) == Kind::CostItem)
        relabelPhases(parent);
    select(parent->key);
    return Deleted::CostItem;
}

void ProvisionTree::setSelectedMarking(bool complete, int conformity)
{
    if (!m_selected || kindOf(m_selected->key) != Kind::CostItem)
        return;
    m_selected->colour = costItemColour(complete, conformity, m_selected->isFurtherPhase());
    m_selected->tag = QString::number(conformity);
}

ColourValue ProvisionTree::costItemColour(bool complete, int conformity, bool furtherPhase) const
{
    if (!complete)
        return Red;
    if (conformity == 2)
        return VerdictColour::Orange;
    return furtherPhase ? Black : m_colours.costItem;
}

void ProvisionTree::setAllExpanded(bool expanded)
{
    const auto walk = [expanded](const auto& self, const std::vector<std::unique_ptr<Node>>& nodes) -> void {
        for (const auto& node : nodes) {
            node->expanded = expanded;
            self(self, node->children);
        }
    };
    walk(walk, m_roots);
}

} // namespace dovra
