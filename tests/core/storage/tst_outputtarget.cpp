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

struct TargetCase
{
    const char* name;
    // Relative to the program folder, or absolute.
    const char* target;
    // The refusal, "{folder}" standing for the program folder; empty when the target may be written.
    const char* problem;
    void (*prepare)(const QDir& folder) = nullptr;
    // Permissions do not bind root.
    bool needsPermissions = false;
};

void PrintTo(const TargetCase& c, std::ostream* os)
{
    *os << c.name;
}

QByteArray encoded(const QDir& folder, const char* name)
{
    return QFile::encodeName(folder.filePath(QLatin1String(name)));
}

void writeFile(const QDir& folder, const char* name)
{
    QFile file(folder.filePath(QLatin1String(name)));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("oud");
}

void existingFile(const QDir& folder)
{
    writeFile(folder, "oud.docx");
}

// The data file the settings link, which is not the one linked now.
const char* const ConfiguredDataFile = "dbTALVOdata_instellingen.mdb";

const TargetCase Cases[] = {
    {"NewFile", "nieuw.docx", ""},
    {"ExistingFile", "oud.docx", "", existingFile},
    {"ReadOnlyFile", "oud.docx", "'{folder}/oud.docx' is alleen-lezen.",
     [](const QDir& folder) {
         existingFile(folder);
         ASSERT_EQ(chmod(encoded(folder, "oud.docx").constData(), 0444), 0);
     },
     true},
    {"Folder", "map", "'{folder}/map' is een map.",
     [](const QDir& folder) {
         folder.mkdir(QStringLiteral("map"));
     }},
    {"MissingFolder", "geen map/r.docx", "de map '{folder}/geen map' bestaat niet."},
    {"FileAsFolder", "oud.docx/r.docx", "de map '{folder}/oud.docx' bestaat niet.", existingFile},
    {"UnwritableFolder", "dicht/r.docx", "in de map '{folder}/dicht' kan niet worden geschreven.",
     [](const QDir& folder) {
         folder.mkdir(QStringLiteral("dicht"));
         ASSERT_EQ(chmod(encoded(folder, "dicht").constData(), 0555), 0);
     },
     true},
    {"SymlinkToAFile", "link.docx", "'{folder}/link.docx' is een symbolische koppeling.",
     [](const QDir& folder) {
         existingFile(folder);
         ASSERT_EQ(symlink("oud.docx", encoded(folder, "link.docx").constData()), 0);
     }},
    {"DanglingSymlink", "link.docx", "'{folder}/link.docx' is een symbolische koppeling.",
     [](const QDir& folder) {
         ASSERT_EQ(symlink("weg.docx", encoded(folder, "link.docx").constData()), 0);
     }},
    {"Fifo", "fifo.docx", "'{folder}/fifo.docx' is geen gewoon bestand.",
     [](const QDir& folder) {
         ASSERT_EQ(mkfifo(encoded(folder, "fifo.docx").constData(), 0600), 0);
     }},
    {"Device", "/dev/null", "'/dev/null' is geen gewoon bestand."},
    {"DataFileByAnotherSpelling", "ook/dbTALVOdata_1.mdb",
     "'{folder}/ook/dbTALVOdata_1.mdb' is een database die het programma gebruikt.",
     [](const QDir& folder) {
         ASSERT_EQ(symlink(".", encoded(folder, "ook").constData()), 0);
     }},
    {"HardLinkToTheChecklistFile", "kopie.docx",
     "'{folder}/kopie.docx' is een database die het programma gebruikt.",
     [](const QDir& folder) {
         ASSERT_EQ(
             link(encoded(folder, "dbTALVOCL.mdb").constData(), encoded(folder, "kopie.docx").constData()),
             0);
     }},
    {"ConfiguredDataFile", ConfiguredDataFile,
     "'{folder}/dbTALVOdata_instellingen.mdb' is een database die het programma gebruikt.",
     [](const QDir& folder) {
         writeFile(folder, ConfiguredDataFile);
     }},
    {"Template", "db00.mdb", "'{folder}/db00.mdb' is een database die het programma gebruikt."},
    {"NoName", "", "er is geen bestandsnaam opgegeven."},
};

class OutputTargetTest : public ::testing::TestWithParam<TargetCase>
{
protected:
    test::ProgramFolder folder;
    MessageRecorder recorder;
};

TEST_P(OutputTargetTest, RefusesEverythingButAUsableFile)
{
    const TargetCase& c = GetParam();
    if (c.needsPermissions && geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind root";
    ASSERT_TRUE(folder.linkDemoData());
    const QDir dir(folder.path());
    if (c.prepare)
        c.prepare(dir);

    const QString target = *c.target ? dir.absoluteFilePath(QString::fromUtf8(c.target)) : QString();
    const std::optional<QString> problem = outputTargetProblem(
        target, programDatabaseFiles(folder.workspace(), dir.filePath(QLatin1String(ConfiguredDataFile))));
    EXPECT_EQ(problem.value_or(QString()),
              QString::fromUtf8(c.problem).replace(QLatin1String("{folder}"), dir.path()));
}

INSTANTIATE_TEST_SUITE_P(Targets, OutputTargetTest, ::testing::ValuesIn(Cases),
                         [](const ::testing::TestParamInfo<TargetCase>& info) {
                             return std::string(info.param.name);
                         });

} // namespace
