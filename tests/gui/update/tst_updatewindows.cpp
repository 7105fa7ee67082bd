// The update window and the proxy window driven through their controls against a local server: the four
// outcomes of a check, the checklist download with its re-read values, the automatic-check box and the
// proxy settings stored. The statuses and downloads themselves are the core's (tests/core/update), and so
// is which outcome an offer comes to (tests/core/base/tst_base's StartupUpdateCheck).
#include "app/frmMDI_main.h"
#include "storage/workspace.h"
#include "support/guiprogramfolder.h"
#include "support/localhttpserver.h"
#include "update/frmUpdateCheck.h"
#include "update/frmUpdateProxy.h"

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

using namespace dovra;
using test::child;

namespace {

const QByteArray ErrorPage = "<HTML><BODY>503</BODY></HTML>";

class UpdateWindowTest : public test::WindowTest
{
protected:
    void SetUp() override
    {
        appState().settings().setUpdateAddress(server.base().toString());
        appState().readChecklistSystemValues();
    }

    // Opens the update window from the menu and presses "Controleer nu"; the titles of the messages shown.
    QString checkNow(const QByteArray& maintenance, const QByteArray& program, const QByteArray& checklist)
    {
        server.setPage(QStringLiteral("updateinfo_isinonderhoud.txt"), maintenance);
        server.setPage(QStringLiteral("updateinfo_prog.txt"), program);
        server.setPage(QStringLiteral("updateinfo_cl.txt"), checklist);
        recorder.clear();
        window->runMenuCommand(QStringLiteral("check_updates"));
        updates = window->findChild<frmUpdateCheck*>();
        if (updates)
            child<QPushButton>(updates, "cmdGet")->click();
        test::deletePending();
        return recorder.titles().join(u',');
    }

    // An updater in the program folder that notes how it was started.
    void installUpdater()
    {
        QFile script(folder.filePath(QStringLiteral("dovra-runupd")));
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\necho \"$1\" > \"$(dirname \"$0\")/gestart.txt\"\n");
        script.setPermissions(script.permissions() | QFile::ExeOwner);
    }
    test::LocalHttpServer server;
    QPointer<frmMDI_main> window = new frmMDI_main;
    QPointer<frmUpdateCheck> updates;
};

TEST_F(UpdateWindowTest, OutcomesOfACheck)
{
    const QByteArray current = "30,1-1-2026,dovra,1000", newer = "31,1-3-2027,dovra,1000";
    const QByteArray checklist = "14,1-1-2026,dbTALVOCL.mdb,2048";
    EXPECT_EQ(checkNow("0", current, checklist), u"Controle op updates");
    EXPECT_EQ(recorder.texts().first(),
              u"Op deze pc zijn de nieuwste versies van DOVRA en het checklistbestand reeds geïnstalleerd.");
    EXPECT_FALSE(updates);

    EXPECT_EQ(checkNow(ErrorPage, ErrorPage, ErrorPage), u"Fout bij controle op updates");
    ASSERT_TRUE(updates && updates->isVisible()) << "the window stays for another try";
    updates->close();
    test::deletePending();

    EXPECT_EQ(checkNow("1", newer, checklist), u"Update niet beschikbaar");
    EXPECT_FALSE(updates);

    recorder.answerNext(MessageAnswer::No);
    EXPECT_EQ(checkNow("0", newer, checklist), u"Updaten programma");
    EXPECT_TRUE(recorder.texts().first().contains(u"\r\n- programmaversie: 3.1\r\n- datum: 1-3-2027"));
    EXPECT_FALSE(updates);

    // The program's own folder has no updater: nothing is downloaded.
    EXPECT_EQ(checkNow("0", newer, checklist), u"Updaten programma,Actualisatie afgebroken");
    EXPECT_EQ(server.requests().filter(u"dovra HTTP").size(), 0);
}

