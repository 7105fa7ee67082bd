#pragma once

#include <QString>
#include <QVariant>

#include <optional>
#include <vector>

namespace dovra::exchange {

// A record set as the exchange files hold it (the XML persistence format of ADO record sets): fields
// with their types, rows, and chapters of child rows nested in each row.

// The data types a field can have in the format's schema.
enum class FieldType
{
    String,   // "string" (or no type at all); rs:long for long texts
    UInt8,    // "ui1"
    Int16,    // "i2"
    Int32,    // "int", "i4"
    Int64,    // "i8"
    Float32,  // "r4"
    Float64,  // "float", "r8"
    Currency, // "number" with rs:dbtype "currency": four decimals
    Numeric,  // "number" with rs:dbtype "numeric"
    Boolean,  // "boolean"
    DateTime  // "dateTime"
};

struct Field
{
    QString name;      // the column's name (rs:name when the attribute is an alias)
    QString attribute; // the attribute that holds it in a row
    int number = 0;    // rs:number, the column's position from 1
    FieldType type = FieldType::String;
    int maxLength = 0;          // dt:maxLength; 0 when not given
    bool longData = false;      // rs:long
    int precision = 0;          // rs:precision
    int scale = 0;              // rs:scale
    bool nullable = true;       // rs:nullable
    bool maybeNull = true;      // rs:maybenull
    bool fixedLength = false;   // rs:fixedlength
    bool writeUnknown = true;   // rs:writeunknown
    bool autoIncrement = false; // rs:autoincrement
    bool keyColumn = false;     // rs:keycolumn
    QString baseTable;          // rs:basetable
    QString baseColumn;         // rs:basecolumn
};

struct RecordSet;

// A chapter: a field whose value in each row is a set of child rows, related by a field of the parent to
// a field of the child.
struct Chapter
{
    QString name;        // e.g. "rsAct"
    QString parentField; // rs:relation, e.g. "idrInrichting_ID"
    QString childField;  // e.g. "lngInrichting_REF"
};

struct Row
{
    // Per field in field order: a QString, int (ui1, i2, i4), qint64, float, double (r8, currency,
    // numeric), bool or QDateTime; Null when the row has no value for it.
    std::vector<QVariant> values;
    // Per chapter of the record set, in chapter order: the child rows nested in this row.
    std::vector<std::vector<Row>> children;
};

struct RecordSet
{
    std::vector<Field> fields; // ordered by number
    std::vector<Chapter> chapters;
    // The schema of each chapter's child rows, in chapter order (no rows of their own).
    std::vector<RecordSet> chapterSchemas;
    std::vector<Row> rows;

    // The index of the field of that name (compared without regard to case), or none.
    std::optional<std::size_t> fieldIndex(const QString& name) const;
};

} // namespace dovra::exchange
