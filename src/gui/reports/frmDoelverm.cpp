#include "reports/frmDoelverm.h"

#include "analysis/analysischarts.h"
#include "app/appstate.h"
#include "base/formats.h"
#include "base/messageservice.h"
#include "calc/clsDV.h"
#include "calc/expenditureschedule.h"
#include "reports/formats/screenreport.h"
#include "reports/frmRapScherm.h"
#include "reports/reportfiledialog.h"
#include "ui_frmDoelverm.h"
#include "widgets/charts.h"
#include "widgets/decimalcommakey.h"
#include "widgets/opendocument.h"

#include <QFocusEvent>
#include <QRegularExpressionValidator>
#include <QTimer>

#include <algorithm>
#include <optional>

namespace dovra {

namespace {

constexpr float MaximumVatPercentage = 30;

// A VAT percentage as typed: the decimal separator of the user's locale or a point, within 0..30.
std::optional<float> enteredVat(const QString& text)
{
    for (QLocale locale : {QLocale(), QLocale::c()}) {
        locale.setNumberOptions(QLocale::RejectGroupSeparator);
        bool ok = false;
        const float value = locale.toFloat(text, &ok);
        if (ok)
            return value >= 0 && value <= MaximumVatPercentage ? std::optional<float>(value) : std::nullopt;
    }
    return std::nullopt;
}

} // namespace

frmDoelverm::frmDoelverm(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::frmDoelverm>())
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);

    QLineEdit* vat = m_ui->txtBTWperc;
    vat->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,2}([.,]\\d{0,2})?")), vat));
    vat->setText(formats::ordinaryText(appState().view().vatPercentage));
    vat->installEventFilter(this);
    placeVatBox();

    reportfile::hideProgressBar(m_ui->ProgressBar1);

    for (QAbstractButton* control : std::initializer_list<QAbstractButton*>{
             m_ui->chkVoorblad, m_ui->chkRapDV, m_ui->chkRapUnselectedCLitems, m_ui->chkRapHef,
             m_ui->optRapNaar1, m_ui->optRapNaar2, m_ui->optRapNaar3, m_ui->optRapNaar4})
        connect(control, &QAbstractButton::clicked, this, &frmDoelverm::applyEnablingRules);
    // Choosing a grouping only means something for the target capital section.
    for (QAbstractButton* option : {m_ui->optRapSort1, m_ui->optRapSort2, m_ui->optRapSort3})
        connect(option, &QAbstractButton::clicked, this, [this] {
            m_ui->chkRapDV->setChecked(true);
            applyEnablingRules();
        });
    connect(m_ui->OKButton, &QPushButton::clicked, this, &frmDoelverm::runReport);
    connect(m_ui->CancelButton, &QPushButton::clicked, this, &QDialog::close);
    DecimalCommaKey::install(this);
    reportfile::restoreChoices(ReportDialog::TargetCapital, choiceControls());
    applyEnablingRules();
}

frmDoelverm::~frmDoelverm() = default;

reportfile::ChoiceControls frmDoelverm::choiceControls() const
{
    return {{m_ui->chkVoorblad, m_ui->chkRapDV, m_ui->chkRapUnselectedCLitems, m_ui->chkRapHef},
            {m_ui->optRapNaar1, m_ui->optRapNaar2, m_ui->optRapNaar3, m_ui->optRapNaar4},
            {m_ui->optRapSort1, m_ui->optRapSort2, m_ui->optRapSort3}};
}

void frmDoelverm::placeVatBox()
{
    // The box sits on the blanks of its label, between "BTW:" and "%".
    const QString caption = m_ui->lblBTW->text();
    const QFontMetrics metrics(m_ui->lblBTW->font());
    const int left = metrics.horizontalAdvance(caption.left(caption.indexOf(QLatin1Char(' ')) + 1));
    const int gap = metrics.horizontalAdvance(caption.left(caption.size() - 2)) - left;
    const int width = std::max(gap, metrics.horizontalAdvance(QStringLiteral("00,00")) + metrics.height());
    const QSize label = m_ui->lblBTW->sizeHint();
    const int height = std::max(label.height(), m_ui->txtBTWperc->sizeHint().height());
    m_ui->lblBTW->setGeometry(0, (height - label.height()) / 2, label.width(), label.height());
    m_ui->txtBTWperc->setGeometry(left, 0, width, height);
    m_ui->fraBTW->setMinimumSize(std::max(label.width(), left + width), height);
}

