#include "costitems/narrative.h"

#include "base/formats.h"
#include "model/options.h"
#include "model/rawvalue.h"

#include <cmath>

namespace dovra {

namespace {

// The pieces of the paragraph and the numbers and flags that choose its sentences.
struct Pieces
{
    QString prefix, start, end, frequency, cost, beforeStartNote, remainingNote;
    double startNumber = 0;
    double endNumber = 0;
    bool beforeStart = false;
    bool periodOver = false;
};

class Writer
{
public:
    Writer(const NarrativeInput& input, const QLocale& locale) : m_in(input), m_locale(locale) {}

    QString paragraph();

private:
    // Time of the July expenditure of calendar year y, in years from the aftercare start.
    double t(double year) const { return year + 0.5 - double(m_in.aftercareStart); }
    // The aftercare year in which that expenditure falls.
    static long long aftercareYear(double time) { return (long long)std::floor(time) + 1; }
    double number(const QVariant& value) const { return numericValue(value).value_or(0); }
    QString text(double value) const { return formats::ordinaryText(value, m_locale); }
    QString single(const QVariant& value) const
    {
        return formats::ordinaryText(float(number(value)), m_locale);
    }
    QString money(double value, const char* pattern) const
    {
        return formats::number(value, QString::fromUtf8(pattern), m_locale);
    }
    // The first expenditure of the series on or after the aftercare start.
    double firstFromStart(double time) const;

    void startPhrase();
    void endPhrase();
    void frequencyPhrase();
    void costPhrase();

