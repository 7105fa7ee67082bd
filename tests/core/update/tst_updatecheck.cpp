// The update server's three information files against an installed program 3.0 (30) and checklist file 14:
// the statuses, the maintenance flag and the text the user is shown.
#include "support/localhttpserver.h"
#include "support/messagerecorder.h"
#include "update/httpfetch.h"
#include "update/updatecheck.h"

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

// The fields are kept for the download: each program file with its size.
TEST(UpdateCheck, FieldsAreKeptForTheDownload)
{
    const UpdateCheck check = evaluateUpdateInfo(
        {"0", "31,1-3-2027,dovra,1001,dovra-cli,37,dovra-runupd,5", "15,1-2-2027,dbTALVOCL.mdb,2049"}, 30,
        14);
    EXPECT_EQ(check.programFields,
              QStringList({"31", "1-3-2027", "dovra", "1001", "dovra-cli", "37", "dovra-runupd", "5"}));
    EXPECT_EQ(check.checklistFields, QStringList({"15", "1-2-2027", "dbTALVOCL.mdb", "2049"}));
}

// The three files fetched in their order through a direct connection and through an HTTP proxy (which is
// sent the whole address); a request that is not answered times out, is told, and counts as no information.
TEST(UpdateCheck, FilesFetchedDirectlyOrThroughTheProxy)
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
    EXPECT_TRUE(recorder.recorded().isEmpty());

    // The server as proxy for another host.
    server.clearRequests();
    HttpFetcher proxied({2, QStringLiteral("127.0.0.1"), qint16(server.base().port()), false});
    EXPECT_EQ(proxied.get(QUrl(QStringLiteral("http://updates.example/x/updateinfo_cl.txt"))),
              QByteArray("14,1-1-2026,dbTALVOCL.mdb,2048"));
    EXPECT_EQ(server.requests(), QStringList{"GET http://updates.example/x/updateinfo_cl.txt HTTP/1.1"});

    HttpFetcher impatient({1, {}, 0, false}, 300);
    EXPECT_TRUE(impatient.get(server.base().resolved(QUrl(QStringLiteral("stil.txt")))).isEmpty());
    // Qt ends a request that exceeds its time as cancelled (error 5).
    ASSERT_EQ(recorder.recorded().size(), 1);
    EXPECT_TRUE(recorder.texts().first().startsWith(u"Fout 5\nBron: HttpFetcher.get http://127.0.0.1:"))
        << recorder.texts().first().toStdString();
}

} // namespace