// A newer checklist file is installed at once and its values read again; new program files go to the
// updater, started with the program and the caption, and the program ends.
TEST_F(UpdateWindowTest, DownloadsInstallOrHandOver)
{
    installUpdater();
    const QByteArray checklist = folder.offeredChecklist(15);
    server.setSignedPage(QStringLiteral("dbTALVOCL.mdb"), checklist);
    EXPECT_EQ(checkNow("0", "30,1-1-2026,dovra,1000",
                       "15,1-2-2027,dbTALVOCL.mdb," + QByteArray::number(checklist.size())),
              u"Updaten programma,Actualisatie checklist");
    EXPECT_EQ(appState().workspace().checklistSequence(), 15);
    EXPECT_FALSE(updates);

    server.setSignedPage(QStringLiteral("dovra"), "nieuw");
    EXPECT_EQ(checkNow("0", "31,1-3-2027,dovra,5", "15,1-2-2027,dbTALVOCL.mdb,1"), u"Updaten programma");
    EXPECT_FALSE(window->isVisible());
    QFile started(folder.filePath(QStringLiteral("gestart.txt")));
    QTRY_VERIFY_WITH_TIMEOUT(started.size() > 0, 5000);
    ASSERT_TRUE(started.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(started.readAll()).trimmed(),
              folder.filePath(QCoreApplication::applicationFilePath().section(u'/', -1)) +
                  QStringLiteral("|DOVRA"));
}

// The window tells how it reaches the server; the automatic check is stored when it closes, whichever way.
TEST_F(UpdateWindowTest, AutomaticCheckStoredOnClosing)
{
    window->runMenuCommand(QStringLiteral("check_updates"));
    updates = window->findChild<frmUpdateCheck*>();
    ASSERT_TRUE(updates);
    EXPECT_EQ(child<QLabel>(updates, "lblVerbinding")->text(),
              u"Verbinding met 127.0.0.1: niet beveiligd (HTTP); downloads worden wel op hun handtekening "
              u"gecontroleerd.");
    child<QCheckBox>(updates, "chkUpdate")->setChecked(true);
    child<QPushButton>(updates, "cmdClose")->click();
    EXPECT_TRUE(test::storedSettings().autoUpdateOnStart());
    EXPECT_TRUE(appState().proxy().autoUpdateOnStart);
}

// The proxy window shows the stored choice, its panel only for a proxy server, and stores a valid one.
TEST_F(UpdateWindowTest, ProxySettings)
{
    appState().storeProxyPreferences({2, QStringLiteral("proxy.voorbeeld.nl"), 8080, false});
    frmUpdateProxy dialog;
    dialog.show();
    const auto panelShown = [&] {
        return child<QWidget>(&dialog, "fraProxy")->isVisible();
    };
    EXPECT_TRUE(child<QRadioButton>(&dialog, "optProxType2")->isChecked());
    EXPECT_TRUE(panelShown());
    EXPECT_EQ(child<QLineEdit>(&dialog, "txtProxyPoortNr")->text(), u"8080");
    child<QRadioButton>(&dialog, "optProxType1")->click();
    EXPECT_FALSE(panelShown());
    child<QPushButton>(&dialog, "CancelButton")->click();
    EXPECT_EQ(test::storedSettings().proxySetting(), 2);

    dialog.show();
    child<QRadioButton>(&dialog, "optProxType2")->click();
    EXPECT_TRUE(panelShown());
    child<QLineEdit>(&dialog, "txtProxyNaam")->setText(QStringLiteral(" cache.provincie.nl "));
    child<QLineEdit>(&dialog, "txtProxyPoortNr")->setText(QStringLiteral("70000"));
    child<QPushButton>(&dialog, "OKButton")->click();
    EXPECT_EQ(recorder.titles(), QStringList{"Geavanceerd"});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(test::storedSettings().proxyName(), u"proxy.voorbeeld.nl");

    child<QLineEdit>(&dialog, "txtProxyPoortNr")->setText(QStringLiteral("60000"));
    child<QPushButton>(&dialog, "OKButton")->click();
    EXPECT_FALSE(dialog.isVisible());
    const Settings stored = test::storedSettings();
    EXPECT_EQ(
        QStringLiteral("%1 %2:%3").arg(stored.proxySetting()).arg(stored.proxyName()).arg(stored.proxyPort()),
        u"2 cache.provincie.nl:60000");
    EXPECT_EQ(appState().proxy().port, 60000);
}

} // namespace
