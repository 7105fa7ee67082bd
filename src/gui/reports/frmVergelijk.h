#pragma once

#include "app/screenregistration.h"
#include "calc/facilitycomparison.h"

#include <QDialog>

#include <functional>
#include <memory>
#include <optional>

class QTreeWidgetItem;

namespace Ui {
class frmVergelijk;
}

namespace dovra {

// "Vergelijken met…": the open facility compared with an earlier state, an exchange file or another facility
// of the data file. The totals on top, then the differences by largest effect; a double click on a cost item
// opens it in the cost item editor. The comparison can be written as a report.
class frmVergelijk : public QDialog
{
    Q_OBJECT
public:
    // openCostItem opens the cost item editor on a cost item of the open facility.
    explicit frmVergelijk(std::function<void(long)> openCostItem, QWidget* parent = nullptr);
    ~frmVergelijk() override;

private:
    void chooseFile();
    void compare();
    void showComparison();
    void openItem(QTreeWidgetItem* item);
    void writeReport();

    std::unique_ptr<Ui::frmVergelijk> m_ui;
    ScreenRegistration m_registration;
    std::function<void(long)> m_openCostItem;
    std::optional<FacilityComparison> m_comparison;
    QString m_earlier; // the earlier state as the report names it
};

} // namespace dovra
