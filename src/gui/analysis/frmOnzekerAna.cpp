#include "analysis/frmOnzekerAna.h"

#include "analysis/analysischarts.h"
#include "app/appstate.h"
#include "base/formats.h"
#include "base/messageservice.h"
#include "facility/clsStort.h"
#include "model/options.h"
#include "reports/formats/screenreport.h"
#include "reports/frmRapScherm.h"
#include "reports/reportfiledialog.h"
#include "reports/reportrun.h"
#include "reports/uncertaintyreport.h"
#include "ui_frmOnzekerAna.h"
#include "widgets/charts.h"

#include <QCloseEvent>
#include <QRegularExpression>
#include <QThread>

namespace dovra {

namespace {

const QString Title = QStringLiteral("Onzekerheidsanalyse");

struct RateControls
{
    QComboBox* distribution;
    QLineEdit* sd;
    QLineEdit* from;
    QLineEdit* to;
};

struct CostControls
{
    QComboBox* shape; // none, uniform, triangular
    QLineEdit* from;
    QLineEdit* to;
};

QString typed(double value)
{
    return formats::number(value, QStringLiteral("0.00"));
}

// A number in the locale's format; empty after telling which box holds none.
std::optional<double> typedNumber(const QLineEdit* box, const QString& what)
{
    bool ok = false;
    const double value = QLocale().toDouble(box->text().trimmed(), &ok);
    if (ok && std::isfinite(value))
        return value;
    messages().inform(QStringLiteral("Ongeldige waarde voor ") + what + QStringLiteral(" ingevoerd."), Title,
                      MessageIcon::Exclamation);
    return std::nullopt;
}

std::optional<RateUncertainty> typedRate(const RateControls& controls, const QString& name)
{
    RateUncertainty rate;
    rate.distribution = RateDistribution(controls.distribution->currentIndex());
    if (rate.distribution == RateDistribution::Normal) {
        const std::optional<double> sd =
            typedNumber(controls.sd, QStringLiteral("de standaardafwijking van de ") + name);
        if (!sd)
            return std::nullopt;
        rate.sd = *sd;
    } else if (rate.distribution != RateDistribution::Fixed) {
        const std::optional<double> from =
            typedNumber(controls.from, QStringLiteral("de ondergrens van de ") + name);
        const std::optional<double> to =
            from ? typedNumber(controls.to, QStringLiteral("de bovengrens van de ") + name) : std::nullopt;
        if (!to)
            return std::nullopt;
        rate.from = *from;
        rate.to = *to;
    }
    return rate;
}

} // namespace

frmOnzekerAna::frmOnzekerAna(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::frmOnzekerAna>())
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    // Around the facility's own rates: one percentage point either way, within the range a draw keeps.
    clsStort stort(appState().workspace());
    const bool read = stort.initializeStort(appState().facility().id);
    for (const auto& [controls, own] :
         {std::pair(
              RateControls{m_ui->cboRenteVerdeling, m_ui->txtRenteSd, m_ui->txtRenteVan, m_ui->txtRenteTot},
              read ? stort.rente() : 0.04f),
          std::pair(RateControls{m_ui->cboInflatieVerdeling, m_ui->txtInflatieSd, m_ui->txtInflatieVan,
                                 m_ui->txtInflatieTot},
                    read ? stort.inflatie() : 0.02f)}) {
        controls.distribution->setCurrentIndex(int(RateDistribution::Normal));
        controls.sd->setText(typed(0.5));
        controls.from->setText(typed(std::max(UncertaintySettings::MinRatePercent, double(own) * 100 - 1)));
        controls.to->setText(typed(std::min(UncertaintySettings::MaxRatePercent, double(own) * 100 + 1)));
        connect(controls.distribution, &QComboBox::currentIndexChanged, this, &frmOnzekerAna::applyChoices);
    }
    for (QComboBox* shape : findChildren<QComboBox*>(QRegularExpression(QStringLiteral("^cboKosten\\d$"))))
        connect(shape, &QComboBox::currentIndexChanged, this, &frmOnzekerAna::applyChoices);
    for (QLineEdit* from : findChildren<QLineEdit*>(QRegularExpression(QStringLiteral("^txtKostenVan\\d$"))))
        from->setText(QStringLiteral("-10"));
    for (QLineEdit* to : findChildren<QLineEdit*>(QRegularExpression(QStringLiteral("^txtKostenTot\\d$"))))
        to->setText(QStringLiteral("25"));
    m_ui->txtCorrelatie->setText(typed(0));
    m_ui->txtTrekkingen->setText(QString::number(UncertaintySettings().draws));
    m_ui->txtZaad->setText(QStringLiteral("1"));
    m_ui->prbVoortgang->setTextVisible(false);

