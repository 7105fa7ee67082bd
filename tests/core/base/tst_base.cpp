// The base layer: number and date texts by the patterns the reports use, in the user's locale; the program
// version and stored settings; where the program's and the user's files lie; the shared report of unexpected
// errors and the stderr message service of the headless program. And the update check at start-up: what it
// tells and does for each offer.
#include "base/datatext.h"
#include "base/formats.h"
#include "base/programversion.h"
#include "base/settings.h"
#include "base/stderrmessages.h"
#include "base/unexpectederror.h"
#include "support/fakeupdates.h"
#include "support/testfiles.h"
#include "update/startupupdate.h"

#include <QDir>
#include <QSettings>
#include <QTemporaryDir>

#include <stdexcept>
#include <system_error>

using namespace dovra;

namespace {

const QLocale dutch(QLocale::Dutch, QLocale::Netherlands);
const QLocale american(QLocale::English, QLocale::UnitedStates);

// The cases of tests/data/formats_numbers.txt.
TEST(Formats, NumberByPattern)
{
    for (const QStringList& c : test::readCases("formats_numbers.txt")) {
        const double value = c[0].toDouble();
        EXPECT_EQ(formats::number(value, c[1], dutch), c[2]) << c.join(u'|').toStdString();
        if (c.size() > 3) {
            EXPECT_EQ(formats::number(value, c[1], american), c[3]) << c.join(u'|').toStdString();
        }
    }
}

// Date and time texts; abbreviated months without a full stop; an invalid date gives no text.
TEST(Formats, DateByPattern)
{
    const QDateTime moment(QDate(2026, 3, 4), QTime(7, 8, 9));
    EXPECT_EQ(formats::dateTime(moment, "h:n:s [dd.mm.yyyy] d/m/yy", dutch), u"7:8:9 [04.03.2026] 4/3/26");
    EXPECT_EQ(formats::dateTime(moment, " d-mmm-yyyy  hh:nn mmmm", dutch), u" 4-mrt-2026  07:08 maart");
    EXPECT_EQ(formats::dateTime(moment, " d-mmm-yyyy", american), u" 4-Mar-2026");
    EXPECT_EQ(formats::date(QDate(987, 10, 1), "dd-mm-yyyy hh:nn", dutch), u"01-10-0987 00:00");
    EXPECT_EQ(formats::date(QDate(2026, 2, 30), "dd-mm-yyyy", dutch), u"");
    EXPECT_EQ(formats::dateTime(QDateTime(), "dd-mm-yyyy", dutch), u"");
}

// The general text of a number: a single with at most 7 digits, a double with 15, exponents as Visual
// Basic writes them (tests/data/formats_ordinary.txt); computed singles without the noise of their last bit.
TEST(Formats, OrdinaryText)
{
    for (const QStringList& c : test::readCases("formats_ordinary.txt")) {
        EXPECT_EQ(c[0].endsWith(u'f') ? formats::ordinaryText(c[0].chopped(1).toFloat(), dutch)
                                      : formats::ordinaryText(c[0].toDouble(), dutch),
                  c[1])
            << c.join(u'|').toStdString();
    }
    EXPECT_EQ(formats::ordinaryText(33.74f - 10, dutch) + formats::ordinaryText(1500 * 1.0506f, dutch) +
                  formats::ordinaryText(0.1f + 0.2f, dutch),
              u"23,741575,90,3");
    EXPECT_EQ(formats::ordinaryText(5.06f, american) + u' ' + formats::ordinaryText(1.5e-7, american),
              u"5.06 1.5E-07");
}

// Numbers as files and command lines hold them: the same text in every locale, read back exactly; nothing
// but such a number is read (a decimal comma is a person's, not a file's).
TEST(DataText, NumbersIgnoreTheLocale)
{
    const test::NumericLocale dutch("nl_NL.UTF-8");
    ASSERT_TRUE(dutch.active) << "nl_NL.UTF-8 is not generated (scripts/install-deps)";
    EXPECT_EQ(datatext::number(4.5f) + u' ' + datatext::number(0.11f) + u' ' + datatext::number(195904.81f) +
                  u' ' + datatext::number(0.1) + u' ' + datatext::number(1e20) + u' ' +
                  datatext::number(-3.0f),
              u"4.5 0.11 195904.81 0.1 1e+20 -3");
    EXPECT_EQ(datatext::singleAsDecimal(5.06f), 5.06);
    EXPECT_EQ(datatext::singleAsDecimal(195904.81f), 195904.81);
    const std::pair<const char*, std::optional<double>> texts[] = {
        {"4.5", 4.5},  {" +4.5 ", 4.5}, {"-0.25", -0.25}, {"1E+3", 1000}, {"7", 7},
        {"4,5", {}},   {"1.000,5", {}}, {"1,000", {}},    {"", {}},       {"4.5x", {}},
        {"1e400", {}}, {"٤.٥", {}},     {"- 4", {}},      {"0x10", {}}};
    for (const auto& [text, value] : texts)
        EXPECT_EQ(datatext::toDouble(QString::fromUtf8(text)), value) << text;
    EXPECT_EQ(datatext::toFloat(u"195904.81"), 195904.81f);
    EXPECT_EQ(datatext::toFloat(u"1e39"), std::nullopt);
    EXPECT_EQ(datatext::toDate(u"2028-07-01 00:00:00"_qs), QDate(2028, 7, 1));
    EXPECT_EQ(datatext::date(QDate(2028, 7, 1)) + u' ' +
                  datatext::dateTime(QDateTime(QDate(2028, 7, 1), QTime(9, 5))),
              u"2028-07-01 2028-07-01 09:05:00");
}

TEST(ProgramVersionTest, NumberAndSection)
{
    EXPECT_EQ(ProgramVersion().number(), 30);
    EXPECT_EQ(ProgramVersion().settingsSection(), QStringLiteral("DOVRA3_0"));
    EXPECT_FALSE(ProgramVersion().isTestBuild());
    EXPECT_EQ((ProgramVersion{12, 3, 0}).number(), 123);
    EXPECT_FALSE((ProgramVersion{3, 10, 0}).isValid());
    EXPECT_TRUE((ProgramVersion{3, 0, 999}).isTestBuild());
}

// An installed program cannot write its folder: an updated checklist file and the default data file go to
// the user's folder, and the user's checklist file is used only then. A missing program folder stands for a
// read-only one, which root could still write.
TEST(ProgramPathsTest, UserFolderOnlyWhenTheProgramFolderIsReadOnly)
{
    const QTemporaryDir dir;
    const QString user = dir.filePath(QStringLiteral("gebruiker"));
    QDir().mkpath(user);
    const struct
    {
        const char* programDir;
        bool userChecklist;
        const char* expected; // checklist file|where an update installs it|default data file
    } rows[] = {
        {"programma", true, "programma|programma|programma"},
        {"ontbreekt", false, "ontbreekt|gebruiker|gebruiker"},
        {"ontbreekt", true, "gebruiker|gebruiker|gebruiker"},
    };
    QDir().mkpath(dir.filePath(QStringLiteral("programma")));
    for (const auto& row : rows) {
        QFile checklist(user + QStringLiteral("/dbTALVOCL.mdb"));
        if (row.userChecklist)
            checklist.open(QIODevice::WriteOnly);
        else
            checklist.remove();
        const ProgramPaths paths(dir.filePath(QLatin1String(row.programDir)), user);
        const QString folders = QStringList{QFileInfo(paths.checklistFile()).dir().dirName(),
                                            QFileInfo(paths.checklistInstallFile()).dir().dirName(),
                                            QFileInfo(paths.defaultDataFile()).dir().dirName()}
                                    .join(u'|');
        EXPECT_EQ(folders, QLatin1String(row.expected)) << row.programDir << row.userChecklist;
    }

    // A data file's dialogs start in its folder; the user's folder is made when missing, no other.
    const QString fresh = dir.filePath(QStringLiteral("nieuw/DOVRA"));
    const ProgramPaths paths(dir.filePath(QStringLiteral("ontbreekt")), fresh);
    EXPECT_EQ(paths.dataFileFolder(dir.filePath(QStringLiteral("weg/dbTALVOdata_2.mdb"))),
              dir.filePath(QStringLiteral("weg")));
    EXPECT_EQ(paths.dataFileFolder(paths.defaultDataFile()), fresh);
    EXPECT_FALSE(QFileInfo::exists(dir.filePath(QStringLiteral("weg"))));
    EXPECT_TRUE(QFileInfo(fresh).isDir());
}

// Settings are texts under the application and the section of the program version, read as earlier
// versions wrote them; what cannot be read takes the default.
TEST(SettingsTest, StoredAsTextPerProgramVersion)
{
    test::ProgramFolder folder;
    QSettings raw(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("QUARVEL-TALVO"));
    const QString defaultData = folder.filePath(QStringLiteral("dbTALVOdata_1.mdb"));
    const auto read = [](const Settings& s) {
        return QString::asprintf("%d %d %d %g %d %d %d", s.treeLines(), s.treeSingleSelect(),
                                 s.autoUpdateOnStart(), double(s.vatPercentage()), int(s.proxyPort()),
                                 int(s.proxySetting()), s.currentFacilityId().value_or(-1));
    };
    Settings settings(QStringLiteral("DOVRA3_0"), defaultData);
    EXPECT_EQ(settings.dataFileName(), defaultData);
    EXPECT_EQ(read(settings), "1 0 0 19 0 0 -1");

    for (const char* setting : {"vwTreeLines=0", "vwTreeSingleSel=1", "vwAutoUpdateOnStart=true",
                                "BTW_PROCENTEN=17,5", "intProxyPoort=8080", "bytProxySetting=onzin"})
        raw.setValue(QStringLiteral("DOVRA3_0/") + QString::fromUtf8(setting).section(u'=', 0, 0),
                     QString::fromUtf8(setting).section(u'=', 1));
    raw.sync();
    Settings earlier(QStringLiteral("DOVRA3_0"), defaultData);
    EXPECT_EQ(read(earlier), "0 1 1 17.5 8080 0 -1");

    earlier.setTreePlusMinus(true);
    earlier.setVatPercentage(21.5f);
    earlier.setCurrentFacilityId(12);
    earlier.sync();
    raw.sync();
    EXPECT_EQ(raw.value(QStringLiteral("DOVRA3_0/vwTreePlusMin")).toString(), QStringLiteral("True"));
    EXPECT_EQ(raw.value(QStringLiteral("DOVRA3_0/BTW_PROCENTEN")).toString(), QStringLiteral("21.5"));
    EXPECT_EQ(raw.value(QStringLiteral("DOVRA3_0/HUIDIGSTORT_ID")).toString(), QStringLiteral("12"));
    EXPECT_EQ(Settings(QStringLiteral("DOVRA3_1"), defaultData).vatPercentage(), 19.0f);

    // A report dialog's last choices come back as stored; none before the first use or when unreadable.
    EXPECT_FALSE(earlier.reportChoices(ReportDialog::InputData));
    const ReportChoices choices{{true, false, true, true}, 2, 1};
    earlier.setReportChoices(ReportDialog::TargetCapital, choices);
    EXPECT_EQ(earlier.reportChoices(ReportDialog::TargetCapital), choices);
    earlier.sync();
    raw.sync();
    EXPECT_EQ(raw.value(QStringLiteral("DOVRA3_0/rapDoelvermKeuze")).toString(), QStringLiteral("1011/2/1"));
    for (const char* unreadable : {"", "1011/2", "1021/2/1", "/2/1", "1011/x/1", "1011/-1/0"}) {
        raw.setValue(QStringLiteral("DOVRA3_0/rapInvoerKeuze"), QString::fromLatin1(unreadable));
        raw.sync();
        EXPECT_FALSE(earlier.reportChoices(ReportDialog::InputData)) << unreadable;
    }

    // Read-only settings (the headless program's) ignore writes.
    earlier.setReadOnly(true);
    earlier.setDataFileName(QStringLiteral("/elders/dbTALVOdata_x.mdb"));
    EXPECT_EQ(earlier.dataFileName(), defaultData);
}

TEST(UnexpectedError, ReportsNumberSourceAndSystemText)
{
    MessageRecorder recorder;
    recorder.setBusy(true);
    const std::error_code full = std::make_error_code(std::errc::no_space_on_device);
    ReportUnexpectedError(errorFromSystem(full), QStringLiteral("frmAlgemeen.Form_Unload"));
    EXPECT_EQ(recorder.busyDepth(), 0);
    // The system's text in the user's language ("Geen ruimte meer over op apparaat" on a Dutch desktop).
    const QString systemText = QString::fromLocal8Bit(full.message());
    EXPECT_EQ(recorder.texts().join(u'|'),
              QStringLiteral("Fout %1\nBron: frmAlgemeen.Form_Unload|").arg(full.value()) + systemText);
    EXPECT_EQ(recorder.titles()[0], systemText);
    EXPECT_EQ(recorder.recorded()[0].icon, MessageIcon::Critical);

    // A number the system has no text for gets no second message; an exception has number 0.
    recorder.clear();
    ReportUnexpectedError(errorFromSystem(std::error_code(98765, std::generic_category())));
    ReportUnexpectedError(errorFromException(std::runtime_error("index buiten bereik")), "clsAct");
    EXPECT_EQ(recorder.texts(),
              QStringList({"Fout 98765\nBron: niet gespecificeerd", "Fout 0\nBron: clsAct"}));
    EXPECT_EQ(recorder.titles()[1], QStringLiteral("index buiten bereik"));
}

TEST(StderrMessages, QuestionsTakeTheirDefault)
{
    StderrMessages service;
    EXPECT_EQ(service.message("Nu downloaden?", "Updaten programma", MessageIcon::Question,
                              MessageButtons::YesNo, MessageAnswer::No),
              MessageAnswer::No);
    EXPECT_EQ(service.message("Doorgaan?", "Vraag", MessageIcon::Exclamation, MessageButtons::OkCancel,
                              MessageAnswer::Ok),
              MessageAnswer::Ok);
    EXPECT_EQ(service.inputBox("Naam", "Invoer", "standaard"), u"standaard");
}

TEST(StartupUpdateCheck, ActsOnTheOffer)
{
    // The checklist's and the program's status (0: nothing new, 1: an update, 9: no information), m when the
    // server is in maintenance, n when the user declines (yes is the default), s when the download leaves the
    // program running|the title of the one message, if any|the downloads started: c the checklist, p the
    // program. Only a download that ends the program keeps the window open and stops the start-up. What each
    // offer comes to is the update window's too.
    for (const char* c : {"00||", "00m||", "90|Fout bij controle op updates|",
                          "09|Fout bij controle op updates|", "10m|Update niet beschikbaar|",
                          "10n|Updaten programma|", "10|Updaten programma|c", "01|Updaten programma|p",
                          "11|Updaten programma|cp", "91|Updaten programma|p", "10s|Updaten programma|c"}) {
        SCOPED_TRACE(c);
        const QStringList fields = QString::fromUtf8(c).split(u'|');
        MessageRecorder recorder;
        if (fields[0].contains(u'n'))
            recorder.answerNext(MessageAnswer::No);
        test::FakeUpdates updates;
        updates.programEnds = !fields[0].contains(u's');
        updates.offer = {fields[0].contains(u'm'), QStringLiteral("Versie 3.1 met nieuwe checklist."),
                         fields[0].left(1).toInt(), fields[0].mid(1, 1).toInt()};
        const ProxyPreferences proxy{0, QStringLiteral("proxy")};
        const bool download = !fields[2].isEmpty();
        const bool ends = download && updates.programEnds;
        EXPECT_EQ(runStartupUpdateCheck(updates, proxy),
                  ends ? StartupUpdateOutcome::ProgramEnds : StartupUpdateOutcome::Continue);
        EXPECT_EQ(updates.askedWith.host, u"proxy");
        EXPECT_EQ(recorder.titles().join(u','), fields[1]);
        if (fields[1] == u"Updaten programma") {
            EXPECT_EQ(
                recorder.texts()[0],
                u"Er is een update beschikbaar.\r\nVersie 3.1 met nieuwe checklist.\r\n\r\nNu downloaden?");
            EXPECT_EQ(recorder.recorded()[0].buttons, MessageButtons::YesNo);
        }
        EXPECT_EQ(updates.closes, ends ? 0 : 1);
        QList<std::pair<bool, bool>> downloads;
        if (download)
            downloads.append({fields[2].contains(u'c'), fields[2].contains(u'p')});
        EXPECT_EQ(updates.downloads, downloads);
    }
}

} // namespace
