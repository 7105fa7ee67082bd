#include "reports/dvreportrows.h"

#include "base/formats.h"
#include "base/messageservice.h"
#include "calc/clsDV.h"
#include "model/options.h"
#include "storage/workspace.h"

#include <array>

namespace dovra {

namespace {

// Names sort without regard to case; the item id keeps the phases of one cost item (rows of the same
// name) in the order they were entered.
const QString ByCategory = QStringLiteral(
    "bytObjectCat_REF, strObject COLLATE NOCASE, bytRubriek_REF, strAct COLLATE NOCASE, idrAct_ID");

QString orderClause(DVGrouping grouping)
{
    switch (grouping) {
    case DVGrouping::Rubriek:
        return QStringLiteral(
            "bytRubriek_REF, bytObjectCat_REF, strObject COLLATE NOCASE, strAct COLLATE NOCASE, idrAct_ID");
    case DVGrouping::Talvo:
        return QStringLiteral("bytIsTALVO DESC, ") + ByCategory;
    case DVGrouping::Voorziening:
        break;
    }
    return ByCategory;
}

QString originName(int code)
{
    static const std::array<const char*, 3> names{"Door gebruiker gedefinieerd", "Checklistposten",
                                                  "Checklistposten, niet conform criteria"};
    if (code < 0 || code >= int(names.size()))
        return {};
    return QString::fromUtf8(names[std::size_t(code)]);
}

// A stored single in its ordinary text, with the separators of the amounts beside it.
QString singleText(const CostItemRows& rows, const QString& field)
{
    return rows.isEmpty(field) ? QStringLiteral("?") : formats::ordinaryText(rows.field(field).toFloat());
}

float single(const CostItemRows& rows, const QString& field)
{
    return rows.field(field).toFloat();
}

QString euros(float amount, const char* pattern)
{
    return formats::number(double(amount), QString::fromUtf8(pattern));
}

} // namespace

DVReportRows::DVReportRows(Workspace& workspace, const clsDV& calculation)
    : m_workspace(&workspace), m_dv(calculation), m_checklist(workspace)
{
}

QString DVReportRows::rapSorteerVeldNaam(DVGrouping grouping)
{
    switch (grouping) {
    case DVGrouping::Rubriek:
        return QStringLiteral("bytRubriek_REF");
    case DVGrouping::Talvo:
        return QStringLiteral("bytIsTALVO");
    case DVGrouping::Voorziening:
        break;
    }
    return QStringLiteral("bytObjectCat_REF");
}

bool DVReportRows::rapOpenActRecordset(DVGrouping grouping)
{
    m_grouping = grouping;
    leaveRow();
    // Built once, so that finding a row does not search all items again; the first index of an id
    // wins, as a search from the start would find it.
    m_indexById.clear();
    for (int index = m_dv.AantalKostenposten() - 1; index >= 0; --index)
        m_indexById.insert(m_dv.itemId(index), index);
    const std::shared_ptr<Database> data = m_workspace->dataDatabase();
    return data && m_rows.open(*data, m_dv.facilityId(), orderClause(grouping));
}

int DVReportRows::count() const
{
    return m_rows.count();
}

bool DVReportRows::GaNaarEersteRecord()
{
    leaveRow();
    return m_rows.GaNaarEersteRecord();
}

bool DVReportRows::GaNaarVolgendeRecord()
{
    leaveRow();
    return m_rows.GaNaarVolgendeRecord();
}

bool DVReportRows::EOF_() const
{
    return m_rows.EOF_();
}

bool DVReportRows::rapActiveerDV_ID()
{
    const long id = long(m_rows.whole(QStringLiteral("idrAct_ID")));
    m_index = m_indexById.value(id, -1);
    if (m_index >= 0)
        return true;
    messages().inform(
        QStringLiteral("Doelvermogen-ID ") + QString::number(id) + QStringLiteral(" niet gevonden."),
        QStringLiteral("Fout in rapActiveerDV_ID ") + m_dv.facilityName(), MessageIcon::Critical);
    return false;
}

int DVReportRows::rapSorteerVeldwaardeID() const
{
    return int(m_rows.whole(rapSorteerVeldNaam(m_grouping)));
}

QString DVReportRows::rapSorteerVeldwaardeString() const
{
    switch (m_grouping) {
    case DVGrouping::Rubriek:
        return RubriekNaam(rapSorteerVeldwaardeID());
    case DVGrouping::Talvo:
        return originName(rapSorteerVeldwaardeID());
    case DVGrouping::Voorziening:
        break;
    }
    return m_rows.text(QStringLiteral("strObjectCat"));
}

int DVReportRows::rapIsTALVO()
{
    m_failedStart = m_failedEnd = m_failedCost = m_failedFrequency = false;
    const int code = int(m_rows.whole(QStringLiteral("bytIsTALVO")));
    if (code == Conformity::OutsideCriteria)
        checkCriteria();
    return code;
}

// Which of the row's values fall outside the criteria of its checklist item (shown in italics).
void DVReportRows::checkCriteria()
{
    if (!m_checklistRead) {
        m_checklist.initializeCL(m_dv.checklistVersion());
        m_checklistRead = true;
    }
    if (!m_checklist.GaNaarItem(long(m_rows.whole(QStringLiteral("lngClitem_REF"))))) {
        messages().inform(QStringLiteral("Checklistpost ") + m_rows.text(QStringLiteral("lngClitem_REF")) +
                              QStringLiteral(" is niet (meer) aanwezig in de checklist."),
                          applicationTitle(), MessageIcon::Critical);
        return;
    }
    auto f = [this](const char* name) {
        return m_rows.field(QLatin1String(name));
    };
    m_failedStart = !m_checklist.VerifyCL_JaarStart(f("bytOptieStart"), f("bytStartBA"), f("intStartAbs"),
                                                    f("intStartRel"), f("intStartBA"), m_dv.aanvangNazorg());
    m_failedEnd = !m_checklist.VerifyCL_JaarEind(f("bytOptieEind"), f("bytEindBA"), f("intEindAbs"),
                                                 f("intEindRel"), f("intEindBA"), m_dv.aanvangNazorg());
    m_failedCost =
        !m_checklist.VerifyCL_Kosten(f("bytOptieKosten"), f("sngPercInvest"), f("sngKostenInvest"),
                                     f("sngKostenTotaal"), f("sngKostenPE"), f("strEenheid"), f("sngAantal"));
    m_failedFrequency = !m_checklist.VerifyCL_Freq(f("bytOptieFreq"), f("intFreqX"));
}

// Moving on forgets the row's place in the calculation and its check results.
void DVReportRows::leaveRow()
{
    m_index = -1;
    m_failedStart = m_failedEnd = m_failedCost = m_failedFrequency = false;
}

bool DVReportRows::isCombined() const
{
    return m_rows.isCombined();
}

QString DVReportRows::rapKostenpost() const
{
    return m_rows.text(QStringLiteral("strAct"));
}

QString DVReportRows::rapVoorz() const
{
    return m_rows.text(QStringLiteral("strObject"));
}

QString DVReportRows::rapKalJaarAanlegBA() const
{
    if (isCombined())
        return QStringLiteral("-");
    if (m_rows.whole(QStringLiteral("bytStartBA")) != 1)
        return {};
    switch (m_rows.whole(QStringLiteral("bytOptieStart"))) {
    case StartOption::CalendarYear:
        return m_rows.storedText(QStringLiteral("intStartAbs"));
    case StartOption::AftercareYear:
        return QStringLiteral("naz.jr. ") + m_rows.storedText(QStringLiteral("intStartRel"));
    default:
        return {};
    }
}

QString DVReportRows::rapTstart() const
{
    if (isCombined())
        return QStringLiteral("-");
    const QString first = m_index < 0 ? QString() : m_dv.itemEersteJaar(m_index).toString();
    if (m_rows.whole(QStringLiteral("bytOptieStart")) == StartOption::CalendarYear &&
        m_rows.whole(QStringLiteral("bytStartBA")) != 1)
        return first + QStringLiteral(" (") + m_rows.storedText(QStringLiteral("intStartAbs")) +
               QLatin1Char(')');
    return first;
}

QString DVReportRows::rapTeind() const
{
    if (isCombined())
        return QStringLiteral("-");
    const QString last = m_index < 0 ? QString() : m_dv.itemLaatsteJaar(m_index).toString();
    if (m_rows.whole(QStringLiteral("bytEindBA")) == 1)
        return last;
    switch (m_rows.whole(QStringLiteral("bytOptieEind"))) {
    case EndOption::CalendarYear:
        return last + QStringLiteral(" (") + m_rows.storedText(QStringLiteral("intEindAbs")) +
               QLatin1Char(')');
    case EndOption::AftercareYear:
        return last;
    case EndOption::Perpetual:
        return m_rows.perpetualEndText();
    default:
        return {};
    }
}

QString DVReportRows::rapFreq() const
{
    return isCombined() ? QStringLiteral("-") : m_rows.frequencyText();
}

QString DVReportRows::rapPrijsPerKeer() const
{
    if (isCombined())
        return QStringLiteral("zie combinatiepost");
    switch (m_rows.whole(QStringLiteral("bytOptieKosten"))) {
    case CostOption::PercentageOfInvestment: {
        const float investment = single(m_rows, QStringLiteral("sngKostenInvest"));
        const float amount = single(m_rows, QStringLiteral("sngPercInvest")) / 100 * investment;
        return singleText(m_rows, QStringLiteral("sngPercInvest")) + QStringLiteral("% x") +
               euros(investment, "€ #,##0") + QStringLiteral(" = ") + euros(amount, "€ #,##0");
    }
    case CostOption::TotalAmount:
        return euros(single(m_rows, QStringLiteral("sngKostenTotaal")), "€ #,##0.00");
    case CostOption::PerUnit: {
        const float unitPrice = single(m_rows, QStringLiteral("sngKostenPE"));
        const float amount = single(m_rows, QStringLiteral("sngAantal")) * unitPrice;
        return singleText(m_rows, QStringLiteral("sngAantal")) + QStringLiteral(" x ") +
               euros(unitPrice, "€ 0.00") + QLatin1Char('/') + m_rows.text(QStringLiteral("strEenheid")) +
               QStringLiteral(" = ") + euros(amount, "€ #,##0");
    }
    default:
        return {};
    }
}

float DVReportRows::rapNCWFactorX() const
{
    return m_index < 0 ? 0 : m_dv.itemFactor(m_index).toFloat();
}

float DVReportRows::amountPerOccurrence() const
{
    return m_index < 0 ? 0 : m_dv.itemAmount(m_index);
}

int DVReportRows::rubric() const
{
    return int(m_rows.whole(QStringLiteral("bytRubriek_REF")));
}

QString DVReportRows::originText() const
{
    return originName(int(m_rows.whole(QStringLiteral("bytIsTALVO"))));
}

float DVReportRows::rapNCW() const
{
    return m_index < 0 ? 0 : m_dv.itemNCW(m_index);
}

float DVReportRows::rapFractieVanTotaalDV() const
{
    return m_dv.rapFractieVanTotaalDV(rapNCW());
}

} // namespace dovra
