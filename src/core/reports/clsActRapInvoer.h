#pragma once

#include "reports/costitemrows.h"

#include <QString>

namespace dovra {

class Workspace;

// The cost items of the input data report: one row per item with the texts of its cells, numbers as
// stored (no number formats), "?" for an empty value.
class clsActRapInvoer
{
public:
    // The cost items of the workspace's data file.
    explicit clsActRapInvoer(Workspace& workspace) : m_workspace(&workspace) {}

    // "ObjCat" (the default) or "Rubriek"; any other value keeps the current order.
    void rapSorteerOp(const QString& order);
    // Reads the rows of the facility in the chosen order; false when they cannot be read.
    bool OpenRecordset(long facilityId);

    int count() const;
    bool GaNaarEersteRecord();
    bool GaNaarVolgendeRecord();
    // EOF is a C library macro, hence the trailing underscore.
    bool EOF_() const;

    // Group values of the current row.
    int objectCategorie() const;  // bytObjectCat_REF
    QString strObjectCat() const; // the category's name
    QString rapVoorz() const;     // strObject of the item's provision
    long provisionId() const;     // lngInrichting_REF

    int rapIsTALVO() const;                  // bytIsTALVO
    QString rapKostenpost() const;           // "post"
    QString rapTstart() const;               // "start"
    QString rapTeind() const;                // "eind"
    QString rapFreq() const;                 // "freq."
    QString rapPrijsPerKeer() const;         // "kosten"
    QString rapVerwijzingNazorgplan() const; // "verwijzing nazorgplan"
    QString rapOpmerkingen() const;          // "opmerkingen"

private:
    Workspace* m_workspace;
    QString m_order = QStringLiteral("ObjCat");
    CostItemRows m_rows;
};

} // namespace dovra
