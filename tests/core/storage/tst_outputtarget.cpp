// Where a document may be written: a new file in a usable folder or a writable file of the user's, never a
// folder, a link, a special file or one of the program's databases, whatever the path is called.
#include "storage/outputtarget.h"
#include "support/messagerecorder.h"
#include "support/testfiles.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace dovra;

namespace {

TEST(OutputTarget, RefusesEverythingButAUsableFile)
{
    test::ProgramFolder folder;
    MessageRecorder recorder;
    ASSERT_TRUE(folder.linkDemoData());
    const QDir dir(folder.path());
    const auto at = [&dir](const char* name) {
        return QFile::encodeName(dir.filePath(QLatin1String(name)));
    };
    for (const char* name : {"oud.docx", "alleen-lezen.docx", "dbTALVOdata_instellingen.mdb"}) {
        QFile file(dir.filePath(QLatin1String(name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    ASSERT_TRUE(dir.mkdir(QStringLiteral("map")) && dir.mkdir(QStringLiteral("dicht")));
    ASSERT_EQ(chmod(at("alleen-lezen.docx").constData(), 0444), 0);
    ASSERT_EQ(chmod(at("dicht").constData(), 0555), 0);
    ASSERT_EQ(symlink("oud.docx", at("link.docx").constData()), 0);
    ASSERT_EQ(symlink("weg.docx", at("los.docx").constData()), 0);
    ASSERT_EQ(symlink(".", at("ook").constData()), 0);
    ASSERT_EQ(mkfifo(at("fifo.docx").constData(), 0600), 0);
    ASSERT_EQ(link(at("dbTALVOCL.mdb").constData(), at("kopie.docx").constData()), 0);
    // The data file the settings link, which is not the one linked now.
    const QStringList databases = programDatabaseFiles(
        folder.workspace(), dir.filePath(QStringLiteral("dbTALVOdata_instellingen.mdb")));

    const QString own = QStringLiteral(" is een database die het programma gebruikt.");
    // Relative to the program folder, or absolute; the refusal, {} when the target may be written.
    const std::pair<const char*, QString> cases[] = {
        {"nieuw.docx", {}},
        {"oud.docx", {}},
        {"alleen-lezen.docx", QStringLiteral("'{folder}/alleen-lezen.docx' is alleen-lezen.")},
        {"map", QStringLiteral("'{folder}/map' is een map.")},
        {"geen map/r.docx", QStringLiteral("de map '{folder}/geen map' bestaat niet.")},
        {"oud.docx/r.docx", QStringLiteral("de map '{folder}/oud.docx' bestaat niet.")},
        {"dicht/r.docx", QStringLiteral("in de map '{folder}/dicht' kan niet worden geschreven.")},
        {"link.docx", QStringLiteral("'{folder}/link.docx' is een symbolische koppeling.")},
        {"los.docx", QStringLiteral("'{folder}/los.docx' is een symbolische koppeling.")},
        {"fifo.docx", QStringLiteral("'{folder}/fifo.docx' is geen gewoon bestand.")},
        {"/dev/null", QStringLiteral("'/dev/null' is geen gewoon bestand.")},
        {"ook/dbTALVOdata_1.mdb", QStringLiteral("'{folder}/ook/dbTALVOdata_1.mdb'") + own},
        {"kopie.docx", QStringLiteral("'{folder}/kopie.docx'") + own},
        {"dbTALVOdata_instellingen.mdb", QStringLiteral("'{folder}/dbTALVOdata_instellingen.mdb'") + own},
        {"db00.mdb", QStringLiteral("'{folder}/db00.mdb'") + own},
        {"", QStringLiteral("er is geen bestandsnaam opgegeven.")},
    };
    for (const auto& [target, problem] : cases) {
        // Permissions do not bind root.
        if (geteuid() == 0 &&
            (problem.contains(QLatin1String("alleen-lezen")) || problem.contains(QLatin1String("dicht"))))
            continue;
        const QString path = *target ? dir.absoluteFilePath(QString::fromUtf8(target)) : QString();
        EXPECT_EQ(outputTargetProblem(path, databases).value_or(QString()),
                  QString(problem).replace(QLatin1String("{folder}"), dir.path()))
            << target;
    }
}

} // namespace
