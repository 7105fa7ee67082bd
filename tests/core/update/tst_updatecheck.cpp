// The update server's three information files against an installed program 3.0 (30) and checklist file 14:
// the statuses, the maintenance flag and the text the user is shown; the downloads of what it offers, the
// checklist file installed in one step, the proxies the requests go through, and an https server not trusted.
#include "checklist/checklistsystem.h"
#include "storage/workspace.h"
#include "support/localhttpserver.h"
#include "support/messagerecorder.h"
#include "support/testfiles.h"
#include "update/httpfetch.h"
#include "update/startupupdate.h"
#include "update/updatecheck.h"
#include "update/updatedownload.h"

#include <QDir>
#include <QProcess>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QThread>

#include <gtest/gtest.h>

using namespace dovra;

namespace {

struct Case
{
    const char* name;
    UpdateInfoResponses responses;
    const char* expected; // maintenance|checklist status|program status|information
};

TEST(UpdateCheck, StatusesAndInformationPerResponse)
{
    const QString errorPage = QStringLiteral("<html><body>404</body></html>");
    const Case cases[] = {
        {"nothing newer", {"0", "30,1-3-2026,dovra,1000", "14,1-1-2026,dbTALVOCL.mdb,2048"}, "0|0|0|"},
        {"newer program",
         {"0\r\n", "31,1-3-2027,dovra,1000", "14,1-1-2026,dbTALVOCL.mdb,2048"},
         "0|0|1|\r\n- programmaversie: 3.1\r\n- datum: 1-3-2027"},
        {"both newer, in maintenance",
         {"1", "31, 1-3-2027, dovra, 1000", "15,1-2-2027,dbTALVOCL.mdb,2048\n"},
         "1|1|1|\r\n- checklistbestandsversie: 15\r\n- datum: 1-2-2027\r\n\r\n- programmaversie: 3.1\r\n- "
         "datum: "
         "1-3-2027"},
        {"error pages", {errorPage, errorPage, errorPage.toUpper()}, "1|9|9|"},
        {"unreachable", {{}, {}, {}}, "1|9|9|"},
        {"older on the server", {"0", "29,1-3-2025,dovra,1000", "13,1-1-2025,dbTALVOCL.mdb,2048"}, "0|0|0|"}};
    for (const Case& c : cases) {
        const UpdateCheck check = evaluateUpdateInfo(c.responses, 30, 14);
        const UpdateOffer& offer = check.offer;
        EXPECT_EQ(QStringLiteral("%1|%2|%3|")
                          .arg(int(offer.serverInMaintenance))
                          .arg(offer.checklistStatus)
                          .arg(offer.programStatus) +
                      offer.information,
                  QLatin1String(c.expected))
            << c.name;
    }
}

// The three files fetched in their order, silently; a check that gets no information from the program's or
// the checklist's file names the first of them and the cause, and the user is told in one message.
TEST(UpdateCheck, FilesFetchedInOrder)
{
    MessageRecorder recorder;
    test::LocalHttpServer server({{"updateinfo_isinonderhoud.txt", "0"},
                                  {"updateinfo_prog.txt", "31,1-3-2027,dovra,1001"},
                                  {"updateinfo_cl.txt", "14,1-1-2026,dbTALVOCL.mdb,2048"}});
    HttpFetcher direct({1, {}, 0, false});
    const UpdateCheck check = checkForUpdates(direct, server.base(), 30, 14);
    EXPECT_EQ(check.offer.programStatus, 1);
    EXPECT_EQ(check.offer.checklistStatus, 0);
    EXPECT_EQ(server.requests(),
              QStringList({"GET /dovra/program/updates/updateinfo_isinonderhoud.txt HTTP/1.1",
                           "GET /dovra/program/updates/updateinfo_prog.txt HTTP/1.1",
                           "GET /dovra/program/updates/updateinfo_cl.txt HTTP/1.1"}));

    test::LocalHttpServer silent,
        failing({{"updateinfo_prog.txt", "<HTML>503</HTML>"}, {"updateinfo_cl.txt", ""}});
    HttpFetcher impatient({1, {}, 0, false}, 300);
    const std::pair<QUrl, QString> failures[] = {
        {silent.base(), "updateinfo_prog.txt|de server gaf geen antwoord binnen de wachttijd"},
        {failing.base(), "updateinfo_prog.txt|de server gaf een foutpagina"},
        {QUrl("http://127.0.0.1:1/"), "updateinfo_prog.txt|de server 127.0.0.1 weigert de verbinding"},
        {QUrl(), "|er is geen geldig http- of https-adres ingesteld"}};
    for (const auto& [base, expected] : failures) {
        const UpdateOffer offer = checkForUpdates(impatient, base, 30, 14).offer;
        EXPECT_EQ(offer.failedAddress.mid(base.toString().size()) + u'|' + offer.failureCause, expected);
        EXPECT_TRUE(offer.failedAddress.startsWith(base.toString()));
    }
    EXPECT_TRUE(recorder.recorded().isEmpty());
    UpdateOffer offer;
    offer.failedAddress = QStringLiteral("http://dovra.invalid/");
    offer.failureCause = QStringLiteral("de server gaf een foutpagina");
    tellUpdateServerUnreachable(offer);
    EXPECT_TRUE(recorder.texts().value(0).endsWith(u"proxy-instellingen.\r\n\r\nAdres: http://dovra.invalid/"
                                                   u"\r\nOorzaak: de server gaf een foutpagina."));
}

class RecordedProgress : public DownloadProgress
{
public:
    void showFile(const QString& name, int maximum) override
    {
        steps.append(name + u'/' + QString::number(maximum));
    }
    void advance(int blocks) override
    {
        steps.last() = steps.last().section(u' ', 0, 0) + u' ' + QString::number(blocks);
    }
    void hideProgress() override { steps.append(QStringLiteral("verborgen")); }
    QStringList steps;
};

QByteArray readAll(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

class DownloadTest : public ::testing::Test
{
protected:
    // The sequence number of the workspace's checklist file, read afresh, and the "_0_" copies left over.
    QString installed()
    {
        ReadChecklistSystemValues(folder.workspace());
        return QString::number(folder.workspace().checklistSequence()) + u'|' +
               QDir(folder.path()).entryList({QStringLiteral("_0_*")}).join(u',');
    }
    UpdateCheck offer(const QString& checklist, const QString& program)
    {
        return evaluateUpdateInfo({QStringLiteral("0"), program, checklist}, 30, 14);
    }

    test::ProgramFolder folder;
    MessageRecorder recorder;
    test::LocalHttpServer server;
    HttpFetcher fetcher{{1, {}, 0, false}, 500};
    RecordedProgress progress;
    DownloadSource source{fetcher, server.base(), &progress};
    TrustedKeys keys = TrustedKeys::read(folder.filePath(QLatin1String(TrustedKeysFileName)));
};

// A checklist file is installed only when it arrived whole and is a usable checklist file of the offered
// sequence number; otherwise the old file stays and no copy is left behind.
TEST_F(DownloadTest, ChecklistInstalledOnlyWhenWholeAndUsable)
{
    const QByteArray file = folder.offeredChecklist(15);
    const QString size = QString::number(file.size());
    struct Row
    {
        const char* name;
        QString information;
        QByteArray served;
        const char* expected; // sequence|copies left|titles of the messages
    };
    const Row rows[] = {
        {"one byte short", "15,d,cl.mdb," + QString::number(file.size() + 1), file,
         "14||Downloaden cl.mdb,Update mislukt..."},
        {"longer than announced", "15,d,cl.mdb," + size, file + QByteArray(4096, 'x'),
         "14||Downloaden cl.mdb,Update mislukt..."},
        {"far longer than announced", "15,d,cl.mdb," + size, file + QByteArray(64 << 20, 'x'),
         "14||Downloaden cl.mdb,Update mislukt..."},
        {"no checklist file", "15,d,cl.mdb,4096", QByteArray(4096, 'x'), "14||Fout 0,Update mislukt..."},
        {"other sequence number", "16,d,cl.mdb," + size, file, "14||Fout 0,Update mislukt..."},
        {"not answered", "15,d,stil.mdb," + size, file, "14||Fout 5,Downloaden stil.mdb,Update mislukt..."},
        {"path in the name", "15,d,../cl.mdb," + size, file, "14||Downloaden ../cl.mdb,Update mislukt..."},
        {"whole and usable", "15,d,cl.mdb," + size, file, "15||"},
    };
    server.setPage(QStringLiteral("stil.mdb.sig"), test::sign("stil"));
    for (const Row& row : rows) {
        recorder.clear();
        server.setSignedPage(QStringLiteral("cl.mdb"), row.served);
        const qint64 sentBefore = server.bytesSent();
        const bool done = downloadChecklist(source, keys, offer(row.information, {}), folder.workspace());
        // The answer is cut off a little past the announced size: the disk is not filled.
        EXPECT_LT(server.bytesSent() - sentBefore, 32 << 20) << row.name;
        QStringList titles = recorder.titles();
        // The general error message has the reason as its title and the error number in its text.
        for (qsizetype i = 0; i < titles.size(); ++i)
            if (recorder.texts().at(i).startsWith(u"Fout "))
                titles[i] = recorder.texts().at(i).section(u'\n', 0, 0);
        EXPECT_EQ(QString(installed() + u'|' + titles.join(u',')).toStdString(), row.expected) << row.name;
        EXPECT_EQ(done, row.expected[1] == '5') << row.name;
    }
    EXPECT_FALSE(server.requests().join(u' ').contains(u"../")) << "a path never reaches the server";
}

// The program files are attempted one after the other even when one fails; the updater gets all of them
// or none. A file of an odd number of bytes passes the count when it comes whole.
TEST_F(DownloadTest, ProgramFilesAllOrNone)
{
    const QByteArray odd(3001, 'a');
    server.setSignedPage(QStringLiteral("a.bin"), odd);
    server.setSignedPage(QStringLiteral("c.bin"), "ccccc");
    const UpdateCheck check = offer({}, QStringLiteral("31,d,a.bin,3001,b.bin,10,c.bin,5"));
    DownloadRequest request{false, true, folder.path(), false};

    EXPECT_EQ(runUpdateDownload(source, check, folder.workspace(), request, {}), DownloadOutcome::Stopped);
    EXPECT_EQ(recorder.texts(), QStringList{"Update-programma is niet gevonden."});
    QFile updater(folder.filePath(QLatin1String(UpdaterProgramName)));
    ASSERT_TRUE(updater.open(QIODevice::WriteOnly));
    updater.setPermissions(updater.permissions() | QFile::ExeOwner);
    request.otherWindowsOpen = true;
    EXPECT_EQ(runUpdateDownload(source, check, folder.workspace(), request, {}), DownloadOutcome::Stopped);
    EXPECT_EQ(recorder.texts().last(), QStringLiteral("Sluit eerst alle openstaande formulieren"));
    EXPECT_TRUE(server.requests().isEmpty());

    recorder.clear();
    request.otherWindowsOpen = false;
    EXPECT_EQ(runUpdateDownload(source, check, folder.workspace(), request, {}), DownloadOutcome::Failed);
    EXPECT_EQ(recorder.titles(), QStringList({"Downloaden b.bin", "Update mislukt..."}));
    EXPECT_TRUE(server.requests().last().contains(u"c.bin"));
    EXPECT_EQ(installed(), QStringLiteral("14|"));

    server.setSignedPage(QStringLiteral("b.bin"), "bbbbbbbbbb");
    progress.steps.clear();
    recorder.clear();
    EXPECT_EQ(runUpdateDownload(source, check, folder.workspace(), request, {}), DownloadOutcome::HandOver);
    EXPECT_TRUE(recorder.recorded().isEmpty());
    EXPECT_EQ(installed(),
              QStringLiteral("14|_0_a.bin,_0_a.bin.sig,_0_b.bin,_0_b.bin.sig,_0_c.bin,_0_c.bin.sig"));
    EXPECT_EQ(readAll(folder.filePath(QStringLiteral("_0_a.bin"))), odd);
    EXPECT_EQ(progress.steps, QStringList({"a.bin/2 2", "b.bin/0", "c.bin/0"}));
}

// Neither a checklist nor a program file is kept unless signed with a key of the key file, whichever; the
// message names the file. Without a key file nothing is fetched.
TEST_F(DownloadTest, OnlyValidlySignedFilesAreInstalled)
{
    const QString keyFile = folder.filePath(QLatin1String(TrustedKeysFileName));
    const QByteArray checklist = folder.offeredChecklist(15);
    const UpdateCheck check = offer("15,d,cl.mdb," + QString::number(checklist.size()), "31,d,prog,3001");
    const QList<test::SignatureCase> checklists = test::signatureCases(checklist),
                                     programs = test::signatureCases(QByteArray(3001, 'p'));
    for (qsizetype i = 0; i < checklists.size(); ++i) {
        for (const auto& [name, served] : {std::pair{"cl.mdb", checklists.at(i)}, {"prog", programs.at(i)}}) {
            server.setPage(QLatin1String(name), served.bytes);
            server.setPage(QLatin1String(name) + QStringLiteral(".sig"), served.signature);
        }
        recorder.clear();
        const bool valid = checklists.at(i).valid;
        EXPECT_EQ(downloadChecklist(source, keys, check, folder.workspace()) &
                      downloadProgramFiles(source, keys, check, folder.path()),
                  valid);
        EXPECT_EQ(installed(), valid ? u"15|_0_prog,_0_prog.sig" : u"14|") << checklists.at(i).name;
        for (const QString name : {"cl.mdb", "prog"})
            EXPECT_EQ(recorder.texts().contains(signatureRefusedMessage(name)), !valid)
                << checklists.at(i).name;
    }
    QFile::rename(keyFile, keyFile + QStringLiteral(".uit"));
    recorder.clear();
    EXPECT_EQ(runUpdateDownload(source, check, folder.workspace(), {true, false, folder.path(), false}, {}),
              DownloadOutcome::Stopped);
    EXPECT_EQ(recorder.titles(), QStringList{"Actualisatie afgebroken"});
    QProcess::execute(
        "sh",
        {"-c", "openssl genpkey -algorithm ed25519 | openssl pkey -pubout | cat - $0.uit >$0", keyFile});
    EXPECT_TRUE(TrustedKeys::read(keyFile).verifies(checklist, test::sign(checklist)));
}

// A new checklist alone: installed, re-read and announced, without an updater in the program folder (an
// installed package has none); the progress display is hidden first.
TEST_F(DownloadTest, ChecklistAloneIsAnnounced)
{
    const QByteArray file = folder.offeredChecklist(15);
    server.setSignedPage(QStringLiteral("dbTALVOCL.mdb"), file);
    int rereads = 0;
    const UpdateCheck check = offer("15,d,dbTALVOCL.mdb," + QString::number(file.size()), {});
    EXPECT_EQ(runUpdateDownload(source, check, folder.workspace(), {true, false, folder.path(), false},
                                [&] { ++rereads; }),
              DownloadOutcome::Finished);
    EXPECT_EQ(rereads, 1);
    EXPECT_EQ(progress.steps.last(), QStringLiteral("verborgen"));
    EXPECT_EQ(recorder.titles(), QStringList{"Actualisatie checklist"});
    EXPECT_EQ(installed(), QStringLiteral("15|"));
}

// An installed program's folder cannot be written (here: is missing): the checklist file goes to the user's
// folder, made for it, and the workspace uses it from then on.
TEST_F(DownloadTest, ChecklistOfAReadOnlyProgramGoesToTheUserFolder)
{
    const QByteArray file = folder.offeredChecklist(15);
    server.setSignedPage(QStringLiteral("dbTALVOCL.mdb"), file);
    const QString user = folder.filePath(QStringLiteral("gebruiker"));
    Workspace workspace(ProgramPaths(folder.filePath(QStringLiteral("ontbreekt")), user));
    EXPECT_TRUE(downloadChecklist(
        source, keys, offer("15,d,dbTALVOCL.mdb," + QString::number(file.size()), {}), workspace));
    EXPECT_EQ(workspace.checklistFilePath(), user + QStringLiteral("/dbTALVOCL.mdb"));
    ASSERT_TRUE(ReadChecklistSystemValues(workspace));
    EXPECT_EQ(workspace.checklistSequence(), 15);
}

// The program killed between writing the new checklist file and putting it in place: the old file is still
// there, whole and readable.
TEST(ChecklistInstall, KilledBeforeTheRenameLeavesTheOldFile)
{
    test::ProgramFolder folder;
    const QString downloaded = folder.filePath(QStringLiteral("_0_dbTALVOCL.mdb"));
    QFile copy(downloaded);
    ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
    copy.write(folder.offeredChecklist(15));
    copy.close();
    GTEST_FLAG_SET(death_test_style, "fast");
    EXPECT_DEATH(
        installChecklistFile(downloaded, folder.paths().checklistFile(), 15, nullptr, [] { std::abort(); }),
        "");
    MessageRecorder recorder;
    ASSERT_TRUE(ReadChecklistSystemValues(folder.workspace()));
    EXPECT_EQ(folder.workspace().checklistSequence(), 14);
    EXPECT_TRUE(installChecklistFile(downloaded, folder.paths().checklistFile(), 15, nullptr));
    folder.workspace().setChecklistFile(folder.paths().checklistFile());
    ASSERT_TRUE(ReadChecklistSystemValues(folder.workspace()));
    EXPECT_EQ(folder.workspace().checklistSequence(), 15);
}

// A proxy server of the user's needs a host and a port it can be reached at: host|port|the entry to correct.
TEST(ProxyEntry, HostAndAPortFrom1To65535)
{
    for (const char* c : {"proxy.nl| 8080 |0", " |8080|1", "proxy.nl||2", "proxy.nl|0|2", "proxy.nl|65536|2",
                          "proxy.nl|65535|0", "proxy.nl|80a|2"}) {
        MessageRecorder recorder;
        const QStringList f = QString::fromUtf8(c).split(u'|');
        EXPECT_EQ(int(checkManualProxy(f[0], f[1], QStringLiteral("Geavanceerd"))), f[2].toInt()) << c;
        EXPECT_EQ(recorder.recorded().size(), f[2] == u"0" ? 0 : 1) << c;
    }
}

// Proxy setting 2 through a real HTTP proxy, which logs the requests it passed on; setting 1 bypasses it.
TEST(UpdateCheck, RequestsGoThroughTinyproxy)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("tinyproxy"));
    ASSERT_FALSE(program.isEmpty()) << "tinyproxy is installed by scripts/install-deps";
    QTemporaryDir dir;
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost);
    const quint16 port = probe.serverPort();
    probe.close();
    QFile config(dir.filePath(QStringLiteral("tinyproxy.conf")));
    ASSERT_TRUE(config.open(QIODevice::WriteOnly));
    config.write(QStringLiteral("Port %1\nListen 127.0.0.1\nTimeout 10\nAllow 127.0.0.1\nLogLevel Info\n"
                                "LogFile \"%2\"\nPidFile \"%3\"\n")
                     .arg(port)
                     .arg(dir.filePath(QStringLiteral("tinyproxy.log")), dir.filePath(QStringLiteral("pid")))
                     .toUtf8());
    config.close();
    QProcess proxy;
    proxy.start(program, {QStringLiteral("-d"), QStringLiteral("-c"), config.fileName()});
    ASSERT_TRUE(proxy.waitForStarted());
    for (int i = 0; i < 50; ++i) {
        QTcpSocket socket;
        socket.connectToHost(QHostAddress::LocalHost, port);
        if (socket.waitForConnected(100))
            break;
        QThread::msleep(100);
    }

    test::LocalHttpServer server({{"updateinfo_cl.txt", "15,1-2-2027,dbTALVOCL.mdb,2049"}});
    const QUrl url = server.base().resolved(QUrl(QStringLiteral("updateinfo_cl.txt")));
    MessageRecorder recorder;
    HttpFetcher proxied({2, QStringLiteral("127.0.0.1"), port, false});
    EXPECT_EQ(proxied.get(url), QByteArray("15,1-2-2027,dbTALVOCL.mdb,2049"));
    HttpFetcher direct({1, QStringLiteral("127.0.0.1"), port, false});
    EXPECT_EQ(direct.get(url.resolved(QUrl(QStringLiteral("updateinfo_cl.txt?direct")))),
              QByteArray("15,1-2-2027,dbTALVOCL.mdb,2049"));
    proxy.terminate();
    proxy.waitForFinished();
    const QString log = QString::fromUtf8(readAll(dir.filePath(QStringLiteral("tinyproxy.log"))));
    EXPECT_TRUE(log.contains(u"GET " + url.toString())) << log.toStdString();
    EXPECT_FALSE(log.contains(u"direct"));
    EXPECT_EQ(server.requests().size(), 2);
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

