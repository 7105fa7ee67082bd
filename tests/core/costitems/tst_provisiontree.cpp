// The editor's tree of provisions and cost items: how it is built from the records, and what its commands
// do to the nodes and to the file.
#include "checklist/clsCL.h"
#include "costitems/clsAct.h"
#include "costitems/clsVoorz.h"
#include "costitems/provisiontree.h"
#include "storage/database.h"
#include "support/testfiles.h"

using namespace dovra;

namespace {

constexpr long Oost = 1;

// Facility 1 with its provisions and phased items: tests/data/editor_*.sql.
class ProvisionTreeTest : public test::SqlFilesTest
{
protected:
    void SetUp() override
    {
        useScripts(QStringLiteral("editor_checklist.sql"), QStringLiteral("editor_data.sql"));
        data = folder.workspace().dataDatabase();
        ASSERT_TRUE(provisions.initialize() && items.initialize() && tree.build());
    }

    // Every node as "key|text|tag|bold|colour|image", indented by level.
    QStringList dump(const QString& from = {}) const
    {
        QStringList lines;
        const auto walk = [&lines](const auto& self, const ProvisionTree::Node& node, int level) -> void {
            lines.append(QString(level * 2, u' ') +
                         QStringList{node.key, node.text, node.tag, node.bold ? "B" : "",
                                     QString::number(node.colour), QString::number(node.image)}
                             .join(u'|'));
            for (const auto& child : node.children)
                self(self, *child, level + 1);
        };
        if (!from.isEmpty())
            walk(walk, *tree.find(from), 0);
        else
            for (const auto& root : tree.roots())
                walk(walk, *root, 0);
        return lines;
    }
    // The values of a one-column query, joined by ','.
    QString rows(const char* sql) const { return test::queryRows(*data, QString::fromUtf8(sql)).join(u','); }
    QString actRows() const
    {
        return rows("SELECT idrAct_ID || ':' || strAct FROM tblAct WHERE lngStort_REF = 1 "
                    "ORDER BY idrAct_ID");
    }

