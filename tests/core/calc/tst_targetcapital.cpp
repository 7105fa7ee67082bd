// The target capital of a facility: the general surcharges, the replacement surcharges per item, the
// sums up to VAT, the checks before a calculation and the ways a calculation fails.
#include "calc/clsDV.h"
#include "storage/database.h"
#include "storage/workspace.h"
#include "support/messagerecorder.h"
#include "support/qtprinting.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace dovra;

namespace {

// Version 1 has a fixed design and supervision percentage and combination posts 12 and 57; version 2 sets
// the surcharges per replacement item; version 3 is version 1 without combination posts. Percentages are
// fractions, as in the checklist file.
const char* const ChecklistSql = R"(
INSERT INTO tblCL (intCL_ID, strVersie, dtmCL, lngStortType_REF, intJaarPrijspeil, sngCommunicatieMIN,
    sngCommunicatieMAX, sngRapEvalPerHa, sngRapEvalMin, sngRapEvalMax, sngAppKostenBasisMIN,
    sngAppKostenBasisMAX, sngAppKostenPerc, sngOnvoorzien, sngOntwerpdirectie, sngVervangingstoeslagKleineWerken,
    sngVervangingstoeslagGroteWerkenMin, sngVervangingstoeslagGroteWerkenMax) VALUES
    (1, 'vast', '2007-03-01', 1, 2006, 2000, -999, 225, 3500, 9000, 5000, 25000, 0.03, 0.10, 0.12, 0, 0, 0),
    (2, 'per post', '2013-09-15', 1, 2012, 2000, 50000, 250, 4000, 10000, 5500, 27500, 0.03, 0.10, -999,
        0.15, 0.10, 0.20),
    (3, 'zonder combinatieposten', '2007-03-01', 1, 2006, 2000, -999, 225, 3500, 9000, 5000, 25000, 0.03,
        0.10, 0.12, 0, 0, 0);
INSERT INTO tblCLitem (lngCLitem_ID, intCL_REF, blnActief, blnIsCombinatiePost, strVoorz, strOmschrijving) VALUES
    (5, 1, -1, 0, 'Algemeen', 'Deelpost'), (12, 1, -1, -1, 'Algemeen', 'Combinatiepost'),
    (57, 1, -1, -1, 'Algemeen', 'Tweede combinatiepost'), (5, 3, -1, 0, 'Algemeen', 'Deelpost');
)";

// Rates and percentages as entered. Without rates and with the start in the price level year, a yearly
// cost for ever is worth exactly 1000 times its amount.
struct Facility
{
    int id = 1;
    QString name = QStringLiteral("Zuid");
    int cl = 1;
    double rente = 0;
    double inflatie = 0;
    QString start = QStringLiteral("2010-01-01");
    int prijspeil = 2010;
    QVariant area = 20;
    int rapEval = 1;
    double rapMin = 0;
    double rapPerHa = 225;
    double rapMax = 9000;
    double comm = 0;
    double appBasis = 0;
    double appPerc = 0;
    double onvoorzien = 0;
    double ontwerpdirectie = 0;
    double risico = 0;
};

// A cost item with a total amount, by default a one-off cost in aftercare year 1. Its provision has the
// facility's id.
struct Post
{
    int id = 0;
    int facility = 1;
    QString act = QStringLiteral("Post");
    int rubric = 4;
    QVariant clItem;
    int isTalvo = 0;
    QVariant startRel = 1;
    int optieEind = 3;
    QVariant eindRel;
    int optieFreq = 1;
    QVariant freqX;
    QVariant kostenTotaal = 1000;
    QVariant aantal;
    int combineer = 0;
    int type = 0;
    QVariant perc;
};

QString sql(const QVariant& value)
{
    if (value.isNull())
        return QStringLiteral("NULL");
    if (value.typeId() == QMetaType::QString)
        return QLatin1Char('\'') + value.toString().replace(u'\'', QStringLiteral("''")) + QLatin1Char('\'');
    return value.toString();
}

QString row(const QVariantList& values)
{
    QStringList fields;
    for (const QVariant& value : values)
        fields.append(sql(value));
    return QLatin1Char('(') + fields.join(QStringLiteral(", ")) + QLatin1Char(')');
}

