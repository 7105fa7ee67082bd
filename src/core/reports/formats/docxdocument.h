#pragma once

#include "reports/formats/reportdocument.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace dovra::report {

// A word-processing document in Office Open XML (.docx), built in memory and saved in one go.
class DocxDocument : public ReportDocument
{
public:
    DocxDocument();
    ~DocxDocument() override;

    // Only form fields may be edited unless the password is given (stored as a salted hash). Without a
    // salt, 16 random bytes are used; tests pass a fixed one to check the hash.
    void protectForForms(const QString& password, const QByteArray& salt = {});

    // The package's parts, as written by save(): "word/document.xml" etc. Empty for an unknown part.
    QByteArray part(const QString& name) const;
    bool save(const QString& path, QString* error = nullptr) const override;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace dovra::report
