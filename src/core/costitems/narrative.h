#pragma once

#include <QLocale>
#include <QString>
#include <QVariant>

namespace dovra {

// What the cost item narrative is written from: the options as the editor shows them, and the
// name, years, X and amounts of the current row (raw values; Null when not entered).
struct NarrativeInput
{
    bool combined = false; // included in a combination post (bytCombineer)
    bool complete = true;  // the completeness check passed
    int startOption = 0;
    int endOption = 0;
    int costOption = 0;
    int frequencyOption = 0;
    bool startFromConstruction = false; // bytStartBA
    bool endFromConstruction = false;   // bytEindBA

    QString name; // strAct
    QVariant intStartAbs, intStartRel, intStartBA;
    QVariant intEindAbs, intEindRel, intEindBA;
    QVariant intFreqX;
    QVariant sngPercInvest, sngKostenInvest, sngKostenTotaal, sngKostenPE, sngAantal;

    float aftercareStart = 0; // decimal year of the aftercare start date
};

// One Dutch paragraph saying when the item's first expenditure falls, until when and how often it
// recurs, and what one occurrence costs, or why it contributes nothing.
QString CostItemNarrative(const NarrativeInput& input, const QLocale& locale = QLocale());

} // namespace dovra
