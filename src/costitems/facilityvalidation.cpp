#include "costitems/facilityvalidation.h"

#include "checklist/clsCL.h"
#include "costitems/completeness.h"
#include "shell/appstate.h"
#include "store/database.h"
#include "ui/messageservice.h"

#include <QHash>

namespace dovra {

namespace {

// One row of a joined query, read by field name.
class StatementRow : public FieldSource
{
public:
    explicit StatementRow(const Statement& statement) : m_statement(statement)
    {
        for (int i = 0; i < statement.columnCount(); ++i)
            m_columns.insert(statement.columnName(i).toLower(), i);
    }
    QVariant field(const QString& name) const override
    {
        // The checks ask for the same names on every row: remember each name's column.
        auto known = m_byName.constFind(name);
        if (known == m_byName.constEnd())
            known = m_byName.insert(name, m_columns.value(name.toLower(), -1));
        return *known < 0 ? QVariant() : m_statement.value(*known);
    }

private:
    const Statement& m_statement;
    QHash<QString, int> m_columns;
    mutable QHash<QString, int> m_byName;
};

// Whether the facility's checklist version sets the replacement surcharge per item.
bool usesDifferentiatedSurcharges(Database& data, int facilityId)
{
    Statement version = data.prepare(QStringLiteral("SELECT intCL_REF FROM tblStort WHERE idrStort_ID = ?"));
    version.bind(1, facilityId);
    if (!version.next())
        return false;
    return clsCL::GebruikGedifferentieerdeToeslagB(int(version.integer(0).value_or(0)));
}

} // namespace

bool ValidateFacilityInput(int facilityId, const QString& name)
{
    const QString title = QStringLiteral("Validatie invoer inrichting '") + name + QLatin1Char('\'');
    std::shared_ptr<Database> data = appState().dataDatabase();
    if (!data)
        return false;
    const bool gediffToeslag = usesDifferentiatedSurcharges(*data, facilityId);

    Statement rows = data->prepare(QStringLiteral(
        "SELECT tblAct.*, tblInrichting.strObject FROM tblInrichting INNER JOIN tblAct "
        "ON tblInrichting.idrInrichting_ID = tblAct.lngInrichting_REF WHERE tblAct.lngStort_REF = ?"));
    rows.bind(1, facilityId);
    const StatementRow row(rows);
    bool any = false;
    while (rows.next()) {
        any = true;
        if (verify_ansich(row, gediffToeslag))
            continue;
        messages().inform(
            QStringLiteral("Bij een of meer kostenposten is de invoer nog niet volledig ('rood stopbord' in "
                           "formulier 'Voorzieningen en kostenposten').\r\n\r\nKostenpost: \r\n\t") +
                row.field(QStringLiteral("strObject")).toString() + QStringLiteral(" --> ") +
                row.field(QStringLiteral("strAct")).toString() +
                QStringLiteral("\r\n\r\nVoer de gegevens van de kostenposten eerst volledig in."),
            title, MessageIcon::Exclamation);
        return false;
    }
    if (rows.failed())
        return false;
    if (!any) {
        messages().inform(
            QStringLiteral("Er zijn geen voorzieningen en kostenposten ingevoerd bij deze inrichting."),
            title, MessageIcon::Exclamation);
        return false;
    }
    return true;
}

} // namespace dovra
