#include "reports/reportrun.h"

#include "base/messageservice.h"
#include "calc/clsDV.h"
#include "calc/clsHeffing.h"
#include "facility/clsStort.h"
#include "reports/formats/docxdocument.h"
#include "reports/formats/pdfdocument.h"
#include "reports/formats/workbook.h"
#include "reports/inputreport.h"
#include "reports/reportworkbooks.h"
#include "reports/uncertaintyreport.h"
#include "storage/workspace.h"

#include <QDir>
#include <QFileInfo>

namespace dovra::report {

namespace {

// Saves a report with save(path, error), telling why when it cannot.
template <typename Report>
bool saveReport(const Report& report, const QString& path, const ReportContext& context)
{
    // Checked again right before saving: the target may have changed since it was chosen.
    if (const std::optional<QString> problem = reportTargetProblem(path, context.databaseFiles)) {
        messages().inform(*problem, QStringLiteral("Rapportage"), MessageIcon::Critical);
        return false;
    }
    QString error;
    if (report.save(path, &error))
        return true;
    messages().inform(QStringLiteral("De rapportage kan niet worden opgeslagen als '") +
                          QDir::toNativeSeparators(path) + QStringLiteral("'.\r\n\r\n") + error,
                      QStringLiteral("Rapportage"), MessageIcon::Critical);
    return false;
}

QString extension(DocumentFormat format)
{
    switch (format) {
    case DocumentFormat::Pdf:
        return QStringLiteral(".pdf");
    case DocumentFormat::Workbook:
        return QStringLiteral(".xlsx");
    case DocumentFormat::Word:
        break;
    }
    return QStringLiteral(".docx");
}

QString facilityName(const ReportContext& context)
{
    clsStort stort(*context.workspace);
    return stort.initializeStort(context.facilityId) ? stort.NaamStort() : QString();
}

bool writeInputReport(ReportDocument& document, const InputReportOptions& options, const QString& path,
                      const ReportContext& context)
{
    const bool written =
        (!options.algemeen ||
         writeGeneralData(document, GeneralDataReport::InputData, nullptr, std::nullopt, context)) &&
        (!options.voorzieningen || writeProvisions(document, context)) &&
        (!options.kostenposten || writeCostItems(document, context)) &&
        (!options.checklistposten || writeUnselectedChecklistItems(document, false, context));
    return written && saveReportDocument(document, path, context);
}

} // namespace

TargetCapitalReportRun::TargetCapitalReportRun(Workspace& workspace, long facilityId,
                                               const TargetCapitalReportOptions& options)
    : m_workspace(&workspace), m_facilityId(facilityId), m_options(options)
{
}

TargetCapitalReportRun::~TargetCapitalReportRun() = default;

bool TargetCapitalReportRun::calculate()
{
    m_dv = std::make_unique<clsDV>(*m_workspace);
    if (!m_dv->initializeDV(m_facilityId, clsDV::OwnRate, clsDV::OwnRate) ||
        !m_dv->VerifyBeforeBerekening2()) {
        m_dv.reset();
        return false;
    }
    if (!m_dv->BerekenAlles()) {
        m_dv.reset();
        messages().inform(
            QStringLiteral("Uw ingevoerde gegevens bevatten fouten. Er wordt geen rapportage opgesteld."),
            QStringLiteral("Rapportage"), MessageIcon::Exclamation);
        return false;
    }
    return true;
}

int TargetCapitalReportRun::progressMaximum() const
{
    // The cost item rows, and one step for every other section.
    int steps = m_options.doelvermogen && m_dv ? m_dv->AantalKostenposten() : 0;
    steps += int(m_options.voorblad) + int(m_options.checklistposten) + int(m_options.heffing);
    return steps;
}

const clsDV& TargetCapitalReportRun::calculation() const
{
    return *m_dv;
}

bool TargetCapitalReportRun::write(ReportWriter& writer, const ReportContext& context,
                                   const Progress& progress)
{
    if (!m_dv)
        return false;
    const bool document = writer.isDocument();
    int done = 0;
    auto step = [&] {
        if (progress)
            progress(++done);
    };
    if (m_options.voorblad && document) {
        if (!writeGeneralData(writer, GeneralDataReport::Cover, m_dv.get(), m_options.vat, context))
            return false;
        step();
    }
    if (m_options.doelvermogen) {
        const Progress rows = [&](int rowsDone) {
            if (progress)
                progress(done + rowsDone);
        };
        if (!writeTargetCapital(writer, *m_workspace, *m_dv, m_options.grouping, rows))
            return false;
        done += m_dv->AantalKostenposten();
    }
    if (m_options.checklistposten && document) {
        const bool first = !m_options.voorblad && !m_options.doelvermogen;
        if (!writeUnselectedChecklistItems(writer, first, context))
            return false;
        step();
    }
    if (m_options.heffing) {
        if (const std::unique_ptr<clsHeffing> levy = reportableLevy())
            writeLevy(writer, *m_dv, *levy);
        step();
    }
    return true;
}

std::unique_ptr<clsHeffing> TargetCapitalReportRun::reportableLevy() const
{
    // A levy that cannot be calculated has told why; the other sections stand. Without a forecast the levy
    // keeps ValidatieOK but has said it cannot be calculated: no section of empty years.
    auto levy = std::make_unique<clsHeffing>(*m_workspace, m_facilityId);
    levy->psubBerekenHeffingPerTon(m_dv->DoelvermogenMetRisicoFonds());
    if (!levy->ValidatieOK || levy->intAantaljaren == 0)
        levy.reset();
    return levy;
}

bool TargetCapitalReportRun::writeWorkbook(const QString& path, const ReportContext& context,
                                           const Progress& progress)
{
    // The cover and the list of checklist items are text: a workbook holds the figures.
    Workbook workbook;
    if (m_options.doelvermogen &&
        !addTargetCapitalSheets(workbook, *m_workspace, *m_dv, m_options.grouping, m_options.vat, progress))
        return false;
    if (m_options.heffing) {
        if (const std::unique_ptr<clsHeffing> levy = reportableLevy())
            addLevySheet(workbook, *m_dv, *levy);
    }
    return saveReport(workbook, path, context);
}

bool TargetCapitalReportRun::writeDocument(const QString& path, DocumentFormat format,
                                           const ReportContext& context, const Progress& progress)
{
    if (!m_dv)
        return false;
    if (format == DocumentFormat::Workbook)
        return writeWorkbook(path, context, progress);
    if (format == DocumentFormat::Pdf) {
        PdfDocument document(m_dv->facilityName());
        return write(document, context, progress) && saveReportDocument(document, path, context);
    }
    DocxDocument document;
    document.protectForForms(reportProtectionPassword());
    return write(document, context, progress) && saveReportDocument(document, path, context);
}

bool writeInputReportDocument(const InputReportOptions& options, const QString& path, DocumentFormat format,
                              const ReportContext& context)
{
    if (format == DocumentFormat::Pdf) {
        PdfDocument document(facilityName(context));
        return writeInputReport(document, options, path, context);
    }
    DocxDocument document;
    return writeInputReport(document, options, path, context);
}

bool saveReportDocument(ReportDocument& document, const QString& path, const ReportContext& context)
{
    writeHeaderFooter(document, context);
    return saveReport(document, path, context);
}

bool writeUncertaintyReportDocument(const UncertaintyAnalysis& analysis, const QString& path,
                                    DocumentFormat format, const ReportContext& context)
{
    const auto write = [&](ReportDocument& document) {
        writeUncertaintyReport(analysis, document);
        return saveReportDocument(document, path, context);
    };
    if (format == DocumentFormat::Pdf) {
        PdfDocument document(facilityName(context));
        return write(document);
    }
    DocxDocument document;
    return write(document);
}

DocumentFormat documentFormatFor(const QString& path)
{
    if (path.endsWith(QLatin1String(".xlsx"), Qt::CaseInsensitive))
        return DocumentFormat::Workbook;
    return path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive) ? DocumentFormat::Pdf
                                                                     : DocumentFormat::Word;
}

std::optional<QString> reportTargetProblem(const QString& path, const QStringList& databaseFiles)
{
    const std::optional<QString> problem = outputTargetProblem(path, databaseFiles);
    if (!problem)
        return std::nullopt;
    return QStringLiteral("De rapportage kan niet worden opgeslagen: ") + *problem;
}

QString proposedReportName(const QString& prefix, const QString& facilityName, const QDate& today,
                           DocumentFormat format)
{
    // A facility name may hold characters that no file name can (a slash) or that other systems refuse.
    QString name = facilityName;
    for (QChar& c : name) {
        if (QStringLiteral("/\\:*?\"<>|").contains(c) || c.unicode() < 32)
            c = u'_';
    }
    return prefix + u' ' + name + u' ' + today.toString(QStringLiteral("dd-MM-yyyy")) + extension(format);
}

ReportContext reportContext(Workspace& workspace, long facilityId, const QString& configuredDataFile)
{
    return ReportContext{&workspace, facilityId, workspace.dataFilePath(), QDateTime::currentDateTime(),
                         programDatabaseFiles(workspace, configuredDataFile)};
}

QString reportProtectionPassword()
{
    return QStringLiteral("vorsk3ap");
}

} // namespace dovra::report