QString dataSql(const std::vector<Facility>& facilities, const std::vector<Post>& posts)
{
    QString text;
    for (const Facility& f : facilities) {
        text +=
            QStringLiteral("INSERT INTO tblStort (idrStort_ID, strStortNaam, intStortType, intCL_REF, "
                           "sngRentePerc, sngInflPerc, dtmAanvangNazorg, intJaarPrijspeil, sngNazorgOpp, "
                           "bytRapEval, sngRapEvalMin, sngRapEvalPerHa, sngRapEvalMax, "
                           "sngAlgCommunicatieKosten, sngAlgAppKostenBasis, sngAppKostenPerc, sngOnvoorzien, "
                           "sngOntwerpdirectie, sngAlgRisicoBedrag) VALUES ") +
            row({f.id, f.name, 1, f.cl, f.rente, f.inflatie, f.start, f.prijspeil, f.area, f.rapEval,
                 f.rapMin, f.rapPerHa, f.rapMax, f.comm, f.appBasis, f.appPerc, f.onvoorzien,
                 f.ontwerpdirectie, f.risico}) +
            QStringLiteral(";\nINSERT INTO tblInrichting (idrInrichting_ID, lngStort_REF, bytObjectCat_REF, "
                           "strObject) VALUES ") +
            row({f.id, f.id, 2, QStringLiteral("Bovenafdichting")}) + QStringLiteral(";\n");
    }
    for (const Post& p : posts) {
        text += QStringLiteral(
                    "INSERT INTO tblAct (idrAct_ID, lngStort_REF, lngInrichting_REF, strAct, "
                    "bytRubriek_REF, lngClitem_REF, bytIsTALVO, bytOptieStart, intStartRel, bytStartBA, "
                    "bytOptieEind, intEindRel, bytEindBA, bytOptieFreq, intFreqX, bytOptieKosten, "
                    "sngKostenTotaal, sngAantal, strEenheid, bytCombineer, bytTypeVervangingsToeslag, "
                    "sngVervangingsToeslagPerc) VALUES ") +
                row({p.id,
                     p.facility,
                     p.facility,
                     p.act,
                     p.rubric,
                     p.clItem,
                     p.isTalvo,
                     2,
                     p.startRel,
                     0,
                     p.optieEind,
                     p.eindRel,
                     0,
                     p.optieFreq,
                     p.freqX,
                     2,
                     p.kostenTotaal,
                     p.aantal,
                     p.aantal.isNull() ? QVariant() : QVariant(QStringLiteral("m2")),
                     p.combineer,
                     p.type,
                     p.perc}) +
                QStringLiteral(";\n");
    }
    return text;
}

// The discount factor summed year by year: year k is discounted over k − 0.5 years.
double yearsSum(double q, int first, int last)
{
    double sum = 0;
    for (int k = first; k <= last; ++k)
        sum += std::pow(q, k - 0.5);
    return sum;
}

void expectNear(double actual, double expected)
{
    EXPECT_NEAR(actual, expected, std::abs(expected) * 4e-7);
}

class TargetCapitalTest : public ::testing::Test
{
protected:
    test::ProgramFolder folder;
    MessageRecorder recorder;
    clsDV dv{folder.workspace()};

    void link(const std::vector<Facility>& facilities, const std::vector<Post>& posts = {})
    {
        folder.useChecklist(QString::fromUtf8(ChecklistSql));
        ASSERT_TRUE(folder.linkDataFile(dataSql(facilities, posts)));
    }

    // Runs SQL on the linked file, for values the rows above cannot hold.
    void change(const char* sql) { ASSERT_TRUE(folder.workspace().dataDatabase()->exec(QLatin1String(sql))); }

    // Calculates a facility; true when the calculation succeeded.
    bool calculate(int id)
    {
        recorder.clear();
        return dv.initializeDV(id) && dv.BerekenAlles();
    }

    bool verify(int id)
    {
        recorder.clear();
        return dv.initializeDV(id) && dv.VerifyBeforeBerekening2();
    }

    int index(long id) const
    {
        for (int i = 0; i < dv.AantalKostenposten(); ++i) {
            if (dv.itemId(i) == id)
                return i;
        }
        ADD_FAILURE() << "no item " << id;
        return 0;
    }

    const clsToeslag2008* line(const QString& text) const
    {
        for (const clsToeslag2008& entry : dv.toeslagen()) {
            if (entry.ToeslagTekst == text)
                return &entry;
        }
        return nullptr;
    }

