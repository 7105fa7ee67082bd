// A checklist version in memory: its items, criterion texts, typical values, price level factors,
// reporting threshold and the checklist information of the cost item editor; conformity of cost items and
// facility values with a version's criteria, and the editor's verdict on the shown values of a cost item;
// the tree of checklist items to pick from; binding a facility to a newer version.
#include "checklist/checklisttree.h"
#include "checklist/clsCL.h"
#include "checklist/conformity.h"
#include "checklist/itemverdict.h"
#include "checklist/versionchange.h"
#include "reports/formats/screenreport.h"
#include "reports/versioncomparison.h"
#include "storage/database.h"
#include "support/golden.h"
#include "support/screendump.h"
#include "support/testfiles.h"

using namespace dovra;

namespace {

// An active item of version 1, with the given fields set on top.
QString itemSql(int id, const QString& fields = {}, int version = 1)
{
    return QStringLiteral(
               "INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, strOmschrijving, "
               "bytRubriek_REF) VALUES (%1, %2, -1, 'Bovenafdichting', 'Maaien talud', 4);"
               "UPDATE tblCLitem SET %3 WHERE lngCLitem_ID = %1;")
        .arg(id)
        .arg(version)
        .arg(fields.isEmpty() ? QStringLiteral("blnActief = -1") : fields);
}

class ChecklistTest : public ::testing::Test
{
protected:
    test::ProgramFolder folder;
    MessageRecorder recorder;
    clsCL cl{folder.workspace()};

    void useChecklist(const QStringList& sql, const QString& name = QStringLiteral("dbTALVOCL_test.mdb"))
    {
        const QStringList base{"data/checklist_schema.sql", "checklist_versions.sql"};
        folder.workspace().setChecklistFile(folder.createDatabase(name, base + sql));
    }
};

TEST_F(ChecklistTest, TheActiveItemsOfOneVersion)
{
    useChecklist(
        {itemSql(10), itemSql(11, QStringLiteral("blnActief = 0")), itemSql(12, {}, 2), itemSql(13)});
    ASSERT_TRUE(cl.initializeCL(1));
    QList<long> ids;
    for (cl.movefirst_rsCLitem(); !cl.EOF_rsCLitem(); cl.movenext_rsCLitem())
        ids.append(cl.lngCLitem_ID());
    EXPECT_EQ(ids, (QList<long>{10, 13}));
    EXPECT_TRUE(cl.GaNaarItem(13));
    EXPECT_EQ(cl.OmschrijvingEx(), QStringLiteral("Maaien talud (ID: 13)"));
    EXPECT_EQ(cl.Rubriek(), QStringLiteral("Onderhoud"));
    EXPECT_TRUE(cl.GaNaarItem(10)); // found again when searching from an item further on
    EXPECT_FALSE(cl.GaNaarItem(11));
    EXPECT_FALSE(cl.GaNaarItem(12));
    // A design fee of -999: the version sets the replacement surcharge per item.
    EXPECT_TRUE(cl.GebruikGedifferentieerdeToeslagB());
    EXPECT_TRUE(recorder.recorded().isEmpty());
    ASSERT_TRUE(cl.initializeCL(2));
    EXPECT_FALSE(cl.GebruikGedifferentieerdeToeslagB());

    // A second reader of the version starts at its first item, whatever the first reader did.
    clsCL again(folder.workspace());
    ASSERT_TRUE(again.initializeCL(1));
    EXPECT_EQ(again.lngCLitem_ID(), 10);
    // Another checklist file is read anew: its version 1 has other items.
    useChecklist({itemSql(30)}, QStringLiteral("dbTALVOCL_other.mdb"));
    clsCL other(folder.workspace());
    ASSERT_TRUE(other.initializeCL(1));
    EXPECT_EQ(other.lngCLitem_ID(), 30);
}

TEST_F(ChecklistTest, AVersionWithoutActiveItems)
{
    useChecklist({itemSql(20, QStringLiteral("blnActief = 0"), 3)});
    ASSERT_TRUE(cl.initializeCL(3));
    EXPECT_FALSE(cl.GaNaarItem(20));
    EXPECT_FALSE(cl.checklistBestaat());
    EXPECT_EQ(
        recorder.texts(),
        QStringList({"Deze inrichting is gerelateerd aan een nieuwere versie van de TALVO-checklist.\r\n"
                     "Download eerst de benodigde update."}));
    EXPECT_EQ(recorder.recorded()[0].icon, MessageIcon::Exclamation);

    folder.workspace().setChecklistFile(folder.filePath(QStringLiteral("ontbreekt.mdb")));
    EXPECT_FALSE(cl.initializeCL(1));
}

// One item per criterion text, its description naming the text and its criteria
// (tests/data/criterion_texts.sql): each text explained in core/criterion-texts.txt.
TEST_F(ChecklistTest, CriterionTexts)
{
    useChecklist({QStringLiteral("criterion_texts.sql")});
    ASSERT_TRUE(cl.initializeCL(1));
    QString shown;
    const QStringList kinds{"start", "end", "freq", "cost"};
    using Text = QString (clsCL::*)() const;
    const Text texts[] = {&clsCL::strStartJaarToelichting, &clsCL::strEindJaarToelichting,
                          &clsCL::strFreqXtoelichting, &clsCL::strKostenToelichting};
    for (int id = 1; cl.GaNaarItem(id); ++id) {
        const int kind = int(kinds.indexOf(cl.Omschrijving().section(u':', 0, 0)));
        shown += cl.Omschrijving() + QStringLiteral(" → ") + (cl.*texts[kind])() + u'\n';
    }
    // With the price level note.
    ASSERT_TRUE(cl.GaNaarItem(28));
    shown += QStringLiteral("cost, noted: ") +
             cl.strKostenToelichtingEx().replace(QLatin1String("\r\n"), QLatin1String("\\r\\n")) + u'\n';
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("core/criterion-texts.txt"), shown));
}

