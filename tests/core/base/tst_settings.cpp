// Program version number, stored settings and their defaults.
#include "base/programversion.h"
#include "base/settings.h"
#include "support/testfiles.h"

#include <QSettings>

#include <gtest/gtest.h>

using namespace dovra;

namespace {

TEST(ProgramVersionTest, NumberAndSection)
{
    EXPECT_EQ(ProgramVersion().number(), 30);
    EXPECT_EQ(ProgramVersion().settingsSection(), QStringLiteral("DOVRA3_0"));
    EXPECT_FALSE(ProgramVersion().isTestBuild());
    EXPECT_EQ((ProgramVersion{12, 3, 0}).number(), 123);
    EXPECT_FALSE((ProgramVersion{3, 10, 0}).isValid());
    EXPECT_TRUE((ProgramVersion{3, 0, 999}).isTestBuild());
}

// Settings are texts under the application and the section of the program version, read as earlier
// versions wrote them; what cannot be read takes the default.
TEST(SettingsTest, StoredAsTextPerProgramVersion)
{
    test::ProgramFolder folder;
    QSettings raw(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("QUARVEL-TALVO"));
    const QString defaultData = folder.filePath(QStringLiteral("dbTALVOdata_1.mdb"));
    Settings settings(QStringLiteral("DOVRA3_0"), defaultData);
    EXPECT_EQ(settings.dataFileName(), defaultData);
    EXPECT_EQ(settings.vatPercentage(), 19.0f);
    EXPECT_TRUE(settings.treeLines());
    EXPECT_FALSE(settings.currentFacilityId().has_value());

    for (const auto& [key, value] : {std::pair{"vwTreeLines", "0"},
                                     {"vwTreeSingleSel", "1"},
                                     {"vwAutoUpdateOnStart", "true"},
                                     {"BTW_PROCENTEN", "17,5"},
                                     {"intProxyPoort", "8080"},
                                     {"bytProxySetting", "onzin"}})
        raw.setValue(QStringLiteral("DOVRA3_0/") + QLatin1String(key), QLatin1String(value));
    raw.sync();
    Settings earlier(QStringLiteral("DOVRA3_0"), defaultData);
    EXPECT_FALSE(earlier.treeLines());
    EXPECT_TRUE(earlier.treeSingleSelect());
    EXPECT_TRUE(earlier.autoUpdateOnStart());
    EXPECT_EQ(earlier.vatPercentage(), 17.5f);
    EXPECT_EQ(earlier.proxyPort(), 8080);
    EXPECT_EQ(earlier.proxySetting(), 0);

    earlier.setTreePlusMinus(true);
    earlier.setVatPercentage(21.5f);
    earlier.setCurrentFacilityId(12);
    earlier.sync();
    raw.sync();
    EXPECT_EQ(raw.value(QStringLiteral("DOVRA3_0/vwTreePlusMin")).toString(), QStringLiteral("True"));
    EXPECT_EQ(raw.value(QStringLiteral("DOVRA3_0/BTW_PROCENTEN")).toString(), QStringLiteral("21.5"));
    EXPECT_EQ(raw.value(QStringLiteral("DOVRA3_0/HUIDIGSTORT_ID")).toString(), QStringLiteral("12"));
    EXPECT_EQ(Settings(QStringLiteral("DOVRA3_1"), defaultData).vatPercentage(), 19.0f);

    // Read-only settings (the headless program's) ignore writes.
    earlier.setReadOnly(true);
    earlier.setDataFileName(QStringLiteral("/elders/dbTALVOdata_x.mdb"));
    EXPECT_EQ(earlier.dataFileName(), defaultData);
}

} // namespace
