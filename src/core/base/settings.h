#pragma once

#include "base/messageservice.h"

#include <QList>
#include <QSettings>
#include <QString>

#include <optional>

namespace dovra {

// The last choices of a report dialog, offered again the next time: its section boxes in the dialog's order,
// and the index of its chosen output and grouping options (the grouping for the target capital only).
struct ReportChoices
{
    QList<bool> sections;
    int output = 0;
    int grouping = 0;
    bool operator==(const ReportChoices&) const = default;
};
enum class ReportDialog
{
    TargetCapital,
    InputData
};

// The per-user settings of one program version: application "QUARVEL-TALVO", one section per
// version. Every key has its type and default here; nothing else reads or writes key strings.
// Values are stored as text, as earlier versions did.
class Settings
{
public:
    static constexpr quint8 DefaultProxySetting = 0;
    static constexpr ColourValue DefaultProvisionColour = 16384;
    static constexpr ColourValue DefaultCostItemColour = 128;
    static constexpr float DefaultVatPercentage = 19.0f;

    Settings(const QString& section, const QString& defaultDataFile);

    QString section() const { return m_section; }

    QString dataFileName() const; // ConDATAfilenaam
    void setDataFileName(const QString& path);
    quint8 proxySetting() const; // bytProxySetting
    void setProxySetting(quint8 mode);
    QString proxyName() const; // strProxyNaam
    void setProxyName(const QString& host);
    quint16 proxyPort() const; // intProxyPoort: a port number, 16 bits
    void setProxyPort(quint16 port);
    // The update server's folder of information files and downloads, and the online help page. A
    // province running its own mirror points them elsewhere.
    QString updateAddress() const; // strUpdateAdres
    void setUpdateAddress(const QString& address);
    QString helpAddress() const;    // strHelpAdres
    bool autoUpdateOnStart() const; // vwAutoUpdateOnStart
    void setAutoUpdateOnStart(bool on);
    ColourValue provisionColour() const; // vwKLEURVoorz
    void setProvisionColour(ColourValue colour);
    ColourValue costItemColour() const; // vwKLEURAct
    void setCostItemColour(ColourValue colour);
    bool treeSingleSelect() const; // vwTreeSingleSel
    void setTreeSingleSelect(bool on);
    bool treeLines() const; // vwTreeLines
    void setTreeLines(bool on);
    bool treePlusMinus() const; // vwTreePlusMin
    void setTreePlusMinus(bool on);
    float vatPercentage() const; // BTW_PROCENTEN
    void setVatPercentage(float percentage);
    std::optional<int> currentFacilityId() const; // HUIDIGSTORT_ID
    void setCurrentFacilityId(int id);
    // None before the dialog was first used, or when the stored text cannot be read.
    std::optional<ReportChoices> reportChoices(ReportDialog dialog) const; // rapDoelvermKeuze, rapInvoerKeuze
    void setReportChoices(ReportDialog dialog, const ReportChoices& choices);

    void sync();
    // Read-only settings ignore every write: the headless program never changes what the user chose.
    void setReadOnly(bool readOnly) { m_readOnly = readOnly; }

private:
    QString text(const char* key, const QString& defaultValue) const;
    void setText(const char* key, const QString& value);
    bool flag(const char* key, bool defaultValue) const;
    void setFlag(const char* key, bool value);
    qint64 whole(const char* key, qint64 defaultValue, qint64 min, qint64 max) const;

    QString m_section;
    QString m_defaultDataFile;
    mutable QSettings m_store;
    bool m_readOnly = false;
};

} // namespace dovra
