#include "calc/expenditureschedule.h"

#include "calc/itemtiming.h"
#include "calc/targetcapitalinputs.h"
#include "model/options.h"

#include <cmath>

namespace dovra {

using namespace calc;

namespace {

// Hands every payment of the cost items up to the last year to a sink.
template <typename Sink> class PaymentWalk
{
public:
    PaymentWalk(int years, Sink sink) : m_years(years), m_sink(std::move(sink)) {}

    // False when a cost item cannot be read.
    bool walk(const TargetCapitalInputs& inputs)
    {
        try {
            for (std::size_t index = 0; index < inputs.costItems.size(); ++index) {
                const StoredValues& v = inputs.costItems[index].values;
                if (option(v.bytCombineer) == 1)
                    continue;
                const ItemTiming timing = itemTiming(v, inputs.S);
                const bool recurring = timing.option == FrequencyOption::TimesPerYear ||
                                       timing.option == FrequencyOption::OnceEveryXYears;
                if (!recurring || timing.x > 0)
                    payItem(index, option(v.bytRubriek_REF), timing);
            }
        } catch (const Overloop&) {
            return false;
        } catch (const NotANumber&) {
            return false;
        } catch (const Fout&) {
            return false;
        }
        return true;
    }

private:
    // False once the payment falls after the last year, so that an item's later ones are skipped. The
    // rules above never pay before year 1; should one, it is not booked.
    bool pay(std::size_t item, int rubric, double time, float amount)
    {
        const double year = std::floor(time + 0.5);
        if (year > m_years)
            return false;
        if (year >= 1)
            m_sink(Payment{item, rubric, time, amount}, int(year));
        return true;
    }

    // The occurrences the present value factor counts, in the same single-precision steps.
    void payItem(std::size_t index, int rubric, const ItemTiming& t)
    {
        switch (t.option) {
        case FrequencyOption::OneOff:
            if (t.t0 >= 0.5f)
                pay(index, rubric, t.t0, t.amount);
            return;
        case FrequencyOption::TimesPerYear: {
            float t0 = t.t0;
            while (t0 < 0.5f)
                t0 += 1;
            if (t.t1 < t0)
                return;
            const double years = std::floor(double(t.t1 - t0 + 1));
            const float perYear = t.amount * float(t.x);
            for (double k = 0; k < years; ++k) {
                if (!pay(index, rubric, double(t0) + k, perYear))
                    return;
            }
            return;
        }
        case FrequencyOption::OnceEveryXYears:
            if (t.t1 < 0.5f)
                return;
            for (float time = t.t0; time <= t.t1; time += float(t.x)) {
                if (time > 0 && !pay(index, rubric, time, t.amount))
                    return;
            }
            return;
        default:
            return;
        }
    }

    const int m_years;
    Sink m_sink;
};

} // namespace

std::optional<ExpenditureSchedule> expenditureSchedule(const TargetCapitalInputs& inputs, int years)
{
    ExpenditureSchedule schedule;
    schedule.years = std::max(years, 0);
    schedule.perYear.assign(std::size_t(schedule.years), {});
    PaymentWalk walk(schedule.years, [&schedule](const Payment& payment, int year) {
        if (payment.rubric >= 1 && payment.rubric <= ExpenditureSchedule::Rubrics)
            schedule.perYear[std::size_t(year) - 1][std::size_t(payment.rubric) - 1] +=
                double(payment.amount);
    });
    if (!walk.walk(inputs))
        return std::nullopt;
    return schedule;
}

std::optional<std::vector<Payment>> schedulePayments(const TargetCapitalInputs& inputs, int years)
{
    std::vector<Payment> payments;
    PaymentWalk walk(years, [&payments](const Payment& payment, int) { payments.push_back(payment); });
    if (!walk.walk(inputs))
        return std::nullopt;
    return payments;
}

QString expenditureYearNote()
{
    return QStringLiteral(
        "Een uitgave staat in het nazorgjaar waarin zij valt: uitgaven vallen in juli en nazorgjaar 1 "
        "begint op de datum aanvang nazorg, zoals in de omschrijving van de kostenpost. Bij een "
        "aanvang nazorg in de loop van het jaar noemt de rapportage doelvermogen voor een periodieke "
        "post als eerste en laatste uitgave het jaar ervoor.");
}

} // namespace dovra
