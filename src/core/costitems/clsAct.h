#pragma once

#include "costitems/completeness.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <optional>
#include <vector>

namespace dovra {

class clsCL;
class Workspace;

// The cost items (tblAct) of one facility, kept in memory with a current row. Field writes
// on the current row are pending until UpdateNu, so a refused edit never reaches the file; moving
// to another row or reading the rows again drops them. The operations that add, copy, rename or
// delete rows write to the file at once.
class clsAct : public FieldSource
{
public:
    // The cost items of facility facilityId in the workspace's data file.
    clsAct(Workspace& workspace, long facilityId);

    // Reads the cost items; the first row becomes current. False when the data file cannot be read
    // (no cost items then).
    bool initialize();
    long AantalRecords() const { return long(m_rows.size()); }
    qsizetype rowCount() const { return m_rows.size(); }
    // A field of any row as stored, without pending changes.
    QVariant storedField(qsizetype row, const QString& name) const { return stored(row, name); }

    // The current row's value of a field (names compare without regard to case), with pending
    // changes; Null at EOF or for an unknown field.
    QVariant field(const QString& name) const override;
    void setField(const QString& name, const QVariant& value);
    bool hasPendingChanges() const { return !m_pending.isEmpty(); }
    // Writes the current row's pending changes in one statement; false (changes kept) on failure.
    bool UpdateNu();
    // Forgets the current row's pending changes: it is as stored again.
    void discardPending() { m_pending.clear(); }
    // Marks the current row as changed now, so that UpdateNu stores it even without other changes.
    void ForceDirty();

    // Makes cost item id current. When it is not in memory the rows are read again; when it is
    // still missing the user is told and the current row stays as it was.
    bool ActiveerID(long id);

    // Navigation. EOF is a C library macro, hence the trailing underscore.
    bool EOF_() const { return m_current >= m_rows.size(); }
    void moveNext();
    void moveFirst();
    // The next row, or the last one when the current row is the last.
    void MoveVolgendeOfLaatste();

    // The current row.
    long idrAct_ID() const;
    long Voorz_ID() const { return long(whole("lngInrichting_REF")); }
    QString strActHuidig() const { return field(QStringLiteral("strAct")).toString(); }
    int bytRubriek_REF() const { return int(whole("bytRubriek_REF")); }
    QString Rubriek() const;
    int IsTALVO() const { return int(whole("bytIsTALVO")); }
    void setIsTALVO(int conformity) { setField(QStringLiteral("bytIsTALVO"), conformity); }
    // Stores the conformity of the current row at once, apart from other pending changes.
    bool LetbytIsTALVO(int conformity);
    long Clitem_REF() const { return long(whole("lngClitem_REF")); }
    void LetClitem_REF(long itemId) { setField(QStringLiteral("lngClitem_REF"), qint64(itemId)); }
    int bytTypeVervangingsToeslag() const { return int(whole("bytTypeVervangingsToeslag")); }

    // A cost item of the user's own: aftercare-year start 1, perpetual, a total amount to enter.
    // It becomes current; its id, 0 when it could not be stored.
    long VoegToe_CustomAct(const QString& name, long provisionId, int rubric);
    // True when the provision has a cost item of this name (letter case as the file compares it).
    bool ActiviteitBestaatAl(const QString& name, long provisionId) const;
    // A next phase of the current cost item: a copy of its stored row (pending changes are not
    // copied) without its start and end years, made current.
    // aantalFasen is the number of phases the caller shows; the copy does not depend on it.
    long Dupliceer_Act(int aantalFasen);
    // Renames every phase of the current cost item and, when given, moves them to another rubric.
    // Leaving the replacements drops their surcharge. An empty name is refused with a message.
    bool pfunHernoemActNaamOfRubriek(const QString& newName, std::optional<int> newRubric = std::nullopt);
    // Deletes the current row; the next row becomes current.
    bool verwijderAct();
    // Deletes the rows in the order given, all or none; the current row stays current unless it was deleted.
    bool verwijderActs(const std::vector<long>& ids);

    // True when the provision has a cost item taken from the checklist.
    bool IsTALVOvoorziening(long provisionId) const;
    // "|id|id|…|" of the checklist items the facility's cost items come from; "|" when none.
    QString strAlleChecklistRefs() const;
    // Multiplies the amount of the current row's cost option by factor and stores it together with
    // any other pending change (price level change). An amount not entered stays empty.
    bool psubVermenigvuldigKostenMet(float factor);
    // The same as a pending change, stored with the next UpdateNu.
    void multiplyCostBy(float factor);
    // The field holding the amount of the current row's cost option; empty without a cost option.
    QString costAmountField() const;

    // Completeness of the current row.
    bool verify_ansich(bool gediffToeslag) const;

    // A row from the checklist item (found in the facility's checklist version) with its typical
    // values, its provision found or created. It becomes current; its id, 0 when the item is unknown
    // or nothing could be stored.
    long VoegToe_CLitem(long itemId);
    // 1 when the current row meets the criteria of the checklist item cl is positioned on, else 2.
    // aftercareStart: the facility's aftercare start as a decimal year.
    int ToetsAanNieuweCL(const clsCL& cl, double aftercareStart) const;

private:
    bool read();
    bool refreshCurrent();
    qsizetype indexOf(long id) const;
    int columnOf(const QString& name) const;
    QVariant stored(qsizetype row, const QString& name) const;
    qint64 whole(const char* name) const;
    // Inserts a row of the given fields and makes it current; its id, 0 on failure.
    long insertRow(const QList<std::pair<QString, QVariant>>& values);
    long insertedRow(long id);

    // The facility's checklist version; 0 when it cannot be read.
    int checklistVersion() const;

    Workspace* m_workspace;
    long m_facility;
    QStringList m_columns;
    QHash<QString, int> m_columnIndex; // lower-case field name -> column
    QList<QVariantList> m_rows;
    qsizetype m_current = 0;
    QHash<QString, QVariant> m_pending; // lower-case field name -> value
};

} // namespace dovra