// An https server whose certificate no trusted authority issued: the request fails with the cause in Dutch,
// the certificate error is never passed over.
TEST(UpdateCheck, UntrustedCertificateIsRefused)
{
    const QString openssl = QStandardPaths::findExecutable(QStringLiteral("openssl"));
    ASSERT_FALSE(openssl.isEmpty()) << "openssl is installed by scripts/install-deps";
    QTemporaryDir dir;
    const QString key = dir.filePath(QStringLiteral("key.pem"));
    const QString certificate = dir.filePath(QStringLiteral("certificate.pem"));
    QStringList arguments =
        QStringLiteral("req -x509 -newkey ec -pkeyopt ec_paramgen_curve:prime256v1 -nodes "
                       "-days 2 -subj /CN=127.0.0.1 -addext subjectAltName=IP:127.0.0.1")
            .split(u' ');
    arguments << QStringLiteral("-keyout") << key << QStringLiteral("-out") << certificate;
    QProcess make;
    make.start(openssl, arguments);
    ASSERT_TRUE(make.waitForFinished());
    ASSERT_EQ(make.exitCode(), 0) << make.readAllStandardError().toStdString();
    QSslConfiguration tls = QSslConfiguration::defaultConfiguration();
    tls.setLocalCertificate(QSslCertificate(readAll(certificate)));
    tls.setPrivateKey(QSslKey(readAll(key), QSsl::Ec));
    QSslServer server;
    server.setSslConfiguration(tls);
    ASSERT_TRUE(server.listen(QHostAddress::LocalHost));

    MessageRecorder recorder;
    HttpFetcher fetcher({1, QString(), 0, false}, 5000);
    QString failure;
    EXPECT_TRUE(
        fetcher
            .get(QUrl(QStringLiteral("https://127.0.0.1:%1/updateinfo_cl.txt").arg(server.serverPort())),
                 &failure)
            .isEmpty());
    EXPECT_EQ(failure, QStringLiteral("de beveiligde verbinding (HTTPS) met 127.0.0.1 is geweigerd: het "
                                      "certificaat van de server is niet door een vertrouwde instantie "
                                      "uitgegeven"));
    EXPECT_TRUE(recorder.recorded().isEmpty());
}

} // namespace
