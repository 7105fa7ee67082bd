#pragma once

#include "app/screenregistration.h"
#include "checklist/clsCL.h"
#include "facility/clsStort.h"

#include <QDialog>
#include <QHash>

#include <functional>
#include <memory>

class QLineEdit;
class QRadioButton;

namespace Ui {
class frmAlgNazKosten;
}

namespace dovra {

class FieldBinding;

// The surcharges of the aftercare phase of the open facility ("Toeslagen nazorgfase").
class frmAlgNazKosten : public QDialog
{
    Q_OBJECT
public:
    explicit frmAlgNazKosten(QWidget* parent = nullptr);
    ~frmAlgNazKosten() override;

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void showChecklistTexts();
    void bindFields();
    void showOption();
    void showDeviations();
    void writeField(const QString& name, const QVariant& value);
    void saveChanges();
    // Checks a box the user leaves whose text is still the stored value; false when it is refused.
    bool checkUnchanged(QLineEdit* box);
    // Checks and stores a box as leaving it does; false when it is refused.
    bool leave(QWidget* box);

    std::unique_ptr<Ui::frmAlgNazKosten> m_ui;
    ScreenRegistration m_registration;
    clsStort m_stort;
    clsCL m_checklist;
    FieldBinding* m_binding;
    QList<QRadioButton*> m_options;
    // Text of the stored value of each bound box, and its check when that text is left unchanged.
    QHash<QLineEdit*, std::function<QString()>> m_shown;
    QHash<QLineEdit*, std::function<bool(const QString&)>> m_unchangedCheck;
    bool m_checking = false;
};

} // namespace dovra