// The items of tests/data/checklist_items.sql.
TEST_F(ChecklistTest, CombinationPostsOfAVersion)
{
    useChecklist({QStringLiteral("checklist_items.sql")});
    ASSERT_TRUE(cl.initializeCL(1));
    EXPECT_EQ(cl.GetCombinatiePosten(), QStringLiteral("1,5"));
    ASSERT_TRUE(cl.initializeCL(3));
    EXPECT_EQ(cl.GetCombinatiePosten(), QString());
}

TEST_F(ChecklistTest, TypicalValuesAndReportingThreshold)
{
    useChecklist({QStringLiteral("checklist_items.sql")});
    ASSERT_TRUE(cl.initializeCL(1));
    // The middle of the bounds, or the one bound; none for once every 0 years.
    const auto typical = [this](long id) {
        EXPECT_TRUE(cl.GaNaarItem(id));
        const std::optional<float> values[] = {cl.AantalGEM(),       cl.PrijsPEgem(), cl.InvKostenGEM(),
                                               cl.KostenTotaalGEM(), cl.InvPercGEM(), cl.freqXGEM()};
        QStringList texts;
        for (const std::optional<float>& v : values)
            texts.append(v ? QString::number(*v, 'g', 9) : QStringLiteral("-"));
        return texts.join(u'|');
    };
    EXPECT_EQ(typical(1), QStringLiteral("17.5|40|1000|-|1.5|7.5"));
    EXPECT_EQ(typical(2), QStringLiteral("-|-|-|-|0|-"));

    // (9000 - 3500) / 225 + 10 = 34.444443, published as 34.44.
    EXPECT_EQ(cl.AantalHaGrens(), 34.44f);
    const std::pair<QVariant, int> options[] = {{"9,99", 1}, {10, 2},         {"34,44", 2},
                                                {34.45, 3},  {QVariant(), 0}, {"abc", 0}};
    for (const auto& [hectares, option] : options)
        EXPECT_EQ(cl.CalcOptieRapEval(hectares), option) << hectares.toString().toStdString();
    ASSERT_TRUE(cl.initializeCL(2));
    EXPECT_EQ(cl.AantalHaGrens(), 1.0f / 3.0f + 10.0f); // other fractions stay as computed
}

