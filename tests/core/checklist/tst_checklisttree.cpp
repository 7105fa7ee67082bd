// The tree of checklist items to pick from: its levels, keys, colours and the filter.
#include "checklist/checklisttree.h"
#include "storage/database.h"
#include "support/testfiles.h"

using namespace dovra;

namespace {

// Every node as "key|text|tag|bold|colour|image", indented by level.
QStringList dump(const std::vector<ChecklistTreeNode>& nodes, int level = 0)
{
    QStringList lines;
    for (const ChecklistTreeNode& node : nodes) {
        lines.append(QString(level * 2, u' ') +
                     QStringList{node.key, node.text, node.tag, node.bold ? "B" : "",
                                 QString::number(node.colour, 16), QString::number(node.image)}
                         .join(u'|'));
        lines += dump(node.children, level + 1);
    }
    return lines;
}

// The checklist of tests/data/editor_checklist.sql.
class ChecklistTreeTest : public test::SqlFilesTest
{
protected:
    void SetUp() override
    {
        useScripts(QStringLiteral("editor_checklist.sql"), QStringLiteral("editor_data.sql"));
    }
};

TEST_F(ChecklistTreeTest, ItemsUnderTheirProvisionsGreyWhenUsed)
{
    const auto tree =
        buildChecklistTree(*folder.workspace().checklistDatabase(), 7, QStringLiteral("|201|"), 0x4000);
    EXPECT_EQ(
        dump(tree),
        QStringList({"Bovenafdichting|Bovenafdichting||B|4000|0", "  inr201|Bovenafdichting|||4000|0",
                     "    act201|Maaien|old||c0c0c0|4", "    act202|Vervangen toplaag|new||800080|5",
                     "Grondwatermonitoringssysteem|Grondwatermonitoringssysteem||B|4000|0",
                     "  inr205|Peilbuizen noord|||4000|0", "    act205|Peilbuis vervangen|new||800080|5",
                     "Stortgasonttrekking|Stortgasonttrekking||B|4000|0", "  inr204|Gasbron|||4000|0",
                     "    act204|Gasonttrekking compleet *|new||800080|4",
                     "    act203|Vervangen pomp|new||800080|5"}));
    EXPECT_EQ(checklistItemOfKey(QStringLiteral("act203")), 203);
    EXPECT_EQ(checklistItemOfKey(QStringLiteral("inr204")), 0);

    // Every word must occur, in any case and with or without accents.
    EXPECT_EQ(dump(filterChecklistTree(tree, QStringLiteral(" VERVANGEN  pómp"))),
              QStringList({"Stortgasonttrekking|Stortgasonttrekking||B|4000|0", "  inr204|Gasbron|||4000|0",
                           "    act203|Vervangen pomp|new||800080|5"}));
    EXPECT_TRUE(filterChecklistTree(tree, QStringLiteral("beton")).empty());
    EXPECT_EQ(filterChecklistTree(tree, QStringLiteral("  ")).size(), tree.size());
}

} // namespace
