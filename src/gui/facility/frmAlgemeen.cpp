#include "facility/frmAlgemeen.h"

#include "app/appstate.h"
#include "base/datatext.h"
#include "base/formats.h"
#include "base/messageservice.h"
#include "facility/facilityvalidation.h"
#include "facility/frmTonnage.h"
#include "facility/frmVersiebeheer.h"
#include "facility/generaldata.h"
#include "storage/lookups.h"
#include "storage/savefailure.h"
#include "ui_frmAlgemeen.h"
#include "widgets/decimalcommakey.h"
#include "widgets/fieldbinding.h"

#include <QCloseEvent>
#include <QListWidget>
#include <QPointer>
#include <QTimer>

namespace dovra {

namespace {

constexpr int ProvinceIdRole = Qt::UserRole;

QString showNumber(const QVariant& value)
{
    return value.isNull() || value.toString().isEmpty()
               ? QString()
               : formats::number(value.toDouble(), QStringLiteral("0.00"));
}

QString showDate(const QVariant& value)
{
    const std::optional<QDate> date = value.typeId() == QMetaType::QDate
                                          ? std::optional<QDate>(value.toDate())
                                          : datatext::toDate(value.toString());
    return date ? generaldata::startDateText(*date) : QString();
}

} // namespace

frmAlgemeen::frmAlgemeen(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::frmAlgemeen>()), m_stort(appState().workspace()),
      m_binding(new FieldBinding(this))
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    m_stort.initializeStort(appState().facility().id);
    m_stort.GetInfoChecklist();

    fillProvinces();
    m_ui->chkObjectGebonden->setText(generaldata::objectBoundCaption(m_stort.intStortType()));
    bindFields();
    m_ui->lblStortType->setText(generaldata::typeCaption(m_stort.intStortType()));

    // The facility's amounts are always at the price level of its checklist version.
    m_priceLevelWasEmpty = m_stort.field(QStringLiteral("intJaarPrijspeil")).isNull();
    m_ui->lblChecklistHuidig->setText(QStringLiteral("Checklistversie: ") + m_stort.strChecklistJaar);
    if (m_stort.intChecklistPrijspeil != 0 && m_stort.JaarPrijsPeil() != m_stort.intChecklistPrijspeil)
        writeField(QStringLiteral("intJaarPrijspeil"), m_stort.intChecklistPrijspeil);
    // Shown as what it is: fixed by the checklist version, not to be typed in.
    QPalette fixed = m_ui->txtPrijspeil->palette();
    fixed.setColor(QPalette::Base, fixed.color(QPalette::Window));
    m_ui->txtPrijspeil->setPalette(fixed);
    m_ui->txtPrijspeil->setText(m_stort.JaarPrijsPeil() ? QString::number(m_stort.JaarPrijsPeil())
                                                        : QString());

    applyCompanyBoundRules();
    m_ui->chkObjectGebonden->setChecked(m_stort.bytObjectGebonden() != 0);

    connect(m_ui->optBedrijfsGebonden0, &QRadioButton::clicked, this, [this] { chooseCompanyBound(0); });
    connect(m_ui->optBedrijfsGebonden1, &QRadioButton::clicked, this, [this] { chooseCompanyBound(1); });
    connect(m_ui->chkObjectGebonden, &QCheckBox::clicked, this, &frmAlgemeen::setObjectBound);
    connect(m_ui->lblInfoPrijspeil, &QLabel::linkActivated, this, [] {
        messages().inform(
            QStringLiteral("Het prijspeil is vastgelegd in de TALVO-checklist. Alle bedragen dienen "
                           "ingevoerd te worden in dit prijspeil."),
            QStringLiteral("Informatie prijspeil"), MessageIcon::Information);
    });
    connect(m_ui->lstProv, &QListWidget::itemClicked, this, [this] { commitProvince(); });
    m_ui->lstProv->installEventFilter(this);
    connect(m_ui->cmdAfvalprognose, &QPushButton::clicked, this, &frmAlgemeen::openForecast);
    connect(m_ui->lblChecklistHuidigWijzig, &QLabel::linkActivated, this, &frmAlgemeen::openVersionChange);
    connect(m_ui->cmdApply, &QPushButton::clicked, this, &QDialog::close);
    DecimalCommaKey::install(this);
}

frmAlgemeen::~frmAlgemeen()
{
    // Closing the dialog moves the focus, which the binding would commit into the record that is about
    // to be destroyed with the members: the binding goes first.
    delete m_binding;
}