    const NarrativeInput& m_in;
    const QLocale& m_locale;
    Pieces m_p;
};

const QString NotCounted = QStringLiteral("Uitgaven voor datum aanvang nazorg worden niet opgenomen in de "
                                          "doelvermogenberekening. ");
const QString AfterConstruction = QStringLiteral("e jr na aanleg bovenafd");

double Writer::firstFromStart(double time) const
{
    double step = 0;
    if (m_in.frequencyOption == FrequencyOption::TimesPerYear)
        step = 1;
    else if (m_in.frequencyOption == FrequencyOption::OnceEveryXYears)
        step = number(m_in.intFreqX);
    if (step <= 0)
        return 0;
    return time + std::ceil(-time / step) * step;
}

void Writer::startPhrase()
{
    const double sa = double(m_in.aftercareStart);
    auto beforeStart = [&](double year) {
        m_p.beforeStart = true;
        const double first = firstFromStart(t(year));
        m_p.startNumber = first;
        m_p.start = QStringLiteral("juli ") + text(std::floor(sa + first)) +
                    QStringLiteral(" (valt in nazorgjaar ") + text(std::floor(first + 1)) + QLatin1Char(')');
        // Rounded as Round(x, 3) does: halves to even.
        return text(std::nearbyint(-t(year) * 1000) / 1000);
    };

    if (!m_in.startFromConstruction) {
        if (m_in.startOption == StartOption::CalendarYear) {
            const double year = number(m_in.intStartAbs);
            if (t(year) >= 0) {
                m_p.start = QStringLiteral("juli ") + text(year) + QStringLiteral(" (nazorgjaar ") +
                            QString::number(aftercareYear(t(year))) + QLatin1Char(')');
            } else {
                const QString early = beforeStart(year);
                m_p.beforeStartNote = QStringLiteral("De eerste uitgave in juli ") + text(year) +
                                      QStringLiteral(" ligt ") + early +
                                      QStringLiteral(" jr voor de datum aanvang nazorg. ") + NotCounted;
            }
        } else if (m_in.startOption == StartOption::AftercareYear) {
            m_p.startNumber = number(m_in.intStartRel);
            m_p.start = QStringLiteral("nazorgjaar ") + text(m_p.startNumber);
        }
        return;
    }

    const double k = number(m_in.intStartBA);
    if (m_in.startOption == StartOption::CalendarYear) {
        const double built = number(m_in.intStartAbs);
        const double year = built + k - 1;
        if (t(year) >= 0) {
            m_p.start = text(k) + AfterConstruction + QStringLiteral(" (valt in ") + text(year) +
                        QStringLiteral(" = nazorgjaar ") + QString::number(aftercareYear(t(year))) +
                        QLatin1Char(')');
        } else {
            const QString early = beforeStart(year);
            m_p.beforeStartNote = QStringLiteral("De bovenafdichting wordt aangelegd in ") + text(built) +
                                  QStringLiteral(". De eerste uitgave in juli ") + text(year) +
                                  QStringLiteral(" ligt ") + early +
                                  QStringLiteral(" jaar voor de datum aanvang nazorg. ") + NotCounted;
        }
    } else if (m_in.startOption == StartOption::AftercareYear) {
        m_p.startNumber = number(m_in.intStartRel) + k - 1;
        m_p.start = text(k) + AfterConstruction + QStringLiteral(" (valt in nazorgjaar ") +
                    text(m_p.startNumber) + QLatin1Char(')');
    }
}

void Writer::endPhrase()
{
    if (!m_in.endFromConstruction) {
        switch (m_in.endOption) {
        case EndOption::AftercareYear:
            m_p.endNumber = number(m_in.intEindRel);
            m_p.end = QStringLiteral(" t/m nazorgjaar ") + text(m_p.endNumber) + QStringLiteral(" vindt ");
            break;
        case EndOption::Perpetual:
            m_p.endNumber = 10000;
            m_p.end = m_in.frequencyOption == FrequencyOption::OneOff ? QString() : QStringLiteral(" vindt ");
            break;
        case EndOption::CalendarYear: {
            const double year = number(m_in.intEindAbs);
            m_p.endNumber = double(aftercareYear(t(year)));
            if (t(year) < 0)
                m_p.periodOver = true;
            else
                m_p.end = QStringLiteral(" t/m ") + text(year) + QStringLiteral(" (nazorgjaar ") +
                          text(m_p.endNumber) + QStringLiteral(") vindt ");
            break;
        }
        default:
            break;
        }
        return;
    }

    const double ke = number(m_in.intEindBA);
    if (m_in.startOption == StartOption::CalendarYear) {
        const double year = number(m_in.intStartAbs) + ke - 1;
        m_p.endNumber = double(aftercareYear(t(year)));
        const QString e = text(m_p.endNumber);
        if (t(year) < 0) {
            m_p.periodOver = true;
        } else if (!m_p.beforeStart) {
            m_p.end = QStringLiteral(" t/m ") + text(ke) + AfterConstruction + QStringLiteral(" (valt in ") +
                      text(year) + QStringLiteral(" = nazorgjaar ") + e + QStringLiteral(") vindt ");
        } else {
            m_p.remainingNote =
                QStringLiteral("Vanaf aanvang nazorg resteert derhalve nog een periode van ") + e +
                QStringLiteral(" jaar waarin deze kostenpost van toepassing is. ");
            m_p.end = QStringLiteral(" t/m nazorgjaar ") + e + QStringLiteral(" (= ") + text(ke) +
                      AfterConstruction + QStringLiteral(", valt in ") + text(year) +
                      QStringLiteral(") vindt ");
        }
    } else if (m_in.startOption == StartOption::AftercareYear) {
        m_p.endNumber = number(m_in.intStartRel) + ke - 1;
        m_p.end = QStringLiteral(" t/m ") + text(ke) + AfterConstruction +
                  QStringLiteral(" (valt in nazorgjaar ") + text(m_p.endNumber) + QStringLiteral(") vindt ");
    }
}

void Writer::frequencyPhrase()
{
    const QString item = QStringLiteral("een uitgave aan '") + m_in.name + QStringLiteral("' plaats. ");
    const bool everyYear = number(m_in.intFreqX) == 1;
    switch (m_in.frequencyOption) {
    case FrequencyOption::TimesPerYear:
        m_p.prefix = QStringLiteral("Vanaf ");
        m_p.frequency = everyYear ? QString(QStringLiteral("jaarlijks ") + item)
                                  : QString(single(m_in.intFreqX) + QStringLiteral(" x per jaar ") + item);
        break;
    case FrequencyOption::OnceEveryXYears:
        m_p.prefix = QStringLiteral("Vanaf ");
        m_p.frequency = everyYear ? QString(QStringLiteral("ieder jaar ") + item)
                                  : QString(QStringLiteral("iedere ") + single(m_in.intFreqX) +
                                            QStringLiteral(" jaar ") + item);
        break;
    case FrequencyOption::OneOff:
        m_p.prefix = QStringLiteral("In ");
        m_p.frequency = QStringLiteral(" vindt eenmalig ") + item;
        break;
    default:
        break;
    }

    // From the very first aftercare year on.
    if (m_in.frequencyOption != FrequencyOption::OneOff && !m_in.startFromConstruction &&
        m_in.startOption == StartOption::AftercareYear && m_p.startNumber == 1) {
        m_p.prefix.clear();
        m_p.start = QStringLiteral("Vanaf aanvang nazorg ");
        if (m_in.endOption == EndOption::Perpetual) {
            m_p.start = QStringLiteral("Gedurende de gehele nazorgperiode vindt ");
            m_p.end.clear();
        }
    }
}

void Writer::costPhrase()
{
    const QString opening = QStringLiteral("De kosten per keer bedragen ");
    // Amounts are singles, and so are their products.
    const float percentage = float(number(m_in.sngPercInvest));
    const float investment = float(number(m_in.sngKostenInvest));
    const float price = float(number(m_in.sngKostenPE));
    const float amount = float(number(m_in.sngAantal));
    switch (m_in.costOption) {
    case CostOption::PercentageOfInvestment:
        m_p.cost = opening + single(m_in.sngPercInvest) + QStringLiteral("% van de investeringskosten à ") +
                   money(investment, "€ #,##0") + QStringLiteral(" = ") +
                   money(percentage / 100 * investment, "€ 0") + QStringLiteral(". ");
        break;
    case CostOption::TotalAmount:
        m_p.cost = opening + money(float(number(m_in.sngKostenTotaal)), "€ #,##0") + QStringLiteral(". ");
        break;
    case CostOption::PerUnit:
        m_p.cost = opening + single(m_in.sngAantal) + QStringLiteral(" x ") + money(price, "€ 0.00") +
                   QStringLiteral(" = ") + money(amount * price, "€ #,##0.00") + QStringLiteral(". ");
        break;
    default:
        break;
    }
}

QString oneSpace(QString text)
{
    return text.replace(QLatin1String("  "), QLatin1String(" "));
}

QString Writer::paragraph()
{
    if (m_in.combined)
        return QStringLiteral(
            "De kostenpost wordt ondergebracht in de daartoe bestemde combinatiekostenpost uit de "
            "TALVO-checklist.");
    if (!m_in.complete)
        return QStringLiteral("Vul de kostenpost volledig in. Controleer de rood gemarkeerde kentallen.");

    startPhrase();
    endPhrase();
    frequencyPhrase();
    costPhrase();

    if (m_in.frequencyOption == FrequencyOption::OneOff && m_p.beforeStart)
        return QStringLiteral(
            "Het jaar waarin deze eenmalige uitgave van toepassing is, valt vóór aanvang nazorg.");
    if (m_p.endNumber < m_p.startNumber)
        return QStringLiteral("Deze kostenpost is niet van toepassing in de nazorgfase.");
    if (m_p.periodOver)
        return QStringLiteral(
            "De periode waarin deze kostenpost van toepassing is, is al afgelopen voordat de nazorg "
            "begint.");
    const QString notes = m_p.beforeStartNote + m_p.remainingNote;
    if (m_in.frequencyOption == FrequencyOption::OnceEveryXYears &&
        m_p.endNumber < m_p.startNumber + number(m_in.intFreqX)) {
        QString start = m_p.start;
        start.replace(QLatin1String("Vanaf aanvang nazorg"), QLatin1String("nazorgjaar 1"));
        return oneSpace(
            notes +
            QStringLiteral("Slechts eenmalig (als gevolg van de looptijd van de kostenpost in relatie tot "
                           "de aanvang van de nazorgfase) vindt in ") +
            start + QStringLiteral(" een uitgave aan '") + m_in.name + QStringLiteral("' plaats. ") +
            m_p.cost);
    }
    const QString sentence = m_p.prefix + m_p.start + m_p.end + m_p.frequency + m_p.cost;
    return oneSpace(m_p.beforeStart ? QString(notes + sentence) : sentence);
}

} // namespace

QString CostItemNarrative(const NarrativeInput& input, const QLocale& locale)
{
    return Writer(input, locale).paragraph();
}

} // namespace dovra
