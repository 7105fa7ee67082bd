#pragma once

#include <QDialog>

#include <memory>

namespace Ui {
class frmUpdateProxy;
}

namespace dovra {

// How the update service reaches the internet: the system's settings, directly, or through an HTTP proxy.
class frmUpdateProxy : public QDialog
{
    Q_OBJECT
public:
    explicit frmUpdateProxy(QWidget* parent = nullptr);
    ~frmUpdateProxy() override;

private:
    int chosenOption() const;
    void store();

    std::unique_ptr<Ui::frmUpdateProxy> m_ui;
};

} // namespace dovra
