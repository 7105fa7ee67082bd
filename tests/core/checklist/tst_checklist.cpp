// A checklist version in memory: its items, criterion texts, typical values, price level factors,
// reporting threshold and the checklist information of the cost item editor.
#include "checklist/clsCL.h"
#include "support/golden.h"
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
        folder.workspace().setChecklistFile(
            folder.createDatabase(name, QStringList{QStringLiteral("data/checklist_schema.sql"),
                                                    QStringLiteral("checklist_versions.sql")} +
                                            sql));
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

// One item per row: the text that explains one of its criteria (core/criterion-texts.txt).
const char* const Texts[] = {
    "start: bytStartBA = 0, intStartJaar = 5, blnStartjaarEerderMag = -1",
    "start: bytStartBA = 0",
    "start: bytStartBA = 1, intStartJaar = 3, blnStartjaarEerderMag = 0",
    "start: bytStartBA = 1",
    "end: bytOptieEind = 2, bytEindBA = 0, intEINDJAAR = 30",
    "end: bytOptieEind = 2, bytEindBA = 0",
    "end: bytOptieEind = 2, bytEindBA = 1, intEINDJAAR = 20",
    "end: bytOptieEind = 2, bytEindBA = 1",
    "end: bytOptieEind = 3, bytEindBA = 0, intEINDJAAR = 30",
    "start: bytOptieEind = 3, bytEindBA = 0, intEINDJAAR = 30",
    "freq: bytOptieFreq = 1, sngFreqXMin = 2",
    "freq: bytOptieFreq = 2, sngFreqXMin = 2",
    "freq: bytOptieFreq = 2, sngFreqXMax = 4",
    "freq: bytOptieFreq = 2, sngFreqXMin = 2, sngFreqXMax = 2",
    "freq: bytOptieFreq = 2, sngFreqXMin = 0.5, sngFreqXMax = 2",
    "freq: bytOptieFreq = 2",
    "freq: bytOptieFreq = 3, sngFreqXMin = 5",
    "freq: bytOptieFreq = 3, sngFreqXMax = 10",
    "freq: bytOptieFreq = 3, sngFreqXMin = 5, sngFreqXMax = 5",
    "freq: bytOptieFreq = 3, sngFreqXMin = 5, sngFreqXMax = 10",
    "freq: bytOptieFreq = 3",
    "freq: sngFreqXMin = 5",
    "cost: bytOptieKosten = 1, sngPercInvestMIN = 1.5",
    "cost: bytOptieKosten = 1, sngPercInvestMAX = 2",
    "cost: bytOptieKosten = 1, sngPercInvestMIN = 2, sngPercInvestMAX = 2",
    "cost: bytOptieKosten = 1, sngPercInvestMIN = 1, sngPercInvestMAX = 2",
    "cost: bytOptieKosten = 1",
    "cost: bytOptieKosten = 2, sngKostenTotaalMIN = 1000, sngKostenTotaalMAX = 2500",
    "cost: bytOptieKosten = 2, sngKostenTotaalMIN = 2500, sngKostenTotaalMAX = 2500",
    "cost: bytOptieKosten = 2, sngKostenTotaalMIN = 1000",
    "cost: bytOptieKosten = 2, sngKostenTotaalMAX = 2500",
    "cost: bytOptieKosten = 3, sngPrijsPEmin = 2.675, strEenheid = 'm2'", // a single just below the half
    "cost: bytOptieKosten = 3, sngPrijsPEmin = 10, sngPrijsPEmax = 12.5, strEenheid = 'stuk'",
    "cost: bytOptieKosten = 3, strEenheid = 'm2'",
    "cost: sngKostenTotaalMIN = 1000",
};

TEST_F(ChecklistTest, CriterionTexts)
{
    QStringList sql;
    for (const char* row : Texts)
        sql.append(itemSql(int(sql.size()) + 1, QString::fromUtf8(row).section(QLatin1String(": "), 1)));
    useChecklist(sql);
    ASSERT_TRUE(cl.initializeCL(1));
    QString shown;
    int id = 0;
    const QStringList kinds{"start", "end", "freq", "cost"};
    using Text = QString (clsCL::*)() const;
    const Text texts[] = {&clsCL::strStartJaarToelichting, &clsCL::strEindJaarToelichting,
                          &clsCL::strFreqXtoelichting, &clsCL::strKostenToelichting};
    for (const char* row : Texts) {
        ASSERT_TRUE(cl.GaNaarItem(++id));
        const int kind = int(kinds.indexOf(QString::fromUtf8(row).section(u':', 0, 0)));
        shown += QString::fromUtf8(row) + QStringLiteral(" → ") + (cl.*texts[kind])() + u'\n';
    }
    // With the price level note.
    ASSERT_TRUE(cl.GaNaarItem(28));
    shown += QStringLiteral("cost, noted: ") +
             cl.strKostenToelichtingEx().replace(QLatin1String("\r\n"), QLatin1String("\\r\\n")) + u'\n';
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("core/criterion-texts.txt"), shown));
}

