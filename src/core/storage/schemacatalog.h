#pragma once

#include "storage/database.h"

#include <QList>

#include <optional>

namespace dovra {

// A column as the schema declares it.
struct ColumnInfo
{
    QString name;
    QString declaredType; // e.g. "VARCHAR(50)"
    bool notNull = false;
    QString defaultSql; // the default as SQL text, empty when none
    bool primaryKey = false;

    // The declared size of a text column, e.g. 50 for "VARCHAR(50)".
    std::optional<int> declaredSize() const;
};

// Reads and changes the columns of a table. SQLite adds columns in place but cannot rename
// or drop them, so those changes rebuild the table.
class SchemaCatalog
{
public:
    explicit SchemaCatalog(Database& db) : m_db(db) {}

    bool hasTable(const QString& table) const;
    QList<ColumnInfo> columns(const QString& table) const;
    // Looks a column up by name (names compare without regard to case).
    std::optional<ColumnInfo> column(const QString& table, const QString& name) const;

    bool addColumn(const QString& table, const QString& column, const QString& definition);
    // Replaces column by a new one with definition, appended as the last column, keeping each
    // row's value, the table's other columns, its indexes and its autonumber sequence.
    bool recreateColumnAtEnd(const QString& table, const QString& column, const QString& definition);

private:
    Database& m_db;
};

QString quoteIdentifier(const QString& name);

} // namespace dovra