    std::shared_ptr<Database> data;
    clsVoorz provisions{folder.workspace(), Oost};
    clsAct items{folder.workspace(), Oost};
    ProvisionTree tree{folder.workspace(), provisions, items, {16384, 128}, true};
};

TEST_F(ProvisionTreeTest, BuildsCategoriesProvisionsAndPhases)
{
    // Phase 1 of several takes the cost item colour, further phases black or red by their own completeness;
    // names sort without regard to case.
    EXPECT_EQ(
        dump(),
        QStringList({"objcat1|Algemeen|?|B|16384|7", "objcat2|Bovenafdichting|?|B|16384|7",
                     "  inr1|Bovenafdichting|?||16384|7", "    act12|Beplanting|0||128|1",
                     "    act10|Maaien {1e fase}|1||128|4", "      act14|{2e fase}|1||0|8",
                     "objcat3|Grondwatermonitoringssysteem|?|B|16384|7", "  inr2|Peilbuizen|?||16384|7",
                     "    act16|analyse|0||255|3", "    act11|Bemonsteren {1e fase}|0||128|2",
                     "      act13|{2e fase}|0||0|8", "      act15|{3e fase}|0||255|8",
                     "objcat4|Percolaatopvangsysteem|?|B|16384|7", "objcat5|Stortgasonttrekking|?|B|16384|7",
                     "objcat6|Grondwaterbeheerssysteem|?|B|16384|7", "objcat7|Overig|?|B|16384|7",
                     "  inr3|Hekwerk|?||16384|7"}));
}

TEST_F(ProvisionTreeTest, ContextMenuFollowsTheSelectedNode)
{
    struct Case
    {
        const char* key;
        const char* expected; // add provision, add cost item, phase, rename, delete; captions
    };
    const Case cases[] = {
        {"objcat2", "10000|Voorziening toevoegen aan ' Bovenafdichting '|Kostenpost toevoegen"},
        // A provision with a checklist item keeps its name.
        {"inr1", "01001|Voorziening toevoegen|Kostenpost toevoegen aan  ' Bovenafdichting '"},
        {"inr2", "01011|Voorziening toevoegen|Kostenpost toevoegen aan  ' Peilbuizen '"},
        {"act10", "00101|Voorziening toevoegen|Kostenpost toevoegen"},
        {"act11", "00111|Voorziening toevoegen|Kostenpost toevoegen"},
        {"act13", "00001|Voorziening toevoegen|Kostenpost toevoegen"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(tree.select(QString::fromUtf8(c.key)));
        const ProvisionTree::Commands commands = tree.commands();
        QString flags;
        for (const bool on : {commands.addProvision, commands.addCostItem, commands.addPhase, commands.rename,
                              commands.remove})
            flags += on ? u'1' : u'0';
        EXPECT_EQ(QStringList({flags, commands.addProvisionCaption, commands.addCostItemCaption}).join(u'|'),
                  QString::fromUtf8(c.expected))
            << c.key;
    }
    // A black provision colour shows the category in the caption.
    ProvisionTree black{folder.workspace(), provisions, items, {0, 128}, true};
    ASSERT_TRUE(black.build() && black.select(QStringLiteral("inr2")));
    EXPECT_EQ(black.commands().addCostItemCaption,
              QStringLiteral("Kostenpost toevoegen aan  ' Grondwatermonitoringssysteem....Peilbuizen '"));
}

struct DeleteCase
{
    const char* key;
    MessageAnswer answer;
    const char* message;
    const char* subtree; // the nodes of the category afterwards, "/"-separated
    const char* rows;    // the facility's cost items afterwards
};

class ProvisionTreeDelete : public ProvisionTreeTest, public ::testing::WithParamInterface<DeleteCase>
{
};

TEST_P(ProvisionTreeDelete, AsksDeletesAndRelabels)
{
    const DeleteCase& c = GetParam();
    const QString key = QString::fromUtf8(c.key);
    const QString category = tree.find(key)->parent ? [&] {
        const ProvisionTree::Node* node = tree.find(key);
        while (node->parent)
            node = node->parent;
        return node->key;
    }() : key;
    ASSERT_TRUE(tree.select(key));
    recorder.answerNext(c.answer);
    tree.psubDeleteItem();
    EXPECT_EQ(recorder.texts().join(u'/'), QString::fromUtf8(c.message));
    QStringList nodes = dump(category);
    for (QString& node : nodes)
        node = node.trimmed().section(u'|', 0, 1);
    EXPECT_EQ(nodes.join(u'/'), QString::fromUtf8(c.subtree));
    EXPECT_EQ(actRows(), QString::fromUtf8(c.rows));
}

const char* const AllRows =
    "10:Maaien,11:Bemonsteren,12:Beplanting,13:Bemonsteren,14:Maaien,15:Bemonsteren,16:analyse";

INSTANTIATE_TEST_SUITE_P(
    Cases, ProvisionTreeDelete,
    ::testing::Values(
        DeleteCase{
            "act13", MessageAnswer::Yes, "Wilt u kostenpost '{2e fase}' verwijderen?",
            "objcat3|Grondwatermonitoringssysteem/inr2|Peilbuizen/act16|analyse/act11|Bemonsteren {1e fase}/"
            "act15|{2e fase}",
            "10:Maaien,11:Bemonsteren,12:Beplanting,14:Maaien,15:Bemonsteren,16:analyse"},
        DeleteCase{"act14", MessageAnswer::Yes, "Wilt u kostenpost '{2e fase}' verwijderen?",
                   "objcat2|Bovenafdichting/inr1|Bovenafdichting/act12|Beplanting/act10|Maaien",
                   "10:Maaien,11:Bemonsteren,12:Beplanting,13:Bemonsteren,15:Bemonsteren,16:analyse"},
        DeleteCase{"act11", MessageAnswer::Yes,
                   "Wilt u kostenpost 'Bemonsteren {1e fase}' en alle onderliggende deelfases verwijderen?",
                   "objcat3|Grondwatermonitoringssysteem/inr2|Peilbuizen/act16|analyse",
                   "10:Maaien,12:Beplanting,14:Maaien,16:analyse"},
        DeleteCase{
            "act16", MessageAnswer::No, "Wilt u kostenpost 'analyse' verwijderen?",
            "objcat3|Grondwatermonitoringssysteem/inr2|Peilbuizen/act16|analyse/act11|Bemonsteren {1e fase}/"
            "act13|{2e fase}/act15|{3e fase}",
            AllRows},
        DeleteCase{"objcat7", MessageAnswer::Yes, "U kunt dit item niet verwijderen.",
                   "objcat7|Overig/inr3|Hekwerk", AllRows},
        DeleteCase{
            "inr2", MessageAnswer::Yes, "U dient eerst kostenposten van deze voorziening te verwijderen.",
            "objcat3|Grondwatermonitoringssysteem/inr2|Peilbuizen/act16|analyse/act11|Bemonsteren {1e fase}/"
            "act13|{2e fase}/act15|{3e fase}",
            AllRows},
        DeleteCase{"inr3", MessageAnswer::Yes, "Wilt u deze voorziening verwijderen?", "objcat7|Overig",
                   AllRows}));

TEST_F(ProvisionTreeTest, AFailedDeleteOfAPhasedItemLeavesEveryRow)
{
    // The first phase to go is refused: nothing after it may go either.
    ASSERT_TRUE(
        data->exec(QStringLiteral("CREATE TRIGGER keep BEFORE DELETE ON tblAct WHEN old.idrAct_ID = 13 "
                                  "BEGIN SELECT RAISE(ABORT, 'kept'); END")));
    const QStringList before = dump();
    ASSERT_TRUE(tree.select(QStringLiteral("act11")));
    recorder.answerNext(MessageAnswer::Yes);
    EXPECT_EQ(tree.psubDeleteItem(), ProvisionTree::Deleted::Nothing);
    EXPECT_EQ(recorder.texts().last(), QStringLiteral("Fout bij verwijderen kostenpost"));
    EXPECT_EQ(actRows(), QString::fromUtf8(AllRows));
    EXPECT_EQ(dump(), before);
    ASSERT_TRUE(items.ActiveerID(13));
    EXPECT_EQ(items.strActHuidig(), QStringLiteral("Bemonsteren"));
}

TEST_F(ProvisionTreeTest, AddsAndRenamesProvisions)
{
    ASSERT_TRUE(tree.select(QStringLiteral("objcat7")));
    recorder.answerNextInput(QString(101, u'x'));
    const QString key = tree.psubAddVoorz();
    EXPECT_EQ(tree.selected()->key, key);
    EXPECT_EQ(tree.find(key)->parent->key, QStringLiteral("objcat7"));
    EXPECT_EQ(rows("SELECT length(strObject) FROM tblInrichting WHERE strObject LIKE 'x%'"),
              QStringLiteral("100"));
    // Cancelling adds nothing.
    ASSERT_TRUE(tree.select(QStringLiteral("objcat7")));
    EXPECT_TRUE(tree.psubAddVoorz().isEmpty());
    EXPECT_EQ(tree.find(QStringLiteral("objcat7"))->children.size(), 2u);

    // Braces are asked again until the answer holds none.
    recorder.clear();
    ASSERT_TRUE(tree.select(QStringLiteral("inr3")));
    for (const char* answer : {"Hek{werk}", "Hek}", "Afrastering"})
        recorder.answerNextInput(QString::fromUtf8(answer));
    EXPECT_TRUE(tree.renameProvision());
    EXPECT_EQ(recorder.titles(), QStringList({"Naam wijzigen", "Hernoemen", "Hernoemen"}));
    EXPECT_EQ(recorder.texts().at(1),
              QStringLiteral("Voer een nieuwe naam in: \r\nOngeldige tekens { of } gebruikt."));
    EXPECT_EQ(tree.find(QStringLiteral("inr3"))->text, QStringLiteral("Afrastering"));
    EXPECT_EQ(rows("SELECT strObject FROM tblInrichting WHERE idrInrichting_ID = 3"),
              QStringLiteral("Afrastering"));

    // Not a provision with a checklist item, not even asked.
    recorder.clear();
    ASSERT_TRUE(tree.select(QStringLiteral("inr1")));
    EXPECT_FALSE(tree.renameProvision());
    EXPECT_TRUE(recorder.texts().isEmpty());
}

TEST_F(ProvisionTreeTest, AddsPhasesAndRenamesAllOfThem)
{
    ASSERT_TRUE(tree.select(QStringLiteral("act12")));
    const QString key = tree.psubAddFase();
    EXPECT_NE(key, NewCostItemKey);
    EXPECT_EQ(dump(QStringLiteral("act12")),
              QStringList({"act12|Beplanting {1e fase}|0||128|1", "  " + key + "|{2e fase}|0||128|8"}));
    EXPECT_EQ(items.idrAct_ID(), ProvisionTree::idOf(key));
    EXPECT_EQ(tree.selectedPostTitle(), QStringLiteral("Beplanting {2e fase}"));
    // The copy has its own years to enter.
    EXPECT_EQ(
        rows(qPrintable("SELECT ifnull(intStartRel, '-') || strAct || sngKostenTotaal FROM tblAct WHERE "
                        "idrAct_ID = " +
                        QString::number(ProvisionTree::idOf(key)))),
        QStringLiteral("-Beplanting80.0"));

    // Another item's name is refused, also with another rubric (it would make them phases of one item); the
    // item's own name only with another rubric.
    ASSERT_TRUE(tree.select(QStringLiteral("act11")));
    recorder.clear();
    EXPECT_FALSE(tree.acceptCustomItem(false, QStringLiteral("ANALYSE"), 3));
    EXPECT_FALSE(tree.acceptCustomItem(false, QStringLiteral("Bemonsteren"), 2));
    EXPECT_EQ(recorder.titles(), QStringList({"Naam kostenpost instellen", "Naam kostenpost instellen"}));
    EXPECT_TRUE(tree.acceptCustomItem(false, QStringLiteral("Bemonsteren"), 3));
    EXPECT_TRUE(tree.renameCostItem(QStringLiteral("Klepelen"), 4));
    EXPECT_EQ(dump(QStringLiteral("act11")).first(), QStringLiteral("act11|Klepelen {1e fase}|0||128|4"));
    EXPECT_EQ(rows("SELECT strAct || bytRubriek_REF FROM tblAct WHERE idrAct_ID IN (11, 13, 15)"),
              QStringLiteral("Klepelen4,Klepelen4,Klepelen4"));
}

TEST_F(ProvisionTreeTest, ChecklistAndUserItemsGoUnderTheirProvision)
{
    // Item 205's provision does not exist yet: it is made, under the item's category.
    const QString key = tree.addChecklistItem(205);
    ASSERT_FALSE(key.isEmpty());
    const ProvisionTree::Node* provision = tree.find(key)->parent;
    EXPECT_EQ(provision->parent->key, QStringLiteral("objcat3"));
    EXPECT_EQ(provision->text, QStringLiteral("Peilbuizen noord"));
    EXPECT_EQ(dump(key), QStringList({key + "|Peilbuis vervangen|1||128|5"}));

    ASSERT_TRUE(tree.select(QStringLiteral("inr3")));
    const QString user = tree.addCustomItem(QStringLiteral("Hek schilderen"), 4);
    EXPECT_EQ(tree.selected()->key, user);
    EXPECT_EQ(tree.find(user)->parent->key, QStringLiteral("inr3"));
    EXPECT_EQ(items.strActHuidig(), QStringLiteral("Hek schilderen"));
}

TEST_F(ProvisionTreeTest, SelectingSavesTheEditsOfTheItemLeft)
{
    ASSERT_TRUE(tree.select(QStringLiteral("act16")));
    items.setField(QStringLiteral("sngKostenTotaal"), 45.5);
    ASSERT_TRUE(tree.select(QStringLiteral("inr2")));
    EXPECT_EQ(rows("SELECT sngKostenTotaal FROM tblAct WHERE idrAct_ID = 16"), QStringLiteral("45.5"));
    // Unknown keys select nothing.
    EXPECT_FALSE(tree.select(QStringLiteral("act999")));
    EXPECT_EQ(tree.selected()->key, QStringLiteral("inr2"));
}

} // namespace
