// A checklist version in memory: its items, criterion texts, typical values, price level factors,
// reporting threshold and the checklist information of the cost item editor.
#include "checklist/clsCL.h"
#include "support/messagerecorder.h"
#include "support/qtprinting.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

using namespace dovra;

namespace {

// An active item of version 1, with the given fields set on top.
QString itemSql(int id, const QString& fields = {}, int version = 1)
{
    QString sql = QStringLiteral("INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, strVoorz, "
                                 "strOmschrijving, bytRubriek_REF) VALUES (%1, %2, -1, 'Bovenafdichting', "
                                 "'Maaien talud', 4);")
                      .arg(id)
                      .arg(version);
    if (!fields.isEmpty())
        sql += QStringLiteral("UPDATE tblCLitem SET %1 WHERE lngCLitem_ID = %2;").arg(fields).arg(id);
    return sql;
}

const QString versions = QStringLiteral(
    "INSERT INTO tblCL (intCL_ID, strVersie, dtmCL, intJaarPrijspeil, sngRapEvalPerHa, sngRapEvalMin, "
    "sngRapEvalMax, sngOntwerpdirectie, sngCommunicatieMIN) "
    "VALUES (1, '2013-1', '2013-03-01', 2012, 225, 3500, 9000, -999, 2000);"
    "INSERT INTO tblCL (intCL_ID, strVersie, intJaarPrijspeil, sngRapEvalPerHa, sngRapEvalMin, "
    "sngRapEvalMax, "
    "sngOntwerpdirectie) VALUES (2, '2015-1', 2014, 3, 0, 1, 7.5);");

class ChecklistTest : public ::testing::Test
{
protected:
    test::ProgramFolder folder;
    MessageRecorder recorder;
    clsCL cl{folder.workspace()};

    void useChecklist(const QStringList& sql)
    {
        QStringList scripts{QStringLiteral("data/checklist_schema.sql"), versions};
        scripts += sql;
        folder.workspace().setChecklistFile(
            folder.createDatabase(QStringLiteral("dbTALVOCL_test.mdb"), scripts));
    }

