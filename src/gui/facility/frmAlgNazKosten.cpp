#include "facility/frmAlgNazKosten.h"

#include "app/appstate.h"
#include "base/formats.h"
#include "base/messageservice.h"
#include "calc/surchargedefaults.h"
#include "storage/savefailure.h"
#include "ui_frmAlgNazKosten.h"
#include "widgets/decimalcommakey.h"
#include "widgets/fieldbinding.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFocusEvent>
#include <QTimer>

namespace dovra {

namespace {

const QString AmountPattern = QStringLiteral("€ #,##0");
const QString PercentagePattern = QStringLiteral("0.0");

QString shown(const QVariant& value, const QString& pattern)
{
    return value.isNull() || value.toString().isEmpty() ? QString()
                                                        : formats::number(value.toDouble(), pattern);
}

std::optional<QVariant> asVariant(std::optional<float> value)
{
    return value ? std::optional<QVariant>(QVariant(*value)) : std::nullopt;
}

} // namespace

frmAlgNazKosten::frmAlgNazKosten(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::frmAlgNazKosten>()), m_stort(appState().workspace()),
      m_checklist(appState().workspace()), m_binding(new FieldBinding(this))
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    m_stort.initializeStort(appState().facility().id);
    m_checklist.initializeCL(int(m_stort.checklist_ID()));
    m_options = {m_ui->optRapEval0, m_ui->optRapEval1, m_ui->optRapEval2, m_ui->optRapEval3};

    if (surcharges::fillDefaults(m_stort, m_checklist))
        saveChanges();
    bindFields();
    showChecklistTexts();
    showOption();
    showDeviations();

    for (QRadioButton* option : std::as_const(m_options)) {
        connect(option, &QRadioButton::clicked, this, [this] {
            // The option follows from the area only.
            showOption();
            messages().inform(
                QStringLiteral("De keuze volgt automatisch uit het aantal hectare nazorgoppervlak "
                               "dat u invult en kan niet handmatig ingesteld worden."),
                QStringLiteral("Toeslag rapportage/evaluatie"), MessageIcon::Information);
        });
    }
    connect(m_binding, &FieldBinding::committed, this, &frmAlgNazKosten::showDeviations);
    connect(m_ui->cmdSluiten, &QPushButton::clicked, this, &QDialog::close);
    DecimalCommaKey::install(this);

    if (surcharges::optionMissing(m_stort))
        messages().inform(QStringLiteral("In deze versie van DOVRA wordt de berekening van de toeslag "
                                         "'Rapportage en evaluatie' anders uitgevoerd. U dient de benodigde "
                                         "gegevens opnieuw in te voeren."),
                          QStringLiteral("Toeslag Rapportage/evaluatie"), MessageIcon::Information);
}

frmAlgNazKosten::~frmAlgNazKosten()
{
    // Closing the dialog moves the focus, which the binding would commit into the record that is about
    // to be destroyed with the members: the binding goes first.
    delete m_binding;
}

void frmAlgNazKosten::showChecklistTexts()
{
    for (int option = 0; option < m_options.size(); ++option)
        m_options[option]->setText(surcharges::optionCaption(option, m_checklist));
    m_ui->lblHelpRapEval->setText(surcharges::reportingHelp(m_checklist));
    m_ui->lblHelpCommunicatie->setText(surcharges::communicationHelp(m_checklist));
    m_ui->lblHelpAppKosten->setText(surcharges::apparatusHelp(m_checklist));
    m_ui->lblHelpAppKostenPerc->setText(surcharges::apparatusPercentageHelp());

    const bool differentiated = m_checklist.GebruikGedifferentieerdeToeslagB();
    m_ui->lblOntwerpdirectie->setVisible(!differentiated);
    m_ui->txtOntwerpdirectie->setVisible(!differentiated);
    m_ui->lblOntwerpdirectieUitleg->setVisible(differentiated);
    m_ui->lblOntwerpdirectieUitleg->setText(differentiated ? surcharges::designExplanation() : QString());
}

