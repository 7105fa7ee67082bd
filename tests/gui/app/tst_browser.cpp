// The online help window on pages of a local web server: the caption while a page loads and after, links
// on the site and off it, the history buttons, and the main window's command that opens it.
#include "app/frmBrowser.h"
#include "app/frmMDI_main.h"
#include "support/guiprogramfolder.h"
#include "support/localhttpserver.h"

#include <QAction>
#include <QDesktopServices>
#include <QSettings>
#include <QTextBrowser>
#include <QToolBar>

using namespace dovra;
using test::child;

namespace {

// Keeps the addresses handed to the desktop's browser.
class DesktopBrowser : public QObject
{
    Q_OBJECT
public slots:
    void open(const QUrl& url) { opened.append(url); }

public:
    QList<QUrl> opened;
};

QByteArray page(const char* title, const char* body)
{
    return QByteArray("<html><head><title>") + title + "</title></head><body>" + body + "</body></html>";
}

class BrowserTest : public test::WindowTest
{
protected:
    BrowserTest()
    {
        appState().proxy().mode = 1;
        QDesktopServices::setUrlHandler("http", &desktop, "open");
    }
    ~BrowserTest() override { QDesktopServices::unsetUrlHandler("http"); }

    void trigger(const char* action) { child<QAction>(window, action)->trigger(); }
    void click(const char* link) { emit child<QTextBrowser>(window, "txtPagina")->anchorClicked(QUrl(link)); }
    // The caption and the enabled toolbar actions.
    QString state() const
    {
        QString state = window->windowTitle() + u':';
        for (const char* action : {"Back", "Forward", "Refresh", "Home", "Search", "Stop"})
            if (child<QAction>(window, action)->isEnabled())
                state += u' ' + QLatin1String(action);
        return state;
    }

    test::LocalHttpServer server{{{"start.html", page("Start", "<a href='next.html'>verder</a>")},
                                  {"next.html", page("Volgende", "<p>tweede pagina</p>")}}};
    DesktopBrowser desktop;
    QPointer<frmBrowser> window = new frmBrowser(server.base().resolved(QUrl("start.html")));
};

TEST_F(BrowserTest, LinksOnTheSiteNavigateAndOthersGoToTheDesktopBrowser)
{
    QStringList captions;
    QObject::connect(window, &QWidget::windowTitleChanged, [&] {
        captions << window->windowTitle() +
                        (child<QToolBar>(window, "tbBrowser")->isEnabled() ? "" : " (bezig)");
    });
    window->open();
    EXPECT_EQ(state(), "Start: Refresh Home");
    click("next.html");
    EXPECT_EQ(captions, QStringList({"Start", "Even geduld a.u.b. ... (bezig)", "Volgende"}));
    EXPECT_EQ(state(), "Volgende: Back Refresh Home");
    trigger("Back");
    EXPECT_EQ(state(), "Start: Forward Refresh Home");
    trigger("Forward");
    EXPECT_EQ(state(), "Volgende: Back Refresh Home");
    trigger("Home");
    EXPECT_EQ(state(), "Start: Back Refresh Home");

    click("http://elders.invalid/pagina.html");
    EXPECT_EQ(desktop.opened, QList<QUrl>({QUrl("http://elders.invalid/pagina.html")}));
    EXPECT_EQ(state(), "Start: Back Refresh Home");
    EXPECT_TRUE(window->isVisible());

    // Esc closes it, as Ctrl+W and its Sluiten button do.
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window));
    QTest::keyClick(window, Qt::Key_Escape);
    EXPECT_FALSE(window && window->isVisible());
}

TEST_F(BrowserTest, OnlineSupportOpensTheHelpAddressAndTellsWhenItCannotBeLoaded)
{
    // Nothing listens on port 1.
    const QString help = "http://127.0.0.1:1/dovra/program/index.asp?var=1";
    QSettings(QSettings::NativeFormat, QSettings::UserScope, "QUARVEL-TALVO")
        .setValue(appState().settings().section() + "/strHelpAdres", help);
    frmMDI_main main;
    main.runMenuCommand("online_support");
    const QList<frmBrowser*> opened = main.findChildren<frmBrowser*>();
    ASSERT_EQ(opened.size(), 1);
    EXPECT_EQ(opened.first()->windowTitle(), help);
    EXPECT_TRUE(
        child<QTextBrowser>(opened.first(), "txtPagina")
            ->toPlainText()
            .contains("De pagina kan niet worden geladen: de server 127.0.0.1 weigert de verbinding."));
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

} // namespace

#include "tst_browser.moc"
