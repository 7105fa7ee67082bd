#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace dovra {

class Workspace;

// The waste supply forecast of one facility (tblTonnage): kilotonnes per calendar year.
// The rows are read once and kept in memory with a current row for the report writers; every edit
// is written to the data file at once, so memory and file never differ.
class clsTonnage
{
public:
    struct Row
    {
        qint64 id = 0;                    // idrTonnage_ID
        std::optional<qint64> facility;   // lngStort_REF
        std::optional<qint64> year;       // intKalJaar
        std::optional<qint64> kilotonnes; // lngTonnage
    };

    // Returned by TonnageInJaar for a year without a row.
    static constexpr float NoYear = -9.0f;

    explicit clsTonnage(Workspace& workspace) : m_workspace(&workspace) {}

    // Reads the forecast of facility lngStort_ID in year order; the first row becomes current.
    // On false (with a message) the forecast is empty and refuses edits.
    bool psubInitialiseer(long lngStort_ID);
    bool isLoaded() const { return m_loaded; }
    long facilityId() const { return m_facility; }

    // Kilotonnes of the first row of year (0 when that row has none entered); NoYear without a row.
    float TonnageInJaar(int year) const;
    // Sum of all kilotonnes; rows without an amount count as 0.
    double TotaalTonnage() const;
    long AantalRecords() const { return long(m_rows.size()); }

    // Navigation for the report writers. EOF is a C library macro, hence the trailing underscore.
    bool EOF_() const { return m_current >= m_rows.size(); }
    bool BOF() const { return m_rows.isEmpty() || m_current < 0; }
    void move_NEXT();
    void moveFirst() { m_current = 0; }
    // The current row's year and kilotonnes as text; "?" when not entered or without a current row.
    QString rapJaartalTonnage() const;
    QString rapAantalKton() const;

    // True when the years form one unbroken ascending run without repeats or empty years
    // (in any entry order); an empty forecast is valid.
    bool pfunValideerIngevoerdeData() const;

    // The rows in memory order: year order as read, added rows at the end.
    const Row& row(int index) const { return m_rows.at(index); }

    // Edits for the forecast grid. Each is one statement on the data file; on a database error the
    // user is told, false is returned and memory stays equal to the file.
    bool addRow(std::optional<qint64> year, std::optional<qint64> kilotonnes);
    bool setYear(int index, qint64 year);
    bool setKilotonnes(int index, qint64 kilotonnes);
    bool removeRow(int index);

private:
    bool update(int index, const QString& column, qint64 value);
    void reportWriteFailure() const;

    Workspace* m_workspace;
    long m_facility = 0;
    bool m_loaded = false;
    QList<Row> m_rows;
    qsizetype m_current = 0;
};

} // namespace dovra