void frmAlgNazKosten::writeField(const QString& name, const QVariant& value)
{
    m_stort.setField(name, value);
    saveChanges();
}

void frmAlgNazKosten::saveChanges()
{
    // A change that cannot be stored is tried again or dropped, as the user chooses, so the screen can
    // always be left.
    storeOrDiscard(
        appState().workspace(), [this] { return m_stort.Move0(); },
        [this] {
            m_stort.discardPending();
            m_binding->refresh();
            showOption();
        });
}

void frmAlgNazKosten::bindFields()
{
    auto bind = [this](QLineEdit* box, const char* field, const QString& pattern,
                       std::function<std::optional<QVariant>(const QString&)> parse,
                       std::function<bool(const QString&)> unchangedCheck) {
        const QString name = QLatin1String(field);
        BoundField bound{[this, name] { return m_stort.field(name); },
                         [this, name](const QVariant& value) {
                             writeField(name, value);
                             return true;
                         },
                         [pattern](const QVariant& value) { return shown(value, pattern); },
                         std::move(parse),
                         {}};
        m_shown.insert(box, [this, name, pattern] { return shown(m_stort.field(name), pattern); });
        m_unchangedCheck.insert(box, std::move(unchangedCheck));
        m_binding->bind(box, std::move(bound));
    };
    auto amount = [&](QLineEdit* box, const char* field, const QString& title) {
        bind(
            box, field, AmountPattern,
            [title](const QString& text) { return asVariant(surcharges::enteredAmount(text, title)); },
            [title](const QString& text) { return surcharges::enteredAmount(text, title).has_value(); });
    };
    auto percentage = [&](QLineEdit* box, const char* field, const QString& title) {
        bind(
            box, field, PercentagePattern,
            [title](const QString& text) { return asVariant(surcharges::enteredPercentage(text, title)); },
            [title](const QString& text) { return surcharges::enteredPercentage(text, title).has_value(); });
    };

    amount(m_ui->txtRapEvalMin, "sngRapEvalMin", QStringLiteral("Kosten rapportage/evaluatie"));
    amount(m_ui->txtRapEvalPerHa, "sngRapEvalPerHa", QStringLiteral("Kosten rapportage/evaluatie"));
    amount(m_ui->txtRapEvalMax, "sngRapEvalMax", QStringLiteral("Kosten rapportage/evaluatie"));
    amount(m_ui->txtCommunicatie, "sngAlgCommunicatieKosten", QStringLiteral("Communicatiekosten"));
    amount(m_ui->txtAppKostenBasis, "sngAlgAppKostenBasis", QStringLiteral("Basisbedrag apparaatskosten"));
    amount(m_ui->txtRisicobedrag, "sngAlgRisicoBedrag", QStringLiteral("Risicobedrag"));
    percentage(m_ui->txtOnvoorzien, "sngOnvoorzien", QStringLiteral("Percentage onvoorzien"));
    percentage(m_ui->txtOntwerpdirectie, "sngOntwerpdirectie", QStringLiteral("Percentage ontwerp/directie"));

    // The percentage only means something with its base amount: both are checked on leaving it.
    auto withBase = [this](const QString& text) {
        return surcharges::enteredApparatusPercentage(text, m_ui->txtAppKostenBasis->text());
    };
    bind(
        m_ui->txtAppKostenPerc, "sngAppKostenPerc", PercentagePattern,
        [withBase](const QString& text) { return asVariant(withBase(text)); },
        [withBase](const QString& text) { return withBase(text).has_value(); });

    // A new area may fall under another reporting/evaluation option.
    const QString area = QStringLiteral("sngNazorgOpp");
    m_shown.insert(m_ui->txtNazorgOpp,
                   [this, area] { return shown(m_stort.field(area), QStringLiteral("0.0#")); });
    m_unchangedCheck.insert(m_ui->txtNazorgOpp,
                            [](const QString& text) { return surcharges::enteredArea(text).has_value(); });
    m_binding->bind(m_ui->txtNazorgOpp,
                    BoundField{[this, area] { return m_stort.field(area); },
                               [this, area](const QVariant& value) {
                                   m_stort.setField(area, value);
                                   surcharges::updateOption(m_stort, m_checklist);
                                   saveChanges();
                                   showOption();
                                   return true;
                               },
                               [](const QVariant& value) { return shown(value, QStringLiteral("0.0#")); },
                               [](const QString& text) { return asVariant(surcharges::enteredArea(text)); },
                               {}});

    for (auto it = m_unchangedCheck.cbegin(); it != m_unchangedCheck.cend(); ++it)
        it.key()->installEventFilter(this);
}

