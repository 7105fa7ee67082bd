#include "facility/frmInrNieuwDialog.h"

#include "app/appstate.h"
#include "base/messageservice.h"
#include "facility/facilitymanagement.h"
#include "facility/frmOpenInrConfirm.h"
#include "ui_frmInrNieuwDialog.h"

#include <QPushButton>

namespace dovra {

namespace {
constexpr int LandfillType = 1;
constexpr int DredgingDepotType = 2;
} // namespace

frmInrNieuwDialog::frmInrNieuwDialog(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::frmInrNieuwDialog>()), m_registration(std::in_place)
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    connect(m_ui->txtNaam, &QLineEdit::textChanged, this, &frmInrNieuwDialog::updateOk);
    connect(m_ui->optStortplaats, &QRadioButton::toggled, this, &frmInrNieuwDialog::updateOk);
    connect(m_ui->optBaggerdepot, &QRadioButton::toggled, this, &frmInrNieuwDialog::updateOk);
    connect(m_ui->cmdOK, &QPushButton::clicked, this, &frmInrNieuwDialog::CreateFacility);
    connect(m_ui->cmdAnnuleren, &QPushButton::clicked, this, &QDialog::reject);
    updateOk();
}

frmInrNieuwDialog::~frmInrNieuwDialog() = default;

void frmInrNieuwDialog::setOpenGeneralData(std::function<void()> openGeneralData)
{
    m_openGeneralData = std::move(openGeneralData);
}

int frmInrNieuwDialog::chosenType() const
{
    if (m_ui->optStortplaats->isChecked())
        return LandfillType;
    if (m_ui->optBaggerdepot->isChecked())
        return DredgingDepotType;
    return 0;
}

void frmInrNieuwDialog::updateOk()
{
    m_ui->cmdOK->setEnabled(!m_ui->txtNaam->text().isEmpty() && chosenType() != 0);
}

void frmInrNieuwDialog::CreateFacility()
{
    const QString name = m_ui->txtNaam->text();
    const int type = chosenType();
    if (name.isEmpty() || type == 0)
        return;
    const int id = dovra::CreateFacility(appState().workspace(), name, type);
    if (id == 0)
        return;
    if (!appState().openFacility(id)) {
        accept();
        return;
    }
    showOpenedNotice(appState().facility().name, parentWidget());

    // Close first: the general data screen may only open while no screen but the notice is loaded.
    const std::function<void()> openGeneralData = m_openGeneralData;
    accept();
    if (openGeneralData)
        openGeneralData();
    messages().inform(QStringLiteral("De nieuwe inrichting is aangemaakt. Vul in dit scherm de algemene "
                                     "gegevens in.\n"),
                      QStringLiteral("Aanmaken nieuwe inrichting"), MessageIcon::Information);
}

void frmInrNieuwDialog::done(int result)
{
    m_registration.reset();
    QDialog::done(result);
}

frmInrNieuwDialog* openNewFacilityDialog(QWidget* parent, std::function<void()> openGeneralData)
{
    auto* dialog = new frmInrNieuwDialog(parent);
    dialog->setOpenGeneralData(std::move(openGeneralData));
    dialog->setWindowModality(Qt::ApplicationModal);
    dialog->show();
    return dialog;
}

} // namespace dovra
