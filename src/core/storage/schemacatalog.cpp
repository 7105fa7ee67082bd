#include "storage/schemacatalog.h"

#include <QRegularExpression>
#include <QStringList>

namespace dovra {

QString quoteIdentifier(const QString& name)
{
    QString quoted = name;
    quoted.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

std::optional<int> ColumnInfo::declaredSize() const
{
    static const QRegularExpression size(QStringLiteral("\\(\\s*(\\d+)\\s*\\)"));
    const auto match = size.match(declaredType);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1).toInt();
}

bool SchemaCatalog::hasTable(const QString& table) const
{
    Statement query =
        m_db.prepare(QStringLiteral("SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = ?"));
    query.bind(1, table);
    return query.next();
}

QList<ColumnInfo> SchemaCatalog::columns(const QString& table) const
{
    QList<ColumnInfo> result;
    Statement query =
        m_db.prepare(QStringLiteral("PRAGMA table_info(") + quoteIdentifier(table) + QLatin1Char(')'));
    while (query.next()) {
        ColumnInfo info;
        info.name = query.value(1).toString();
        info.declaredType = query.value(2).toString();
        info.notNull = query.value(3).toLongLong() != 0;
        info.defaultSql = query.value(4).toString();
        info.primaryKey = query.value(5).toLongLong() != 0;
        result.append(info);
    }
    return result;
}

std::optional<ColumnInfo> SchemaCatalog::column(const QString& table, const QString& name) const
{
    for (const ColumnInfo& info : columns(table)) {
        if (info.name.compare(name, Qt::CaseInsensitive) == 0)
            return info;
    }
    return std::nullopt;
}

bool SchemaCatalog::addColumn(const QString& table, const QString& column, const QString& definition)
{
    return m_db.execScript(QStringLiteral("ALTER TABLE ") + quoteIdentifier(table) +
                           QStringLiteral(" ADD COLUMN ") + quoteIdentifier(column) + QLatin1Char(' ') +
                           definition);
}

namespace {

QString columnDefinition(const ColumnInfo& info, bool autoIncrement)
{
    QString definition = quoteIdentifier(info.name) + QLatin1Char(' ') + info.declaredType;
    if (info.primaryKey)
        return definition + (autoIncrement ? QStringLiteral(" PRIMARY KEY AUTOINCREMENT")
                                           : QStringLiteral(" PRIMARY KEY"));
    const QString type = info.declaredType.toUpper();
    if (type.contains(QLatin1String("CHAR")) || type.contains(QLatin1String("TEXT")) ||
        type.contains(QLatin1String("CLOB")))
        definition += QStringLiteral(" COLLATE NOCASE");
    if (info.notNull)
        definition += QStringLiteral(" NOT NULL");
    if (!info.defaultSql.isEmpty())
        definition += QStringLiteral(" DEFAULT ") + info.defaultSql;
    return definition;
}

// Reads are finished before the table is dropped: SQLite refuses to drop a table while a
// statement on the connection is still running.
QVariant firstValue(Database& db, const QString& sql, const QString& parameter)
{
    Statement query = db.prepare(sql);
    query.bind(1, parameter);
    return query.next() ? query.value(0) : QVariant();
}

QStringList indexDefinitions(Database& db, const QString& table)
{
    QStringList definitions;
    Statement indexes = db.prepare(QStringLiteral(
        "SELECT sql FROM sqlite_master WHERE type = 'index' AND tbl_name = ? AND sql IS NOT NULL"));
    indexes.bind(1, table);
    while (indexes.next())
        definitions.append(indexes.value(0).toString());
    return definitions;
}

} // namespace

bool SchemaCatalog::recreateColumnAtEnd(const QString& table, const QString& column,
                                        const QString& definition)
{
    const QList<ColumnInfo> all = columns(table);
    if (all.isEmpty())
        return false;

    const bool autoIncrement =
        firstValue(m_db, QStringLiteral("SELECT sql FROM sqlite_master WHERE type = 'table' AND name = ?"),
                   table)
            .toString()
            .contains(QLatin1String("AUTOINCREMENT"), Qt::CaseInsensitive);
    const QStringList indexSql = indexDefinitions(m_db, table);
    std::optional<qint64> sequence;
    if (autoIncrement) {
        const QVariant seq =
            firstValue(m_db, QStringLiteral("SELECT seq FROM sqlite_sequence WHERE name = ?"), table);
        if (!seq.isNull())
            sequence = seq.toLongLong();
    }

    QStringList definitions;
    QStringList kept;
    for (const ColumnInfo& info : all) {
        if (info.name.compare(column, Qt::CaseInsensitive) == 0)
            continue;
        definitions.append(columnDefinition(info, autoIncrement));
        kept.append(quoteIdentifier(info.name));
    }
    definitions.append(quoteIdentifier(column) + QLatin1Char(' ') + definition);

    const QString rebuilt = table + QStringLiteral("__rebuild");
    const QString copiedColumns =
        kept.join(QStringLiteral(", ")) + QStringLiteral(", ") + quoteIdentifier(column);
    QStringList script{
        QStringLiteral("CREATE TABLE ") + quoteIdentifier(rebuilt) + QStringLiteral(" (") +
            definitions.join(QStringLiteral(", ")) + QLatin1Char(')'),
        QStringLiteral("INSERT INTO ") + quoteIdentifier(rebuilt) + QStringLiteral(" (") + copiedColumns +
            QStringLiteral(") SELECT ") + copiedColumns + QStringLiteral(" FROM ") + quoteIdentifier(table),
        QStringLiteral("DROP TABLE ") + quoteIdentifier(table),
        QStringLiteral("ALTER TABLE ") + quoteIdentifier(rebuilt) + QStringLiteral(" RENAME TO ") +
            quoteIdentifier(table),
    };
    script.append(indexSql);

    Transaction transaction(m_db);
    for (const QString& sql : std::as_const(script)) {
        if (!m_db.execScript(sql))
            return false;
    }
    // Keep the autonumber counter, so that ids of deleted rows are never given out again.
    if (sequence && !(m_db.exec(QStringLiteral("DELETE FROM sqlite_sequence WHERE name = ?"), {table}) &&
                      m_db.exec(QStringLiteral("INSERT INTO sqlite_sequence (name, seq) VALUES (?, ?)"),
                                {table, *sequence})))
        return false;
    return transaction.commit();
}

} // namespace dovra
