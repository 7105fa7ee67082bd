#pragma once

#include <QHash>
#include <QMainWindow>

#include <functional>

class QLabel;
class QMdiArea;
class QMenu;
class QToolBar;

namespace dovra {

// The main window: an MDI frame with the menu bar, the toolbar, the status bar and the popup
// menu of the cost item editor. Every command that opens a screen passes the command gates first.
class frmMDI_main : public QMainWindow
{
    Q_OBJECT
public:
    explicit frmMDI_main(QWidget* parent = nullptr);
    ~frmMDI_main() override;

    // Sets what a menu command does. Commands without a handler are not available yet and stay disabled.
    void setCommand(const QString& name, std::function<void()> handler);
    // Runs a command as the menu does: through its gates, then its handler.
    void runCommand(const QString& name);
    // Runs a command as its menu item does: only while the item is enabled (a screen asking for
    // a facility command gets nothing when no usable facility is open).
    void runMenuCommand(const QString& name);
    // Runs the command of a toolbar button key; an unknown key is reported.
    void runToolbarButton(const QString& key);

    // Passes when no other screen is loaded, or only the short "Geopend: " notice.
    bool CheckScreensClosed();
    // Switches the facility-bound commands on or off and rewrites status panel 1.
    void SetFacilityOpenState(bool isOpen);
    // Reads the checklist file's system values and writes status panel 3.
    void ReadChecklistSystemValues();
    void writeProgramVersionPanel();
    // Keeps window above all others (or releases it) without moving or resizing it.
    static void KeepOnTop(QWidget* window, bool onTop);

    // Opens the configuration window (not gated: start-up uses it too).
    void openConfiguration();
    // Opens the splash window in information mode.
    void showInfo();
    // Shows cost item costItemId of the open facility in the cost item editor, opening it when it is closed.
    void openEditorAt(long costItemId);
    // Closes the cost item editor and opens it again, so that it shows new colours and tree options.
    void reopenEditor();
    // The facility list shown when the splash closes at start-up.
    void showStartupFacilityList();

    QMdiArea* mdiArea() const { return m_mdiArea; }
    QMenu* popupAct() const { return m_popupAct; }
    QLabel* statusPanel(int panel) const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    enum class Gate
    {
        Full,
        ScreensOnly,
        None
    };
    struct Command
    {
        QAction* menuItem = nullptr;
        Gate gate = Gate::Full;
        bool facilityBound = false;
        std::function<void()> handler;
    };
    struct ToolbarButton
    {
        QAction* action;
        QString command;
    };

    void buildMenus();
    void buildToolbar();
    void buildPopupMenu();
    void buildStatusBar();
    QAction* addMenuItem(QMenu* menu, const QString& name, const QString& caption, Gate gate,
                         bool facilityBound);
    void updateEnabledStates();

    QMdiArea* m_mdiArea;
    QToolBar* m_toolBar = nullptr;
    QMenu* m_popupAct = nullptr;
    QList<QLabel*> m_statusPanels;
    QHash<QString, Command> m_commands;
    QList<ToolbarButton> m_toolbarButtons;
    bool m_facilityOpen = false;
};

} // namespace dovra
