#include "calc/toeslagen.h"

#include "base/formats.h"
#include "checklist/clsCL.h"
#include "model/options.h"

#include <cmath>

namespace dovra {

float OntwerpHonorariumBovenafdichting(float area)
{
    if (area < 150000)
        return 110000;
    if (area < 200000)
        return 120000;
    if (area < 250000)
        return 130000;
    if (area < 300000)
        return 135000;
    if (area < 350000)
        return 140000;
    if (area < 400000)
        return 145000;
    if (area < 450000)
        return 150000;
    if (area < 500000)
        return 155000;
    return 160000;
}

float DirectievoeringPercBovenafdichting(float area)
{
    if (area < 200000)
        return 6.5f;
    if (area < 300000)
        return 6.3f;
    if (area < 400000)
        return 6.2f;
    return 6.0f;
}

namespace {

clsToeslag2008 line(float value, const ToeslagPost& item, const QString& text, quint8 isTalvo)
{
    clsToeslag2008 result;
    result.ToeslagWaardeNCWfactor = item.factor;
    result.ToeslagWaarde = value;
    result.ToeslagWaardeNCW = value * item.factor;
    result.ToeslagTekst = QLatin1Char('\'') + item.object + QStringLiteral(": ") + item.act + text;
    result.IsTALVO = isTalvo;
    return result;
}

bool finite(const clsToeslag2008& line)
{
    return std::isfinite(line.ToeslagWaarde) && std::isfinite(line.ToeslagWaardeNCW);
}

} // namespace

ToeslagUitkomst AppendToeslagen(Toeslagen2008& lines, const clsCL& checklist, const ToeslagPost& item)
{
    switch (item.type) {
    case SurchargeType::None:
        return ToeslagUitkomst::Ok;
    case SurchargeType::TopLiner: {
        const QString area = formats::number(double(item.aantal), QStringLiteral("#,#"));
        const float percentage = DirectievoeringPercBovenafdichting(item.aantal);
        const clsToeslag2008 design =
            line(OntwerpHonorariumBovenafdichting(item.aantal), item,
                 QStringLiteral("' (bovenafd. (ontwerp), ") + area + QStringLiteral(" m2)"), 1);
        const clsToeslag2008 supervision = line(
            percentage / 100 * item.amount, item,
            QStringLiteral("' (bovenafd. (directievoering/toezicht), ") + area + QStringLiteral(" m2; ") +
                formats::number(double(percentage), QStringLiteral("0.0")) + QStringLiteral("%)"),
            1);
        if (!finite(design) || !finite(supervision))
            return ToeslagUitkomst::Overloop;
        lines.push_back(design);
        lines.push_back(supervision);
        return ToeslagUitkomst::Ok;
    }
    case SurchargeType::LargeWork:
    case SurchargeType::SmallWork: {
        const bool conforms = checklist.VerifyCL_VervangingsToeslag(item.rubric, item.type, item.percentage);
        const QString kind = item.type == SurchargeType::LargeWork ? QStringLiteral("groot werk")
                                                                   : QStringLiteral("klein werk");
        const clsToeslag2008 work =
            line(item.percentage / 100 * item.amount, item,
                 QStringLiteral("' (") + kind + QStringLiteral(", ") +
                     formats::number(double(item.percentage), QStringLiteral("0.0#")) + QStringLiteral("%)"),
                 conforms ? 1 : 2);
        if (!finite(work))
            return ToeslagUitkomst::Overloop;
        lines.push_back(work);
        return ToeslagUitkomst::Ok;
    }
    default:
        return ToeslagUitkomst::OnbekendType;
    }
}

} // namespace dovra
