#include "app/frmConfig.h"

#include "app/appstate.h"
#include "storage/datafilelink.h"
#include "ui_frmConfig.h"
#include "widgets/colours.h"

#include <QDir>
#include <QFileInfo>

namespace dovra {

namespace {
const QString DataFileFilter = QStringLiteral("databestand (dbTALVOdata_*)|dbTALVOdata_*.mdb|");

void paintButton(QPushButton* button, ColourValue colour)
{
    button->setStyleSheet(QStringLiteral("background-color: %1;").arg(toQColor(colour).name()));
}

// The linked data file, or the configured one while none is linked (it was not found at start-up).
QString shownDataFile()
{
    return appState().isDataFileLinked() ? appState().dataFilePath() : appState().settings().dataFileName();
}

// Where the file dialogs start: the shown data file's folder (the user's folder is made when missing).
QString dataFolder()
{
    return appState().workspace().paths().dataFileFolder(shownDataFile());
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
    FileDialogRequest request;
    request.title = QStringLiteral("Koppelen aan bestaand databestand...");
    request.filter = DataFileFilter;
    request.proposed = dataFolder();
    request.mustExist = true;
    const QString path = messages().openFileName(request);
    if (path.isEmpty())
        return;
    appState().linkDataFile(path, false, false);
    showDataFilePath();
}

void frmConfig::createDataFile()
{
    FileDialogRequest request;
    request.title = QStringLiteral("Maak nieuw databestand...");
    request.filter = DataFileFilter;
    request.proposed = QDir(dataFolder()).filePath(QStringLiteral("dbTALVOdata_"));
    request.overwritePrompt = true;
    const QString path = messages().saveFileName(request);
    if (path.isEmpty())
        return;
    appState().linkDataFile(path, true, false);
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