    // The text of the item after making it current.
    template <typename Text> QString textOf(int id, Text text)
    {
        EXPECT_TRUE(cl.GaNaarItem(id)) << id;
        return (cl.*text)();
    }
};

QStringList rendered(const ChecklistInfo& info)
{
    QStringList lines;
    for (const ChecklistInfoEntry& entry : info) {
        static const char* const kinds[] = {"heading", "value", "blank", "small", "error"};
        lines.append(QLatin1String(kinds[int(entry.kind)]) + QLatin1String(": ") + entry.text);
    }
    return lines;
}

TEST_F(ChecklistTest, LoadsTheActiveItemsOfOneVersion)
{
    useChecklist(
        {itemSql(10), itemSql(11, QStringLiteral("blnActief = 0")), itemSql(12, {}, 2), itemSql(13)});
    ASSERT_TRUE(cl.initializeCL(1));
    QList<long> ids;
    for (cl.movefirst_rsCLitem(); !cl.EOF_rsCLitem(); cl.movenext_rsCLitem())
        ids.append(cl.lngCLitem_ID());
    EXPECT_EQ(ids, (QList<long>{10, 13}));

    EXPECT_TRUE(cl.GaNaarItem(13));
    EXPECT_EQ(cl.lngCLitem_ID(), 13);
    EXPECT_EQ(cl.OmschrijvingEx(), QStringLiteral("Maaien talud (ID: 13)"));
    EXPECT_EQ(cl.Rubriek(), QStringLiteral("Onderhoud"));
    // Found again when searching from an item further on.
    EXPECT_TRUE(cl.GaNaarItem(10));
    EXPECT_FALSE(cl.GaNaarItem(11));
    EXPECT_FALSE(cl.GaNaarItem(12));
    EXPECT_TRUE(cl.EOF_rsCLitem());

    EXPECT_EQ(cl.strVersie(), QStringLiteral("2013-1"));
    EXPECT_EQ(cl.intJaarPrijspeil(), 2012);
    EXPECT_EQ(cl.sngCommunicatieMIN(), 2000.0f);
    EXPECT_TRUE(cl.GebruikGedifferentieerdeToeslagB());
    EXPECT_TRUE(cl.checklistBestaat());
    EXPECT_TRUE(recorder.recorded().isEmpty());

    ASSERT_TRUE(cl.initializeCL(2));
    EXPECT_FALSE(cl.GebruikGedifferentieerdeToeslagB());
    EXPECT_FLOAT_EQ(cl.sngOntwerpdirectieFixed(), 7.5f);
}

TEST_F(ChecklistTest, AVersionReadOnceServesEveryReaderOfTheSameFile)
{
    useChecklist({itemSql(10), itemSql(13)});
    ASSERT_TRUE(cl.initializeCL(1));
    ASSERT_TRUE(cl.GaNaarItem(13));

    // A second reader of the version starts at its first item, whatever the first reader did.
    clsCL again(folder.workspace());
    ASSERT_TRUE(again.initializeCL(1));
    EXPECT_EQ(again.lngCLitem_ID(), 10);
    EXPECT_EQ(again.strVersie(), QStringLiteral("2013-1"));

    // Another checklist file is read anew: its version 1 has other items.
    QStringList scripts{QStringLiteral("data/checklist_schema.sql"), versions, itemSql(30)};
    folder.workspace().setChecklistFile(
        folder.createDatabase(QStringLiteral("dbTALVOCL_other.mdb"), scripts));
    clsCL other(folder.workspace());
    ASSERT_TRUE(other.initializeCL(1));
    EXPECT_EQ(other.lngCLitem_ID(), 30);
    EXPECT_FALSE(other.GaNaarItem(10));
}

TEST_F(ChecklistTest, AVersionWithoutActiveItems)
{
    useChecklist({itemSql(20, QStringLiteral("blnActief = 0"), 3)});
    ASSERT_TRUE(cl.initializeCL(3));
    cl.movefirst_rsCLitem();
    cl.movenext_rsCLitem();
    EXPECT_TRUE(cl.EOF_rsCLitem());
    EXPECT_FALSE(cl.GaNaarItem(20));
    EXPECT_EQ(cl.lngCLitem_ID(), 0);

    EXPECT_FALSE(cl.checklistBestaat());
    ASSERT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(
        recorder.recorded()[0].text,
        QStringLiteral("Deze inrichting is gerelateerd aan een nieuwere versie van de TALVO-checklist.\r\n"
                       "Download eerst de benodigde update."));
    EXPECT_EQ(recorder.recorded()[0].title, QStringLiteral("Verificatie beschikbaarheid checklist"));
    EXPECT_EQ(recorder.recorded()[0].icon, MessageIcon::Exclamation);

    folder.workspace().setChecklistFile(folder.filePath(QStringLiteral("ontbreekt.mdb")));
    EXPECT_FALSE(cl.initializeCL(1));
}

TEST_F(ChecklistTest, YearTexts)
{
    useChecklist({itemSql(1, QStringLiteral("bytStartBA = 0, intStartJaar = 5, blnStartjaarEerderMag = -1, "
                                            "bytOptieEind = 2, bytEindBA = 0, intEINDJAAR = 30")),
                  itemSql(2, QStringLiteral("bytStartBA = 0, bytOptieEind = 2, bytEindBA = 0")),
                  itemSql(3, QStringLiteral("bytStartBA = 1, intStartJaar = 3, blnStartjaarEerderMag = 0, "
                                            "bytOptieEind = 2, bytEindBA = 1, intEINDJAAR = 20")),
                  itemSql(4, QStringLiteral("bytStartBA = 1, bytOptieEind = 2, bytEindBA = 1")),
                  itemSql(5, QStringLiteral("bytOptieEind = 3, bytEindBA = 0, intEINDJAAR = 30"))});
    ASSERT_TRUE(cl.initializeCL(1));

    EXPECT_EQ(textOf(1, &clsCL::strStartJaarToelichting),
              QStringLiteral("5e jaar na aanvang nazorg of eerder"));
    // Earlier is only ever allowed for the start.
    EXPECT_EQ(textOf(1, &clsCL::strEindJaarToelichting), QStringLiteral("30e jaar na aanvang nazorg"));
    EXPECT_EQ(textOf(2, &clsCL::strStartJaarToelichting),
              QStringLiteral("invoeren in nazorgjaar of kalenderjaar"));
    EXPECT_EQ(textOf(2, &clsCL::strEindJaarToelichting),
              QStringLiteral("invoeren in nazorgjaar of kalenderjaar"));
    EXPECT_EQ(textOf(3, &clsCL::strStartJaarToelichting),
              QStringLiteral("3e jaar na aanleg bovenafdichting"));
    EXPECT_EQ(textOf(3, &clsCL::strEindJaarToelichting),
              QStringLiteral("20e jaar na aanleg bovenafdichting"));
    EXPECT_EQ(textOf(4, &clsCL::strStartJaarToelichting),
              QStringLiteral("invoeren in jaren na aanleg bovenafdichting"));
    EXPECT_EQ(textOf(4, &clsCL::strEindJaarToelichting),
              QStringLiteral("invoeren in jaren na aanleg bovenafdichting"));
    EXPECT_EQ(textOf(5, &clsCL::strStartJaarToelichting), QString());
    EXPECT_EQ(textOf(5, &clsCL::strEindJaarToelichting), QStringLiteral("eeuwigdurend"));
}

TEST_F(ChecklistTest, FrequencyTexts)
{
    const QList<std::pair<QString, QString>> cases{
        {QStringLiteral("bytOptieFreq = 1, sngFreqXMin = 2"), QStringLiteral("eenmalige uitgave")},
        {QStringLiteral("bytOptieFreq = 2, sngFreqXMin = 2"), QStringLiteral("minimaal 2 x per jaar")},
        {QStringLiteral("bytOptieFreq = 2, sngFreqXMax = 4"), QStringLiteral("maximaal 4 x per jaar")},
        {QStringLiteral("bytOptieFreq = 2, sngFreqXMin = 2, sngFreqXMax = 2"),
         QStringLiteral("2 x per jaar")},
        {QStringLiteral("bytOptieFreq = 2, sngFreqXMin = 0.5, sngFreqXMax = 2"),
         QStringLiteral("0,5 - 2 x per jaar")},
        {QStringLiteral("bytOptieFreq = 2"), QStringLiteral("onderbouwen o.b.v. nazorgplan")},
        {QStringLiteral("bytOptieFreq = 3, sngFreqXMin = 5"),
         QStringLiteral("niet vaker dan één keer per 5 jaar")},
        {QStringLiteral("bytOptieFreq = 3, sngFreqXMax = 10"),
         QStringLiteral("één keer per 10 jaar of vaker")},
        {QStringLiteral("bytOptieFreq = 3, sngFreqXMin = 5, sngFreqXMax = 5"),
         QStringLiteral("één keer per 5 jaar")},
        {QStringLiteral("bytOptieFreq = 3, sngFreqXMin = 5, sngFreqXMax = 10"),
         QStringLiteral("één keer per 5 à 10 jaar")},
        {QStringLiteral("bytOptieFreq = 3"), QStringLiteral("onderbouwen o.b.v. nazorgplan")},
        {QStringLiteral("sngFreqXMin = 5"), QString()},
    };
    QStringList sql;
    for (int i = 0; i < cases.size(); ++i)
        sql.append(itemSql(i + 1, cases[i].first));
    useChecklist(sql);
    ASSERT_TRUE(cl.initializeCL(1));
    for (int i = 0; i < cases.size(); ++i)
        EXPECT_EQ(textOf(i + 1, &clsCL::strFreqXtoelichting), cases[i].second)
            << cases[i].first.toStdString();
}

TEST_F(ChecklistTest, CostTexts)
{
    const QList<std::pair<QString, QString>> cases{
        {QStringLiteral("bytOptieKosten = 1, sngPercInvestMIN = 1.5"),
         QStringLiteral("minimaal 1,5 % van investering bovenafdichting")},
        {QStringLiteral("bytOptieKosten = 1, sngPercInvestMAX = 2"),
         QStringLiteral("maximaal 2 % van investering bovenafdichting")},
        {QStringLiteral("bytOptieKosten = 1, sngPercInvestMIN = 2, sngPercInvestMAX = 2"),
         QStringLiteral("2 % van investering bovenafdichting")},
        {QStringLiteral("bytOptieKosten = 1, sngPercInvestMIN = 1, sngPercInvestMAX = 2"),
         QStringLiteral("1 - 2 % van investering bovenafdichting")},
        {QStringLiteral("bytOptieKosten = 1"), QStringLiteral("onderbouwen o.b.v. nazorgplan")},
        {QStringLiteral("bytOptieKosten = 2, sngKostenTotaalMIN = 1000, sngKostenTotaalMAX = 2500"),
         QStringLiteral("€ 1.000,00 - € 2.500,00")},
        {QStringLiteral("bytOptieKosten = 2, sngKostenTotaalMIN = 2500, sngKostenTotaalMAX = 2500"),
         QStringLiteral("€ 2.500,00")},
        {QStringLiteral("bytOptieKosten = 2, sngKostenTotaalMIN = 1000"),
         QStringLiteral("minimaal € 1.000,00")},
        {QStringLiteral("bytOptieKosten = 2, sngKostenTotaalMAX = 2500"),
         QStringLiteral("maximaal € 2.500,00")},
        // 2.675 as a single lies just below the half; it shows as it reads.
        {QStringLiteral("bytOptieKosten = 3, sngPrijsPEmin = 2.675, strEenheid = 'm2'"),
         QStringLiteral("minimaal € 2,68 per m2")},
        {QStringLiteral("bytOptieKosten = 3, sngPrijsPEmin = 10, sngPrijsPEmax = 12.5, strEenheid = 'stuk'"),
         QStringLiteral("€ 10,00 - € 12,50 per stuk")},
        {QStringLiteral("bytOptieKosten = 3, strEenheid = 'm2'"),
         QStringLiteral("onderbouwen o.b.v. nazorgplan")},
        {QStringLiteral("sngKostenTotaalMIN = 1000"), QString()},
    };
    QStringList sql;
    for (int i = 0; i < cases.size(); ++i)
        sql.append(itemSql(i + 1, cases[i].first));
    useChecklist(sql);
    ASSERT_TRUE(cl.initializeCL(1));
    for (int i = 0; i < cases.size(); ++i)
        EXPECT_EQ(textOf(i + 1, &clsCL::strKostenToelichting), cases[i].second)
            << cases[i].first.toStdString();

    EXPECT_EQ(textOf(6, &clsCL::strKostenToelichtingEx),
              QStringLiteral("€ 1.000,00 - € 2.500,00\r\nNB: Alle kostenposten invoeren in prijspeil 2012"));
}

TEST_F(ChecklistTest, Footnotes)
{
    useChecklist(
        {itemSql(1, QStringLiteral("strVtNtStartjaar = '3,7', strVtNtPrijsPEmax = ' 4 , 3'")),
         itemSql(2, QStringLiteral("strVtNtEindjaar = '', blnVoetnoot1 = -1")),
         QStringLiteral("INSERT INTO tblVoetnoot VALUES (1, '3', 'Zie nazorgplan.');"
                        "INSERT INTO tblVoetnoot VALUES (1, '4', 'Inclusief afvoer.');"
                        "INSERT INTO tblVoetnoot VALUES (2, '7', 'Alleen in een andere versie.');")});
    ASSERT_TRUE(cl.initializeCL(1));
    EXPECT_EQ(
        textOf(1, &clsCL::strVoetnotenToelichting),
        QStringLiteral(
            "\r\nOpmerking bij startjaar: \r\n~Zie nazorgplan.\r\n~#FOUT: Voetnoot 7 niet gevonden "
            "in checklistdatabase. Neem contact op met de helpdesk."
            "\r\nOpmerking bij maximale eenheidsprijs: \r\n~Inclusief afvoer.\r\n~Zie nazorgplan.\r\n"));
    EXPECT_EQ(cl.VoetNootFasering(), QString());

    EXPECT_EQ(textOf(2, &clsCL::strVoetnotenToelichting), QString());
    EXPECT_EQ(
        cl.VoetNootFasering(),
        QStringLiteral("Houd rekening met aanleg van bovenafdichting in meerdere fasen; invoer geschiedt per "
                       "fase (met afzonderlijke termijnen, eenheidsprijzen)"));
}

TEST_F(ChecklistTest, CombinationPosts)
{
    useChecklist({itemSql(12, QStringLiteral("blnIsCombinatiePost = -1")), itemSql(30),
                  itemSql(57, QStringLiteral("blnIsCombinatiePost = -1")),
                  itemSql(60, QStringLiteral("blnIsCombinatiePost = -1, blnActief = 0")),
                  itemSql(70, QStringLiteral("blnIsCombinatiePost = -1"), 2),
                  itemSql(71, QStringLiteral("blnCombinatieMogelijk = -1"), 3)});
    ASSERT_TRUE(cl.initializeCL(1));
    EXPECT_EQ(cl.GetCombinatiePosten(), QStringLiteral("12,57"));
    ASSERT_TRUE(cl.initializeCL(3));
    EXPECT_EQ(cl.GetCombinatiePosten(), QString());
}

TEST_F(ChecklistTest, TypicalValues)
{
    useChecklist(
        {itemSql(1, QStringLiteral("sngAantalMIN = 10, sngAantalMAX = 25, sngPrijsPEmax = 40, "
                                   "sngKostenInvestMIN = 1000, sngPercInvestMIN = 1, sngPercInvestMAX = 2, "
                                   "sngFreqXMin = 5, sngFreqXMax = 10")),
         itemSql(2, QStringLiteral("sngFreqXMin = 0, sngFreqXMax = 10"))});
    ASSERT_TRUE(cl.initializeCL(1));
    ASSERT_TRUE(cl.GaNaarItem(1));
    EXPECT_EQ(cl.AantalGEM(), 17.5f);
    EXPECT_EQ(cl.PrijsPEgem(), 40.0f);
    EXPECT_EQ(cl.InvKostenGEM(), 1000.0f);
    EXPECT_EQ(cl.KostenTotaalGEM(), std::nullopt);
    EXPECT_EQ(cl.InvPercGEM(), 1.5f);
    EXPECT_EQ(cl.freqXGEM(), 7.5f);

    ASSERT_TRUE(cl.GaNaarItem(2));
    EXPECT_EQ(cl.AantalGEM(), std::nullopt);
    EXPECT_EQ(cl.InvPercGEM(), 0.0f);
    // Once every 0 years is no typical frequency.
    EXPECT_EQ(cl.freqXGEM(), std::nullopt);
}

TEST_F(ChecklistTest, PriceLevelCorrection)
{
    useChecklist({QStringLiteral("INSERT INTO tblPPcorr VALUES (2006, 2);"
                                 "INSERT INTO tblPPcorr VALUES (2007, 3);"
                                 "INSERT INTO tblPPcorr VALUES (2008, 10);")});
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

TEST_F(ChecklistTest, ReportingThreshold)
{
    useChecklist({});
    ASSERT_TRUE(cl.initializeCL(1));
    // (9000 - 3500) / 225 + 10 = 34.444443, published as 34.44.
    EXPECT_EQ(cl.AantalHaGrens(), 34.44f);
    EXPECT_EQ(cl.CalcOptieRapEval(9.99), 1);
    EXPECT_EQ(cl.CalcOptieRapEval(QStringLiteral("9,99")), 1);
    EXPECT_EQ(cl.CalcOptieRapEval(10), 2);
    EXPECT_EQ(cl.CalcOptieRapEval(QStringLiteral("34,44")), 2);
    EXPECT_EQ(cl.CalcOptieRapEval(34.45), 3);
    EXPECT_EQ(cl.CalcOptieRapEval(QVariant()), 0);
    EXPECT_EQ(cl.CalcOptieRapEval(QString()), 0);
    EXPECT_EQ(cl.CalcOptieRapEval(QStringLiteral("abc")), 0);

    // Other fractions stay as computed: 1 / 3 + 10.
    ASSERT_TRUE(cl.initializeCL(2));
    EXPECT_EQ(cl.AantalHaGrens(), 1.0f / 3.0f + 10.0f);
}

TEST_F(ChecklistTest, ChecklistInformation)
{
    useChecklist(
        {itemSql(20, QStringLiteral("bytOptieFreq = 3, sngFreqXMin = 5, sngFreqXMax = 10, "
                                    "bytOptieKosten = 2, sngKostenTotaalMIN = 1000, "
                                    "sngKostenTotaalMAX = 2500, bytStartBA = 0, intStartJaar = 5, "
                                    "blnStartjaarEerderMag = -1, bytOptieEind = 3, "
                                    "blnCombinatieMogelijk = -1, strRefDeelonderz = 'DO-3', "
                                    "strVtNtStartjaar = '3', blnVoetnoot1 = -1")),
         itemSql(21, QStringLiteral("bytOptieFreq = 1, bytStartBA = 1, intStartJaar = 2, "
                                    "blnIsCombinatiePost = -1, strToelichting = 'Eenmaal na aanleg.', "
                                    "bytOptieEind = 3")),
         QStringLiteral("INSERT INTO tblVoetnoot VALUES (1, '3', 'Zie nazorgplan.');")});
    ASSERT_TRUE(cl.initializeCL(1));

    EXPECT_EQ(rendered(checklistInformation(cl, 20, 0)),
              QStringList{QStringLiteral("value: < dit is geen post uit de TALVO-checklist >")});

    EXPECT_EQ(rendered(checklistInformation(cl, 99, 1)),
              QStringList{QStringLiteral("error: Checklistpost 99 is niet (meer) aanwezig onder nr 99 in de "
                                         "checklist.Dit is het gevolg van "
                                         "tussentijds onderhoud van de checklist tijdens de looptijd van het "
                                         "project. Deze melding komt niet "
                                         "voor in de eindversie.\r\nVerwijder dit item.")});

    EXPECT_EQ(
        rendered(checklistInformation(cl, 20, 1)),
        (QStringList{
            QStringLiteral("heading: Checklistitem-ID:"),
            QStringLiteral("value: 20"),
            QStringLiteral("blank: "),
            QStringLiteral("heading: Periodiciteit:"),
            QStringLiteral("value: één keer per 5 à 10 jaar"),
            QStringLiteral("heading: Kosten:"),
            QStringLiteral(
                "value: € 1.000,00 - € 2.500,00\r\nNB: Alle kostenposten invoeren in prijspeil 2012"),
            QStringLiteral("blank: "),
            QStringLiteral("heading: Startjaar:"),
            QStringLiteral("value: 5e jaar na aanvang nazorg of eerder"),
            QStringLiteral("heading: Eindjaar:"),
            QStringLiteral("value: eeuwigdurend"),
            QStringLiteral("heading: Combinatie:"),
            QStringLiteral(
                "value:  Deze post mag u combineren met andere posten in een zgn. combinatiepost."),
            QStringLiteral("heading: Toelichting:"),
            QStringLiteral("value: .."),
            QStringLiteral("heading: Referentie deelonderzoek:"),
            QStringLiteral("value: DO-3"),
            QStringLiteral("small: \r\nOpmerking bij startjaar: \r\n~Zie nazorgplan.\r\n"),
            QStringLiteral("small: Houd rekening met aanleg van bovenafdichting in meerdere fasen; invoer "
                           "geschiedt per fase (met afzonderlijke termijnen, eenheidsprijzen)"),
        }));

    // A one-off expense has one year; the stored reference may come as text.
    EXPECT_EQ(rendered(checklistInformation(cl, QStringLiteral("21"), 2)).mid(8),
              (QStringList{
                  QStringLiteral("heading: Jaar eenmalige uitgave:"),
                  QStringLiteral("value: 2e jaar na aanleg bovenafdichting"),
                  QStringLiteral("heading: Combinatie:"),
                  QStringLiteral("value:  Deze post is een combinatiepost."),
                  QStringLiteral("heading: Toelichting:"),
                  QStringLiteral("value: Eenmaal na aanleg."),
                  QStringLiteral("heading: Referentie deelonderzoek:"),
                  QStringLiteral("value: .."),
              }));
    EXPECT_EQ(cl.lngCLitem_ID(), 21);
}

} // namespace
