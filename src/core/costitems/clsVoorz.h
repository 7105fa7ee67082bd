#pragma once

#include <QList>
#include <QString>

#include <optional>

namespace dovra {

class Workspace;

// The provisions (tblInrichting) of one facility, in category and name order, kept in memory
// with a current row. Every edit is written to the data file at once.
class clsVoorz
{
public:
    struct Row
    {
        long id = 0;                    // idrInrichting_ID
        std::optional<qint64> category; // bytObjectCat_REF
        QString name;                   // strObject
    };

    // The provisions of facility facilityId in the workspace's data file.
    clsVoorz(Workspace& workspace, long facilityId);

    // Reads the provisions; the first row becomes current. False when the data file cannot be read
    // (no provisions then).
    bool initialize();
    long AantalRecords() const { return long(m_rows.size()); }

    // Makes provision id current. When it is not in memory the rows are read again (another
    // screen may have added it); when it is still missing the user is told and the current row
    // stays as it was.
    bool ActiveerID(long id);

    // The id of the first provision of the facility with this category and name (letter case as
    // the data file compares it); 0 when there is none.
    long ZoekIDvanVoorz(int category, const QString& name) const;
    // Adds a provision to the facility and makes it current; its id, 0 when it could not be
    // stored.
    long VoegVoorzieningToe(int category, const QString& name);
    // Renames the current provision; an empty name is refused with a message.
    bool HernoemVoorzNaam(const QString& newName);
    // Deletes the current provision; the rows are read again and the first becomes current.
    bool verwijderVoorz();

    // Navigation. EOF is a C library macro, hence the trailing underscore.
    bool EOF_() const { return m_current >= m_rows.size(); }
    void moveNext();
    void moveFirst() { m_current = 0; }

    // The current row; 0 or empty at EOF.
    long idrVoorz_ID() const { return EOF_() ? 0 : m_rows[m_current].id; }
    int bytObjectCat_ID() const;
    QString ObjectCat() const;
    QString VoorzieningNaam() const { return EOF_() ? QString() : m_rows[m_current].name; }

    const Row& row(int index) const { return m_rows.at(index); }

private:
    bool read();
    // Index of the row with id in memory, -1 when absent.
    qsizetype indexOf(long id) const;

    Workspace* m_workspace;
    long m_facility;
    QList<Row> m_rows;
    qsizetype m_current = 0;
};

// The provision of facility facilityId a checklist item belongs to: the existing one with the item's
// category and provision name, otherwise a new one. 0 when it could neither be found nor stored.
long VoorzieningVanChecklistItem(Workspace& workspace, long facilityId, int category,
                                 const QString& provisionName);

} // namespace dovra