    connect(m_ui->cmdOK, &QPushButton::clicked, this, &frmOnzekerAna::run);
    connect(m_ui->cmdAfbreken, &QPushButton::clicked, this, [this] { m_control.cancelled = true; });
    connect(m_ui->cmdSluiten, &QPushButton::clicked, this, &QDialog::close);
    m_progress.setInterval(100);
    connect(&m_progress, &QTimer::timeout, this, [this] { m_ui->prbVoortgang->setValue(m_control.done); });
    applyChoices();
}

frmOnzekerAna::~frmOnzekerAna()
{
    stop();
    delete m_thread;
}

void frmOnzekerAna::applyChoices()
{
    for (const RateControls& controls :
         {RateControls{m_ui->cboRenteVerdeling, m_ui->txtRenteSd, m_ui->txtRenteVan, m_ui->txtRenteTot},
          RateControls{m_ui->cboInflatieVerdeling, m_ui->txtInflatieSd, m_ui->txtInflatieVan,
                       m_ui->txtInflatieTot}}) {
        const auto distribution = RateDistribution(controls.distribution->currentIndex());
        controls.sd->setEnabled(distribution == RateDistribution::Normal);
        const bool bounded =
            distribution == RateDistribution::Uniform || distribution == RateDistribution::Triangular;
        controls.from->setEnabled(bounded);
        controls.to->setEnabled(bounded);
    }
    const bool both = m_ui->cboRenteVerdeling->currentIndex() != int(RateDistribution::Fixed) &&
                      m_ui->cboInflatieVerdeling->currentIndex() != int(RateDistribution::Fixed);
    m_ui->txtCorrelatie->setEnabled(both);
    for (int rubric = 1; rubric <= 6; ++rubric) {
        const bool spread =
            findChild<QComboBox*>(QStringLiteral("cboKosten%1").arg(rubric))->currentIndex() != 0;
        findChild<QLineEdit*>(QStringLiteral("txtKostenVan%1").arg(rubric))->setEnabled(spread);
        findChild<QLineEdit*>(QStringLiteral("txtKostenTot%1").arg(rubric))->setEnabled(spread);
    }
}

std::optional<UncertaintySettings> frmOnzekerAna::typedSettings()
{
    UncertaintySettings settings;
    const std::optional<RateUncertainty> interest =
        typedRate({m_ui->cboRenteVerdeling, m_ui->txtRenteSd, m_ui->txtRenteVan, m_ui->txtRenteTot},
                  QStringLiteral("rente"));
    const std::optional<RateUncertainty> inflation =
        interest ? typedRate({m_ui->cboInflatieVerdeling, m_ui->txtInflatieSd, m_ui->txtInflatieVan,
                              m_ui->txtInflatieTot},
                             QStringLiteral("inflatie"))
                 : std::nullopt;
    if (!inflation)
        return std::nullopt;
    settings.interest = *interest;
    settings.inflation = *inflation;
    if (m_ui->txtCorrelatie->isEnabled()) {
        const std::optional<double> correlation =
            typedNumber(m_ui->txtCorrelatie, QStringLiteral("de correlatie"));
        if (!correlation)
            return std::nullopt;
        settings.correlation = *correlation;
    }
    for (int rubric = 1; rubric <= 6; ++rubric) {
        const int shape = findChild<QComboBox*>(QStringLiteral("cboKosten%1").arg(rubric))->currentIndex();
        if (shape == 0)
            continue;
        const QString what = QStringLiteral("de kostenspreiding van ") + RubriekNaam(rubric);
        const std::optional<double> from =
            typedNumber(findChild<QLineEdit*>(QStringLiteral("txtKostenVan%1").arg(rubric)), what);
        const std::optional<double> to =
            from ? typedNumber(findChild<QLineEdit*>(QStringLiteral("txtKostenTot%1").arg(rubric)), what)
                 : std::nullopt;
        if (!to)
            return std::nullopt;
        settings.costs.push_back({rubric, *from, *to, shape == 2});
    }
    bool ok = false;
    settings.draws = QLocale().toInt(m_ui->txtTrekkingen->text().trimmed(), &ok);
    if (!ok)
        settings.draws = 0; // refused below with the range
    settings.seed = m_ui->txtZaad->text().trimmed().toULongLong(&ok);
    if (!ok)
        settings.seed = UncertaintySettings::MaxSeed + 1; // refused below with the range
    if (const std::optional<QString> problem = uncertaintySettingsProblem(settings)) {
        messages().inform(*problem, Title, MessageIcon::Exclamation);
        return std::nullopt;
    }
    return settings;
}