TEST_F(ChecklistTest, PriceLevelCorrection)
{
    useChecklist({QStringLiteral("INSERT INTO tblPPcorr VALUES (2006, 2), (2007, 3), (2008, 10);")});
    ASSERT_TRUE(cl.initializeCL(1));
    const float upward = cl.sngPrijsPeilCorr(2005, 2007);
    EXPECT_FLOAT_EQ(upward, 1.0506f);
    EXPECT_EQ(cl.sngPrijsPeilCorr(2007, 2005), 1.0f / upward);
    // The change of the starting year itself is already in its prices.
    EXPECT_FLOAT_EQ(cl.sngPrijsPeilCorr(2006, 2007), 1.03f);
    EXPECT_FLOAT_EQ(cl.sngPrijsPeilCorr(2008, 2007), 1.0f / 1.1f);
    EXPECT_EQ(cl.sngPrijsPeilCorr(2007, 2007), 1.0f);
    EXPECT_EQ(cl.sngPrijsPeilCorr(2012, 2015), 1.0f);
}

// The items of tests/data/checklist_information.sql.
TEST_F(ChecklistTest, ChecklistInformation)
{
    useChecklist({QStringLiteral("checklist_information.sql")});
    ASSERT_TRUE(cl.initializeCL(1));
    // A user-defined item, one the version lacks, a repeated one, a one-off one (its reference as text) and
    // one with footnotes.
    QString text;
    const std::pair<QVariant, int> shown[] = {{20, 0}, {99, 1}, {20, 1}, {QStringLiteral("21"), 2}, {22, 1}};
    for (const auto& [reference, conformity] : shown) {
        text += QStringLiteral("--- item %1, conformity %2\n").arg(reference.toString()).arg(conformity);
        for (const ChecklistInfoEntry& entry : checklistInformation(cl, reference, conformity)) {
            static const char* const kinds[] = {"heading", "value", "blank", "small", "error"};
            const QString shown = QString(entry.text).replace(u'\r', "\\r").replace(u'\n', "\\n");
            text += QLatin1String(kinds[int(entry.kind)]) + QLatin1String(": ") + shown + u'\n';
        }
    }
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("core/checklist-information.txt"), text));
    EXPECT_EQ(cl.lngCLitem_ID(), 22);
}

// --- conformity ---

const QVariant n; // not entered

// The values of a case in tests/data/conformity_cases.txt: "n" not entered, 'x' a text, else a whole number.
QVariantList values(const QString& field)
{
    QVariantList list;
    for (const QString& value : field.split(u' ', Qt::SkipEmptyParts))
        list.append(value == u"n"             ? QVariant()
                    : value.startsWith(u'\'') ? QVariant(value.mid(1, value.size() - 2))
                                              : QVariant(value.toInt()));
    return list;
}

class ConformityTest : public ChecklistTest
{
protected:
    void SetUp() override
    {
        // Versions 1 and 2, the items and their criteria: tests/data/conformity_checklist.sql.
        folder.workspace().setChecklistFile(folder.createDatabase(
            QStringLiteral("dbTALVOCL_test.mdb"),
            {QStringLiteral("data/checklist_schema.sql"), QStringLiteral("conformity_checklist.sql")}));
        ASSERT_TRUE(cl.initializeCL(1));
    }