    void expectOnlyMessage(const QString& text, const QString& title, MessageIcon icon) const
    {
        ASSERT_EQ(recorder.recorded().size(), 1) << recorder.texts().join(u'\n').toStdString();
        EXPECT_EQ(recorder.recorded()[0].text, text);
        EXPECT_EQ(recorder.recorded()[0].title, title);
        EXPECT_EQ(recorder.recorded()[0].icon, icon);
    }
};

} // namespace

// --- general surcharges ---

TEST_F(TargetCapitalTest, ReportingAndEvaluationByOption)
{
    // Option 2 takes the checklist's minimum for the first 10 ha, never the facility's own.
    ASSERT_NO_FATAL_FAILURE(link({
        {.id = 1, .area = 20, .rapEval = 2, .rapMin = 1000},
        {.id = 2, .area = 22.5, .rapEval = 2, .rapMin = 1000},
        {.id = 3, .area = 5, .rapEval = 1, .rapMin = 3500},
        {.id = 4, .area = 80, .rapEval = 3, .rapMax = 9500},
        {.id = 5, .area = 20, .rapEval = 2, .rapPerHa = 250},
    }));

    ASSERT_TRUE(calculate(1));
    EXPECT_EQ(dv.sngRapEvalKostenPerJaar(), 5750.0f);
    EXPECT_EQ(dv.rapRapEvalKostenCalculatie(), QStringLiteral("€ 3.500 + 10 x € 225 = € 5.750"));
    EXPECT_EQ(dv.sngRapEvalKostenKAP(), 5750000.0f);
    EXPECT_EQ(dv.rapIsTALVORapEval(), 1);

    ASSERT_TRUE(calculate(2));
    EXPECT_EQ(dv.sngRapEvalKostenPerJaar(), 6312.5f);
    EXPECT_EQ(dv.rapRapEvalKostenCalculatie(), QStringLiteral("€ 3.500 + 12,5 x € 225 = € 6.313"));

    ASSERT_TRUE(calculate(3));
    EXPECT_EQ(dv.sngRapEvalKostenPerJaar(), 3500.0f);
    EXPECT_EQ(dv.rapRapEvalKostenCalculatie(), QStringLiteral("€ 3.500"));
    EXPECT_EQ(dv.rapIsTALVORapEval(), 1);

    ASSERT_TRUE(calculate(4));
    EXPECT_EQ(dv.sngRapEvalKostenPerJaar(), 9500.0f);
    EXPECT_EQ(dv.rapRapEvalKostenCalculatie(), QStringLiteral("€ 9.500"));
    EXPECT_EQ(dv.rapIsTALVORapEval(), 2);

    ASSERT_TRUE(calculate(5));
    EXPECT_EQ(dv.rapRapEvalKostenCalculatie(), QStringLiteral("€ 3.500 + 10 x € 250 = € 6.000"));
    EXPECT_EQ(dv.rapIsTALVORapEval(), 2);
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

TEST_F(TargetCapitalTest, GeneralYearlyCostsArePerpetualAtTheStartsPriceLevel)
{
    ASSERT_NO_FATAL_FAILURE(link({{.rente = 4,
                                   .inflatie = 2,
                                   .start = QStringLiteral("2010-07-01"),
                                   .prijspeil = 2008,
                                   .rapMin = 3500,
                                   .comm = 2000,
                                   .appBasis = 5000,
                                   .risico = 250000}}));
    ASSERT_TRUE(calculate(1));
    const double perpetual = yearsSum(1.02 / 1.04, 1, 1000);
    const double uplift = std::pow(1.02, 2.5);
    expectNear(dv.sngRapEvalKostenKAP(), perpetual * 3500 * uplift);
    expectNear(dv.sngCommunicatieKostenKAP(), perpetual * 2000 * uplift);
    expectNear(dv.sngAppKostenBasisKAP(), perpetual * 5000 * uplift);
    EXPECT_EQ(dv.sngCommunicatieKostenPerJaar(), 2000.0f);
    EXPECT_EQ(dv.sngAppKostenBasisPerJaar(), 5000.0f);
    // The risk amount counts at face value.
    EXPECT_EQ(dv.sngRisicobedragKAP(), 250000.0f);
    EXPECT_EQ(dv.DoelvermogenMetRisicoFonds() - dv.DoelvermogenZonderRisicoFonds(), 250000.0f);
}

// --- the sums ---

TEST_F(TargetCapitalTest, TargetCapitalFromItsComponents)
{
    ASSERT_NO_FATAL_FAILURE(link(
        {
            {.id = 1,
             .rapMin = 3500,
             .comm = 2000,
             .appBasis = 5000,
             .appPerc = 3,
             .onvoorzien = 10,
             .ontwerpdirectie = 12,
             .risico = 250000},
            // Off the checklist's values throughout.
            {.id = 2,
             .rapMin = 3500,
             .comm = 1000,
             .appBasis = 5000,
             .appPerc = 4,
             .onvoorzien = 5,
             .ontwerpdirectie = 10},
        },
        {
            {.id = 1, .rubric = 1, .kostenTotaal = 400000},
            {.id = 2, .rubric = 4, .kostenTotaal = 600000},
            {.id = 3, .rubric = 5, .kostenTotaal = 500000},
            {.id = 4, .rubric = 6, .kostenTotaal = 77000},
            {.id = 5, .facility = 2, .rubric = 4, .kostenTotaal = 10},
        }));
    ASSERT_TRUE(calculate(1));
    EXPECT_EQ(dv.somA_exclOnvoorzien(), 1000000.0f);
    EXPECT_EQ(dv.toeslagA(), 100000.0f);
    EXPECT_EQ(dv.somA_inclOnvoorzien(), 1100000.0f);
    EXPECT_EQ(dv.somB_exclDirectievoering(), 500000.0f);
    EXPECT_EQ(dv.toeslagB(), 60000.0f);
    EXPECT_EQ(dv.somB_inclDirectievoering(), 560000.0f);
    EXPECT_FLOAT_EQ(dv.AppKostenVariabelKAP(), 0.03f * 1660000);
    EXPECT_FLOAT_EQ(dv.sngAppKostenTotaalKAP(), 5049800);
    EXPECT_FLOAT_EQ(dv.somC(), 5049800 + 2000000 + 3500000);
    // Rubric 6 is reported but is not in the target capital.
    EXPECT_EQ(dv.subtotaalRubriek(6), 77000.0f);
    EXPECT_FLOAT_EQ(dv.DoelvermogenZonderRisicoFonds(), 560000 + 1100000 + 10549800);
    EXPECT_FLOAT_EQ(dv.DoelvermogenMetRisicoFonds(), 12459800);
    EXPECT_FLOAT_EQ(dv.BTWbedrag(19), 2367362);
    EXPECT_FLOAT_EQ(dv.DoelvermogenMetRisicofonds_InclBTW(19), 14827162);

    EXPECT_FLOAT_EQ(dv.rapFractieVanTotaalDV(1220980), 0.1f);
    EXPECT_EQ(dv.rapPercVanDV(1220980), QStringLiteral("(10,0%)"));
    EXPECT_EQ(dv.rapPercOnvoorz(), 0.1f);
    EXPECT_EQ(dv.rapPercDirectievoering2002(), 0.12f);
    EXPECT_EQ(dv.sngAppKostenBasisPerc(), 0.03f);
    // 4 items and 1 provision.
    EXPECT_EQ(dv.AantalDVtabelRegels(), 75);

    EXPECT_EQ(dv.rapIsTALVOCommKosten(), 1);
    EXPECT_EQ(dv.rapIsTALVOAppKosten(), 1);
    EXPECT_EQ(dv.rapIsTALVOOnvoorzien(), 1);
    EXPECT_EQ(dv.rapIsTALVOOntwerpdirectieFixed(), 1);

    ASSERT_TRUE(calculate(2));
    EXPECT_EQ(dv.rapIsTALVOCommKosten(), 2);
    EXPECT_EQ(dv.rapIsTALVOAppKosten(), 2);
    EXPECT_EQ(dv.rapIsTALVOOnvoorzien(), 2);
    EXPECT_EQ(dv.rapIsTALVOOntwerpdirectieFixed(), 2);
}

TEST_F(TargetCapitalTest, OnlyYearlyCostsLeaveTheReplacementPartEmpty)
{
    ASSERT_NO_FATAL_FAILURE(link({{.onvoorzien = 10, .ontwerpdirectie = 12}},
                                 {{.id = 1, .rubric = 2, .optieFreq = 2, .freqX = 1, .kostenTotaal = 50},
                                  {.id = 2, .rubric = 4, .optieFreq = 2, .freqX = 1, .kostenTotaal = 150}}));
    ASSERT_TRUE(calculate(1));
    EXPECT_EQ(dv.somA_exclOnvoorzien(), 200000.0f);
    EXPECT_EQ(dv.somB_exclDirectievoering(), 0.0f);
    EXPECT_EQ(dv.toeslagB(), 0.0f);
    EXPECT_EQ(dv.somB_inclDirectievoering(), 0.0f);
}

TEST_F(TargetCapitalTest, VatOverTheTargetCapitalWithRiskAmount)
{
    ASSERT_NO_FATAL_FAILURE(link({{.id = 1, .risico = 2000000}, {.id = 2}}));
    ASSERT_TRUE(calculate(1));
    EXPECT_EQ(dv.DoelvermogenZonderRisicoFonds(), 0.0f);
    EXPECT_EQ(dv.DoelvermogenMetRisicoFonds(), 2000000.0f);
    EXPECT_EQ(dv.BTWbedrag(19), 380000.0f);
    EXPECT_EQ(dv.DoelvermogenMetRisicofonds_InclBTW(19), 2380000.0f);
    EXPECT_EQ(dv.BTWbedrag(0), 0.0f);
    EXPECT_EQ(dv.DoelvermogenMetRisicofonds_InclBTW(0), 2000000.0f);

    // No share of a target capital of nothing.
    EXPECT_EQ(dv.rapPercVanDV(1000), QStringLiteral("-"));
    EXPECT_EQ(dv.rapFractieVanTotaalDV(1000), 0.0f);

    ASSERT_TRUE(calculate(2));
    EXPECT_EQ(dv.DoelvermogenMetRisicofonds_InclBTW(19), 0.0f);
    EXPECT_EQ(dv.AantalDVtabelRegels(), 63);
}

// --- replacement surcharges per item ---

TEST_F(TargetCapitalTest, ReplacementSurchargesPerItem)
{
    // One-off costs in year 10; the surcharges are discounted with their item.
    const auto replacement = [](int id, const char* act, QVariant amount, int type, QVariant area,
                                QVariant perc, int rubric = 5, int facility = 1) {
        return Post{.id = id,
                    .facility = facility,
                    .act = QString::fromUtf8(act),
                    .rubric = rubric,
                    .startRel = 10,
                    .kostenTotaal = amount,
                    .aantal = area,
                    .type = type,
                    .perc = perc};
    };
    ASSERT_NO_FATAL_FAILURE(link({{.id = 1, .cl = 2, .rente = 4, .inflatie = 2, .ontwerpdirectie = 12},
                                  {.id = 2, .cl = 1, .ontwerpdirectie = 12}},
                                 {
                                     replacement(1, "Toplaag 'oost'", 1000000, 1, 150000, {}),
                                     replacement(2, "Toplaag west", 2000000, 1, 500000, {}),
                                     replacement(3, "Toplaag noord", 1000000, 1, 499999, {}),
                                     replacement(4, "Pompen", 200000, 2, {}, 6),
                                     replacement(5, "Putten", 10000, 3, {}, 7.5),
                                     replacement(6, "Hekwerk", 5000, 0, {}, {}),
                                     replacement(7, "Leidingen", 40000, 2, {}, 6.25, 4),
                                     replacement(8, "Pompen", 200000, 2, {}, 6, 5, 2),
                                 }));
    ASSERT_TRUE(calculate(1)) << recorder.texts().join(u'\n').toStdString();
    EXPECT_TRUE(dv.GebruikGedifferentieerdeToeslagB());
    const double factor = std::pow(1.02 / 1.04, 9.5);

    struct Expected
    {
        const char* text;
        double value;
        int isTalvo;
    };
    const Expected expected[] = {
        {"'Bovenafdichting: Toplaag 'oost'' (bovenafd. (ontwerp), 150.000 m2)", 120000, 1},
        {"'Bovenafdichting: Toplaag 'oost'' (bovenafd. (directievoering/toezicht), 150.000 m2; 6,5%)", 65000,
         1},
        {"'Bovenafdichting: Toplaag west' (bovenafd. (ontwerp), 500.000 m2)", 160000, 1},
        {"'Bovenafdichting: Toplaag west' (bovenafd. (directievoering/toezicht), 500.000 m2; 6,0%)", 120000,
         1},
        {"'Bovenafdichting: Toplaag noord' (bovenafd. (ontwerp), 499.999 m2)", 155000, 1},
        {"'Bovenafdichting: Toplaag noord' (bovenafd. (directievoering/toezicht), 499.999 m2; 6,0%)", 60000,
         1},
        {"'Bovenafdichting: Pompen' (groot werk, 6,0%)", 12000, 1},
        {"'Bovenafdichting: Putten' (klein werk, 7,5%)", 750, 2},
        // Outside the replacements the percentage is not checked.
        {"'Bovenafdichting: Leidingen' (groot werk, 6,25%)", 2500, 1},
    };
    ASSERT_EQ(dv.toeslagen().size(), std::size(expected));
    double sum = 0;
    for (const Expected& e : expected) {
        SCOPED_TRACE(e.text);
        const clsToeslag2008* found = line(QString::fromUtf8(e.text));
        ASSERT_NE(found, nullptr);
        EXPECT_FLOAT_EQ(found->ToeslagWaarde, float(e.value));
        expectNear(found->ToeslagWaardeNCWfactor, factor);
        expectNear(found->ToeslagWaardeNCW, e.value * factor);
        EXPECT_EQ(found->IsTALVO, e.isTalvo);
        sum += e.value * factor;
    }
    expectNear(dv.Toeslagen2008SomWaardeNCW(), sum);
    // They replace the fixed percentage.
    EXPECT_EQ(dv.toeslagB(), dv.Toeslagen2008SomWaardeNCW());
    EXPECT_EQ(dv.sngOntwerpdirectieFixed(), 0.0f);
    EXPECT_EQ(dv.rapPercDirectievoering2002(), 0.0f);
    EXPECT_EQ(dv.rapIsTALVOOntwerpdirectieFixed(), 1);

    // A version with a fixed percentage has no surcharges per item.
    ASSERT_TRUE(calculate(2));
    EXPECT_FALSE(dv.GebruikGedifferentieerdeToeslagB());
    EXPECT_TRUE(dv.toeslagen().empty());
    EXPECT_EQ(dv.toeslagB(), 24000.0f);
}

// --- failures ---

TEST_F(TargetCapitalTest, UnknownSurchargeTypeStopsTheCalculation)
{
    ASSERT_NO_FATAL_FAILURE(link({{.cl = 2}}, {{.id = 1, .rubric = 5, .type = 4, .perc = 6}}));
    EXPECT_FALSE(calculate(1));
    expectOnlyMessage(QStringLiteral("Onbekende conditie in AppendToeslagen"),
                      QStringLiteral("Fout bij berekening: 5 'Zuid'"), MessageIcon::Critical);
}

TEST_F(TargetCapitalTest, OverflowStopsTheCalculation)
{
    // At 10 % inflation and 0.5 % interest a cost for ever has no finite present value.
    ASSERT_NO_FATAL_FAILURE(
        link({{.id = 1, .rente = 0.5, .inflatie = 10}, {.id = 2, .rente = 0.5, .inflatie = 10}},
             {{.id = 1, .act = QStringLiteral("Maaien"), .optieFreq = 2, .freqX = 1},
              {.id = 2, .facility = 2, .act = QStringLiteral("Eenmalig")}}));
    EXPECT_FALSE(calculate(1));
    expectOnlyMessage(
        QStringLiteral("Overloop bij berekening van de contante waarde voor kostenpost 'Maaien'. "
                       "\r\nPas rente- en/of inflatiepercentages aan of controleer de gegevens van "
                       "deze post."),
        QStringLiteral("Doelvermogenberekening inrichting 'Zuid' afgebroken"), MessageIcon::Exclamation);

    // The general costs are for ever as well.
    EXPECT_FALSE(calculate(2));
    ASSERT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(recorder.recorded()[0].title,
              QStringLiteral("Doelvermogenberekening inrichting 'Zuid' afgebroken"));
}

// Stored values that no calculation can hold, or that are no numbers at all, stop it with a message that
// says what to check: never a figure read as 0 or beyond the single range, never a schedule without end.
TEST_F(TargetCapitalTest, StoredValuesBeyondCalculationStopIt)
{
    const QString overflow =
        QStringLiteral("Overloop bij berekening van de contante waarde voor kostenpost 'Maaien'. \r\nPas "
                       "rente- en/of inflatiepercentages aan of controleer de gegevens van deze post.");
    struct Case
    {
        const char* change;
        QString text;
    };
    const Case cases[] = {
        // Counted in single precision, a hundred million yearly occurrences would never end.
        {"UPDATE tblAct SET bytEindBA = 1, intEindBA = 100000000, bytOptieFreq = 3, intFreqX = 1", overflow},
        {"UPDATE tblAct SET bytEindBA = 1, intEindBA = 100001, bytOptieFreq = 3, intFreqX = 1", overflow},
        {"UPDATE tblAct SET intStartRel = -1e30, bytOptieFreq = 2, intFreqX = 1", overflow},
        {"UPDATE tblAct SET bytOptieEind = 2, intEindRel = 1e30, bytOptieFreq = 2, intFreqX = 1", overflow},
        {"UPDATE tblAct SET intStartRel = 1e30", overflow},
        {"UPDATE tblAct SET bytOptieFreq = 3, intFreqX = 1e30", overflow},
        {"UPDATE tblAct SET sngKostenTotaal = 1e39", overflow},
        {"UPDATE tblAct SET sngKostenTotaal = 'abc'",
         QStringLiteral(
             "Het veld 'sngKostenTotaal' van kostenpost 'Maaien' bevat geen getal.\r\nControleer de "
             "gegevens van deze post.")},
        {"UPDATE tblAct SET bytRubriek_REF = 'vier'",
         QStringLiteral(
             "Het veld 'bytRubriek_REF' van kostenpost 'Maaien' bevat geen getal.\r\nControleer de "
             "gegevens van deze post.")},
        // The sums of items that each fit.
        {"UPDATE tblStort SET sngAlgRisicoBedrag = 3e38",
         QString(overflow).replace(QLatin1String("'Maaien'"), QLatin1String("''"))},
        {"UPDATE tblStort SET sngRentePerc = 'abc'",
         QStringLiteral("Het veld 'sngRentePerc' van inrichting 'Zuid' bevat geen geldig getal ('abc').")},
        {"UPDATE tblStort SET intJaarPrijspeil = 2010.5",
         QStringLiteral(
             "Het veld 'intJaarPrijspeil' van inrichting 'Zuid' bevat geen geldig getal ('2010.5').")},
        {"UPDATE tblStort SET sngOnvoorzien = 1e300",
         QStringLiteral(
             "Het veld 'sngOnvoorzien' van inrichting 'Zuid' bevat geen geldig getal ('1e+300').")},
    };
    ASSERT_NO_FATAL_FAILURE(
        link({{.rente = 4, .inflatie = 2}}, {{.id = 1, .act = QStringLiteral("Maaien")}}));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.change);
        Transaction undo(*folder.workspace().dataDatabase());
        change(c.change);
        EXPECT_FALSE(calculate(1));
        expectOnlyMessage(c.text, QStringLiteral("Doelvermogenberekening inrichting 'Zuid' afgebroken"),
                          MessageIcon::Exclamation);
    }

    // The longest schedule that is counted: every year up to 100 000 years after the start.
    change("UPDATE tblAct SET bytEindBA = 1, intEindBA = 100000, bytOptieFreq = 3, intFreqX = 1");
    ASSERT_TRUE(calculate(1)) << recorder.texts().join(u'\n').toStdString();
    expectNear(dv.itemNCW(0), 1000 * yearsSum(1.02 / 1.04, 1, 2000));
    EXPECT_EQ(dv.itemLaatsteJaar(0).toInt(), 100000);
}

