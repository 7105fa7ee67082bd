#include "base/messageservice.h"
#include "storage/datafilelink.h"
#include "storage/schemacatalog.h"
#include "storage/workspace.h"

#include <algorithm>
#include <iterator>

namespace dovra {

namespace {

// A column that earlier formats lacked, and the value existing rows receive.
struct ColumnStep
{
    const char* table;
    const char* column;
    const char* definition;
    const char* fill; // SQL after "SET column", or null for no fill
};

// In this order; the eenheid step (10) has its own rule.
const ColumnStep StortSteps[] = {
    {"tblStort", "sngAppKostenPerc", "REAL", "=3"},
    {"tblStort", "sngRapEvalPerHa", "CURRENCY", "=225"},
    {"tblStort", "sngOnvoorzien", "REAL", "=10"},
    {"tblStort", "sngOntwerpdirectie", "REAL", "=12"},
    {"tblStort", "memStandaardExportDir", "TEXT COLLATE NOCASE", "='c:\\'"},
    // 1 January of the old start year.
    {"tblStort", "dtmAanvangNazorg", "DATETIME",
     "= CASE WHEN intJaarNazorg > 0 THEN printf('%04d-01-01', intJaarNazorg) END"},
    {"tblStort", "sngRapEvalMin", "CURRENCY", "= 3500"},
    {"tblStort", "sngRapEvalMax", "CURRENCY", "= 9000"},
    {"tblStort", "bytRapEval", "TINYINT", "=0"},
};

const ColumnStep ActSteps[] = {
    {"tblAct", "bytCombineer", "TINYINT NOT NULL DEFAULT 0", "=0"},
    {"tblAct", "bytTypeVervangingsToeslag", "TINYINT NOT NULL DEFAULT 0", "=0"},
    {"tblAct", "sngVervangingsToeslagPerc", "REAL", nullptr},
};

const char* const StartDateColumn = "dtmAanvangNazorg";
const QString UnitTable = QStringLiteral("tblAct");
const QString UnitColumn = QStringLiteral("strEenheid");
const QString UnitDefinition = QStringLiteral("VARCHAR(50) COLLATE NOCASE");
constexpr int OldUnitSize = 20;

bool fill(Database& db, const ColumnStep& step)
{
    if (!step.fill)
        return true;
    return db.execScript(QStringLiteral("UPDATE ") + quoteIdentifier(QLatin1String(step.table)) +
                         QStringLiteral(" SET ") + quoteIdentifier(QLatin1String(step.column)) +
                         QLatin1String(step.fill));
}

bool applyStep(Database& db, SchemaCatalog& catalog, const ColumnStep& step)
{
    const QString table = QLatin1String(step.table);
    const QString column = QLatin1String(step.column);
    if (catalog.column(table, column))
        return true;
    if (!catalog.addColumn(table, column, QLatin1String(step.definition)))
        return false;
    if (qstrcmp(step.column, StartDateColumn) != 0)
        return fill(db, step);

    // A start date that cannot be derived is not worth refusing the whole file for:
    // the user is told to check the dates.
    Transaction fillTransaction(db);
    if (fill(db, step) && fillTransaction.commit())
        return true;
    messages().inform(
        QStringLiteral("Fout bij automatisch invullen datum aanvang nazorg. Controleer de datums "
                       "aanvang nazorg in alle stortplaatsen in deze dataset."),
        QStringLiteral("Aanmaken veld 'datum aanvang nazorg'"), MessageIcon::Exclamation);
    return true;
}

// Units used to be limited to 20 characters; the column now holds 50.
bool widenUnitColumn(SchemaCatalog& catalog)
{
    const std::optional<ColumnInfo> unit = catalog.column(UnitTable, UnitColumn);
    if (!unit)
        return catalog.addColumn(UnitTable, UnitColumn, UnitDefinition);
    if (unit->declaredSize() != OldUnitSize)
        return true;
    return catalog.recreateColumnAtEnd(UnitTable, UnitColumn, UnitDefinition);
}

bool upgradeColumns(Database& db)
{
    SchemaCatalog catalog(db);
    for (const ColumnStep& step : StortSteps) {
        if (!applyStep(db, catalog, step))
            return false;
    }
    if (!widenUnitColumn(catalog))
        return false;
    for (const ColumnStep& step : ActSteps) {
        if (!applyStep(db, catalog, step))
            return false;
    }
    return true;
}

// Writes the program's version number as the file's format; true when it had to change.
std::optional<bool> stampFormatVersion(Database& db, int programNumber)
{
    Statement query = db.prepare(QStringLiteral("SELECT strSYSvalue FROM tblSYS WHERE strSYS_ID = ?"));
    query.bind(1, QStringLiteral("versie"));
    if (!query.next())
        return query.failed() ? std::nullopt : std::optional<bool>(false);
    if (query.value(0).toString().trimmed() == QString::number(programNumber))
        return false;
    if (!db.exec(QStringLiteral("UPDATE tblSYS SET strSYSvalue = ? WHERE strSYS_ID = ?"),
                 {QString::number(programNumber), QStringLiteral("versie")}))
        return std::nullopt;
    return true;
}

} // namespace

bool addedByUpgrade(const QString& table, const QString& column)
{
    const auto is = [&](QStringView stepTable, QStringView stepColumn) {
        return table.compare(stepTable, Qt::CaseInsensitive) == 0 &&
               column.compare(stepColumn, Qt::CaseInsensitive) == 0;
    };
    const auto matches = [&](const ColumnStep& step) {
        return is(QString::fromLatin1(step.table), QString::fromLatin1(step.column));
    };
    return is(UnitTable, UnitColumn) || std::any_of(std::begin(StortSteps), std::end(StortSteps), matches) ||
           std::any_of(std::begin(ActSteps), std::end(ActSteps), matches);
}

bool UpgradeDataFile(Workspace& workspace)
{
    std::shared_ptr<Database> db = workspace.dataDatabase();
    bool upgraded = false;
    bool ok = false;
    if (db) {
        // All or nothing: a file is never left half converted.
        Transaction transaction(*db);
        std::optional<bool> stamped;
        ok = transaction.isActive() && upgradeColumns(*db) &&
             (stamped = stampFormatVersion(*db, workspace.version().number())).has_value() &&
             transaction.commit();
        upgraded = ok && *stamped;
    }
    if (!ok) {
        qWarning("upgrade of %s failed: %s", qPrintable(workspace.dataFilePath()),
                 db ? qPrintable(db->lastError()) : "no connection");
        messages().inform(
            QStringLiteral("Het databestand ") + workspace.dataFilePath() +
                QStringLiteral(" kon niet worden bijgewerkt naar het format van de huidige DOVRA "
                               "versie. Het bestand is niet gewijzigd en de koppeling is niet "
                               "ingesteld."),
            QStringLiteral("Upgraden databestand"), MessageIcon::Critical);
        return false;
    }
    if (upgraded) {
        messages().inform(
            QStringLiteral("Het databestand is bijgewerkt naar het format van de huidige DOVRA versie."),
            QStringLiteral("Upgraden databestand"), MessageIcon::Information);
    }
    return true;
}

} // namespace dovra
