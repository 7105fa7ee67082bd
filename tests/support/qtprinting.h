#pragma once

// Readable Qt values in GoogleTest failure messages, and small helpers for widget tests.
#include <QCoreApplication>
#include <QEvent>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <ostream>

inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}

inline void PrintTo(const QStringList& list, std::ostream* os)
{
    *os << '[' << list.join(QStringLiteral("] [")).toStdString() << ']';
}

inline void PrintTo(const QVariant& value, std::ostream* os)
{
    *os << (value.isValid() ? value.toString().toStdString() + " (" + value.typeName() + ')' : "Null");
}

namespace dovra::test {

// Carries out the deletions that closed windows asked for.
inline void deletePending()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

} // namespace dovra::test