TEST_F(TargetCapitalTest, InvalidFrequencyFailsWhileOtherItemsAreCalculated)
{
    ASSERT_NO_FATAL_FAILURE(
        link({{.id = 1}, {.id = 2}},
             {
                 {.id = 1, .act = QStringLiteral("Maaien"), .optieFreq = 2, .freqX = 0},
                 {.id = 2, .act = QStringLiteral("Schilderen"), .optieFreq = 3, .freqX = 0},
                 {.id = 3, .kostenTotaal = 700},
                 {.id = 4, .facility = 2, .optieFreq = 3, .freqX = QVariant()},
             }));
    EXPECT_FALSE(calculate(1));
    const QString title = QStringLiteral("Berekening doelvermogen inrichting 'Zuid'");
    ASSERT_EQ(recorder.recorded().size(), 2);
    EXPECT_EQ(recorder.recorded()[0].text,
              QStringLiteral("Ongeldige frequentie (namelijk: 0) aangetroffen bij kostenpost 'Maaien'. "));
    EXPECT_EQ(
        recorder.recorded()[1].text,
        QStringLiteral("Ongeldige frequentie (namelijk: 0) aangetroffen bij kostenpost 'Schilderen'. "));
    for (const MessageRecorder::Message& message : recorder.recorded()) {
        EXPECT_EQ(message.title, title);
        EXPECT_EQ(message.icon, MessageIcon::Critical);
    }
    ASSERT_EQ(dv.AantalKostenposten(), 3);
    EXPECT_EQ(dv.itemNCW(index(1)), 0.0f);
    EXPECT_EQ(dv.itemNCW(index(2)), 0.0f);
    EXPECT_EQ(dv.itemNCW(index(3)), 700.0f);
    EXPECT_EQ(dv.somA_exclOnvoorzien(), 700.0f);

    // A frequency not entered at all is an error that stops the calculation.
    EXPECT_FALSE(calculate(2));
    expectOnlyMessage(QStringLiteral("Invalid use of Null"), QStringLiteral("Fout bij berekening: 94 'Zuid'"),
                      MessageIcon::Critical);
}

