// The rules of the cost item editor's panel: which inputs each option shows or enables, what choosing an
// option changes, and the checklist information beside the item.
#include "checklist/clsCL.h"
#include "costitems/editorpanel.h"
#include "support/testfiles.h"

using namespace dovra;

namespace {

// A user-defined yearly item of rubric 4, from aftercare year 1, perpetual, at a total amount.
CostItemValues yearly()
{
    CostItemValues v;
    v.bytOptieStart = 2;
    v.bytStartBA = 0;
    v.bytOptieEind = 3;
    v.bytEindBA = 0;
    v.bytOptieFreq = 2;
    v.bytOptieKosten = 2;
    v.bytRubriek_REF = 4;
    v.bytTypeVervangingsToeslag = 0;
    v.bytIsTALVO = 0;
    v.bytCombineer = 0;
    return v;
}

// The layout in short: start boxes/captions, end, frequency, cost, surcharge, combination.
QString summary(const PanelLayout& l)
{
    const auto on = [](bool b) {
        return b ? QStringLiteral("1") : QStringLiteral("0");
    };
    return QStringList{on(l.startCalendarBox) + on(l.startAftercareBox) + on(l.startConstructionBox) + u' ' +
                           l.startCaptions[0] + u'/' + l.startCaptions[1] + u'/' + l.startFrameCaption,
                       on(l.endEnabled) + on(l.endOptionsShown) + on(l.endCalendarBox) +
                           on(l.endAftercareBox) + on(l.endConstructionBox) + on(l.endConstructionCheck),
                       on(l.frequencyX) + QString::number(l.frequencyXBeside),
                       on(l.costOptions[0]) + on(l.costOptions[1]) + on(l.costOptions[2]) + on(l.percentage) +
                           on(l.investment) + on(l.total) + on(l.unitPrice) + on(l.unitFrame) + on(l.unitBox),
                       on(l.surchargeEnabled) + on(l.surchargeOptions[0]) + on(l.surchargeOptions[1]) +
                           on(l.surchargeOptions[2]) + on(l.surchargePercentage) +
                           QString::number(l.surchargePercentageBeside) + on(l.unknownSurchargeType),
                       on(l.combineEnabled) + on(l.optionFramesShown)}
        .join(QStringLiteral(" | "));
}

TEST(EditorPanel, OptionsShowAndEnableTheirInputs)
{
    struct Case
    {
        const char* name;
        std::function<void(CostItemValues&, PanelContext&)> change;
        const char* expected;
    };
    const Case cases[] = {
        {"yearly user item", [](CostItemValues&, PanelContext&) {},
         "010 kalenderjaar/nazorgjaar/Startjaar | 110000 | 12 | 111001001 | 0000000 | 01"},
        {"start and end from the construction, calendar start, every X years",
         [](CostItemValues& v, PanelContext&) {
             v.bytOptieStart = 1;
             v.bytStartBA = 1;
             v.bytEindBA = 1;
             v.bytOptieFreq = 3;
         },
         "101 kalenderjaar aanleg bovenafd./nazorgjaar aanleg bovenafd./Startjaar | 100011 | 13 | 111001001 "
         "| "
         "0000000 | 01"},
        // A one-off expense has no end, not even one counted from the construction.
        {"one-off",
         [](CostItemValues& v, PanelContext&) {
             v.bytOptieFreq = 1;
             v.bytStartBA = 1;
             v.bytEindBA = 1;
             v.bytOptieEind = 2;
         },
         "011 kalenderjaar aanleg bovenafd./nazorgjaar aanleg bovenafd./Jaar eenmalige uitgave | 010100 | 00 "
         "| "
         "111001001 | 0000000 | 01"},
        {"percentage of an investment, end in a calendar year",
         [](CostItemValues& v, PanelContext&) {
             v.bytOptieKosten = 1;
             v.bytOptieEind = 1;
         },
         "010 kalenderjaar/nazorgjaar/Startjaar | 111000 | 12 | 111110001 | 0000000 | 01"},
        {"user replacement, large work",
         [](CostItemValues& v, PanelContext& c) {
             v.bytRubriek_REF = 5;
             v.bytTypeVervangingsToeslag = 2;
             c.gediffToeslag = true;
         },
         "010 kalenderjaar/nazorgjaar/Startjaar | 110000 | 12 | 111001001 | 1111120 | 01"},
        {"replacement without per-item surcharges",
         [](CostItemValues& v, PanelContext&) {
             v.bytRubriek_REF = 5;
             v.bytTypeVervangingsToeslag = 2;
         },
         "010 kalenderjaar/nazorgjaar/Startjaar | 110000 | 12 | 111001001 | 0000000 | 01"},
        // The top liner is costed per m2.
        {"checklist top liner",
         [](CostItemValues& v, PanelContext& c) {
             v.bytRubriek_REF = 5;
             v.bytTypeVervangingsToeslag = 1;
             v.bytOptieKosten = 3;
             c.gediffToeslag = true;
             c.checklistSurchargeType = 1;
         },
         "010 kalenderjaar/nazorgjaar/Startjaar | 110000 | 12 | 001000110 | 1100000 | 01"},
        {"checklist type to be chosen",
         [](CostItemValues& v, PanelContext& c) {
             v.bytRubriek_REF = 5;
             v.bytTypeVervangingsToeslag = 7;
             c.gediffToeslag = true;
             c.checklistSurchargeType = 7;
         },
         "010 kalenderjaar/nazorgjaar/Startjaar | 110000 | 12 | 111001001 | 1011000 | 01"},
        {"checklist without surcharge",
         [](CostItemValues& v, PanelContext& c) {
             v.bytRubriek_REF = 5;
             c.gediffToeslag = true;
             c.checklistSurchargeType = 0;
         },
         "010 kalenderjaar/nazorgjaar/Startjaar | 110000 | 12 | 111001001 | 0000000 | 01"},
        {"checklist type unknown",
         [](CostItemValues& v, PanelContext& c) {
             v.bytRubriek_REF = 5;
             c.gediffToeslag = true;
             c.checklistSurchargeType = 4;
         },
         "010 kalenderjaar/nazorgjaar/Startjaar | 110000 | 12 | 111001001 | 1000001 | 01"},
        {"combined, per unit",
         [](CostItemValues& v, PanelContext& c) {
             v.bytCombineer = 1;
             v.bytOptieKosten = 3;
             c.combinationAllowed = true;
         },
         "010 kalenderjaar/nazorgjaar/Startjaar | 110000 | 12 | 111000101 | 0000000 | 10"},
    };
    for (const Case& c : cases) {
        CostItemValues values = yearly();
        PanelContext context;
        c.change(values, context);
        EXPECT_EQ(summary(panelLayout(values, context)), QString::fromUtf8(c.expected)) << c.name;
    }
}

TEST(EditorPanel, ChoosingAnOptionChangesWhatDependsOnIt)
{
    CostItemValues v = yearly();
    v.bytStartBA = 1;
    v.bytEindBA = 1;
    v.bytOptieEind = 2;
    chooseFrequency(v, 1);
    EXPECT_EQ(QStringList({v.bytOptieEind.toString(), v.bytEindBA.toString()}).join(u'|'),
              QStringLiteral("3|0"));

    v.bytEindBA = 1;
    chooseStartFromConstruction(v, false);
    EXPECT_EQ(QStringList({v.bytStartBA.toString(), v.bytEindBA.toString()}).join(u'|'),
              QStringLiteral("0|0"));

    const clsCL checklist = clsCL::fromRows(ChecklistVersionRow{.vervangingstoeslagKleineWerken = 5,
                                                                .vervangingstoeslagGroteWerkenMin = 6,
                                                                .vervangingstoeslagGroteWerkenMax = 6.5});
    v.bytOptieKosten = 1;
    chooseSurcharge(v, 1, checklist);
    EXPECT_EQ(QStringList({v.bytOptieKosten.toString(), v.strEenheid.toString()}).join(u'|'),
              QStringLiteral("3|m2"));
    chooseSurcharge(v, 2, checklist);
    EXPECT_FLOAT_EQ(v.sngVervangingsToeslagPerc.toFloat(), 6.25f);
    chooseSurcharge(v, 3, checklist);
    EXPECT_FLOAT_EQ(v.sngVervangingsToeslagPerc.toFloat(), 5.0f);
}

TEST(EditorPanel, ReplacementsExplainTheirSurcharge)
{
    clsCL none;
    CostItemValues v = yearly();
    v.bytRubriek_REF = 5;
    v.bytTypeVervangingsToeslag = 1;
    QStringList texts;
    for (const ChecklistInfoEntry& entry : editorChecklistInformation(none, v, true))
        texts.append(entry.text.left(40));
    EXPECT_EQ(texts, QStringList({"< dit is geen post uit de TALVO-checklis",
                                  "Toeslag vervanging:", " Over deze vervangingspost berekent DOVR"}));
    v.bytTypeVervangingsToeslag = 7;
    EXPECT_TRUE(editorChecklistInformation(none, v, true).last().text.startsWith(" Op deze vervangingspost"));
    EXPECT_EQ(editorChecklistInformation(none, v, false).size(), 1);
}

} // namespace