    // Whether shown values are within the item's criteria of the check: start, end, freq, cost or surcharge.
    bool verify(const QString& check, long item, QVariantList v, double aftercareStart = 2010)
    {
        EXPECT_TRUE(cl.GaNaarItem(item));
        v.resize(7);
        if (check == u"start")
            return cl.VerifyCL_JaarStart(v[0], v[1], v[2], v[3], v[4], aftercareStart);
        if (check == u"end")
            return cl.VerifyCL_JaarEind(v[0], v[1], v[2], v[3], v[4], aftercareStart);
        if (check == u"freq")
            return cl.VerifyCL_Freq(v[0], v[1]);
        if (check == u"cost")
            return cl.VerifyCL_Kosten(v[0], v[1], v[2], v[3], v[4], v[5], v[6]);
        return cl.VerifyCL_VervangingsToeslag(v[0], v[1], v[2]);
    }
};

TEST_F(ConformityTest, CostItemValuesAgainstTheItemsCriteria)
{
    for (const QStringList& c : test::readCases(QStringLiteral("conformity_cases.txt"))) {
        SCOPED_TRACE(c.join(u'|').toStdString());
        const double start = c[4].isEmpty() ? 2010 : c[4].toDouble();
        EXPECT_TRUE(c[2].isEmpty() || verify(c[0], c[1].toLong(), values(c[2]), start));
        EXPECT_TRUE(c[3].isEmpty() || !verify(c[0], c[1].toLong(), values(c[3]), start));
    }
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

TEST_F(ConformityTest, ChecksThatCannotBeMade)
{
    // Once every 0 years, entered or in the checklist; an X that is no number; an unknown surcharge type.
    EXPECT_FALSE(verify(QStringLiteral("freq"), 12, {3, 0}));
    EXPECT_FALSE(verify(QStringLiteral("freq"), 14, {3, 8}));
    EXPECT_FALSE(verify(QStringLiteral("freq"), 12, {2, "abc"}));
    EXPECT_FALSE(verify(QStringLiteral("surcharge"), 30, {5, 9, 5}));
    const QString fault =
        QStringLiteral("Er zit een fout in de TALVO-checklist, validatie kon niet uitgevoerd worden");
    EXPECT_EQ(recorder.texts(), QStringList({fault, fault, "Fout 13\nBron: clsCL.VerifyCL_Freq",
                                             "Onbekende conditie vervangingstoeslag"}));
    EXPECT_EQ(recorder.titles(), QStringList({"Fout in TALVO-checklist", "Fout in TALVO-checklist",
                                              "Type mismatch", "Controle invoer vervangingstoeslag"}));
    for (const MessageRecorder::Message& message : recorder.recorded())
        EXPECT_EQ(message.icon, MessageIcon::Critical);
}

TEST_F(ConformityTest, FacilityValues)
{
    // Values within the criteria of version 1 and just outside them.
    using Check = bool (clsCL::*)(float) const;
    const std::tuple<Check, float, float> bounds[] = {
        {&clsCL::verifyCL_CommKosten, 2000, 1999}, // only a minimum
        {&clsCL::verifyCL_AppKostenBasis, 1000, 999},     {&clsCL::verifyCL_AppKostenBasis, 5000, 5001},
        {&clsCL::verifyCL_AppKostenPerc, 5.06f, 5.0601f}, {&clsCL::verifyCL_Onvoorzien, 10, 9.99f},
    };
    for (const auto& [check, within, outside] : bounds) {
        EXPECT_TRUE((cl.*check)(within)) << within;
        EXPECT_FALSE((cl.*check)(outside)) << outside;
    }
    EXPECT_TRUE(cl.verifyCL_CommKosten(50000));
    EXPECT_TRUE(cl.verifyCL_OntwerpdirectieFixed(3)); // surcharges per item: any design fee
    // The reporting option says which of minimum, per hectare and maximum must be the version's.
    const std::tuple<int, float, float, float, bool> reporting[] = {
        {1, 3500, 1, 1, true},       {1, 3000, 225, 9000, false}, {2, 1, 225, 1, true},
        {2, 3500, 200, 9000, false}, {3, 1, 1, 9000, true},       {3, 3500, 225, 9500, false}};
    for (const auto& [option, minimum, perHa, maximum, within] : reporting)
        EXPECT_EQ(cl.verifyCL_RapEvalPerHa(option, minimum, perHa, maximum), within)
            << option << ' ' << minimum;

    // Version 2: communication from 2000 to 10000, one design fee and one surcharge rate for all.
    ASSERT_TRUE(cl.initializeCL(2));
    EXPECT_TRUE(cl.verifyCL_CommKosten(10000));
    EXPECT_FALSE(cl.verifyCL_CommKosten(10001));
    EXPECT_TRUE(cl.verifyCL_OntwerpdirectieFixed(7.5f));
    EXPECT_FALSE(cl.verifyCL_OntwerpdirectieFixed(3));
    EXPECT_TRUE(cl.VerifyCL_VervangingsToeslag(5, 9, 5));
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

// --- the editor's verdict ---

using S = ShownCostItem;

// Changes to a replacement within all criteria of item 30, and the verdict: the colours of start, end,
// frequency, cost and surcharge (Black, Red: incomplete, Orange: outside the criteria), and the conformity
// (0 user-defined, 1 within the criteria, 2 outside them). Complete means nothing red.
struct VerdictCase
{
    const char* what;
    QList<std::pair<QVariant S::*, QVariant>> changes;
    const char* colours;
    int conformity;
    double aftercareStart = 2010;
};

const VerdictCase Verdicts[] = {
    {"within", {}, "BBBBB", 1},
    {"outside", {{&S::intStartRel, "6"}, {&S::intFreqX, "4"}}, "OBOBB", 2},
    {"surcharge", {{&S::sngVervangingsToeslagPerc, "7"}}, "BBBBO", 2},
    {"incomplete: not judged", {{&S::intFreqX, ""}, {&S::strEenheid, ""}}, "BBRRB", 2},
    {"one-off: no end to judge", {{&S::bytOptieFreq, 1}, {&S::intEindRel, ""}}, "BBOBB", 2},
    {"2015 from 2010", {{&S::bytOptieStart, 1}, {&S::intStartAbs, "2015"}}, "OBBBB", 2},
    {"2015 from 2011", {{&S::bytOptieStart, 1}, {&S::intStartAbs, "2015"}}, "BBBBB", 1, 2011},
    {"combined", {{&S::intFreqX, ""}, {&S::intStartRel, "6"}, {&S::bytCombineer, -1}}, "BBBBB", 1},
    {"an item the version lacks", {{&S::lngClitem_REF, 40}}, "BBBBB", 2},
    {"lacked, combined", {{&S::lngClitem_REF, 40}, {&S::bytCombineer, -1}}, "BBBBB", 2},
    {"user-defined: only completeness", {{&S::bytIsTALVO, 0}, {&S::intStartRel, "6"}}, "BBBBB", 0},
    {"user-defined, incomplete", {{&S::bytIsTALVO, 0}, {&S::sngAantal, n}}, "BBBRB", 0},
};

TEST_F(ConformityTest, VerdictOnTheShownValues)
{
    const QString texts[] = {
        QStringLiteral("Dit is een door de gebruiker gedefinieerde post."),
        QStringLiteral("Dit is een post uit de TALVO-Checklist."),
        QStringLiteral("Dit is een TALVO-checklistpost, maar de ingevoerde gegevens voldoen niet aan de "
                       "criteria. Zie oranje markering.")};
    const auto letter = [](ColourValue colour) {
        return colour == VerdictColour::Black    ? 'B'
               : colour == VerdictColour::Red    ? 'R'
               : colour == VerdictColour::Orange ? 'O'
                                                 : '?';
    };
    for (const VerdictCase& c : Verdicts) {
        SCOPED_TRACE(c.what);
        S shown{.bytOptieStart = 2,
                .bytStartBA = 0,
                .intStartRel = "3",
                .bytOptieEind = 2,
                .bytEindBA = 0,
                .intEindRel = "30",
                .bytOptieFreq = 3,
                .intFreqX = "8",
                .bytOptieKosten = 3,
                .sngKostenPE = "20",
                .strEenheid = "m2",
                .sngAantal = "100",
                .bytRubriek_REF = 5,
                .bytTypeVervangingsToeslag = 2,
                .sngVervangingsToeslagPerc = "6,25",
                .bytIsTALVO = 1,
                .lngClitem_REF = 30,
                .bytCombineer = 0};
        for (const auto& [field, value] : c.changes)
            shown.*field = value;
        const ItemVerdict v = judgeCostItem(shown, cl, true, c.aftercareStart);
        EXPECT_EQ(std::string({letter(v.start), letter(v.end), letter(v.frequency), letter(v.cost),
                               letter(v.surcharge)}),
                  c.colours);
        EXPECT_EQ(v.valid, !QByteArray(c.colours).contains('R'));
        EXPECT_EQ(v.conformity, c.conformity);
        EXPECT_EQ(v.indicatorText, texts[c.conformity]);
    }
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

// --- the tree of checklist items to pick from: its levels, keys, colours and the filter ---

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
    // Built, then filtered: every word must occur, in any case and with or without accents
    // (tests/golden/core/checklist-tree.txt).
    EXPECT_TRUE(test::matchesGolden(
        QStringLiteral("core/checklist-tree.txt"),
        QStringLiteral("built:\n") + dump(tree).join(u'\n') +
            QStringLiteral("\nfiltered by \" VERVANGEN  pómp\":\n") +
            dump(filterChecklistTree(tree, QStringLiteral(" VERVANGEN  pómp"))).join(u'\n') + u'\n'));
    EXPECT_EQ(checklistItemOfKey(QStringLiteral("act203")), 203);
    EXPECT_EQ(checklistItemOfKey(QStringLiteral("inr204")), 0);
    EXPECT_TRUE(filterChecklistTree(tree, QStringLiteral("beton")).empty());
    EXPECT_EQ(filterChecklistTree(tree, QStringLiteral("  ")).size(), tree.size());
}

// --- binding a facility to a newer checklist version: the price-level correction of every amount, the
// checklist's names, demotion and conformity, all in one transaction ---

// Facility 1 on version 10 at price level 2005: tests/data/versionchange_*.sql.
class VersionChangeTest : public test::SqlFilesTest
{
protected:
    void SetUp() override
    {
        useScripts(QStringLiteral("versionchange_checklist.sql"), QStringLiteral("versionchange_data.sql"));
    }

    QStringList rows(const char* sql)
    {
        return test::queryRows(*folder.workspace().dataDatabase(), QString::fromUtf8(sql));
    }
    QStringList facility()
    {
        return rows(
            "SELECT intCL_REF, intJaarPrijspeil, round(sngAlgRisicoBedrag, 2), "
            "round(sngAlgCommunicatieKosten, 2), round(sngAlgAppKostenBasis, 2), round(sngRapEvalPerHa, 3), "
            "round(sngRapEvalMin, 2), sngRapEvalMax FROM tblStort");
    }
    QStringList costItems()
    {
        return rows(
            "SELECT idrAct_ID, strAct, bytIsTALVO, ifnull(lngClitem_REF, '-'), round(sngKostenTotaal, 2), "
            "sngPercInvest, round(sngKostenInvest, 2) FROM tblAct ORDER BY idrAct_ID");
    }
};

// The facility, its cost items (each one's point: tests/data/versionchange_data.sql) and provisions after
// each change, and what the first change tells of each item: tests/golden/core/version-change.txt. Right
// after a change, a version at the same price level year corrects nothing; under reporting option 1 the
// minimum is the facility's own, converted, the price per hectare the version's.
TEST_F(VersionChangeTest, ConvertsEveryAmountOnceAndJudgesItemsAgain)
{
    QStringList seen;
    const auto change = [&](int version, float factor) {
        const VersionChange change = applyVersionChange(folder.workspace(), 1, version);
        ASSERT_TRUE(change.applied) << change.failure.toStdString();
        EXPECT_FLOAT_EQ(change.factor, factor);
        seen << QStringLiteral("-- version %1").arg(version) << facility() << costItems()
             << rows("SELECT strObject FROM tblInrichting ORDER BY idrInrichting_ID");
        for (const VersionChange::CostItem& item : change.costItems)
            seen << QStringLiteral("%1: %2 -> %3, conformity %4 -> %5")
                        .arg(item.id)
                        .arg(item.oldAmount.toString(), item.newAmount.toString())
                        .arg(item.oldConformity)
                        .arg(item.newConformity);
    };
    // 1.02 × 1.03 in single precision, as the amounts it multiplies.
    change(11, 1.0506f);
    change(12, 1.0f);
    ASSERT_TRUE(folder.workspace().dataDatabase()->exec(
        QStringLiteral("UPDATE tblStort SET intCL_REF = 10, intJaarPrijspeil = 2005, bytRapEval = 1, "
                       "sngRapEvalMin = 3600")));
    change(11, 1.0506f);
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("core/version-change.txt"), seen.join(u'\n') + u'\n'));
}

