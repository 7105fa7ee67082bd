#include "storage/requiredschema.h"

#include <QFile>

#include <algorithm>

namespace dovra {

RequiredSchema RequiredSchema::fromScriptFile(const QString& file)
{
    // The script is built into the program: one that cannot be run is a fault of the build.
    QFile script(file);
    if (!script.open(QIODevice::ReadOnly))
        qFatal("schema script %s is missing", qPrintable(file));
    std::unique_ptr<Database> db =
        Database::open(QStringLiteral(":memory:"), Database::OpenMode::Create, QString());
    if (!db || !db->execScript(QString::fromUtf8(script.readAll())))
        qFatal("schema script %s does not run", qPrintable(file));

    RequiredSchema schema;
    SchemaCatalog catalog(*db);
    Statement tables = db->prepare(QStringLiteral(
        "SELECT name FROM sqlite_master WHERE type = 'table' AND name NOT LIKE 'sqlite\\_%' ESCAPE '\\' "
        "ORDER BY rowid"));
    while (tables.next()) {
        Table table{tables.value(0).toString(), {}};
        for (const ColumnInfo& column : catalog.columns(table.name))
            table.columns.append(column.name);
        schema.m_tables.append(table);
    }
    return schema;
}

std::optional<QString> RequiredSchema::firstGap(const SchemaCatalog& file, OptionalColumn optional) const
{
    for (const Table& table : m_tables) {
        const QList<ColumnInfo> present = file.columns(table.name);
        if (present.isEmpty())
            return QStringLiteral("de tabel '") + table.name + QStringLiteral("' ontbreekt.");
        for (const QString& column : table.columns) {
            const bool found = std::any_of(present.begin(), present.end(), [&](const ColumnInfo& info) {
                return info.name.compare(column, Qt::CaseInsensitive) == 0;
            });
            if (!found && !(optional && optional(table.name, column)))
                return QStringLiteral("de kolom '") + column + QStringLiteral("' van tabel '") + table.name +
                       QStringLiteral("' ontbreekt.");
        }
    }
    return std::nullopt;
}

} // namespace dovra
