#include "analysis/frmGevoelAna.h"

#include "analysis/analysischarts.h"
#include "app/appstate.h"
#include "base/formats.h"
#include "base/messageservice.h"
#include "reports/formats/screenreport.h"
#include "reports/frmRapScherm.h"
#include "reports/sensitivityreport.h"
#include "ui_frmGevoelAna.h"
#include "widgets/charts.h"

#include <QApplication>
#include <QFocusEvent>
#include <QTimer>

namespace dovra {

frmGevoelAna::frmGevoelAna(QWidget* parent) : QDialog(parent), m_ui(std::make_unique<Ui::frmGevoelAna>())
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    RangeSlider* slider = m_ui->Slider1;
    slider->setRange(2, 16);
    slider->setPageStep(2);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(2);
    slider->setValue(8);
    slider->setSelection(3, 5);
    slider->setTipText([](int position) { return formats::ordinaryText(float(position) / 2); });
    m_ui->lblSchaal->follow(slider, 2, [](int position) { return QString::number(position / 2); });
    for (int steps = 2; steps <= 10; ++steps)
        m_ui->Combo1->addItem(QString::number(steps));
    m_ui->Combo1->setCurrentText(QStringLiteral("5"));

    connect(slider, &RangeSlider::selectionChanged, this, &frmGevoelAna::showSelection);
    for (QRadioButton* option : {m_ui->opt1_1, m_ui->opt1_2, m_ui->opt1_3})
        connect(option, &QRadioButton::toggled, this, &frmGevoelAna::applyMode);
    m_ui->txtRente->installEventFilter(this);
    m_ui->txtInflatie->installEventFilter(this);
    connect(m_ui->cmdOK, &QPushButton::clicked, this, &frmGevoelAna::run);
    connect(m_ui->cmdCancel, &QPushButton::clicked, this, &QDialog::close);
    showSelection();
    applyMode();
}

frmGevoelAna::~frmGevoelAna() = default;

SensitivityMode frmGevoelAna::mode() const
{
    if (m_ui->opt1_1->isChecked())
        return SensitivityMode::Alternative;
    return m_ui->opt1_3->isChecked() ? SensitivityMode::Inflation : SensitivityMode::Interest;
}

void frmGevoelAna::applyMode()
{
    const bool alternative = mode() == SensitivityMode::Alternative;
    for (QLineEdit* box : {m_ui->txtRente, m_ui->txtInflatie}) {
        box->setEnabled(alternative);
        QPalette palette = box->palette();
        palette.setColor(QPalette::Base, alternative ? QColor(Qt::white) : palette.color(QPalette::Button));
        box->setPalette(palette);
    }
    m_ui->Slider1->setEnabled(!alternative);
    m_ui->Combo1->setEnabled(!alternative);
}

void frmGevoelAna::showSelection()
{
    m_ui->lblSelectie->setText(
        sensitivitySelectionText(m_ui->Slider1->selectionStart(), m_ui->Slider1->selectionLength()));
}

bool frmGevoelAna::checkRate(bool interest)
{
    QLineEdit* box = interest ? m_ui->txtRente : m_ui->txtInflatie;
    const std::optional<float> rate = enteredAlternativeRate(box->text(), interest);
    if (rate)
        box->setText(formats::number(double(*rate), QStringLiteral("0.00")));
    return rate.has_value();
}

bool frmGevoelAna::eventFilter(QObject* watched, QEvent* event)
{
    const bool interest = watched == m_ui->txtRente;
    // Leaving for the cancel button or another window is no reason to check.
    if ((interest || watched == m_ui->txtInflatie) && event->type() == QEvent::FocusOut &&
        mode() == SensitivityMode::Alternative && QApplication::focusWidget() != m_ui->cmdCancel &&
        static_cast<QFocusEvent*>(event)->reason() != Qt::ActiveWindowFocusReason && !checkRate(interest)) {
        auto* box = static_cast<QWidget*>(watched);
        QTimer::singleShot(0, box, [box] { box->setFocus(); });
    }
    return QDialog::eventFilter(watched, event);
}

void frmGevoelAna::run()
{
    const SensitivityMode chosen = mode();
    const std::optional<std::vector<float>> rates = chosenSensitivityRates(
        chosen, m_ui->txtRente->text(), m_ui->txtInflatie->text(), m_ui->Slider1->selectionStart(),
        m_ui->Slider1->selectionLength(), m_ui->Combo1->currentText().toInt());
    if (!rates)
        return;

    BusyPointer busy;
    const std::optional<SensitivityAnalysis> analysis =
        runSensitivityAnalysis(appState().workspace(), appState().facility().id, chosen, *rates);
    if (!analysis)
        return;
    report::ScreenReport screen;
    report::writeSensitivityReport(*analysis, screen);
    // The window outlives this dialog: it belongs to the main window.
    auto* window = new frmRapScherm(parentWidget());
    if (chosen != SensitivityMode::Alternative)
        window->addPage(sensitivityChart(*analysis, appState().facility().name, window),
                        QStringLiteral("Grafiek"));
    window->show(screen);
    close();
}

} // namespace dovra
