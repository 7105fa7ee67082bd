#pragma once

#include <QString>

#include <gtest/gtest.h>

namespace dovra::test {

// Whether text equals the golden file tests/golden/<name>; the failure names the first line that differs.
// With DOVRA_UPDATE_GOLDEN=1 in the environment the file is rewritten with text instead (and the check
// passes): review such a rewrite line by line in the diff before committing it.
::testing::AssertionResult matchesGolden(const QString& name, const QString& text);

} // namespace dovra::test
