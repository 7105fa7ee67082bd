// Program version number, settings section, stored settings and their defaults.
#include "base/programversion.h"
#include "base/settings.h"
#include "storage/lookups.h"
#include "support/messagerecorder.h"
#include "support/testfiles.h"

#include <QSettings>

#include <gtest/gtest.h>

using namespace dovra;

namespace {

// The settings of this program version in the folder, as the program reads them.
Settings settingsOf(const test::ProgramFolder& folder)
{
    return Settings(ProgramVersion().settingsSection(), folder.paths().defaultDataFile());
}

TEST(ProgramVersionTest, NumberAndSection)
{
    const ProgramVersion current;
    EXPECT_EQ(current.number(), 30);
    EXPECT_EQ(current.settingsSection(), QStringLiteral("DOVRA3_0"));
    EXPECT_TRUE(current.isValid());

    EXPECT_EQ((ProgramVersion{3, 9, 0}).number(), 39);
    EXPECT_EQ((ProgramVersion{12, 3, 0}).number(), 123);
    EXPECT_FALSE((ProgramVersion{3, 10, 0}).isValid());
    EXPECT_TRUE((ProgramVersion{3, 0, 999}).isTestBuild());
    EXPECT_FALSE(current.isTestBuild());
}

TEST(SettingsTest, DefaultsWithoutStoredSettings)
{
    test::ProgramFolder folder;
    Settings settings = settingsOf(folder);
    EXPECT_EQ(settings.section(), QStringLiteral("DOVRA3_0"));
    EXPECT_EQ(settings.dataFileName(), folder.filePath(QStringLiteral("dbTALVOdata_1.mdb")));
    EXPECT_EQ(settings.proxySetting(), 0);
    EXPECT_EQ(settings.proxyName(), QString());
    EXPECT_EQ(settings.proxyPort(), 0);
    EXPECT_FALSE(settings.autoUpdateOnStart());
    EXPECT_EQ(settings.provisionColour(), 16384u);
    EXPECT_EQ(settings.costItemColour(), 128u);
    EXPECT_FALSE(settings.treeSingleSelect());
    EXPECT_TRUE(settings.treeLines());
    EXPECT_FALSE(settings.treePlusMinus());
    EXPECT_EQ(settings.vatPercentage(), 19.0f);
    EXPECT_FALSE(settings.currentFacilityId().has_value());
}

TEST(SettingsTest, StoredAsTextUnderApplicationAndSection)
{
    test::ProgramFolder folder;
    Settings settings = settingsOf(folder);
    settings.setTreePlusMinus(true);
    settings.setCostItemColour(255);
    settings.setVatPercentage(21.5f);
    settings.setCurrentFacilityId(12);
    settings.sync();

    QSettings raw(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("QUARVEL-TALVO"));
    EXPECT_EQ(raw.value(QStringLiteral("DOVRA3_0/vwTreePlusMin")).toString(), QStringLiteral("True"));
    EXPECT_EQ(raw.value(QStringLiteral("DOVRA3_0/vwKLEURAct")).toString(), QStringLiteral("255"));
    EXPECT_EQ(raw.value(QStringLiteral("DOVRA3_0/BTW_PROCENTEN")).toString(), QStringLiteral("21.5"));
    EXPECT_EQ(raw.value(QStringLiteral("DOVRA3_0/HUIDIGSTORT_ID")).toString(), QStringLiteral("12"));

    // Another program version keeps its own settings.
    Settings other(QStringLiteral("DOVRA3_1"), QStringLiteral("/x/dbTALVOdata_1.mdb"));
    EXPECT_FALSE(other.treePlusMinus());
    EXPECT_EQ(other.vatPercentage(), 19.0f);
}

TEST(SettingsTest, ReadsTextsAsEarlierVersionsWroteThem)
{
    test::ProgramFolder folder;
    QSettings raw(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("QUARVEL-TALVO"));
    raw.setValue(QStringLiteral("DOVRA3_0/vwTreeLines"), QStringLiteral("0"));
    raw.setValue(QStringLiteral("DOVRA3_0/vwTreeSingleSel"), QStringLiteral("1"));
    raw.setValue(QStringLiteral("DOVRA3_0/vwAutoUpdateOnStart"), QStringLiteral("true"));
    raw.setValue(QStringLiteral("DOVRA3_0/BTW_PROCENTEN"), QStringLiteral("17,5"));
    raw.setValue(QStringLiteral("DOVRA3_0/intProxyPoort"), QStringLiteral("8080"));
    raw.setValue(QStringLiteral("DOVRA3_0/bytProxySetting"), QStringLiteral("onzin"));
    raw.sync();

    Settings settings = settingsOf(folder);
    EXPECT_FALSE(settings.treeLines());
    EXPECT_TRUE(settings.treeSingleSelect());
    EXPECT_TRUE(settings.autoUpdateOnStart());
    EXPECT_EQ(settings.vatPercentage(), 17.5f);
    EXPECT_EQ(settings.proxyPort(), 8080);
    EXPECT_EQ(settings.proxySetting(), 0);
}

TEST(SettingsTest, ReadOnlySettingsIgnoreWrites)
{
    test::ProgramFolder folder;
    Settings settings = settingsOf(folder);
    settings.setReadOnly(true);
    settings.setDataFileName(QStringLiteral("/elders/dbTALVOdata_x.mdb"));
    EXPECT_EQ(settings.dataFileName(), folder.filePath(QStringLiteral("dbTALVOdata_1.mdb")));
}

TEST(LookupsTest, ProvincesAndObjectCategories)
{
    MessageRecorder recorder;
    EXPECT_EQ(pfunStrProv(0), QStringLiteral("??"));
    EXPECT_EQ(pfunStrProv(70), QStringLiteral("Noord-Brabant"));
    EXPECT_EQ(pfunStrProv(120), QStringLiteral("Zuid-Holland"));
    EXPECT_TRUE(recorder.recorded().isEmpty());
    EXPECT_EQ(pfunStrProv(130), QString());
    EXPECT_EQ(pfunStrProv(15), QString());
    EXPECT_EQ(recorder.texts(), QStringList(2, QStringLiteral("Onbekende provincie-id in pfunStrProv")));
    EXPECT_EQ(recorder.titles().first(), QStringLiteral("Fout"));

    EXPECT_EQ(ObjectCategoryName(1), QStringLiteral("Algemeen"));
    EXPECT_EQ(ObjectCategoryName(6), QStringLiteral("Grondwaterbeheerssysteem"));
    EXPECT_EQ(ObjectCategoryName(8), QString());
}

} // namespace
