#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>

#include <vector>

namespace dovra {

class Database;

// The cost items of one facility joined with their provision and its object category, read once in a
// fixed order and then walked like a record set. Values are as stored (Null for a missing value).
class CostItemRows
{
public:
    // `orderBy` is one of the report orders (a fixed clause, never user input). False when the rows
    // cannot be read.
    bool open(Database& data, qint64 facilityId, const QString& orderBy);

    int count() const { return int(m_rows.size()); }
    bool GaNaarEersteRecord();
    bool GaNaarVolgendeRecord();
    // EOF is a C library macro, hence the trailing underscore.
    bool EOF_() const { return m_current >= m_rows.size(); }

    // The current row's field; names compare without regard to case. Null past the end or for an
    // unknown field.
    QVariant field(const QString& name) const;
    // Null and an empty text both count as not entered.
    bool isEmpty(const QString& name) const;
    // The same as a whole number, 0 when empty.
    qint64 whole(const QString& name) const;
    // The same as text, "" when empty.
    QString text(const QString& name) const;
    // The same as the reports write a stored number: "?" when empty, a whole number as such, a single as
    // its own digits without grouping, with the user's decimal separator (a Dutch reader takes "12.75" for
    // twelve hundred and seventy-five).
    QString storedText(const QString& name) const;

    // Texts both reports share for the current cost item.
    bool isCombined() const;          // member of a combination post
    QString frequencyText() const;    // "eenm.", "X x per jr", "1x per X jr"
    QString perpetualEndText() const; // until further notice: "-" for a one-off item, else "oo"

private:
    QStringList m_columns; // lower case
    std::vector<QVariantList> m_rows;
    std::size_t m_current = 0;
};

} // namespace dovra