TEST_F(VersionChangeTest, AFailureHalfwayChangesNothing)
{
    const QStringList before = facility() + costItems() + rows("SELECT strObject FROM tblInrichting");
    // The fifth cost item's update is refused, after the facility and four items were converted.
    ASSERT_TRUE(folder.workspace().dataDatabase()->exec(
        QStringLiteral("CREATE TRIGGER refuse BEFORE UPDATE ON tblAct WHEN old.idrAct_ID = 14 "
                       "BEGIN SELECT RAISE(ABORT, 'geweigerd'); END")));
    const VersionChange change = applyVersionChange(folder.workspace(), 1, 11);
    EXPECT_FALSE(change.applied);
    EXPECT_TRUE(change.failure.contains(u"geweigerd")) << change.failure.toStdString();
    EXPECT_EQ(facility() + costItems() + rows("SELECT strObject FROM tblInrichting"), before);
    EXPECT_FALSE(applyVersionChange(folder.workspace(), 1, 99).applied);
}

// The newer versions on offer, the comparison with two of them and with a version after the first change:
// every part with its looks (tests/golden/core/version-comparison.txt).
TEST_F(VersionChangeTest, ComparisonReportsWhatTheChangeWillDo)
{
    const std::optional<QList<ChecklistVersionEntry>> versions =
        newerChecklistVersions(folder.workspace(), 1, 10);
    ASSERT_TRUE(versions);
    QString text;
    const auto compare = [&](const ChecklistVersionEntry& version) {
        report::ScreenReport changed, added, removed, consequences;
        const report::VersionComparison comparison = report::writeVersionComparison(
            folder.workspace(), 1, version.id, {changed, added, removed, consequences});
        const report::ComparisonCaptions captions = report::comparisonCaptions(version.text);
        text += QStringLiteral("==== %1 %2, factor %3%4\n")
                    .arg(version.key(), version.text)
                    .arg(double(comparison.factor), 0, 'f', 7)
                    .arg(comparison.failure);
        text += captions.changed + u'\n' + test::dumpScreen(changed) + captions.added + u'\n' +
                test::dumpScreen(added) + captions.removed + u'\n' + test::dumpScreen(removed) +
                QStringLiteral("-- gevolgen\n") + test::dumpScreen(consequences);
    };
    // Newest release first; 12 has 11's items, so of those two only 11 is compared before the change.
    for (const ChecklistVersionEntry& version : *versions)
        text += version.key() + u' ' + version.text + u'\n';
    compare(versions->at(1));
    compare(versions->at(2));
    ASSERT_TRUE(applyVersionChange(folder.workspace(), 1, 11).applied);
    compare({12, QStringLiteral("2008 (herzien)")});
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("core/version-comparison.txt"), text));
}

} // namespace
