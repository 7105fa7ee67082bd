#include "reports/clsActRapInvoer.h"

#include "costitems/options.h"
#include "shell/appstate.h"
#include "ui/formats.h"

#include <QLocale>

namespace dovra {

namespace {

// Names sort without regard to case; the item id keeps the phases of one cost item (rows of the same
// name) in the order they were entered.
QString orderClause(const QString& order)
{
    if (order == QLatin1String("Rubriek"))
        return QStringLiteral("bytRubriek_REF ASC , bytObjectCat_ID ASC, strObject COLLATE NOCASE ASC, "
                              "strAct COLLATE NOCASE ASC, idrAct_ID ASC");
    return QStringLiteral("bytObjectCat_REF ASC, strObject COLLATE NOCASE ASC, bytRubriek_REF ASC, "
                          "strAct COLLATE NOCASE ASC, idrAct_ID ASC");
}

} // namespace

void clsActRapInvoer::rapSorteerOp(const QString& order)
{
    if (order == QLatin1String("ObjCat") || order == QLatin1String("Rubriek"))
        m_order = order;
}

bool clsActRapInvoer::OpenRecordset(long facilityId)
{
    const std::shared_ptr<Database> data = appState().dataDatabase();
    return data && m_rows.open(*data, facilityId, orderClause(m_order));
}

int clsActRapInvoer::count() const
{
    return m_rows.count();
}

bool clsActRapInvoer::GaNaarEersteRecord()
{
    return m_rows.GaNaarEersteRecord();
}

bool clsActRapInvoer::GaNaarVolgendeRecord()
{
    return m_rows.GaNaarVolgendeRecord();
}

bool clsActRapInvoer::EOF_() const
{
    return m_rows.EOF_();
}

int clsActRapInvoer::objectCategorie() const
{
    return int(m_rows.whole(QStringLiteral("bytObjectCat_REF")));
}

QString clsActRapInvoer::strObjectCat() const
{
    return m_rows.text(QStringLiteral("strObjectCat"));
}

QString clsActRapInvoer::rapVoorz() const
{
    return m_rows.text(QStringLiteral("strObject"));
}

long clsActRapInvoer::provisionId() const
{
    return long(m_rows.whole(QStringLiteral("lngInrichting_REF")));
}

int clsActRapInvoer::rapIsTALVO() const
{
    return int(m_rows.whole(QStringLiteral("bytIsTALVO")));
}

QString clsActRapInvoer::rapKostenpost() const
{
    return stored(QStringLiteral("strAct"));
}

QString clsActRapInvoer::rapTstart() const
{
    if (isCombined())
        return QStringLiteral("-");
    QString text;
    switch (m_rows.whole(QStringLiteral("bytOptieStart"))) {
    case StartOption::CalendarYear:
        text = stored(QStringLiteral("intStartAbs")) + QStringLiteral(" *");
        break;
    case StartOption::AftercareYear:
        text = stored(QStringLiteral("intStartRel"));
        break;
    default:
        break;
    }
    if (m_rows.whole(QStringLiteral("bytStartBA")) == 1)
        text += QStringLiteral(" + ") + stored(QStringLiteral("intStartBA")) + QStringLiteral(" #");
    return text;
}

QString clsActRapInvoer::rapTeind() const
{
    if (isCombined())
        return QStringLiteral("-");
    if (m_rows.whole(QStringLiteral("bytEindBA")) == 1)
        return QStringLiteral(" + ") + stored(QStringLiteral("intEindBA")) + QStringLiteral(" #");
    switch (m_rows.whole(QStringLiteral("bytOptieEind"))) {
    case EndOption::CalendarYear:
        return stored(QStringLiteral("intEindAbs")) + QStringLiteral(" *");
    case EndOption::AftercareYear:
        return stored(QStringLiteral("intEindRel"));
    case EndOption::Perpetual:
        return m_rows.whole(QStringLiteral("bytOptieFreq")) == FrequencyOption::OneOff ? QStringLiteral("-")
                                                                                       : QStringLiteral("oo");
    default:
        return {};
    }
}

QString clsActRapInvoer::rapFreq() const
{
    if (isCombined())
        return QStringLiteral("-");
    switch (m_rows.whole(QStringLiteral("bytOptieFreq"))) {
    case FrequencyOption::OneOff:
        return QStringLiteral("eenm.");
    case FrequencyOption::TimesPerYear:
        return stored(QStringLiteral("intFreqX")) + QStringLiteral("x per jr");
    case FrequencyOption::OnceEveryXYears:
        return QStringLiteral("1x per ") + stored(QStringLiteral("intFreqX")) + QStringLiteral(" jr");
    default:
        return {};
    }
}

QString clsActRapInvoer::rapPrijsPerKeer() const
{
    if (isCombined())
        return QStringLiteral("zie combinatiepost");
    switch (m_rows.whole(QStringLiteral("bytOptieKosten"))) {
    case CostOption::PercentageOfInvestment:
        return stored(QStringLiteral("sngPercInvest")) + QStringLiteral(" % x €") +
               stored(QStringLiteral("sngKostenInvest"));
    case CostOption::TotalAmount:
        return QStringLiteral(" €") + stored(QStringLiteral("sngKostenTotaal"));
    case CostOption::PerUnit:
        return stored(QStringLiteral("sngAantal")) + QStringLiteral(" x €") +
               stored(QStringLiteral("sngKostenPE")) + QLatin1Char('/') +
               stored(QStringLiteral("strEenheid"));
    default:
        return {};
    }
}

QString clsActRapInvoer::rapVerwijzingNazorgplan() const
{
    return stored(QStringLiteral("strNazorgplanRef"));
}

QString clsActRapInvoer::rapOpmerkingen() const
{
    return stored(QStringLiteral("strOpm"));
}

bool clsActRapInvoer::isCombined() const
{
    return m_rows.whole(QStringLiteral("bytCombineer")) == 1;
}

// A value as stored, "?" when empty. Reals are singles: their shortest text, with a decimal point
// whatever the user's locale, so the report shows the number exactly as it was entered and kept.
QString clsActRapInvoer::stored(const QString& field) const
{
    if (m_rows.isEmpty(field))
        return QStringLiteral("?");
    const QVariant value = m_rows.field(field);
    if (value.typeId() == QMetaType::Double)
        return formats::ordinaryText(value.toFloat(), QLocale::c());
    return value.toString();
}

} // namespace dovra
