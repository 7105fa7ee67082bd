// The update server's three information files against an installed program 3.0 (30) and checklist file 14:
// the statuses, the maintenance flag and the text the user is shown.
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

} // namespace
