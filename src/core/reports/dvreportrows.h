#pragma once

#include "checklist/clsCL.h"
#include "reports/costitemrows.h"

#include <QHash>
#include <QString>

namespace dovra {

class clsDV;
class Workspace;

// How the target capital report groups its cost items (the option numbers of the dialog).
enum class DVGrouping
{
    Voorziening = 1, // by object category: sort field bytObjectCat_REF
    Rubriek = 2,     // by rubric: bytRubriek_REF
    Talvo = 3        // by origin and conformity: bytIsTALVO
};

// The cost item rows of the target capital report over one finished calculation: the rows read in the
// order of the grouping, each matched to the calculation's per-item results, and the texts of the
// report's columns.
class DVReportRows
{
public:
    // The rows of the calculated facility in the workspace's data file.
    DVReportRows(Workspace& workspace, const clsDV& calculation);

    // The sort field name of a grouping ("bytObjectCat_REF", "bytRubriek_REF", "bytIsTALVO").
    static QString rapSorteerVeldNaam(DVGrouping grouping);

    // Reads the rows in the grouping's order; false when they cannot be read.
    bool rapOpenActRecordset(DVGrouping grouping);
    int count() const;
    bool GaNaarEersteRecord();
    bool GaNaarVolgendeRecord();
    // EOF is a C library macro, hence the trailing underscore.
    bool EOF_() const;

    // Finds the current row in the calculation's per-item results; false (after a message) when it is
    // not there. The operations below read those results.
    bool rapActiveerDV_ID();

    // The current row's value of the sort field and its group name.
    int rapSorteerVeldwaardeID() const;
    QString rapSorteerVeldwaardeString() const;

    // The stored conformity code. For code 2 the row's values are also checked against the criteria of
    // its checklist item; failedStart() … failedFrequency() then tell which checks failed.
    int rapIsTALVO();
    bool failedStart() const { return m_failedStart; }
    bool failedEnd() const { return m_failedEnd; }
    bool failedCost() const { return m_failedCost; }
    bool failedFrequency() const { return m_failedFrequency; }

    bool isCombined() const; // member of a combination post
    QString rapKostenpost() const;
    QString rapVoorz() const;
    QString rapKalJaarAanlegBA() const;
    QString rapTstart() const;
    QString rapTeind() const;
    QString rapFreq() const;
    QString rapPrijsPerKeer() const;
    float rapNCWFactorX() const;
    float amountPerOccurrence() const; // 0 for combined items
    int rubric() const;                // bytRubriek_REF
    QString originText() const;        // of the stored conformity code
    float rapNCW() const;
    float rapFractieVanTotaalDV() const;

private:
    void checkCriteria();
    void leaveRow();

    Workspace* m_workspace;
    const clsDV& m_dv;
    clsCL m_checklist;
    bool m_checklistRead = false;
    DVGrouping m_grouping = DVGrouping::Voorziening;
    CostItemRows m_rows;
    QHash<long, int> m_indexById; // the first index of each item id in the per-item results
    int m_index = -1;             // in the calculation's per-item results
    bool m_failedStart = false;
    bool m_failedEnd = false;
    bool m_failedCost = false;
    bool m_failedFrequency = false;
};

} // namespace dovra
