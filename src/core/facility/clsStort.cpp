#include "facility/clsStort.h"

#include "base/datatext.h"
#include "base/messageservice.h"
#include "storage/lookups.h"
#include "storage/workspace.h"

#include <QStringList>

#include <cmath>
#include <limits>

namespace dovra {

bool clsStort::initializeStort(long stort_ID)
{
    m_row.clear();
    m_columns.clear();
    m_pending.clear();
    m_db = m_workspace->dataDatabase();
    if (!m_db)
        return false;
    Statement row = m_db->prepare(QStringLiteral("SELECT * FROM tblStort WHERE idrStort_ID = ?"));
    row.bind(1, qint64(stort_ID));
    if (!row.next())
        return false;
    for (int i = 0; i < row.columnCount(); ++i) {
        const QString key = row.columnName(i).toLower();
        m_columns.insert(key, row.columnName(i));
        m_row.insert(key, row.value(i));
    }
    return true;
}

QString clsStort::columnName(const QString& name) const
{
    return m_columns.value(name.toLower());
}

QVariant clsStort::field(const QString& name) const
{
    const QString key = name.toLower();
    return m_pending.contains(key) ? m_pending.value(key) : m_row.value(key);
}

std::optional<float> clsStort::single(const QString& name) const
{
    const QVariant value = field(name);
    if (value.isNull() || value.toString().isEmpty())
        return std::nullopt;
    bool ok = false;
    const float number = value.toFloat(&ok);
    return ok ? std::optional<float>(number) : std::nullopt;
}

bool clsStort::holdsNumber(const QString& name, NumberKind kind) const
{
    const QVariant value = field(name);
    if (value.isNull() || value.toString().isEmpty())
        return true;
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (kind == NumberKind::Whole)
        return ok && number == std::trunc(number) && std::fabs(number) <= std::numeric_limits<qint32>::max();
    return ok && std::fabs(number) <= double(std::numeric_limits<float>::max());
}

void clsStort::setField(const QString& name, const QVariant& value)
{
    Q_ASSERT_X(!columnName(name).isEmpty(), "clsStort::setField", "unknown field");
    if (columnName(name).isEmpty())
        return;
    m_pending.insert(name.toLower(), value);
}

bool clsStort::Move0()
{
    if (m_pending.isEmpty() || !m_db)
        return true;
    QStringList assignments;
    QVariantList values;
    for (auto it = m_pending.cbegin(); it != m_pending.cend(); ++it) {
        assignments.append(columnName(it.key()) + QStringLiteral(" = ?"));
        // Only what was entered is stored: an empty text means not entered.
        const bool empty = it.value().typeId() == QMetaType::QString && it.value().toString().isEmpty();
        values.append(empty ? QVariant() : it.value());
    }
    values.append(qint64(stort_ID()));
    if (!m_db->exec(QStringLiteral("UPDATE tblStort SET ") + assignments.join(QStringLiteral(", ")) +
                        QStringLiteral(" WHERE idrStort_ID = ?"),
                    values))
        return false;
    // Read back what the file now holds, with its own types.
    return initializeStort(stort_ID());
}

bool clsStort::StortnaamBestaatAl(const QString& strNaam) const
{
    if (!m_db)
        return false;
    Statement query =
        m_db->prepare(QStringLiteral("SELECT 1 FROM tblStort WHERE strStortNaam = ? AND idrStort_ID <> ?"));
    query.bind(1, strNaam).bind(2, qint64(stort_ID()));
    return query.next();
}

bool clsStort::GetInfoChecklist()
{
    strStortType.clear();
    strChecklistJaar.clear();
    strOpmerking.clear();
    intChecklistPrijspeil = 0;
    std::shared_ptr<Database> checklist = m_workspace->checklistDatabase();
    if (!checklist)
        return false;
    Statement query = checklist->prepare(QStringLiteral(
        "SELECT tblStortType.strStortType, tblCL.dtmCL, tblCL.strOpmerking, tblCL.intJaarPrijspeil "
        "FROM tblStortType "
        "INNER JOIN tblCL ON tblStortType.intStortType_ID = tblCL.lngStortType_REF "
        "WHERE intCL_ID = ?"));
    query.bind(1, whole("intCL_REF"));
    if (!query.next())
        return false;
    strStortType = query.text(0).value_or(QString());
    if (const std::optional<QDate> date = query.date(1))
        strChecklistJaar = QString::number(date->year());
    strOpmerking = query.text(2).value_or(QString());
    intChecklistPrijspeil = int(query.integer(3).value_or(0));
    return true;
}

bool clsStort::checkNaamStort(const QString& name) const
{
    const QString title = QStringLiteral("Ongeldige invoer");
    if (name.isEmpty()) {
        messages().inform(QStringLiteral("Voer de naam van de inrichting in."), title,
                          MessageIcon::Exclamation);
        return false;
    }
    if (StortnaamBestaatAl(name)) {
        messages().inform(QStringLiteral("Deze naam komt al voor in het momenteel actieve databestand."),
                          title, MessageIcon::Exclamation);
        return false;
    }
    return true;
}

bool clsStort::checkDatumAanvangNazorg(const std::optional<QDate>& date)
{
    if (!date || !date->isValid()) {
        messages().inform(QStringLiteral("Ongeldige datum aanvang nazorg ingevoerd."),
                          QStringLiteral("Invoer datum aanvang nazorg"), MessageIcon::Exclamation);
        return false;
    }
    if (date->day() != 1 && date->day() != 16) {
        messages().inform(
            QStringLiteral("Ongeldige datum aanvang nazorg ingevoerd. De dag van aanvang nazorg dient de "
                           "1e of de 16e te zijn. "),
            QStringLiteral("Ongeldige datum aanvang nazorg"), MessageIcon::Exclamation);
        return false;
    }
    return true;
}

void clsStort::setBedrijfsGebonden(quint8 value)
{
    setField(QStringLiteral("bytBedrijfsGebonden"), value);
    if (value == 1)
        setField(QStringLiteral("bytObjectGebonden"), 1);
}

long clsStort::stort_ID() const
{
    return long(m_row.value(QStringLiteral("idrstort_id")).toLongLong());
}

QString clsStort::text(const char* name) const
{
    return field(QLatin1String(name)).toString();
}

qint64 clsStort::whole(const char* name) const
{
    return field(QLatin1String(name)).toLongLong();
}

QString clsStort::ProvNaam() const
{
    return pfunStrProv(prov_id());
}

QString clsStort::Bedrijfs_Objectgebonden() const
{
    return QStringLiteral("De inrichting is ") +
           (bytBedrijfsGebonden() != 0 ? QStringLiteral("bedrijfsgebonden ")
                                       : QStringLiteral("niet-bedrijfsgebonden ")) +
           (bytObjectGebonden() != 0 ? QStringLiteral("en objectgebonden. ")
                                     : QStringLiteral("en niet-objectgebonden. "));
}

std::optional<QDate> clsStort::DatumAanvangNazorg() const
{
    const QVariant value = field(QStringLiteral("dtmAanvangNazorg"));
    if (value.typeId() == QMetaType::QDate)
        return value.toDate();
    return datatext::toDate(value.toString());
}

float clsStort::AanvangNazorgGebrokenJaar() const
{
    const std::optional<QDate> date = DatumAanvangNazorg();
    if (!date) {
        messages().inform(
            QStringLiteral("Datum aanvang nazorg is niet ingevuld. U dient deze datum eerst in te vullen."),
            QStringLiteral("Datum nazorg onbekend"), MessageIcon::Information);
        return 2030.0f;
    }
    // Aftercare years start on the 1st or the 16th of a month; the 16th adds half a month.
    int half = 0;
    if (date->day() == 16) {
        half = 1;
    } else if (date->day() != 1) {
        messages().inform(
            QStringLiteral("Ongeldige datum aanvang nazorg (") + date->toString(QStringLiteral("d-M-yyyy")) +
                QStringLiteral(") ingevoerd. De dag van aanvang nazorg dient de 1e of de 16e te zijn. \n"
                               "Er zal nu worden gerekend met 1-") +
                QString::number(date->month()) + QLatin1Char('-') + QString::number(date->year()) +
                QStringLiteral(".\nPast u de datum aanvang nazorg aan via de menu-optie 'Invoer -> "
                               "Gegevens inrichting'."),
            QStringLiteral("Ongeldige datum aanvang nazorg"), MessageIcon::Exclamation);
    }
    return float(date->year() + (date->month() - 1) / 12.0 + half / 24.0);
}

std::optional<OpenFacilityState> readOpenFacility(Workspace& workspace, int id)
{
    clsStort facility(workspace);
    if (!facility.initializeStort(id))
        return std::nullopt;
    facility.GetInfoChecklist();
    OpenFacilityState open;
    open.id = int(facility.stort_ID());
    open.name = facility.NaamStort();
    open.type = facility.intStortType();
    open.checklistVersion = qint16(facility.checklist_ID());
    open.checklistYear = facility.strChecklistJaar;
    open.aftercareStart = facility.AanvangNazorgGebrokenJaar();
    return open;
}

} // namespace dovra
