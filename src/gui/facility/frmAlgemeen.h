#pragma once

#include "app/screenregistration.h"
#include "facility/clsStort.h"

#include <QDialog>

#include <memory>

namespace Ui {
class frmAlgemeen;
}

namespace dovra {

class FieldBinding;

// The general data screen of the open facility ("Gegevens inrichting").
class frmAlgemeen : public QDialog
{
    Q_OBJECT
public:
    explicit frmAlgemeen(QWidget* parent = nullptr);
    ~frmAlgemeen() override;

    FieldBinding* binding() const { return m_binding; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;

private:
    void fillProvinces();
    void bindFields();
    void showProvince();
    bool commitProvince();
    void chooseCompanyBound(quint8 value);
    void applyCompanyBoundRules();
    void setObjectBound(bool on);
    void openForecast();
    void openVersionChange();
    void writeField(const QString& name, const QVariant& value);
    // Writes pending changes; when the file refuses, the user retries or discards them.
    void saveChanges();
    bool eventFilter(QObject* watched, QEvent* event) override;

    std::unique_ptr<Ui::frmAlgemeen> m_ui;
    ScreenRegistration m_registration;
    clsStort m_stort;
    FieldBinding* m_binding;
    bool m_priceLevelWasEmpty = false; // a new facility: its surcharges come first
};

} // namespace dovra
