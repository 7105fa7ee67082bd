// The rules of the cost item editor's panel: which inputs each option shows or enables, what choosing an
// option changes, and the checklist information beside the item.
#include "checklist/clsCL.h"
#include "costitems/editorpanel.h"
#include "support/testfiles.h"

using namespace dovra;

namespace {

// Applies changes such as "bytOptieFreq=1 gediff type=7 combine": fields of the item, and of the context
// per-item surcharges, the checklist item's surcharge type and whether it may be combined.
void change(CostItemValues& values, PanelContext& context, const char* changes)
{
    for (const QString& token : QString::fromUtf8(changes).split(u' ', Qt::SkipEmptyParts)) {
        const QString name = token.section(u'=', 0, 0);
        const int value = token.section(u'=', 1).toInt();
        if (name == u"gediff")
            context.gediffToeslag = true;
        else if (name == u"combine")
            context.combinationAllowed = true;
        else if (name == u"type")
            context.checklistSurchargeType = value;
        for (const CostItemField& field : costItemFields()) {
            if (name == QLatin1String(field.name))
                values.*field.value = value;
        }
    }
}

// A user-defined yearly item of rubric 4, from aftercare year 1, perpetual, at a total amount.
CostItemValues yearly()
{
    CostItemValues values;
    PanelContext unused;
    change(values, unused,
           "bytOptieStart=2 bytStartBA=0 bytOptieEind=3 bytEindBA=0 bytOptieFreq=2 bytOptieKosten=2 "
           "bytRubriek_REF=4 bytTypeVervangingsToeslag=0 bytIsTALVO=0 bytCombineer=0");
    return values;
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
    const char* const plain = "010 kalenderjaar/nazorgjaar/Startjaar";
    const char* const cases[][2] = {
        {"", "| 110000 | 12 | 111001001 | 0000000 | 01"},
        {"bytOptieStart=1 bytStartBA=1 bytEindBA=1 bytOptieFreq=3",
         "101 kalenderjaar aanleg bovenafd./nazorgjaar aanleg bovenafd./Startjaar | 100011 | 13 | 111001001 "
         "| "
         "0000000 | 01"},
        // A one-off expense has no end, not even one counted from the construction.
        {"bytOptieFreq=1 bytStartBA=1 bytEindBA=1 bytOptieEind=2",
         "011 kalenderjaar aanleg bovenafd./nazorgjaar aanleg bovenafd./Jaar eenmalige uitgave | 010100 | 00 "
         "| "
         "111001001 | 0000000 | 01"},
        {"bytOptieKosten=1 bytOptieEind=1", "| 111000 | 12 | 111110001 | 0000000 | 01"},
        {"bytRubriek_REF=5 bytTypeVervangingsToeslag=2 gediff", "| 110000 | 12 | 111001001 | 1111120 | 01"},
        {"bytRubriek_REF=5 bytTypeVervangingsToeslag=2", "| 110000 | 12 | 111001001 | 0000000 | 01"},
        // The top liner is costed per m2.
        {"bytRubriek_REF=5 bytTypeVervangingsToeslag=1 bytOptieKosten=3 gediff type=1",
         "| 110000 | 12 | 001000110 | 1100000 | 01"},
        {"bytRubriek_REF=5 bytTypeVervangingsToeslag=7 gediff type=7",
         "| 110000 | 12 | 111001001 | 1011000 | 01"},
        {"bytRubriek_REF=5 gediff type=0", "| 110000 | 12 | 111001001 | 0000000 | 01"},
        {"bytRubriek_REF=5 gediff type=4", "| 110000 | 12 | 111001001 | 1000001 | 01"},
        {"bytCombineer=1 bytOptieKosten=3 combine", "| 110000 | 12 | 111000101 | 0000000 | 10"},
    };
    for (const auto& [changes, expected] : cases) {
        CostItemValues values = yearly();
        PanelContext context;
        change(values, context, changes);
        const QString full = expected[0] == '|' ? QLatin1String(plain) + u' ' + QString::fromUtf8(expected)
                                                : QString::fromUtf8(expected);
        EXPECT_EQ(summary(panelLayout(values, context)), full) << changes;
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
