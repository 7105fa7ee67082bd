// Two workspaces on two data files in one process: each record, calculation and levy works on the files
// of the workspace it is given.
#include "calc/clsDV.h"
#include "calc/clsHeffing.h"
#include "checklist/clsCL.h"
#include "support/testfiles.h"

#include <gtest/gtest.h>

namespace dovra {
namespace {

TEST(Workspaces, TwoDataFilesSideBySide)
{
    MessageRecorder recorder;
    test::ProgramFolder first;
    test::ProgramFolder second;
    ASSERT_TRUE(first.linkDemoData());
    ASSERT_TRUE(second.linkDemoData());
    // The second file's facilities at a rate one percent higher; the first file keeps its own.
    ASSERT_TRUE(second.workspace().dataDatabase()->exec(
        QStringLiteral("UPDATE tblStort SET sngRentePerc = sngRentePerc + 1")));

    clsDV before(first.workspace());
    clsDV after(second.workspace());
    for (clsDV* dv : {&before, &after})
        ASSERT_TRUE(dv->initializeDV(1) && dv->VerifyBeforeBerekening2() && dv->BerekenAlles());
    EXPECT_FLOAT_EQ(after.rente(), before.rente() + 0.01f);
    // Costs discounted at a higher rate are worth less now.
    EXPECT_LT(after.DoelvermogenMetRisicoFonds(), before.DoelvermogenMetRisicoFonds());

    clsHeffing levyBefore(first.workspace(), 1);
    clsHeffing levyAfter(second.workspace(), 1);
    levyBefore.psubBerekenHeffingPerTon(before.DoelvermogenMetRisicoFonds());
    levyAfter.psubBerekenHeffingPerTon(after.DoelvermogenMetRisicoFonds());
    ASSERT_TRUE(levyBefore.ValidatieOK && levyAfter.ValidatieOK);
    EXPECT_FLOAT_EQ(levyAfter.sngRente, levyBefore.sngRente + 0.01f);
    EXPECT_TRUE(recorder.texts().isEmpty()) << recorder.texts().join(u'\n').toStdString();
}

// A checklist file replaced under the workspace (an update) is read again, versions included.
TEST(Workspaces, AReplacedChecklistFileIsReadAgain)
{
    test::ProgramFolder folder;
    Workspace& workspace = folder.workspace();
    clsCL before(workspace);
    ASSERT_TRUE(before.initializeCL(1));
    EXPECT_NE(before.strVersie(), u"bijgewerkt");

    workspace.closeFile(workspace.checklistFilePath());
    {
        std::unique_ptr<Database> update =
            Database::open(workspace.checklistFilePath(), Database::OpenMode::ReadWrite);
        ASSERT_TRUE(update);
        ASSERT_TRUE(
            update->exec(QStringLiteral("UPDATE tblCL SET strVersie = 'bijgewerkt' WHERE intCL_ID = 1")));
    }
    clsCL after(workspace);
    ASSERT_TRUE(after.initializeCL(1));
    EXPECT_EQ(after.strVersie(), u"bijgewerkt");
}

} // namespace
} // namespace dovra
