// The file filters of the Qt message service.
#include "support/qtprinting.h"
#include "widgets/qtmessages.h"

#include <gtest/gtest.h>

using namespace dovra;

namespace {

TEST(FileFilterTest, PairsBecomeQtFilters)
{
    const QList<FilterEntry> entries =
        parseFilter(QStringLiteral("databestand (dbTALVOdata_*)|dbTALVOdata_*.mdb|"));
    ASSERT_EQ(entries.size(), 1);
    EXPECT_EQ(entries[0].description, QStringLiteral("databestand (dbTALVOdata_*)"));
    EXPECT_EQ(entries[0].pattern, QStringLiteral("dbTALVOdata_*.mdb"));

    EXPECT_EQ(toQtFilter(QStringLiteral("databestand (dbTALVOdata_*)|dbTALVOdata_*.mdb|")),
              QStringLiteral("databestand (dbTALVOdata_*) (dbTALVOdata_*.mdb)"));
    EXPECT_EQ(toQtFilter(QStringLiteral("Word bestanden (*.docx)|*.docx|XML (*.xml)|*.xml;*.XML|")),
              QStringLiteral("Word bestanden (*.docx) (*.docx);;XML (*.xml) (*.xml *.XML)"));
}

} // namespace