void frmOnzekerAna::run()
{
    const std::optional<UncertaintySettings> settings = typedSettings();
    if (!settings)
        return;
    {
        BusyPointer busy;
        m_inputs = uncertaintyInputs(appState().workspace(), appState().facility().id);
    }
    if (!m_inputs)
        return;
    if (const std::optional<QString> problem = ownRatesProblem(*settings, m_inputs->r, m_inputs->i)) {
        messages().inform(*problem, Title, MessageIcon::Exclamation);
        return;
    }
    m_path.clear();
    if (!m_ui->optRapNaar1->isChecked()) {
        m_format =
            m_ui->optRapNaar3->isChecked() ? report::DocumentFormat::Pdf : report::DocumentFormat::Word;
        m_path = reportfile::choose(Title, m_format);
        if (m_path.isEmpty())
            return;
    }
    m_result.reset();
    m_control.done = 0;
    m_control.cancelled = false;
    m_ui->prbVoortgang->setRange(0, settings->draws);
    m_ui->prbVoortgang->setValue(0);
    setRunning(true);
    m_thread = QThread::create(
        [this, settings = *settings] { m_result = analyseUncertainty(*m_inputs, settings, 0, &m_control); });
    connect(m_thread, &QThread::finished, this, &frmOnzekerAna::finish);
    m_thread->start();
    m_progress.start();
}

void frmOnzekerAna::setRunning(bool running)
{
    for (QWidget* choice : std::initializer_list<QWidget*>{
             m_ui->fraRente, m_ui->fraInflatie, m_ui->fraKosten, m_ui->fraRapNaar, m_ui->txtCorrelatie,
             m_ui->txtTrekkingen, m_ui->txtZaad, m_ui->cmdOK, m_ui->cmdSluiten})
        choice->setEnabled(!running);
    m_ui->cmdAfbreken->setEnabled(running);
    if (!running)
        applyChoices();
}

void frmOnzekerAna::finish()
{
    if (!m_thread)
        return;
    m_progress.stop();
    m_thread->wait();
    delete m_thread;
    m_thread = nullptr;
    setRunning(false);
    if (!m_result) {
        // Stopped: nothing of it is shown.
        m_ui->prbVoortgang->setValue(0);
        return;
    }
    m_ui->prbVoortgang->setValue(m_ui->prbVoortgang->maximum());
    const QString facility = appState().facility().name;
    if (!m_path.isEmpty()) {
        bool written = false;
        {
            BusyPointer busy;
            written = report::writeUncertaintyReportDocument(*m_result, m_path, m_format,
                                                             reportfile::currentReportContext());
        }
        if (written)
            reportfile::offerToOpen(m_path, Title);
        return;
    }
    report::ScreenReport screen;
    report::writeUncertaintyReport(*m_result, screen);
    // The window outlives this dialog: it belongs to the main window.
    auto* window = new frmRapScherm(parentWidget());
    if (!m_result->sorted.empty()) {
        window->addPage(uncertaintyHistogram(*m_result, facility, window), QStringLiteral("Histogram"));
        window->addPage(uncertaintyCumulative(*m_result, facility, window), QStringLiteral("Cumulatief"));
    }
    window->show(screen);
    close();
}

void frmOnzekerAna::stop()
{
    if (!m_thread)
        return;
    m_control.cancelled = true;
    m_thread->wait();
}

void frmOnzekerAna::closeEvent(QCloseEvent* event)
{
    // A run is stopped first: its thread works on this window's inputs.
    if (m_thread) {
        stop();
        m_result.reset();
        finish();
    }
    QDialog::closeEvent(event);
}

} // namespace dovra