void frmDoelverm::applyEnablingRules()
{
    // The cover and the list of unselected checklist items exist in a document (.docx or PDF) only: the
    // screen shows the figures, a workbook holds them.
    const bool document = m_ui->optRapNaar2->isChecked() || m_ui->optRapNaar3->isChecked();
    for (QCheckBox* box : {m_ui->chkVoorblad, m_ui->chkRapUnselectedCLitems}) {
        if (!document)
            box->setChecked(false);
        box->setEnabled(document);
    }
    const QList<QCheckBox*> sections{m_ui->chkVoorblad, m_ui->chkRapDV, m_ui->chkRapUnselectedCLitems,
                                     m_ui->chkRapHef};
    m_ui->OKButton->setEnabled(
        std::any_of(sections.cbegin(), sections.cend(), [](QCheckBox* box) { return box->isChecked(); }));
}

bool frmDoelverm::acceptVat()
{
    const QString text = m_ui->txtBTWperc->text().trimmed();
    if (text.isEmpty())
        return true;
    const std::optional<float> percentage = enteredVat(text);
    if (!percentage)
        return false;
    appState().view().vatPercentage = *percentage;
    return true;
}

bool frmDoelverm::eventFilter(QObject* watched, QEvent* event)
{
    // A refused VAT percentage keeps the focus in its box, without a message. Switching to another
    // window or a popup is not leaving it.
    if (watched == m_ui->txtBTWperc && event->type() == QEvent::FocusOut) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && !acceptVat())
            QTimer::singleShot(0, m_ui->txtBTWperc,
                               [this] { m_ui->txtBTWperc->setFocus(Qt::OtherFocusReason); });
    }
    return QDialog::eventFilter(watched, event);
}

report::TargetCapitalReportOptions frmDoelverm::chosenOptions() const
{
    report::TargetCapitalReportOptions options;
    options.voorblad = m_ui->chkVoorblad->isChecked();
    options.doelvermogen = m_ui->chkRapDV->isChecked();
    options.checklistposten = m_ui->chkRapUnselectedCLitems->isChecked();
    options.heffing = m_ui->chkRapHef->isChecked();
    options.grouping = m_ui->optRapSort2->isChecked()   ? DVGrouping::Rubriek
                       : m_ui->optRapSort3->isChecked() ? DVGrouping::Talvo
                                                        : DVGrouping::Voorziening;
    if (!m_ui->txtBTWperc->text().trimmed().isEmpty())
        options.vat = appState().view().vatPercentage;
    return options;
}

void frmDoelverm::runReport()
{
    // The default button also answers the Enter key in the VAT box, which then was never left.
    if (!acceptVat()) {
        m_ui->txtBTWperc->setFocus(Qt::OtherFocusReason);
        return;
    }
    // A VAT percentage of 0 means no VAT lines on the cover.
    if (m_ui->txtBTWperc->text().trimmed() == QLatin1String("0"))
        m_ui->txtBTWperc->clear();

    reportfile::storeChoices(ReportDialog::TargetCapital, choiceControls());
    report::TargetCapitalReportRun run(appState().workspace(), appState().facility().id, chosenOptions());
    if (run.calculate()) {
        if (m_ui->optRapNaar1->isChecked())
            writeScreen(run);
        else
            writeDocument(run, m_ui->optRapNaar3->isChecked()   ? report::DocumentFormat::Pdf
                               : m_ui->optRapNaar4->isChecked() ? report::DocumentFormat::Workbook
                                                                : report::DocumentFormat::Word);
    }
    close();
}

void frmDoelverm::writeDocument(report::TargetCapitalReportRun& run, report::DocumentFormat format)
{
    const QString path = reportfile::choose(QStringLiteral("Rapportage"), format);
    if (path.isEmpty())
        return;
    const bool written = reportfile::writeShowingProgress(
        m_ui->ProgressBar1, run.progressMaximum(), [&](const report::Progress& progress) {
            return run.writeDocument(path, format, reportfile::currentReportContext(), progress);
        });
    if (written)
        reportfile::offerToOpen(path, QStringLiteral("Rapportage doelvermogen & heffing"));
}

void frmDoelverm::writeScreen(report::TargetCapitalReportRun& run)
{
    report::ScreenReport screen;
    {
        BusyPointer busy;
        if (!run.write(screen, reportfile::currentReportContext()))
            return;
    }
    // The window outlives this dialog: it belongs to the main window.
    auto* window = new frmRapScherm(parentWidget());
    const clsDV& calculation = run.calculation();
    if (const std::optional<ExpenditureSchedule> schedule = expenditureSchedule(calculation.inputs(), 100))
        window->addPage(
            expenditureChart(*schedule, calculation.jaarPrijspeil(), calculation.facilityName(), window),
            QStringLiteral("Uitgavenschema"));
    window->show(screen);
}

} // namespace dovra