void frmAlgemeen::fillProvinces()
{
    for (int id = 10; id <= 120; id += 10) {
        auto* item = new QListWidgetItem(pfunStrProv(id), m_ui->lstProv);
        item->setData(ProvinceIdRole, id);
    }
    auto* none = new QListWidgetItem(pfunStrProv(0), m_ui->lstProv);
    none->setData(ProvinceIdRole, 0);
    showProvince();
}

void frmAlgemeen::showProvince()
{
    m_ui->lstProv->setCurrentItem(nullptr);
    m_ui->lstProv->clearSelection();
    for (int row = 0; row < m_ui->lstProv->count(); ++row) {
        QListWidgetItem* item = m_ui->lstProv->item(row);
        if (item->data(ProvinceIdRole).toInt() == m_stort.chosenProvince())
            m_ui->lstProv->setCurrentItem(item);
    }
}

void frmAlgemeen::writeField(const QString& name, const QVariant& value)
{
    m_stort.setField(name, value);
    saveChanges();
}

void frmAlgemeen::saveChanges()
{
    // A change that cannot be stored is tried again or dropped, as the user chooses, so the screen can
    // always be left.
    storeOrDiscard(
        appState().workspace(), [this] { return m_stort.Move0(); },
        [this] {
            m_stort.discardPending();
            m_binding->refresh();
            showProvince();
            applyCompanyBoundRules();
        });
}

void frmAlgemeen::bindFields()
{
    auto plain = [this](const char* field) {
        const QString name = QLatin1String(field);
        return BoundField{[this, name] { return m_stort.field(name); },
                          [this, name](const QVariant& value) {
                              writeField(name, value);
                              return true;
                          },
                          {},
                          {},
                          {}};
    };
    auto number = [&](const char* field) {
        BoundField bound = plain(field);
        bound.display = showNumber;
        bound.parse = [](const QString& text) -> std::optional<QVariant> {
            const std::optional<float> rate = generaldata::enteredRate(text);
            return rate ? std::optional<QVariant>(*rate) : std::nullopt;
        };
        return bound;
    };

    BoundField name = plain("strStortNaam");
    name.validate = [this](const QVariant& value) {
        return m_stort.checkNaamStort(value.toString());
    };
    m_binding->bind(m_ui->txtLocatieNaam, name);
    m_binding->bind(m_ui->txtLocatieRIVMnr, plain("strRIVMnr"));
    m_binding->bind(m_ui->txtLocatieAdres, plain("memVestigingsadres"));
    m_binding->bind(m_ui->txtVergHouderNaam, plain("strVergNaam"));
    m_binding->bind(m_ui->txtVergHouderPostadres, plain("strVergPostAdres"));
    m_binding->bind(m_ui->txtVergHouderContactPers, plain("strVergContPers"));
    m_binding->bind(m_ui->txtVergHouderTelnr, plain("strVergTel"));
    m_binding->bind(m_ui->txtVergHouderFaxnr, plain("strVergFax"));
    m_binding->bind(m_ui->txtVergHouderEmail, plain("strVergEmail"));
    m_binding->bind(m_ui->txtInvullerNaam, plain("strInvNaam"));
    m_binding->bind(m_ui->txtInvullerPostadres, plain("strInvPostAdres"));
    m_binding->bind(m_ui->txtInvullerContactPers, plain("strInvContPers"));
    m_binding->bind(m_ui->txtInvullerTelnr, plain("strInvTel"));
    m_binding->bind(m_ui->txtInvullerFaxnr, plain("strInvFax"));
    m_binding->bind(m_ui->txtInvullerEmail, plain("strInvEmail"));
    m_binding->bind(m_ui->txtRente, number("sngRentePerc"));
    m_binding->bind(m_ui->txtInflatie, number("sngInflPerc"));

    BoundField start = plain("dtmAanvangNazorg");
    start.display = showDate;
    start.parse = [](const QString& text) -> std::optional<QVariant> {
        const std::optional<QDate> date = generaldata::enteredStartDate(text);
        return date ? std::optional<QVariant>(*date) : std::nullopt;
    };
    m_binding->bind(m_ui->txtAanvangNazorg, start);

    connect(m_binding, &FieldBinding::committed, this, [this](QWidget* control) {
        if (control != m_ui->txtLocatieNaam)
            return;
        // The new name shows in the status bar at once.
        OpenFacilityState facility = appState().facility();
        facility.name = m_stort.NaamStort();
        appState().setFacility(facility);
        appState().SetFacilityOpenState(true);
    });
}

