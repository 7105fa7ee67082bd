// The file filters of the Qt message service.
#include "support/qtprinting.h"
#include "widgets/qtmessages.h"

#include <gtest/gtest.h>

using namespace dovra;

namespace {

// Each "description|pattern|" pair becomes "description (patterns)", patterns split at ";".
TEST(FileFilterTest, PairsBecomeQtFilters)
{
    EXPECT_EQ(toQtFilter(QStringLiteral("databestand (dbTALVOdata_*)|dbTALVOdata_*.mdb|")),
              QStringLiteral("databestand (dbTALVOdata_*) (dbTALVOdata_*.mdb)"));
    EXPECT_EQ(toQtFilter(QStringLiteral("Word bestanden (*.docx)|*.docx|XML (*.xml)|*.xml;*.XML|")),
              QStringLiteral("Word bestanden (*.docx) (*.docx);;XML (*.xml) (*.xml *.XML)"));
}

} // namespace
