#include "reports/clsActRapInvoer.h"

#include "base/formats.h"
#include "model/options.h"
#include "storage/workspace.h"

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
    const std::shared_ptr<Database> data = m_workspace->dataDatabase();
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
    return m_rows.storedText(QStringLiteral("strAct"));
}

QString clsActRapInvoer::rapTstart() const
{
    if (m_rows.isCombined())
        return QStringLiteral("-");
    QString text;
    switch (m_rows.whole(QStringLiteral("bytOptieStart"))) {
    case StartOption::CalendarYear:
        text = m_rows.storedText(QStringLiteral("intStartAbs")) + QStringLiteral(" *");
        break;
    case StartOption::AftercareYear:
        text = m_rows.storedText(QStringLiteral("intStartRel"));
        break;
    default:
        break;
    }
    if (m_rows.whole(QStringLiteral("bytStartBA")) == 1)
        text +=
            QStringLiteral(" + ") + m_rows.storedText(QStringLiteral("intStartBA")) + QStringLiteral(" #");
    return text;
}

QString clsActRapInvoer::rapTeind() const
{
    if (m_rows.isCombined())
        return QStringLiteral("-");
    if (m_rows.whole(QStringLiteral("bytEindBA")) == 1)
        return QStringLiteral(" + ") + m_rows.storedText(QStringLiteral("intEindBA")) + QStringLiteral(" #");
    switch (m_rows.whole(QStringLiteral("bytOptieEind"))) {
    case EndOption::CalendarYear:
        return m_rows.storedText(QStringLiteral("intEindAbs")) + QStringLiteral(" *");
    case EndOption::AftercareYear:
        return m_rows.storedText(QStringLiteral("intEindRel"));
    case EndOption::Perpetual:
        return m_rows.perpetualEndText();
    default:
        return {};
    }
}

QString clsActRapInvoer::rapFreq() const
{
    return m_rows.isCombined() ? QStringLiteral("-") : m_rows.frequencyText();
}

QString clsActRapInvoer::rapPrijsPerKeer() const
{
    if (m_rows.isCombined())
        return QStringLiteral("zie combinatiepost");
    switch (m_rows.whole(QStringLiteral("bytOptieKosten"))) {
    case CostOption::PercentageOfInvestment:
        return m_rows.storedText(QStringLiteral("sngPercInvest")) + QStringLiteral(" % x €") +
               m_rows.storedText(QStringLiteral("sngKostenInvest"));
    case CostOption::TotalAmount:
        return QStringLiteral(" €") + m_rows.storedText(QStringLiteral("sngKostenTotaal"));
    case CostOption::PerUnit:
        return m_rows.storedText(QStringLiteral("sngAantal")) + QStringLiteral(" x €") +
               m_rows.storedText(QStringLiteral("sngKostenPE")) + QLatin1Char('/') +
               m_rows.storedText(QStringLiteral("strEenheid"));
    default:
        return {};
    }
}

QString clsActRapInvoer::rapVerwijzingNazorgplan() const
{
    return m_rows.storedText(QStringLiteral("strNazorgplanRef"));
}

QString clsActRapInvoer::rapOpmerkingen() const
{
    return m_rows.storedText(QStringLiteral("strOpm"));
}

} // namespace dovra
