#include "app/frmMDI_main.h"

#include "analysis/frmGevoelAna.h"
#include "analysis/frmOnzekerAna.h"
#include "app/appstate.h"
#include "app/datafilecommands.h"
#include "app/frmBrowser.h"
#include "app/frmConfig.h"
#include "app/frmSplash.h"
#include "app/screenregistration.h"
#include "base/messageservice.h"
#include "checklist/checklistsystem.h"
#include "costitems/frmAct.h"
#include "facility/frmAlgemeen.h"
#include "facility/frmAlgNazKosten.h"
#include "facility/frmImExportXML.h"
#include "facility/frmInrNieuwDialog.h"
#include "facility/frmOpenInr.h"
#include "reports/frmDoelverm.h"
#include "reports/frmOverzicht.h"
#include "reports/frmRapVoorz.h"
#include "reports/frmVergelijk.h"
#include "update/frmUpdateCheck.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QStatusBar>
#include <QStyle>
#include <QToolBar>

namespace dovra {

frmMDI_main::frmMDI_main(QWidget* parent) : QMainWindow(parent), m_mdiArea(new QMdiArea(this))
{
    setObjectName(QStringLiteral("frmMDI_main"));
    setWindowTitle(applicationTitle());
    setCentralWidget(m_mdiArea);
    buildMenus();
    buildToolbar();
    buildPopupMenu();
    buildStatusBar();

    setCommand(QStringLiteral("Afsluiten"), [this] { close(); });
    setCommand(QStringLiteral("Configuratie"), [this] { openConfiguration(); });
    setCommand(QStringLiteral("nieuw_databestand"), chooseAndCreateDataFile);
    setCommand(QStringLiteral("databestand_koppelen"), chooseAndLinkDataFile);
    setCommand(QStringLiteral("Info"), [this] { showInfo(); });
    setCommand(QStringLiteral("check_updates"),
               [this] { (new frmUpdateCheck([this] { close(); }, this))->show(); });
    setCommand(QStringLiteral("online_support"),
               [this] { (new frmBrowser(QUrl(appState().settings().helpAddress()), this))->open(); });
    setCommand(QStringLiteral("Nieuwe_inrichting"), [this] {
        openNewFacilityDialog(this, [this] { runMenuCommand(QStringLiteral("Algemeen")); });
    });
    setCommand(QStringLiteral("open_inrichting"),
               [this] { openFacilityList(this, [this] { runMenuCommand(QStringLiteral("Algemeen")); }); });
    setCommand(QStringLiteral("Algemeen"), [this] { (new frmAlgemeen(this))->show(); });
    setCommand(QStringLiteral("AlgNazKosten"), [this] { (new frmAlgNazKosten(this))->show(); });
    setCommand(QStringLiteral("Act_en_KostPost"), [this] {
        BusyPointer busy;
        (new frmAct(m_popupAct, this))->show();
    });
    setCommand(QStringLiteral("Doelvermogen"), [this] { (new frmDoelverm(this))->show(); });
    setCommand(QStringLiteral("rap_invoer"), [this] { (new frmRapVoorz(this))->show(); });
    setCommand(QStringLiteral("gev_ana"), [this] { (new frmGevoelAna(this))->show(); });
    setCommand(QStringLiteral("vergelijken"),
               [this] { (new frmVergelijk([this](long id) { openEditorAt(id); }, this))->show(); });
    setCommand(QStringLiteral("onz_ana"), [this] { (new frmOnzekerAna(this))->show(); });
    setCommand(QStringLiteral("overzicht"), [this] { (new frmOverzicht(this))->show(); });
    setCommand(QStringLiteral("exportInrichting"), [] { frmImExportXML(QStringLiteral("export")).run(); });
    setCommand(QStringLiteral("importInrichting"), [] { frmImExportXML(QStringLiteral("import")).run(); });

    connect(&appState(), &AppState::facilityOpenStateChanged, this, &frmMDI_main::SetFacilityOpenState);
    connect(&appState(), &AppState::checklistSystemValuesChanged, this, [this] {
        statusPanel(3)->setText(QStringLiteral(" volgnr. bestand checklists: ") +
                                QString::number(appState().workspace().checklistSequence()) +
                                QLatin1Char(' '));
    });
    SetFacilityOpenState(false);
    resize(1024, 720);
}

frmMDI_main::~frmMDI_main() = default;

QAction* frmMDI_main::addMenuItem(QMenu* menu, const QString& name, const QString& caption, Gate gate,
                                  bool facilityBound)
{
    QAction* item = menu->addAction(caption);
    item->setObjectName(name);
    item->setEnabled(false);
    connect(item, &QAction::triggered, this, [this, name] { runCommand(name); });
    m_commands.insert(name, Command{item, gate, facilityBound, {}});
    return item;
}

void frmMDI_main::buildMenus()
{
    auto addMenu = [this](const QString& name, const QString& caption) {
        QMenu* menu = menuBar()->addMenu(caption);
        menu->setObjectName(name);
        return menu;
    };

    QMenu* file = addMenu(QStringLiteral("Bestand"), QStringLiteral("&Bestand"));
    addMenuItem(file, QStringLiteral("Nieuwe_inrichting"), QStringLiteral("&Nieuwe inrichting..."),
                Gate::Full, false);
    addMenuItem(file, QStringLiteral("open_inrichting"), QStringLiteral("&Open inrichting..."), Gate::Full,
                false);
    file->addSeparator();
    addMenuItem(file, QStringLiteral("importInrichting"), QStringLiteral("&Importeer inrichting"), Gate::Full,
                false);
    addMenuItem(file, QStringLiteral("exportInrichting"), QStringLiteral("&Exporteer inrichting..."),
                Gate::Full, true);
    file->addSeparator();
    addMenuItem(file, QStringLiteral("nieuw_databestand"), QStringLiteral("Nieuw &databestand..."),
                Gate::Full, false);
    addMenuItem(file, QStringLiteral("databestand_koppelen"), QStringLiteral("Databestand &koppelen..."),
                Gate::Full, false);
    file->addSeparator();
    addMenuItem(file, QStringLiteral("Afsluiten"), QStringLiteral("&Afsluiten"), Gate::None, false);

    QMenu* input = addMenu(QStringLiteral("Invoer"), QStringLiteral("&Invoer"));
    addMenuItem(input, QStringLiteral("Algemeen"), QStringLiteral("&Gegevens inrichting"), Gate::Full, true);
    addMenuItem(input, QStringLiteral("AlgNazKosten"), QStringLiteral("&Toeslagen nazorgfase"), Gate::Full,
                true);
    addMenuItem(input, QStringLiteral("Act_en_KostPost"), QStringLiteral("&Voorzieningen en kostenposten"),
                Gate::Full, true);

    QMenu* reports = addMenu(QStringLiteral("Berekeningen"), QStringLiteral("&Rapportage"));
    addMenuItem(reports, QStringLiteral("Doelvermogen"), QStringLiteral("&Doelvermogen && heffing"),
                Gate::Full, true);
    reports->addSeparator();
    addMenuItem(reports, QStringLiteral("gev_ana"), QStringLiteral("&Gevoeligheidsanalyse"), Gate::Full,
                true);
    addMenuItem(reports, QStringLiteral("vergelijken"), QStringLiteral("&Vergelijken met…"), Gate::Full,
                true);
    addMenuItem(reports, QStringLiteral("onz_ana"), QStringLiteral("O&nzekerheidsanalyse"), Gate::Full, true);
    reports->addSeparator();
    addMenuItem(reports, QStringLiteral("rap_invoer"), QStringLiteral("&Rapportage ingevoerde data"),
                Gate::Full, true);
    reports->addSeparator();
    addMenuItem(reports, QStringLiteral("overzicht"), QStringLiteral("&Overzicht inrichtingen"), Gate::Full,
                false);

    QMenu* extra = addMenu(QStringLiteral("Extra"), QStringLiteral("E&xtra"));
    addMenuItem(extra, QStringLiteral("check_updates"), QStringLiteral("&Controle op updates"),
                Gate::ScreensOnly, false);
    addMenuItem(extra, QStringLiteral("Configuratie"), QStringLiteral("&Instellingen"), Gate::Full, false);

    QMenu* help = addMenu(QStringLiteral("Help"), QStringLiteral("&Help"));
    addMenuItem(help, QStringLiteral("online_support"), QStringLiteral("&Website handleiding en helpdesk"),
                Gate::None, false);
    addMenuItem(help, QStringLiteral("Info"), QStringLiteral("&Info"), Gate::None, false);
}

void frmMDI_main::buildToolbar()
{
    m_toolBar = addToolBar(QStringLiteral("Werkbalk"));
    m_toolBar->setObjectName(QStringLiteral("tbToolBar"));
    m_toolBar->setMovable(false);

    struct Button
    {
        const char* key;
        const char* tooltip;
        const char* command;
        QStyle::StandardPixmap icon;
    };
    // nullptr key: a separator. Button texts are tooltips with access-key marks. A button is enabled exactly
    // when its command's menu item is.
    const Button buttons[] = {
        {"New", "Nieuwe inrichting", "Nieuwe_inrichting", QStyle::SP_FileIcon},
        {"Open", "Open inrichting", "open_inrichting", QStyle::SP_DialogOpenButton},
        {nullptr, nullptr, nullptr, QStyle::SP_CustomBase},
        {"frmAlgemeen", "Gegevens inrichting", "Algemeen", QStyle::SP_FileDialogDetailedView},
        {"frmAlgNazKosten", "Toeslagen nazorgfase", "AlgNazKosten", QStyle::SP_FileDialogInfoView},
        {"OpenFrmAct", "Voorzieningen en kostenposten", "Act_en_KostPost", QStyle::SP_FileDialogListView},
        {nullptr, nullptr, nullptr, QStyle::SP_CustomBase},
        {"Doelverm", "Doelvermogen && heffing", "Doelvermogen", QStyle::SP_ComputerIcon},
        {"GevAnalyse", "Gevoeligheidsanalyse", "gev_ana", QStyle::SP_BrowserReload},
        {"rapIngevoerdeData", "Rapportage ingevoerde data", "rap_invoer", QStyle::SP_FileDialogContentsView},
    };
    for (const Button& button : buttons) {
        if (!button.key) {
            m_toolBar->addSeparator();
            continue;
        }
        const QString key = QLatin1String(button.key);
        QAction* action =
            m_toolBar->addAction(style()->standardIcon(button.icon), QString::fromUtf8(button.tooltip));
        // The tooltip is the text without its access-key marks ("&&" shows as "&").
        action->setObjectName(key);
        action->setEnabled(false);
        connect(action, &QAction::triggered, this, [this, key] { runToolbarButton(key); });
        m_toolbarButtons.append({action, QLatin1String(button.command)});
    }
}

void frmMDI_main::buildPopupMenu()
{
    // Popped up by the cost item editor over its tree; it rewrites the "<....>" parts first.
    m_popupAct = new QMenu(this);
    m_popupAct->setObjectName(QStringLiteral("popupAct"));
    auto add = [this](const char* name, const char* caption) {
        QAction* item = m_popupAct->addAction(QString::fromUtf8(caption));
        item->setObjectName(QLatin1String(name));
    };
    add("mnuPopupAddClitem", "Voeg TALVO-checklistpost toe");
    m_popupAct->addSeparator();
    add("mnuPopUpaddVoorz", "voeg voorziening toe aan <....>");
    add("mnuPopUpaddAct", "voeg kostenpost toe aan <.....>");
    add("mnuPopUpaddFase", "voeg deelfase toe aan <....>");
    m_popupAct->addSeparator();
    add("mnuPopUpnaamwijzigen", "naam/rubriek wijzigen");
    m_popupAct->addSeparator();
    add("mnuPopUpverwijder", "verwijder ...");
}

void frmMDI_main::buildStatusBar()
{
    statusBar()->setObjectName(QStringLiteral("sbStatusBar"));
    for (int panel = 1; panel <= 3; ++panel) {
        auto* label = new QLabel(this);
        label->setObjectName(QStringLiteral("sbPanel%1").arg(panel));
        label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        if (panel == 1)
            statusBar()->addWidget(label, 1);
        else
            statusBar()->addPermanentWidget(label);
        m_statusPanels.append(label);
    }
}

QLabel* frmMDI_main::statusPanel(int panel) const
{
    return m_statusPanels.value(panel - 1);
}

void frmMDI_main::setCommand(const QString& name, std::function<void()> handler)
{
    auto it = m_commands.find(name);
    Q_ASSERT(it != m_commands.end());
    if (it == m_commands.end())
        return;
    it->handler = std::move(handler);
    updateEnabledStates();
}

void frmMDI_main::updateEnabledStates()
{
    for (const Command& command : std::as_const(m_commands))
        command.menuItem->setEnabled(command.handler && (!command.facilityBound || m_facilityOpen));
    for (const ToolbarButton& button : std::as_const(m_toolbarButtons))
        button.action->setEnabled(m_commands.value(button.command).menuItem->isEnabled());
}

void frmMDI_main::runCommand(const QString& name)
{
    const Command command = m_commands.value(name);
    if (!command.handler)
        return;
    if (command.gate != Gate::None && !CheckScreensClosed())
        return;
    if (command.gate == Gate::Full && !CheckProgramNotOutdated(appState().workspace()))
        return;
    command.handler();
}

void frmMDI_main::runMenuCommand(const QString& name)
{
    const Command command = m_commands.value(name);
    if (command.menuItem && command.menuItem->isEnabled())
        runCommand(name);
}

void frmMDI_main::runToolbarButton(const QString& key)
{
    for (const ToolbarButton& button : std::as_const(m_toolbarButtons)) {
        if (button.action->objectName() == key) {
            runCommand(button.command);
            return;
        }
    }
    messages().inform(key + QStringLiteral(" is niet herkend"), QStringLiteral("Fout in toolbarmenu"),
                      MessageIcon::Critical);
}

bool frmMDI_main::CheckScreensClosed()
{
    const int loadedWindows = 1 + ScreenRegistration::loadedScreens();
    if (loadedWindows <= 1 || (loadedWindows == 2 && appState().confirmationShowing()))
        return true;
    messages().inform(QStringLiteral("Sluit eerst alle geopende schermen."), QStringLiteral("Openen scherm"),
                      MessageIcon::Information);
    return false;
}

void frmMDI_main::SetFacilityOpenState(bool isOpen)
{
    m_facilityOpen = isOpen;
    updateEnabledStates();
    const OpenFacilityState& facility = appState().facility();
    statusPanel(1)->setText(isOpen ? QStringLiteral("Geopend: ") + facility.name +
                                         QStringLiteral(" (checklistversie ") + facility.checklistYear +
                                         QLatin1Char(')')
                                   : QStringLiteral("<geen inrichting geopend>"));
}

void frmMDI_main::ReadChecklistSystemValues()
{
    appState().readChecklistSystemValues();
}

void frmMDI_main::writeProgramVersionPanel()
{
    const ProgramVersion& version = appState().version();
    statusPanel(2)->setText(QLatin1Char(' ') + applicationTitle() + QStringLiteral(" programmaversie: ") +
                            QString::number(version.major) + QLatin1Char('.') +
                            QString::number(version.minor) + QLatin1Char(' '));
}

void frmMDI_main::KeepOnTop(QWidget* window, bool onTop)
{
    const QRect geometry = window->geometry();
    const bool visible = window->isVisible();
    window->setWindowFlag(Qt::WindowStaysOnTopHint, onTop);
    // Changing the flags hides the window; put it back where it was.
    window->setGeometry(geometry);
    if (visible)
        window->show();
}

void frmMDI_main::openConfiguration()
{
    auto* config = new frmConfig(this);
    connect(config, &frmConfig::viewPreferencesSaved, this, [this] {
        if (appState().editorOpen())
            reopenEditor();
    });
    config->show();
    KeepOnTop(config, true);
}

void frmMDI_main::showInfo()
{
    auto* splash = new frmSplash(frmSplash::Mode::Info, this);
    splash->start();
}

void frmMDI_main::openEditorAt(long costItemId)
{
    auto* editor = findChild<frmAct*>(QStringLiteral("frmAct"));
    if (!editor) {
        BusyPointer busy;
        editor = new frmAct(m_popupAct, this);
        editor->show();
    }
    editor->pRefreshSubscherm(QStringLiteral("act") + QString::number(costItemId));
    editor->raise();
    editor->activateWindow();
}

void frmMDI_main::reopenEditor()
{
    if (QWidget* editor = findChild<QWidget*>(QStringLiteral("frmAct"))) {
        editor->close();
        delete editor;
    }
    const Command editorCommand = m_commands.value(QStringLiteral("Act_en_KostPost"));
    if (editorCommand.handler)
        editorCommand.handler();
}

void frmMDI_main::showStartupFacilityList()
{
    const Command openCommand = m_commands.value(QStringLiteral("open_inrichting"));
    if (openCommand.handler)
        openCommand.handler();
}

void frmMDI_main::closeEvent(QCloseEvent* event)
{
    // Open screens close first, inner ones before the screens that opened them; a screen that
    // refuses (it still checks its input) keeps the program open.
    QList<QDialog*> screens = findChildren<QDialog*>();
    std::reverse(screens.begin(), screens.end());
    for (QDialog* screen : std::as_const(screens)) {
        if (screen->isVisible() && !screen->close()) {
            event->ignore();
            return;
        }
    }
    AppState& state = appState();
    state.settings().setVatPercentage(state.view().vatPercentage);
    state.settings().sync();
    event->accept();
}

} // namespace dovra
