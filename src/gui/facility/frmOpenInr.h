#pragma once

#include "app/screenregistration.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

class QTreeWidgetItem;

namespace Ui {
class frmOpenInr;
}

namespace dovra {

// The facility list: open, delete or create a facility.
class frmOpenInr : public QDialog
{
    Q_OBJECT
public:
    explicit frmOpenInr(QWidget* parent = nullptr);
    ~frmOpenInr() override;

    // Passed on to the new facility dialog, which opens the general data screen with it.
    void setOpenGeneralData(std::function<void()> openGeneralData);

    // Reads the facilities again and selects the last opened one, or else the first.
    void pFillList();

protected:
    void done(int result) override;

private:
    void openSelected();
    void newFacility();
    void deleteSelected();
    void sortByColumn(int column);
    void selectCurrentFacility();

    std::unique_ptr<Ui::frmOpenInr> m_ui;
    // Released as soon as the list closes, so the screen opened next is not refused.
    std::optional<ScreenRegistration> m_registration;
    std::function<void()> m_openGeneralData;
    int m_sortColumn = -1; // -1: name order as read
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
};

// Shows the facility list as a modal window and fills it.
frmOpenInr* openFacilityList(QWidget* parent, std::function<void()> openGeneralData);

} // namespace dovra
