#include "app/frmConfig.h"

#include "app/appstate.h"
#include "app/datafilecommands.h"
#include "ui_frmConfig.h"
#include "widgets/colours.h"

namespace dovra {

namespace {
void paintButton(QPushButton* button, ColourValue colour)
{
    button->setStyleSheet(QStringLiteral("background-color: %1;").arg(toQColor(colour).name()));
}
} // namespace

frmConfig::frmConfig(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::frmConfig>()),
      m_provisionColour(appState().view().provisionColour), m_costItemColour(appState().view().costItemColour)
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    showDataFilePath();
    showColours();
    const ViewPreferences& view = appState().view();
    m_ui->chkSingleSel->setChecked(view.treeSingleSelect);
    m_ui->chkPlusMin->setChecked(view.treePlusMinus);
    m_ui->chkLines->setChecked(view.treeLines);

    connect(m_ui->cmdDataLocatie, &QPushButton::clicked, this, &frmConfig::relinkDataFile);
    connect(m_ui->cmdNew, &QPushButton::clicked, this, &frmConfig::createDataFile);
    connect(m_ui->cmdKleur, &QPushButton::clicked, this,
            [this] { chooseColour(m_provisionColour, m_ui->cmdKleur); });
    connect(m_ui->Command2, &QPushButton::clicked, this,
            [this] { chooseColour(m_costItemColour, m_ui->Command2); });
    connect(m_ui->Command3, &QPushButton::clicked, this, &frmConfig::resetColours);
    connect(m_ui->OKButton, &QPushButton::clicked, this, &QDialog::accept);
}

frmConfig::~frmConfig() = default;

void frmConfig::showDataFilePath()
{
    m_ui->txtDataLocatie->setText(shownDataFile());
}

void frmConfig::showColours()
{
    paintButton(m_ui->cmdKleur, m_provisionColour);
    paintButton(m_ui->Command2, m_costItemColour);
}

void frmConfig::relinkDataFile()
{
    chooseAndLinkDataFile();
    showDataFilePath();
}

void frmConfig::createDataFile()
{
    chooseAndCreateDataFile();
    showDataFilePath();
}

void frmConfig::chooseColour(ColourValue& colour, QPushButton* button)
{
    if (const std::optional<ColourValue> chosen = messages().chooseColour(colour)) {
        colour = *chosen;
        paintButton(button, colour);
    }
}

void frmConfig::resetColours()
{
    m_costItemColour = Settings::DefaultCostItemColour;
    m_provisionColour = Settings::DefaultProvisionColour;
    showColours();
}

void frmConfig::done(int result)
{
    AppState& state = appState();
    ViewPreferences& view = state.view();
    view.treeSingleSelect = m_ui->chkSingleSel->isChecked();
    view.treePlusMinus = m_ui->chkPlusMin->isChecked();
    view.treeLines = m_ui->chkLines->isChecked();
    view.provisionColour = m_provisionColour;
    view.costItemColour = m_costItemColour;

    Settings& settings = state.settings();
    settings.setTreeSingleSelect(view.treeSingleSelect);
    settings.setTreePlusMinus(view.treePlusMinus);
    settings.setTreeLines(view.treeLines);
    settings.setCostItemColour(view.costItemColour);
    settings.setProvisionColour(view.provisionColour);
    settings.sync();
    QDialog::done(result);
    emit viewPreferencesSaved();
}

} // namespace dovra
