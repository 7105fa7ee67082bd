#pragma once

#include "storage/schemacatalog.h"

#include <QList>
#include <QStringList>

#include <optional>

namespace dovra {

// The tables and columns a file must have, as its schema script creates them. Checked when a file
// is opened, so that a damaged file is refused with a message instead of failing later without one.
class RequiredSchema
{
public:
    // The tables and columns that the schema script in file (a resource) creates.
    static RequiredSchema fromScriptFile(const QString& file);

    // A column that may be missing, e.g. because the format upgrade adds it.
    using OptionalColumn = bool (*)(const QString& table, const QString& column);

    // The first required table or column that file lacks, as a Dutch phrase ("de tabel 'x' ontbreekt");
    // empty when file has them all. One query per table.
    std::optional<QString> firstGap(const SchemaCatalog& file, OptionalColumn optional = nullptr) const;

private:
    struct Table
    {
        QString name;
        QStringList columns;
    };
    QList<Table> m_tables;
};

} // namespace dovra
