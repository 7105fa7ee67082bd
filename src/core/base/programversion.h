#pragma once

#include <QString>

namespace dovra {

// The program's version major.minor.revision. Its version number, used in every comparison
// with data files, checklist files and update offers, is major followed by minor (3.0 gives 30).
struct ProgramVersion
{
    int major = DOVRA_VERSION_MAJOR;
    int minor = DOVRA_VERSION_MINOR;
    int revision = DOVRA_VERSION_REVISION;

    int number() const;
    // The settings section of this version, e.g. "DOVRA3_0": each version keeps its own settings.
    QString settingsSection() const;
    // A minor number above 9 would make the version number ambiguous.
    bool isValid() const { return minor >= 0 && minor <= 9; }
    // Revision 999 marks a test build.
    bool isTestBuild() const { return revision == 999; }
};

} // namespace dovra
