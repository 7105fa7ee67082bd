#include "facility/generaldata.h"

#include "base/formats.h"
#include "base/messageservice.h"
#include "facility/clsStort.h"

#include <QLocale>

namespace dovra::generaldata {

std::optional<float> enteredRate(const QString& text)
{
    bool ok = false;
    QLocale locale;
    locale.setNumberOptions(QLocale::RejectGroupSeparator);
    const float value = locale.toFloat(text.trimmed(), &ok);
    if (!ok) {
        messages().inform(QStringLiteral("Voer een getal in."), QStringLiteral("Ongeldige invoer"),
                          MessageIcon::Exclamation);
        return std::nullopt;
    }
    return value;
}

std::optional<QDate> enteredStartDate(const QString& text)
{
    std::optional<QDate> read;
    for (const char* pattern : {"d-M-yyyy", "d-M-yy", "d/M/yyyy", "yyyy-MM-dd"}) {
        QDate date = QDate::fromString(text.trimmed(), QLatin1String(pattern));
        if (date.isValid()) {
            if (date.year() < 1930 && QLatin1String(pattern) == QLatin1String("d-M-yy"))
                date = date.addYears(100);
            read = date;
            break;
        }
    }
    return clsStort::checkDatumAanvangNazorg(read) ? read : std::nullopt;
}

QString startDateText(const QDate& date)
{
    return formats::date(date, QStringLiteral("d-m-yyyy"));
}

QString typeCaption(qint64 facilityType)
{
    return facilityType == 1   ? QStringLiteral("stortplaats")
           : facilityType == 2 ? QStringLiteral("baggerdepot")
                               : QString();
}

QString objectBoundCaption(int facilityType)
{
    return facilityType == 1 ? QStringLiteral("Objectgebonden")
                             : QStringLiteral("Objectgebonden (per definitie voor baggerdepots)");
}

} // namespace dovra::generaldata