void frmAlgNazKosten::showOption()
{
    const int option = int(m_stort.OptieRapEval());
    if (option >= 0 && option < m_options.size())
        m_options[option]->setChecked(true);
    m_ui->txtRapEvalMin->setEnabled(option == 1);
    m_ui->txtRapEvalPerHa->setEnabled(option == 2);
    m_ui->txtRapEvalMax->setEnabled(option == 3);
    showDeviations();
}

void frmAlgNazKosten::showDeviations()
{
    const surcharges::Deviations deviations = surcharges::deviations(m_stort, m_checklist);
    const int option = int(m_stort.OptieRapEval());
    m_ui->lblAfwijkingAppKostenBasis->setVisible(deviations.apparatusBase);
    m_ui->lblAfwijkingAppKostenPerc->setVisible(deviations.apparatusPercentage);
    m_ui->lblAfwijkingOnvoorzien->setVisible(deviations.unforeseen);
    m_ui->lblAfwijkingOntwerpdirectie->setVisible(deviations.design);
    m_ui->lblAfwijkingCommunicatie->setVisible(deviations.communication);
    m_ui->lblAfwijkingRapEvalMin->setVisible(deviations.reporting && option == 1);
    m_ui->lblAfwijkingRapEvalPerHa->setVisible(deviations.reporting && option == 2);
    m_ui->lblAfwijkingRapEvalMax->setVisible(deviations.reporting && option == 3);
}

bool frmAlgNazKosten::checkUnchanged(QLineEdit* box)
{
    m_checking = true;
    const bool accepted = m_unchangedCheck.value(box)(box->text());
    m_checking = false;
    return accepted;
}

bool frmAlgNazKosten::leave(QWidget* box)
{
    auto* edit = qobject_cast<QLineEdit*>(box);
    if (edit && m_unchangedCheck.contains(edit) && edit->text() == m_shown.value(edit)())
        return checkUnchanged(edit);
    return m_binding->commit(box);
}

bool frmAlgNazKosten::eventFilter(QObject* watched, QEvent* event)
{
    // The binding checks changed values; a box left as stored must hold a value too, as leaving a box
    // means the user is done with it. Switching to another window or a popup is not leaving it.
    auto* box = qobject_cast<QLineEdit*>(watched);
    if (event->type() == QEvent::FocusOut && box && !m_checking) {
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        const bool leaving = reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
        if (leaving && box->text() == m_shown.value(box)() && !checkUnchanged(box)) {
            QTimer::singleShot(0, box, [this, box] {
                m_ui->tabToeslagen->setCurrentWidget(m_ui->tabOnvoorzienOntwerp->isAncestorOf(box)
                                                         ? m_ui->tabOnvoorzienOntwerp
                                                         : m_ui->tabAlgemeneKosten);
                box->setFocus(Qt::OtherFocusReason);
            });
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmAlgNazKosten::reject()
{
    close();
}

void frmAlgNazKosten::closeEvent(QCloseEvent* event)
{
    // The box being edited is checked first; a refused value or a missing area keeps the screen open.
    QWidget* focused = QApplication::focusWidget();
    if (focused && isAncestorOf(focused) && !leave(focused)) {
        event->ignore();
        return;
    }
    if (!surcharges::checkStoredArea(m_stort)) {
        m_ui->tabToeslagen->setCurrentWidget(m_ui->tabAlgemeneKosten);
        m_ui->txtNazorgOpp->setFocus(Qt::OtherFocusReason);
        event->ignore();
        return;
    }
    saveChanges();
    event->accept();
}

} // namespace dovra