// --- checks before the calculation ---

TEST_F(TargetCapitalTest, AftercareAreaIsCheckedFirst)
{
    ASSERT_NO_FATAL_FAILURE(link({{.id = 1, .name = QStringLiteral("Leeg"), .area = 0},
                                  {.id = 2, .name = QStringLiteral("Leeg"), .area = QVariant()},
                                  {.id = 3, .name = QStringLiteral("Leeg"), .area = 20}}));
    for (const int id : {1, 2}) {
        SCOPED_TRACE(id);
        EXPECT_FALSE(verify(id));
        expectOnlyMessage(
            QStringLiteral("Er is geen (geldig) nazorgoppervlak ingevoerd in het scherm 'Toeslagen "
                           "nazorgfase'."),
            QStringLiteral("Invoer onvolledig bij Leeg"), MessageIcon::Exclamation);
    }
    // Then the cost items: there are none.
    EXPECT_FALSE(verify(3));
    ASSERT_EQ(recorder.recorded().size(), 1);
    EXPECT_EQ(recorder.recorded()[0].title, QStringLiteral("Validatie invoer inrichting 'Leeg'"));
}

TEST_F(TargetCapitalTest, CombinedItemsNeedACombinationPost)
{
    ASSERT_NO_FATAL_FAILURE(link(
        {
            {.id = 1, .name = QStringLiteral("Zonder post")},
            {.id = 2, .name = QStringLiteral("Met post")},
            {.id = 3, .name = QStringLiteral("Niet gecombineerd")},
            {.id = 4, .name = QStringLiteral("Versie zonder posten"), .cl = 3},
        },
        {
            // Item 5 is no combination post, although "5" occurs in "12,57".
            {.id = 1, .facility = 1, .clItem = 5, .isTalvo = 1, .combineer = 1},
            {.id = 2, .facility = 2, .clItem = 5, .isTalvo = 1, .combineer = 1},
            {.id = 3, .facility = 2, .clItem = 57, .isTalvo = 1},
            {.id = 4, .facility = 3, .clItem = 5, .isTalvo = 1},
            {.id = 5, .facility = 4, .clItem = 5, .isTalvo = 1, .combineer = 1},
        }));
    EXPECT_FALSE(verify(1));
    expectOnlyMessage(
        QStringLiteral("Er is gebruik gemaakt van de mogelijkheid om posten te combineren in een "
                       "combinatiepost. Er is echter geen combinatiepost in de raming aangetroffen."),
        QStringLiteral("Invoer onvolledig bij Zonder post"), MessageIcon::Exclamation);
    for (const int id : {2, 3, 4}) {
        SCOPED_TRACE(id);
        EXPECT_TRUE(verify(id));
        EXPECT_TRUE(recorder.recorded().isEmpty());
    }
}
