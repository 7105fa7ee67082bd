#pragma once

#include "reports/formats/reportdocument.h"

#include <QDateTime>
#include <QString>

namespace dovra::report {

// A report laid out on pages and written as PDF: the sections with their page set-up, tables that break
// between lines onto the next page, and the header and footer on every page with their fields filled in
// (page number, number of pages, the moment the file is made).
class PdfDocument : public ReportDocument
{
public:
    // The title is the document's title in the file's properties.
    explicit PdfDocument(const QString& title);

    // The file's bytes, with date fields showing printed.
    QByteArray render(const QDateTime& printed) const;
    bool save(const QString& path, QString* error = nullptr) const override;

private:
    QString m_title;
};

} // namespace dovra::report
