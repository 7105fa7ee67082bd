#include "facility/clsTonnage.h"

#include "base/messageservice.h"
#include "storage/database.h"
#include "storage/workspace.h"

#include <algorithm>

namespace dovra {

namespace {
const QString ForecastTitle = QStringLiteral("Prognose afvalaanbod");

QString valueText(const std::optional<qint64>& value)
{
    return value ? QString::number(*value) : QStringLiteral("?");
}
} // namespace

bool clsTonnage::psubInitialiseer(long lngStort_ID)
{
    m_facility = lngStort_ID;
    m_rows.clear();
    m_current = 0;
    m_loaded = false;

    std::shared_ptr<Database> data = m_workspace->dataDatabase();
    if (data) {
        Statement query = data->prepare(
            QStringLiteral("SELECT idrTonnage_ID, lngStort_REF, intKalJaar, lngTonnage FROM tblTonnage "
                           "WHERE lngStort_REF = ? ORDER BY intKalJaar"));
        query.bind(1, qint64(lngStort_ID));
        while (query.next())
            m_rows.append(
                {query.integer(0).value_or(0), query.integer(1), query.integer(2), query.integer(3)});
        m_loaded = !query.failed();
    }
    if (!m_loaded) {
        // A partly read forecast must not be shown or edited as if it were complete.
        m_rows.clear();
        messages().inform(
            QStringLiteral("De prognose afvalaanbod kon niet worden gelezen uit het databestand."),
            ForecastTitle, MessageIcon::Critical);
    }
    return m_loaded;
}

float clsTonnage::TonnageInJaar(int year) const
{
    for (const Row& entry : m_rows) {
        if (entry.year == year)
            return float(entry.kilotonnes.value_or(0));
    }
    return NoYear;
}

double clsTonnage::TotaalTonnage() const
{
    // In double: stored amounts need not be within the range the screen allows, and may not wrap.
    double total = 0;
    for (const Row& entry : m_rows)
        total += double(entry.kilotonnes.value_or(0));
    return total;
}

void clsTonnage::move_NEXT()
{
    if (m_current < m_rows.size())
        ++m_current;
}

QString clsTonnage::rapJaartalTonnage() const
{
    return EOF_() || BOF() ? QStringLiteral("?") : valueText(m_rows[m_current].year);
}

QString clsTonnage::rapAantalKton() const
{
    return EOF_() || BOF() ? QStringLiteral("?") : valueText(m_rows[m_current].kilotonnes);
}

bool clsTonnage::pfunValideerIngevoerdeData() const
{
    if (m_rows.isEmpty())
        return true;
    QList<std::optional<qint64>> years;
    for (const Row& entry : m_rows)
        years.append(entry.year);
    // An empty optional sorts first, so an empty year anywhere ends up at the start.
    std::sort(years.begin(), years.end());
    if (!years.first())
        return false;
    qint64 previous = *years.first() - 1;
    for (const std::optional<qint64>& year : years) {
        if (*year != previous + 1)
            return false; // a repeat or a gap
        previous = *year;
    }
    return true;
}

bool clsTonnage::addRow(std::optional<qint64> year, std::optional<qint64> kilotonnes)
{
    std::shared_ptr<Database> data = m_loaded ? m_workspace->dataDatabase() : nullptr;
    const auto bound = [](const std::optional<qint64>& value) {
        return value ? QVariant(*value) : QVariant();
    };
    if (!data || !data->exec(QStringLiteral("INSERT INTO tblTonnage (lngStort_REF, intKalJaar, lngTonnage) "
                                            "VALUES (?, ?, ?)"),
                             {qint64(m_facility), bound(year), bound(kilotonnes)})) {
        reportWriteFailure();
        return false;
    }
    m_rows.append({data->lastInsertId(), qint64(m_facility), year, kilotonnes});
    return true;
}

bool clsTonnage::setYear(int index, qint64 year)
{
    if (!update(index, QStringLiteral("intKalJaar"), year))
        return false;
    m_rows[index].year = year;
    return true;
}

bool clsTonnage::setKilotonnes(int index, qint64 kilotonnes)
{
    if (!update(index, QStringLiteral("lngTonnage"), kilotonnes))
        return false;
    m_rows[index].kilotonnes = kilotonnes;
    return true;
}

bool clsTonnage::removeRow(int index)
{
    if (index < 0 || index >= m_rows.size())
        return false;
    std::shared_ptr<Database> data = m_loaded ? m_workspace->dataDatabase() : nullptr;
    if (!data ||
        !data->exec(QStringLiteral("DELETE FROM tblTonnage WHERE idrTonnage_ID = ?"), {m_rows[index].id})) {
        reportWriteFailure();
        return false;
    }
    m_rows.removeAt(index);
    // The current row stays on the same record; deleting it makes the next one current.
    if (index < m_current)
        --m_current;
    return true;
}

bool clsTonnage::update(int index, const QString& column, qint64 value)
{
    if (index < 0 || index >= m_rows.size())
        return false;
    std::shared_ptr<Database> data = m_loaded ? m_workspace->dataDatabase() : nullptr;
    if (!data || !data->exec(QStringLiteral("UPDATE tblTonnage SET ") + column +
                                 QStringLiteral(" = ? WHERE idrTonnage_ID = ?"),
                             {value, m_rows[index].id})) {
        reportWriteFailure();
        return false;
    }
    return true;
}

void clsTonnage::reportWriteFailure() const
{
    messages().inform(QStringLiteral("De prognose kon niet worden opgeslagen. Er is niets gewijzigd."),
                      ForecastTitle, MessageIcon::Critical);
}

} // namespace dovra
