#pragma once

#include <QString>

namespace dovra {

// The exchange of a facility through a file ("export" of the open facility or "import" into the data
// file): it only asks for the file, runs the operation and tells what went wrong. It shows no window.
class frmImExportXML
{
public:
    explicit frmImExportXML(QString tag) : m_tag(std::move(tag)) {}

    // Runs the operation; true when an import may have added a facility (the facility list refills).
    bool run();

private:
    void exportOpenFacility();
    bool importFacility();
    // Names the facility an import added.
    void tellImported(long id);

    QString m_tag;
};

} // namespace dovra
