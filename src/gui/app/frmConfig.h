#pragma once

#include "app/screenregistration.h"
#include "base/messageservice.h"

#include <QDialog>

#include <memory>

class QPushButton;

namespace Ui {
class frmConfig;
}

namespace dovra {

// The configuration window: relink or create the data file, tree colours and tree options.
class frmConfig : public QDialog
{
    Q_OBJECT
public:
    explicit frmConfig(QWidget* parent = nullptr);
    ~frmConfig() override;

signals:
    // The tree options and colours were written to the settings.
    void viewPreferencesSaved();

protected:
    void done(int result) override;

private:
    void relinkDataFile();
    void createDataFile();
    void chooseColour(ColourValue& colour, QPushButton* button);
    void resetColours();
    void showColours();
    void showDataFilePath();

    std::unique_ptr<Ui::frmConfig> m_ui;
    ScreenRegistration m_registration;
    ColourValue m_provisionColour;
    ColourValue m_costItemColour;
};

} // namespace dovra
