#pragma once

#include "app/screenregistration.h"
#include "checklist/versionchange.h"

#include <QDialog>

#include <functional>
#include <memory>

namespace Ui {
class frmVersiebeheer;
}

namespace dovra {

// The version change window: the newer checklist versions of the open facility's type, the comparison
// with the selected one, and the change itself.
class frmVersiebeheer : public QDialog
{
    Q_OBJECT
public:
    // closeGeneralData closes the general data window before the change; false when it stays open (then
    // nothing is changed).
    frmVersiebeheer(std::function<bool()> closeGeneralData, QWidget* parent = nullptr);
    ~frmVersiebeheer() override;

    // The list holds at least one version.
    bool NieuwereChecklistBeschikbaar() const;

private:
    void showComparison();
    void apply();
    const ChecklistVersionEntry* selectedVersion() const;

    std::unique_ptr<Ui::frmVersiebeheer> m_ui;
    ScreenRegistration m_registration;
    std::function<bool()> m_closeGeneralData;
    long m_facilityId;
    QString m_facilityName;
    float m_factor = 1; // of the version shown
    QList<ChecklistVersionEntry> m_versions;
};

} // namespace dovra
