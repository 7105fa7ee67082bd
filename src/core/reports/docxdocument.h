#pragma once

#include "reports/reportwriter.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace dovra::report {

// A word-processing document in Office Open XML (.docx), built in memory and saved in one go.
class DocxDocument : public ReportWriter
{
public:
    DocxDocument();
    ~DocxDocument() override;

    Output output() const override { return Output::Document; }
    void beginSection(const PageSetup& page) override;
    void paragraph(const Paragraph& paragraph) override;
    void pageBreak() override;
    void beginTable(const TableLayout& layout) override;
    void tableRow(const QList<Cell>& cells) override;
    void tableRule() override;
    void endTable() override;

    // Header and footer of every section.
    void setHeader(const QList<Paragraph>& paragraphs);
    void setFooter(const QList<Paragraph>& paragraphs);
    // Only form fields may be edited unless the password is given (stored as a salted hash). Without a
    // salt, 16 random bytes are used; tests pass a fixed one to check the hash.
    void protectForForms(const QString& password, const QByteArray& salt = {});

    // The package's parts, as written by save(): "word/document.xml" etc. Empty for an unknown part.
    QByteArray part(const QString& name) const;
    // Writes the whole file or nothing: an existing file stays as it was when writing fails.
    bool save(const QString& path, QString* error = nullptr) const;

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

} // namespace dovra::report
