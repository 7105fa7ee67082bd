#include "base/settings.h"

#include "base/datatext.h"

namespace dovra {

namespace {
QString key(const QString& section, const char* name)
{
    return section + QLatin1Char('/') + QLatin1String(name);
}
} // namespace

Settings::Settings(const QString& section, const QString& defaultDataFile)
    : m_section(section), m_defaultDataFile(defaultDataFile),
      m_store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("QUARVEL-TALVO"))
{
}

QString Settings::text(const char* name, const QString& defaultValue) const
{
    return m_store.value(key(m_section, name), defaultValue).toString();
}

void Settings::setText(const char* name, const QString& value)
{
    if (m_readOnly)
        return;
    m_store.setValue(key(m_section, name), value);
}

bool Settings::flag(const char* name, bool defaultValue) const
{
    // "1" and "True" (any case) are true, as are other non-zero numbers.
    const QString value = text(name, QString()).trimmed();
    if (value.isEmpty())
        return defaultValue;
    if (value.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return true;
    if (value.compare(QLatin1String("false"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    const double number = value.toDouble(&ok);
    return ok ? number != 0 : defaultValue;
}

void Settings::setFlag(const char* name, bool value)
{
    setText(name, value ? QStringLiteral("True") : QStringLiteral("False"));
}

qint64 Settings::whole(const char* name, qint64 defaultValue, qint64 min, qint64 max) const
{
    bool ok = false;
    const qint64 value = text(name, QString()).trimmed().toLongLong(&ok);
    return ok && value >= min && value <= max ? value : defaultValue;
}

QString Settings::dataFileName() const
{
    return text("ConDATAfilenaam", m_defaultDataFile);
}

void Settings::setDataFileName(const QString& path)
{
    setText("ConDATAfilenaam", path);
}

quint8 Settings::proxySetting() const
{
    return quint8(whole("bytProxySetting", DefaultProxySetting, 0, 255));
}

void Settings::setProxySetting(quint8 mode)
{
    setText("bytProxySetting", QString::number(mode));
}

QString Settings::updateAddress() const
{
    return text("strUpdateAdres", QStringLiteral(DOVRA_PUBLISHER_SITE "/dovra/program/updates/"));
}

void Settings::setUpdateAddress(const QString& address)
{
    setText("strUpdateAdres", address);
}

QString Settings::helpAddress() const
{
    return text("strHelpAdres", QStringLiteral(DOVRA_PUBLISHER_SITE "/dovra/program/index.asp?var=1"));
}

QString Settings::proxyName() const
{
    return text("strProxyNaam", QString());
}

void Settings::setProxyName(const QString& host)
{
    setText("strProxyNaam", host);
}

quint16 Settings::proxyPort() const
{
    return quint16(whole("intProxyPoort", 0, 0, 65535));
}

void Settings::setProxyPort(quint16 port)
{
    setText("intProxyPoort", QString::number(port));
}

bool Settings::autoUpdateOnStart() const
{
    return flag("vwAutoUpdateOnStart", false);
}

void Settings::setAutoUpdateOnStart(bool on)
{
    setFlag("vwAutoUpdateOnStart", on);
}

ColourValue Settings::provisionColour() const
{
    return ColourValue(whole("vwKLEURVoorz", DefaultProvisionColour, 0, 0xFFFFFF));
}

void Settings::setProvisionColour(ColourValue colour)
{
    setText("vwKLEURVoorz", QString::number(colour));
}

ColourValue Settings::costItemColour() const
{
    return ColourValue(whole("vwKLEURAct", DefaultCostItemColour, 0, 0xFFFFFF));
}

void Settings::setCostItemColour(ColourValue colour)
{
    setText("vwKLEURAct", QString::number(colour));
}

bool Settings::treeSingleSelect() const
{
    return flag("vwTreeSingleSel", false);
}

void Settings::setTreeSingleSelect(bool on)
{
    setFlag("vwTreeSingleSel", on);
}

bool Settings::treeLines() const
{
    return flag("vwTreeLines", true);
}

void Settings::setTreeLines(bool on)
{
    setFlag("vwTreeLines", on);
}

bool Settings::treePlusMinus() const
{
    return flag("vwTreePlusMin", false);
}

void Settings::setTreePlusMinus(bool on)
{
    setFlag("vwTreePlusMin", on);
}

float Settings::vatPercentage() const
{
    // Earlier versions wrote the number with the user's decimal separator.
    QString value = text("BTW_PROCENTEN", QString()).trimmed();
    value.replace(QLatin1Char(','), QLatin1Char('.'));
    return datatext::toFloat(value).value_or(DefaultVatPercentage);
}

void Settings::setVatPercentage(float percentage)
{
    setText("BTW_PROCENTEN", datatext::number(percentage));
}

std::optional<int> Settings::currentFacilityId() const
{
    bool ok = false;
    const int id = text("HUIDIGSTORT_ID", QString()).trimmed().toInt(&ok);
    return ok ? std::optional<int>(id) : std::nullopt;
}

void Settings::setCurrentFacilityId(int id)
{
    setText("HUIDIGSTORT_ID", QString::number(id));
}

namespace {
const char* reportChoicesKey(ReportDialog dialog)
{
    return dialog == ReportDialog::TargetCapital ? "rapDoelvermKeuze" : "rapInvoerKeuze";
}
} // namespace

// Stored as "1011/2/0": a digit per section box, then the output and grouping indices.
std::optional<ReportChoices> Settings::reportChoices(ReportDialog dialog) const
{
    const QStringList parts = text(reportChoicesKey(dialog), QString()).split(QLatin1Char('/'));
    bool outputOk = false, groupingOk = false;
    ReportChoices choices;
    choices.output = parts.value(1).toInt(&outputOk);
    choices.grouping = parts.value(2).toInt(&groupingOk);
    for (const QChar digit : parts.value(0)) {
        if (digit != u'0' && digit != u'1')
            return std::nullopt;
        choices.sections.append(digit == u'1');
    }
    if (parts.size() != 3 || choices.sections.isEmpty() || !outputOk || !groupingOk || choices.output < 0 ||
        choices.grouping < 0)
        return std::nullopt;
    return choices;
}

void Settings::setReportChoices(ReportDialog dialog, const ReportChoices& choices)
{
    QString sections;
    for (const bool ticked : choices.sections)
        sections.append(ticked ? u'1' : u'0');
    setText(reportChoicesKey(dialog),
            sections + u'/' + QString::number(choices.output) + u'/' + QString::number(choices.grouping));
}

void Settings::sync()
{
    m_store.sync();
}

} // namespace dovra