TEST_F(ChecklistTest, CombinationPostsOfAVersion)
{
    useChecklist({itemSql(1, QStringLiteral("blnIsCombinatiePost = -1")), itemSql(2),
                  itemSql(3, QStringLiteral("blnIsCombinatiePost = -1, blnActief = 0")),
                  itemSql(4, QStringLiteral("blnIsCombinatiePost = -1"), 2),
                  itemSql(5, QStringLiteral("blnIsCombinatiePost = -1")),
                  itemSql(6, QStringLiteral("blnCombinatieMogelijk = -1"), 3)});
    ASSERT_TRUE(cl.initializeCL(1));
    EXPECT_EQ(cl.GetCombinatiePosten(), QStringLiteral("1,5"));
    ASSERT_TRUE(cl.initializeCL(3));
    EXPECT_EQ(cl.GetCombinatiePosten(), QString());
}

TEST_F(ChecklistTest, TypicalValuesAndReportingThreshold)
{
    useChecklist(
        {itemSql(1, QStringLiteral("sngAantalMIN = 10, sngAantalMAX = 25, sngPrijsPEmax = 40, "
                                   "sngKostenInvestMIN = 1000, sngPercInvestMIN = 1, sngPercInvestMAX = 2, "
                                   "sngFreqXMin = 5, sngFreqXMax = 10")),
         itemSql(2, QStringLiteral("sngFreqXMin = 0, sngFreqXMax = 10"))});
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

TEST_F(ChecklistTest, ChecklistInformation)
{
    useChecklist(
        {itemSql(20,
                 QStringLiteral("bytOptieFreq = 3, sngFreqXMin = 5, sngFreqXMax = 10, bytOptieKosten = 2, "
                                "sngKostenTotaalMIN = 1000, sngKostenTotaalMAX = 2500, bytStartBA = 0, "
                                "intStartJaar = 5, blnStartjaarEerderMag = -1, bytOptieEind = 3, "
                                "blnCombinatieMogelijk = -1, strRefDeelonderz = 'DO-3', "
                                "strVtNtStartjaar = '3', blnVoetnoot1 = -1")),
         itemSql(21, QStringLiteral("bytOptieFreq = 1, bytStartBA = 1, intStartJaar = 2, "
                                    "blnIsCombinatiePost = -1, strToelichting = 'Eenmaal na aanleg.', "
                                    "bytOptieEind = 3")),
         // Footnotes in the order of the item's lists, one that is missing and one of another version.
         itemSql(22, QStringLiteral("strVtNtStartjaar = '3,7', strVtNtPrijsPEmax = ' 4 , 3'")),
         QStringLiteral("INSERT INTO tblVoetnoot VALUES (1, '3', 'Zie nazorgplan.'), (1, '4', 'Inclusief "
                        "afvoer.'), (2, '7', 'Alleen in een andere versie.');")});
    ASSERT_TRUE(cl.initializeCL(1));
    // A user-defined item, one the version lacks, a repeated one, a one-off one (its reference as text) and
    // one with footnotes.
    QString text;
    const std::pair<QVariant, int> shown[] = {{20, 0}, {99, 1}, {20, 1}, {QStringLiteral("21"), 2}, {22, 1}};
    for (const auto& [reference, conformity] : shown) {
        text += QStringLiteral("--- item %1, conformity %2\n").arg(reference.toString()).arg(conformity);
        for (const ChecklistInfoEntry& entry : checklistInformation(cl, reference, conformity)) {
            static const char* const kinds[] = {"heading", "value", "blank", "small", "error"};
            text += QLatin1String(kinds[int(entry.kind)]) + QLatin1String(": ") +
                    QString(entry.text)
                        .replace(u'\r', QLatin1String("\\r"))
                        .replace(u'\n', QLatin1String("\\n")) +
                    u'\n';
        }
    }
    EXPECT_TRUE(test::matchesGolden(QStringLiteral("core/checklist-information.txt"), text));
    EXPECT_EQ(cl.lngCLitem_ID(), 22);
}

} // namespace
