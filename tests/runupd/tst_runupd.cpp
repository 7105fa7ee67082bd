// The updater: all new files in place with the old permission bits, or none (a failure halfway puts every
// file back); only files validly signed; names that are no plain file names left alone; the built updater
// waits for the program, replaces it and starts it again, and gives up on a program that keeps running.
#include "filereplacer.h"
#include "support/localhttpserver.h"

#include <QDir>
#include <QElapsedTimer>
#include <QMap>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/stat.h>

using dovra::TrustedKeys;
using dovra::runupd::FileReplacer;

namespace {

const TrustedKeys keys = TrustedKeys::read(dovra::test::TestKeyPair + ".pub");
const auto noLog = [](const QString&) {
};

void write(const QString& path, const QByteArray& contents, mode_t mode = 0600)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write(contents) == contents.size());
    ::chmod(QFile::encodeName(path).constData(), mode);
}

// A new file as the program leaves it for the updater, with its signature beside it.
void writeSigned(const QString& path, const QByteArray& contents, mode_t mode = 0600)
{
    write(path, contents, mode);
    write(path + ".sig", dovra::test::sign(contents));
}

// Every entry of the folder: its permission bits (octal) and contents ("<map>" for a folder).
QMap<QString, QByteArray> entries(const QString& folder)
{
    QMap<QString, QByteArray> found;
    for (const QFileInfo& info : QDir(folder).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot)) {
        struct stat status;
        ::stat(QFile::encodeName(info.filePath()).constData(), &status);
        QFile file(info.filePath());
        found.insert(info.fileName(), QByteArray::number(status.st_mode & 07777, 8) + ' ' +
                                          (file.open(QIODevice::ReadOnly) ? file.readAll() : "<map>"));
    }
    return found;
}

TEST(FileReplacerTest, PutsEveryNewFileInPlaceWithTheOldPermissionBits)
{
    QTemporaryDir dir;
    write(dir.filePath("tool"), "old", 0750);
    for (const char* name : {"_0_tool", "_0_dovra", "_0_notes.txt"})
        writeSigned(dir.filePath(name), "new");
    for (const char* name : {"_0_", "_0_.profile", "_0_..", "_0_..x"})
        write(dir.filePath(name), "new");
    EXPECT_TRUE(FileReplacer(dir.path(), "dovra", keys, noLog).replaceAll());
    const QMap<QString, QByteArray> expected{
        {"tool", "750 new"},        {"dovra", "755 new"}, {"notes.txt", "644 new"}, {"_0_", "600 new"},
        {"_0_.profile", "600 new"}, {"_0_..", "600 new"}, {"_0_..x", "600 new"}};
    EXPECT_EQ(entries(dir.path()), expected);
}

TEST(FileReplacerTest, FailureHalfwayPutsEveryFileBack)
{
    // "b" is a folder that no file can replace; "a" comes before it, "c" after.
    QTemporaryDir dir;
    for (const char* name : {"a", "c", "_0_a", "_0_b", "_0_c"})
        writeSigned(dir.filePath(name), QByteArray("contents of ") + name, 0755);
    ASSERT_TRUE(QDir(dir.path()).mkpath("b/x"));
    const QMap<QString, QByteArray> before = entries(dir.path());
    QStringList log;
    EXPECT_FALSE(
        FileReplacer(dir.path(), "a", keys, [&log](const QString& line) { log.append(line); }).replaceAll());
    EXPECT_EQ(entries(dir.path()), before);
    EXPECT_TRUE(log.contains("Teruggezet: a")) << log.join('\n').toStdString();
}

// Whatever the program handed over, a file is put in place only with a valid signature of a key in the
// program folder; otherwise nothing is replaced, and the refused file is removed.
TEST(FileReplacerTest, ReplacesOnlyValidlySignedFiles)
{
    for (const dovra::test::SignatureCase& served : dovra::test::signatureCases("new program")) {
        QTemporaryDir dir;
        write(dir.filePath("prog"), "old", 0755);
        writeSigned(dir.filePath("_0_a"), "another file");
        write(dir.filePath("_0_prog"), served.bytes);
        if (!served.signature.isNull())
            write(dir.filePath("_0_prog.sig"), served.signature);
        FileReplacer replacer(dir.path(), "prog", keys, noLog);
        const QString replaced = QString::number(replacer.replaceAll()) + ' ' + replacer.refusedFile();
        const QMap<QString, QByteArray> left = entries(dir.path());
        EXPECT_EQ(QStringList({replaced, left.keys().join(','), QString::fromUtf8(left.value("prog"))}),
                  served.valid ? QStringList({"1 ", "a,prog", "755 new program"})
                               : QStringList({"0 prog", "_0_a,_0_a.sig,prog", "755 old"}))
            << served.name;
    }
}

class UpdaterTest : public ::testing::Test
{
protected:
    UpdaterTest()
    {
        QFile::copy("/bin/sleep", program);
        QFile::copy(dovra::test::TestKeyPair + ".pub", dir.filePath("dovra-update.pub"));
        writeSigned(dir.filePath("_0_prog"), "#!/bin/sh\necho herstart > \"$(dirname \"$0\")/herstart\"\n");
    }
    ~UpdaterTest() override { running.kill(), running.waitForFinished(); }

    void runUpdater(const QStringList& arguments)
    {
        QProcess updater;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("XDG_DATA_HOME", data.path());
        updater.setProcessEnvironment(environment);
        updater.start(DOVRA_TEST_PROGRAM_DIR "/dovra-runupd", arguments);
        ASSERT_TRUE(updater.waitForFinished(40000));
        exitCode = updater.exitCode();
        err = QString::fromLocal8Bit(updater.readAllStandardError());
    }

    QTemporaryDir dir, data;
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
    EXPECT_EQ(entries(dir.path()).keys(), QStringList({"dovra-update.pub", "herstart", "prog"}));
    QFile log(data.filePath("DOVRA/dovra-runupd.log"));
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString logged = QString::fromUtf8(log.readAll());
    EXPECT_TRUE(logged.contains("Vervangen: prog") && logged.contains("opnieuw gestart"))
        << logged.toStdString();
}

TEST_F(UpdaterTest, GivesUpOnAProgramThatKeepsRunningAndRefusesBadArguments)
{
    running.start(program, {"30"});
    ASSERT_TRUE(running.waitForStarted());
    const QMap<QString, QByteArray> before = entries(dir.path());
    runUpdater({"--wacht", "1", program + "|DOVRA"});
    EXPECT_EQ(exitCode, 1);
    EXPECT_TRUE(err.contains("DOVRA is na 1 seconde nog niet afgesloten")) << err.toStdString();
    EXPECT_EQ(entries(dir.path()), before);
    for (const QStringList& bad :
         {QStringList{}, {"prog|DOVRA"}, {program}, {"--wacht", "x", program + "|D"}}) {
        runUpdater(bad);
        EXPECT_EQ(exitCode, 2) << bad.join(' ').toStdString();
    }
    // The program ended, but its new file is not validly signed: the message names it on stderr.
    running.kill(), running.waitForFinished();
    write(dir.filePath("_0_prog.sig"), QByteArray(64, 's'));
    runUpdater({program + "|DOVRA"});
    EXPECT_EQ(exitCode, 1);
    EXPECT_TRUE(err.contains(u"De handtekening van prog is ongeldig of ontbreekt")) << err.toStdString();
    EXPECT_EQ(entries(dir.path()).value("prog"), before.value("prog"));
}

} // namespace
