#include "checklist/checklisttree.h"

#include "storage/database.h"

namespace dovra {

namespace {

// Lower case without accents, so that "beton" finds "Béton".
QString folded(const QString& text)
{
    QString result;
    for (const QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.category() != QChar::Mark_NonSpacing)
            result.append(c.toCaseFolded());
    }
    return result;
}

} // namespace

std::vector<ChecklistTreeNode> buildChecklistTree(Database& checklist, int versionId,
                                                  const QString& usedReferences, ColourValue provisionColour)
{
    Statement query = checklist.prepare(QStringLiteral(
        "SELECT lngCLitem_ID, strObjectCat, strVoorz, strOmschrijving, bytRubriek_REF, blnIsCombinatiePost "
        "FROM tblObjectCat INNER JOIN tblCLitem ON tblObjectCat.bytObjectCat_ID = tblCLitem.bytObjectCat_REF "
        "WHERE blnActief = -1 AND intCL_REF = ? ORDER BY bytObjectCat_ID, strVoorz, bytRubriek_REF, "
        "intSortNr"));
    query.bind(1, versionId);
    std::vector<ChecklistTreeNode> tree;
    QString category;
    QString provision;
    while (query.next()) {
        const long id = long(query.integer(0).value_or(0));
        const QString rowCategory = query.text(1).value_or(QString());
        const QString rowProvision = query.text(2).value_or(QString());
        const bool newCategory = tree.empty() || rowCategory != category;
        if (newCategory) {
            tree.push_back({rowCategory, rowCategory, {}, true, provisionColour, 0, {}});
            category = rowCategory;
        }
        // A provision takes the id of its first item in its key.
        if (newCategory || rowProvision != provision) {
            tree.back().children.push_back({QStringLiteral("inr") + QString::number(id),
                                            rowProvision,
                                            {},
                                            false,
                                            provisionColour,
                                            0,
                                            {}});
            provision = rowProvision;
        }
        const bool used = usedReferences.contains(QLatin1Char('|') + QString::number(id) + QLatin1Char('|'));
        QString text = query.text(3).value_or(QString());
        if (query.boolean(5).value_or(false))
            text += QStringLiteral(" *");
        tree.back().children.back().children.push_back(
            {QStringLiteral("act") + QString::number(id),
             text,
             used ? QStringLiteral("old") : QStringLiteral("new"),
             false,
             used ? ChecklistTreeColour::Used : ChecklistTreeColour::Available,
             int(query.integer(4).value_or(0)),
             {}});
    }
    if (query.failed())
        return {};
    return tree;
}

std::vector<ChecklistTreeNode> filterChecklistTree(const std::vector<ChecklistTreeNode>& tree,
                                                   const QString& filter)
{
    const QStringList words = folded(filter).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return tree;
    const auto matches = [&words](const ChecklistTreeNode& item) {
        const QString text = folded(item.text);
        for (const QString& word : words) {
            if (!text.contains(word))
                return false;
        }
        return true;
    };
    std::vector<ChecklistTreeNode> result;
    for (const ChecklistTreeNode& category : tree) {
        ChecklistTreeNode keptCategory = category;
        keptCategory.children.clear();
        for (const ChecklistTreeNode& provision : category.children) {
            ChecklistTreeNode keptProvision = provision;
            keptProvision.children.clear();
            for (const ChecklistTreeNode& item : provision.children) {
                if (matches(item))
                    keptProvision.children.push_back(item);
            }
            if (!keptProvision.children.empty())
                keptCategory.children.push_back(std::move(keptProvision));
        }
        if (!keptCategory.children.empty())
            result.push_back(std::move(keptCategory));
    }
    return result;
}

long checklistItemOfKey(const QString& key)
{
    return key.startsWith(QLatin1String("act")) ? key.mid(3).toLong() : 0;
}

} // namespace dovra
