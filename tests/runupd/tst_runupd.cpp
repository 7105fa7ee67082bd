// The updater: all new files in place with the old permission bits, or none (a failure halfway puts every
// file back); names that are no plain file names left alone; the built updater waits for the program,
// replaces it and starts it again, and gives up on a program that keeps running.
#include "filereplacer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/stat.h>

using dovra::runupd::FileReplacer;

namespace {

void write(const QString& path, const QByteArray& contents, QFile::Permissions permissions)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
    file.setPermissions(permissions);
}

// Every entry of the folder with its contents ("<map>" for a folder).
QMap<QString, QByteArray> contents(const QString& folder)
{
    QMap<QString, QByteArray> entries;
    for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        QFile file(info.filePath());
        entries.insert(info.fileName(),
                       info.isDir() || !file.open(QIODevice::ReadOnly) ? "<map>" : file.readAll());
    }
    return entries;
}

mode_t mode(const QString& path)
{
    struct stat status;
    return ::stat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & 07777 : 0;
}

constexpr QFile::Permissions rw = QFile::ReadOwner | QFile::WriteOwner;
constexpr QFile::Permissions rwxrx = rw | QFile::ExeOwner | QFile::ReadGroup | QFile::ExeGroup;

TEST(FileReplacerTest, PutsEveryNewFileInPlaceWithTheOldPermissionBits)
{
    QTemporaryDir dir;
    write(dir.filePath("tool"), "old tool", rwxrx);
    write(dir.filePath("_0_tool"), "new tool", rw);
    write(dir.filePath("_0_dovra"), "new dovra", rw);
    write(dir.filePath("_0_notes.txt"), "new notes", rw);
    for (const char* hostile : {"_0_", "_0_.profile", "_0_..", "_0_..x"})
        write(dir.filePath(hostile), "hostile", rw);
    QStringList log;
    EXPECT_TRUE(
        FileReplacer(dir.path(), "dovra", [&log](const QString& line) { log.append(line); }).replaceAll());

    const QMap<QString, QByteArray> expected{
        {"tool", "new tool"},       {"dovra", "new dovra"}, {"notes.txt", "new notes"}, {"_0_", "hostile"},
        {"_0_.profile", "hostile"}, {"_0_..", "hostile"},   {"_0_..x", "hostile"}};
    EXPECT_EQ(contents(dir.path()), expected);
    EXPECT_EQ(mode(dir.filePath("tool")), 0750u);
    EXPECT_EQ(mode(dir.filePath("dovra")), 0755u);
    EXPECT_EQ(mode(dir.filePath("notes.txt")), 0644u);
    EXPECT_TRUE(log.contains("Vervangen: tool"));
}

TEST(FileReplacerTest, FailureHalfwayPutsEveryFileBack)
{
    // "b" is a folder that no file can replace; "a" comes before it, "c" after.
    QTemporaryDir dir;
    for (const char* name : {"a", "c", "_0_a", "_0_b", "_0_c"})
        write(dir.filePath(name), QByteArray("contents of ") + name, rwxrx);
    ASSERT_TRUE(QDir(dir.path()).mkpath("b/x"));
    const QMap<QString, QByteArray> before = contents(dir.path());
    QStringList log;
    EXPECT_FALSE(
        FileReplacer(dir.path(), "a", [&log](const QString& line) { log.append(line); }).replaceAll());
    EXPECT_EQ(contents(dir.path()), before);
    EXPECT_TRUE(log.contains("Teruggezet: a")) << log.join('\n').toStdString();
}

class UpdaterTest : public ::testing::Test
{
protected:
    UpdaterTest()
    {
        QFile::copy("/bin/sleep", program);
        write(dir.filePath("_0_prog"), "#!/bin/sh\necho herstart > \"$(dirname \"$0\")/herstart\"\n", rw);
    }
    ~UpdaterTest() override { running.kill(), running.waitForFinished(); }

    void runUpdater(const QStringList& arguments)
    {
        QProcess updater;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", dir.filePath("data"));
        updater.setProcessEnvironment(environment);
        updater.start(DOVRA_TEST_PROGRAM_DIR "/dovra-runupd", arguments);
        ASSERT_TRUE(updater.waitForFinished(40000));
        exitCode = updater.exitCode();
        err = QString::fromLocal8Bit(updater.readAllStandardError());
    }

    QTemporaryDir dir;
    QString program = dir.filePath("prog");
    QProcess running;
    int exitCode = -1;
    QString err;
};

TEST_F(UpdaterTest, WaitsForTheProgramThenReplacesAndRestartsIt)
{
    QElapsedTimer sinceStart;
    sinceStart.start();
    running.start(program, {"1"});
    ASSERT_TRUE(running.waitForStarted());
    runUpdater({program + "|DOVRA"});
    EXPECT_EQ(exitCode, 0) << err.toStdString();
    EXPECT_GE(sinceStart.elapsed(), 1000);
    EXPECT_TRUE(QTest::qWaitFor([this] { return QFile::exists(dir.filePath("herstart")); }, 5000));
    EXPECT_FALSE(QFile::exists(dir.filePath("_0_prog")));

    QFile log(dir.filePath("data/DOVRA/dovra-runupd.log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString logged = QString::fromUtf8(log.readAll());
    for (const QString& line : QStringList{"Vervangen: prog", program + " opnieuw gestart."})
        EXPECT_TRUE(logged.contains(line)) << logged.toStdString();
}

TEST_F(UpdaterTest, GivesUpOnAProgramThatKeepsRunningAndRefusesBadArguments)
{
    running.start(program, {"30"});
    ASSERT_TRUE(running.waitForStarted());
    const QMap<QString, QByteArray> before = contents(dir.path());
    runUpdater({"--wacht", "1", program + "|DOVRA"});
    EXPECT_EQ(exitCode, 1);
    EXPECT_TRUE(err.contains("DOVRA is na 1 seconde nog niet afgesloten")) << err.toStdString();
    QDir(dir.filePath("data")).removeRecursively();
    EXPECT_EQ(contents(dir.path()), before);

    for (const QStringList& bad :
         {QStringList{}, {"prog|DOVRA"}, {program}, {"--wacht", "x", program + "|D"}}) {
        runUpdater(bad);
        EXPECT_EQ(exitCode, 2) << bad.join(' ').toStdString();
    }
}

} // namespace