bool frmAlgemeen::commitProvince()
{
    QListWidgetItem* item = m_ui->lstProv->currentItem();
    if (!item || !item->isSelected()) {
        messages().inform(QStringLiteral("Selecteer een bestaande provincie."),
                          QStringLiteral("Selectie provincie"), MessageIcon::Exclamation);
        return false;
    }
    const int id = item->data(ProvinceIdRole).toInt();
    if (m_stort.field(QStringLiteral("bytProv_REF")).isNull() || m_stort.prov_id() != id)
        writeField(QStringLiteral("bytProv_REF"), id);
    return true;
}

bool frmAlgemeen::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui->lstProv && event->type() == QEvent::FocusOut && isVisible() && !commitProvince())
        QTimer::singleShot(0, m_ui->lstProv, [this] { m_ui->lstProv->setFocus(); });
    return QDialog::eventFilter(watched, event);
}

void frmAlgemeen::chooseCompanyBound(quint8 value)
{
    m_stort.setBedrijfsGebonden(value);
    saveChanges();
    applyCompanyBoundRules();
}

void frmAlgemeen::applyCompanyBoundRules()
{
    const bool companyBound = m_stort.bytBedrijfsGebonden() == 1;
    m_ui->optBedrijfsGebonden0->setChecked(m_stort.bytBedrijfsGebonden() == 0 &&
                                           !m_stort.field(QStringLiteral("bytBedrijfsGebonden")).isNull());
    m_ui->optBedrijfsGebonden1->setChecked(companyBound);
    m_ui->chkObjectGebonden->setChecked(m_stort.bytObjectGebonden() != 0);
    m_ui->chkObjectGebonden->setEnabled(m_stort.ObjectGebondenWijzigbaar());
    m_ui->cmdAfvalprognose->setEnabled(m_stort.PrognoseNodig());
    // A disabled button says why, so that the user knows which choice opens it.
    m_ui->cmdAfvalprognose->setToolTip(
        m_stort.PrognoseNodig()
            ? QString()
            : QStringLiteral("Een prognose van het afvalaanbod is alleen nodig als de "
                             "inrichting niet bedrijfsgebonden is (Bedrijfsgebonden: nee)."));
}

void frmAlgemeen::setObjectBound(bool on)
{
    writeField(QStringLiteral("bytObjectGebonden"), on ? 1 : 0);
}

void frmAlgemeen::openForecast()
{
    auto* forecast = new frmTonnage(int(m_stort.stort_ID()), this);
    forecast->setModal(true);
    forecast->show();
}

void frmAlgemeen::openVersionChange()
{
    if (!ValidateFacilityInput(appState().workspace(), int(m_stort.stort_ID()), m_stort.NaamStort()))
        return;
    if (m_priceLevelWasEmpty) {
        messages().inform(versionChangeNeedsSurcharges(),
                          QStringLiteral("Wijzigen checklist nieuwe inrichting"), MessageIcon::Information);
        return;
    }
    // The window outlives this one: the change closes the general data window and opens it again.
    QPointer<frmAlgemeen> self(this);
    auto* window = new frmVersiebeheer([self] { return !self || self->close(); }, parentWidget());
    if (!window->NieuwereChecklistBeschikbaar()) {
        window->close();
        messages().inform(versionChangeNothingNewer(), QStringLiteral("Keuze checklist"),
                          MessageIcon::Information);
        return;
    }
    window->show();
}

void frmAlgemeen::reject()
{
    close();
}

void frmAlgemeen::closeEvent(QCloseEvent* event)
{
    // The field being edited is checked first; a refused value keeps the screen open.
    const bool provinceFocused = m_ui->lstProv->hasFocus();
    if (!(provinceFocused ? commitProvince() : m_binding->commitFocused())) {
        messages().inform(QStringLiteral("Ongeldige invoer"), applicationTitle(), MessageIcon::Exclamation);
        event->ignore();
        return;
    }
    saveChanges();
    // Told again, but no reason to keep the screen open.
    clsStort::checkDatumAanvangNazorg(m_stort.DatumAanvangNazorg());
    appState().reloadFacility();
    event->accept();
}

} // namespace dovra
