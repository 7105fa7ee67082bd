#include "costitems/frmAct.h"

#include "app/appstate.h"
#include "base/formats.h"
#include "base/messageservice.h"
#include "checklist/checklisttree.h"
#include "checklist/itemverdict.h"
#include "costitems/frmAct_AddCLitem.h"
#include "costitems/frmAct_AddCustomItem.h"
#include "costitems/narrative.h"
#include "costitems/treeimages.h"
#include "model/options.h"
#include "model/rawvalue.h"
#include "storage/savefailure.h"
#include "ui_frmAct.h"
#include "widgets/colours.h"
#include "widgets/decimalcommakey.h"
#include "widgets/fieldbinding.h"

#include <QButtonGroup>
#include <QCloseEvent>
#include <QMenu>
#include <QMimeData>
#include <QStyleOptionButton>

#include <cmath>

namespace dovra {

namespace {

enum class BoxKind
{
    Year,
    Amount,
    Percentage,
    Number
};

QString shown(const QVariant& value, BoxKind kind)
{
    const std::optional<double> number = numericValue(value);
    if (!number)
        return isEntered(value) ? value.toString() : QString();
    switch (kind) {
    case BoxKind::Year:
        return QString::number(qint64(*number));
    case BoxKind::Amount:
        return formats::number(*number, QStringLiteral("#,##0.00"));
    case BoxKind::Percentage:
        return formats::number(*number, QStringLiteral("0.00"));
    case BoxKind::Number:
        break;
    }
    // Held in single precision: shown with the digits it has.
    return formats::ordinaryText(float(*number));
}

// A number for the box, or empty when the text is none (whole numbers within the 16-bit fields for years).
std::optional<QVariant> entered(const QString& text, BoxKind kind)
{
    const std::optional<double> number = numericValue(text.trimmed());
    if (!number)
        return std::nullopt;
    if (kind != BoxKind::Year)
        return QVariant(float(*number));
    const double whole = std::nearbyint(*number);
    if (whole < -32768 || whole > 32767)
        return std::nullopt;
    return QVariant(qint64(whole));
}

void checkOption(QButtonGroup* group, int code)
{
    QAbstractButton* button = group->button(code);
    if (button) {
        button->setChecked(true);
        return;
    }
    // No option chosen: none of the buttons is on.
    group->setExclusive(false);
    for (QAbstractButton* each : group->buttons())
        each->setChecked(false);
    group->setExclusive(true);
}

void setCaptionColour(QGroupBox* frame, ColourValue colour)
{
    frame->setStyleSheet(QStringLiteral("QGroupBox::title { color: %1; }").arg(toQColor(colour).name()));
}

QString toHtml(const ChecklistInfo& info)
{
    QString html;
    for (const ChecklistInfoEntry& entry : info) {
        const QString text =
            entry.text.toHtmlEscaped().replace(QStringLiteral("\r\n"), QStringLiteral("<br>"));
        switch (entry.kind) {
        case ChecklistInfoEntry::Kind::Heading:
            html += QStringLiteral("<b>") + text + QStringLiteral("</b><br>");
            break;
        case ChecklistInfoEntry::Kind::Value:
            html += text + QStringLiteral("<br>");
            break;
        case ChecklistInfoEntry::Kind::Blank:
            html += QStringLiteral("<br>");
            break;
        case ChecklistInfoEntry::Kind::Small:
            html += QStringLiteral("<small>") + text + QStringLiteral("</small><br>");
            break;
        case ChecklistInfoEntry::Kind::Error:
            html += QStringLiteral("<span style=\"color:#ff0000\">") + text + QStringLiteral("</span><br>");
            break;
        }
    }
    return html;
}

const QString StopSignText = QStringLiteral("De ingevoerde gegevens zijn niet volledig. Dit kan voorkomen "
                                            "bij zowel TALVO-checklistposten als door de "
                                            "gebruiker gedefinieerde posten. Zie rode markering.");

} // namespace

frmAct::frmAct(QMenu* popupAct, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::frmAct>()), m_facility(appState().facility()),
      m_provisions(appState().workspace(), m_facility.id), m_items(appState().workspace(), m_facility.id),
      m_checklist(appState().workspace()), m_gediffToeslag(clsCL::GebruikGedifferentieerdeToeslagB(
                                               appState().workspace(), m_facility.checklistVersion)),
      m_tree(appState().workspace(), m_provisions, m_items,
             {appState().view().provisionColour, appState().view().costItemColour}, m_gediffToeslag),
      m_binding(new FieldBinding(this)), m_popup(popupAct)
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    appState().setEditorOpen(true);

    m_checklist.initializeCL(m_facility.checklistVersion);
    m_provisions.initialize();
    m_items.initialize();
    m_tree.build();

    pSetKleur();
    m_ui->imgFoutAnSich->setPixmap(stopSign().pixmap(24, 24));
    m_ui->imgFoutAnSich->setToolTip(StopSignText);
    bindFields();
    connectOptions();
    connectPopup();

    ProvisionTreeWidget* tree = m_ui->tvwAct;
    tree->showTree(m_tree);
    connect(tree, &ProvisionTreeWidget::nodeChosen, this,
            [this](const QString& key) { pRefreshSubscherm(key); });
    connect(tree, &ProvisionTreeWidget::menuRequested, this, &frmAct::showMenu);
    connect(tree, &ProvisionTreeWidget::deleteRequested, this, &frmAct::deleteNode);
    connect(tree, &ProvisionTreeWidget::renameRequested, this, &frmAct::rename);
    connect(tree, &ProvisionTreeWidget::checklistNodeDropped, this,
            [this](const QMimeData* data) { dropChecklistNode(*data); });
    const auto remember = [this](QTreeWidgetItem* item, bool expanded) {
        if (ProvisionTree::Node* node = m_tree.find(ProvisionTreeWidget::keyOf(item)))
            node->expanded = expanded;
    };
    connect(tree, &QTreeWidget::itemExpanded, this,
            [remember](QTreeWidgetItem* item) { remember(item, true); });
    connect(tree, &QTreeWidget::itemCollapsed, this,
            [remember](QTreeWidgetItem* item) { remember(item, false); });
    connect(m_ui->cmdTreeExpand, &QToolButton::clicked, this, [this] {
        m_tree.setAllExpanded(true);
        m_ui->tvwAct->expandAll();
    });
    connect(m_ui->cmdTreeCollapse, &QToolButton::clicked, this, [this] {
        m_tree.setAllExpanded(false);
        m_ui->tvwAct->collapseAll();
        if (const ProvisionTree::Node* first = m_tree.first())
            pRefreshSubscherm(first->key);
    });
    connect(m_ui->cmdBewerken, &QPushButton::clicked, this,
            [this] { showMenu(m_ui->cmdBewerken->mapToGlobal(m_ui->cmdBewerken->rect().bottomLeft())); });
    connect(m_ui->cmdSluiten, &QPushButton::clicked, this, &QDialog::close);
    DecimalCommaKey::install(this);

    if (const ProvisionTree::Node* first = m_tree.first())
        pRefreshSubscherm(first->key);
    else
        showPanel();
}

frmAct::~frmAct()
{
    // Closing moves the focus, which the binding would commit into the records that go with the members.
    delete m_binding;
    if (m_picker)
        m_picker->close();
    appState().setEditorOpen(false);
}

void frmAct::pSetKleur()
{
    const QColor provision = toQColor(appState().view().provisionColour);
    const QColor costItem = toQColor(appState().view().costItemColour);
    QPalette header = m_ui->fraHeader->palette();
    header.setColor(QPalette::Window, provision);
    header.setColor(QPalette::WindowText, Qt::white);
    m_ui->fraHeader->setPalette(header);
    const auto colour = [](QLabel* label, const QColor& c) {
        label->setStyleSheet(QStringLiteral("color: %1;").arg(c.name()));
    };
    colour(m_ui->lblLegendaVoorziening, provision);
    colour(m_ui->lblLegendaKostenpost, costItem);
    colour(m_ui->lblLegendaOnvolledig, toQColor(VerdictColour::Red));
    colour(m_ui->lblLegendaCriteria, toQColor(VerdictColour::Orange));
}

CostItemValues frmAct::shownValues() const
{
    return costItemValuesOf(m_items);
}

void frmAct::save()
{
    // A change that cannot be stored is tried again or dropped, as the user chooses, so the editor can
    // always be left.
    storeOrDiscard(
        appState().workspace(), [this] { return m_items.UpdateNu(); },
        [this] {
            m_items.discardPending();
            m_binding->refresh();
        });
}

BoundField frmAct::boundField(const char* field)
{
    const QString name = QLatin1String(field);
    return BoundField{[this, name] { return m_items.field(name); },
                      [this, name](const QVariant& value) {
                          m_items.setField(name, value);
                          save();
                          refreshMarkings();
                          return true;
                      },
                      {},
                      {},
                      {}};
}

void frmAct::bindFields()
{
    const auto number = [this](QLineEdit* box, const char* field, BoxKind kind,
                               std::function<QString()> label) {
        BoundField bound = boundField(field);
        bound.display = [kind](const QVariant& value) {
            return shown(value, kind);
        };
        bound.parse = [kind, label](const QString& text) {
            std::optional<QVariant> value = entered(text, kind);
            if (!value)
                messages().inform(invalidInputMessage(label()), invalidInputTitle(),
                                  MessageIcon::Exclamation);
            return value;
        };
        bound.checkUnchanged = true;
        m_binding->bind(box, std::move(bound));
    };
    const auto fixed = [](const char* label) {
        return [text = QString::fromUtf8(label)] {
            return text;
        };
    };
    const auto startLabel = [this] {
        return m_ui->Frame1->title().toLower();
    };
    number(m_ui->txtIntStartAct1, "intStartAbs", BoxKind::Year, startLabel);
    number(m_ui->txtIntStartAct2, "intStartRel", BoxKind::Year, startLabel);
    number(m_ui->txtStartBA, "intStartBA", BoxKind::Year, startLabel);
    number(m_ui->txtIntEindAct1, "intEindAbs", BoxKind::Year, fixed("eindjaar"));
    number(m_ui->txtIntEindAct2, "intEindRel", BoxKind::Year, fixed("eindjaar"));
    number(m_ui->txtEindBA, "intEindBA", BoxKind::Year, fixed("eindjaar"));
    number(m_ui->txtfreqX, "intFreqX", BoxKind::Year, fixed("periodiciteit"));
    number(m_ui->txtKostenInvest, "sngKostenInvest", BoxKind::Amount, fixed("investeringsbedrag"));
    number(m_ui->txtKostenPerc, "sngPercInvest", BoxKind::Percentage, fixed("percentage"));
    number(m_ui->txtKostenTotaal, "sngKostenTotaal", BoxKind::Amount, fixed("kosten"));
    number(m_ui->txtKostenPE, "sngKostenPE", BoxKind::Amount, fixed("eenheidsprijs"));
    number(m_ui->txtAantal, "sngAantal", BoxKind::Number, fixed("aantal eenheden"));
    number(m_ui->txtVervangingsToeslagPerc, "sngVervangingsToeslagPerc", BoxKind::Percentage,
           fixed("toeslagpercentage"));

    const auto text = [this](QLineEdit* box, const char* field, bool required) {
        BoundField bound = boundField(field);
        bound.parse = [required](const QString& entered) -> std::optional<QVariant> {
            if (required && entered.trimmed().isEmpty()) {
                messages().inform(
                    QStringLiteral("U dient een tekst in te voeren in het invoervak 'eenheid'."),
                    QStringLiteral("Eenheid niet ingevoerd"), MessageIcon::Exclamation);
                return std::nullopt;
            }
            return QVariant(entered);
        };
        bound.checkUnchanged = required;
        m_binding->bind(box, std::move(bound));
    };
    text(m_ui->txtEenheid, "strEenheid", true);
    text(m_ui->txtActOpm, "strOpm", false);
    text(m_ui->txtNazorgplanRef, "strNazorgplanRef", false);
}

void frmAct::connectOptions()
{
    const auto group = [this](std::initializer_list<QAbstractButton*> buttons, const char* field) {
        auto* options = new QButtonGroup(this);
        int code = 0;
        for (QAbstractButton* button : buttons)
            options->addButton(button, ++code);
        const QString name = QLatin1String(field);
        connect(options, &QButtonGroup::idClicked, this, [this, name](int id) {
            choose([&](CostItemValues& values) {
                for (const CostItemField& f : costItemFields()) {
                    if (name == QLatin1String(f.name))
                        values.*f.value = id;
                }
            });
        });
        return options;
    };
    m_start = group({m_ui->optStart1, m_ui->optStart2}, "bytOptieStart");
    m_end = group({m_ui->optEind1, m_ui->optEind2, m_ui->optEind3}, "bytOptieEind");
    m_cost = group({m_ui->optKosten1, m_ui->optKosten2, m_ui->optKosten3}, "bytOptieKosten");
    m_frequency = new QButtonGroup(this);
    m_frequency->addButton(m_ui->optFreq1, FrequencyOption::OneOff);
    m_frequency->addButton(m_ui->optFreq2, FrequencyOption::TimesPerYear);
    m_frequency->addButton(m_ui->optFreq3, FrequencyOption::OnceEveryXYears);
    connect(m_frequency, &QButtonGroup::idClicked, this,
            [this](int id) { choose([id](CostItemValues& v) { chooseFrequency(v, id); }); });
    m_surcharge = new QButtonGroup(this);
    m_surcharge->addButton(m_ui->optVervangingsToeslag1, SurchargeType::TopLiner);
    m_surcharge->addButton(m_ui->optVervangingsToeslag2, SurchargeType::LargeWork);
    m_surcharge->addButton(m_ui->optVervangingsToeslag3, SurchargeType::SmallWork);
    connect(m_surcharge, &QButtonGroup::idClicked, this, [this](int id) {
        choose([this, id](CostItemValues& v) { chooseSurcharge(v, id, m_checklist); });
    });
    connect(m_ui->chkStartBA, &QCheckBox::clicked, this,
            [this](bool on) { choose([on](CostItemValues& v) { chooseStartFromConstruction(v, on); }); });
    connect(m_ui->chkEindBA, &QCheckBox::clicked, this,
            [this](bool on) { choose([on](CostItemValues& v) { v.bytEindBA = on ? 1 : 0; }); });
    connect(m_ui->chkCombineer, &QCheckBox::clicked, this,
            [this](bool on) { choose([on](CostItemValues& v) { v.bytCombineer = on ? 1 : 0; }); });

    placeOnDots(m_ui->txtStartBA, m_ui->chkStartBA);
    placeOnDots(m_ui->txtEindBA, m_ui->chkEindBA);
    placeOnDots(m_ui->txtfreqX, m_ui->optFreq2);
    placeOnDots(m_ui->txtVervangingsToeslagPerc, m_ui->optVervangingsToeslag2);
}

void frmAct::placeOnDots(QLineEdit* box, QAbstractButton* button)
{
    if (QLayout* layout = box->parentWidget() ? box->parentWidget()->layout() : nullptr)
        layout->removeWidget(box);
    if (box->parentWidget() != button->parentWidget())
        box->setParent(button->parentWidget());
    m_onDots.insert(box, button);
    button->installEventFilter(this);
    const QString text = button->text();
    // The box takes the dots and the blanks around them, a blank's width short of the words either side,
    // so that it covers no word of the caption.
    qsizetype before = text.indexOf(QLatin1Char('.'));
    qsizetype after = text.lastIndexOf(QLatin1Char('.')) + 1;
    while (before > 0 && text.at(before - 1).isSpace())
        --before;
    while (after < text.size() && text.at(after).isSpace())
        ++after;
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = text;
    const bool radio = qobject_cast<QRadioButton*>(button) != nullptr;
    const QRect contents = button->style()->subElementRect(
        radio ? QStyle::SE_RadioButtonContents : QStyle::SE_CheckBoxContents, &option, button);
    const QFontMetrics metrics(button->font());
    const int blank = metrics.horizontalAdvance(QLatin1Char(' '));
    const int left = metrics.horizontalAdvance(text.left(before)) + (before > 0 ? blank : 0);
    const int right = metrics.horizontalAdvance(text.left(after)) - (after < text.size() ? blank : 0);
    const int height = box->sizeHint().height();
    box->setGeometry(button->x() + contents.x() + left, button->y() + (button->height() - height) / 2,
                     right - left, height);
    box->raise();
}

bool frmAct::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Move || event->type() == QEvent::Resize) {
        for (auto it = m_onDots.cbegin(); it != m_onDots.cend(); ++it) {
            if (it.value() == watched)
                placeOnDots(it.key(), it.value());
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmAct::choose(const std::function<void(CostItemValues&)>& change)
{
    const CostItemValues before = shownValues();
    CostItemValues after = before;
    change(after);
    for (const CostItemField& field : costItemFields()) {
        if (after.*field.value != before.*field.value)
            m_items.setField(QLatin1String(field.name), after.*field.value);
    }
    save();
    m_binding->refresh();
    showLayout();
    refreshMarkings();
}

PanelLayout frmAct::showLayout()
{
    const CostItemValues values = shownValues();
    PanelContext context;
    context.gediffToeslag = m_gediffToeslag;
    const std::optional<long> reference = checklistItemReference(values.lngClitem_REF);
    if (m_items.IsTALVO() != Conformity::UserDefined && reference && m_checklist.GaNaarItem(*reference)) {
        context.checklistSurchargeType =
            m_checklist.bytTypeVervangingsToeslag().value_or(SurchargeType::None);
        context.combinationAllowed = m_checklist.blnCombinatieMogelijk();
    }
    const PanelLayout layout = panelLayout(values, context);
    const auto code = [](const QVariant& value) {
        return int(numericValue(value).value_or(0));
    };

    Ui::frmAct& ui = *m_ui;
    checkOption(m_start, code(values.bytOptieStart));
    checkOption(m_end, code(values.bytOptieEind));
    checkOption(m_frequency, code(values.bytOptieFreq));
    checkOption(m_cost, code(values.bytOptieKosten));
    checkOption(m_surcharge, code(values.bytTypeVervangingsToeslag));
    ui.chkStartBA->setChecked(code(values.bytStartBA) == 1);
    ui.chkEindBA->setChecked(code(values.bytEindBA) == 1 && layout.endConstructionCheck);
    ui.chkCombineer->setChecked(code(values.bytCombineer) == 1 && layout.combineEnabled);

    ui.Frame1->setTitle(layout.startFrameCaption);
    ui.optStart1->setText(layout.startCaptions[0]);
    ui.optStart2->setText(layout.startCaptions[1]);
    ui.txtIntStartAct1->setVisible(layout.startCalendarBox);
    ui.txtIntStartAct2->setVisible(layout.startAftercareBox);
    ui.txtStartBA->setVisible(layout.startConstructionBox);

    ui.Frame2->setEnabled(layout.endEnabled);
    for (QAbstractButton* option : m_end->buttons())
        option->setVisible(layout.endOptionsShown);
    ui.txtIntEindAct1->setVisible(layout.endCalendarBox);
    ui.txtIntEindAct2->setVisible(layout.endAftercareBox);
    ui.txtEindBA->setVisible(layout.endConstructionBox);
    ui.chkEindBA->setEnabled(layout.endConstructionCheck);

    ui.txtfreqX->setEnabled(layout.frequencyX);
    placeOnDots(ui.txtfreqX,
                layout.frequencyXBeside == FrequencyOption::OnceEveryXYears ? ui.optFreq3 : ui.optFreq2);

    ui.optKosten1->setEnabled(layout.costOptions[0]);
    ui.optKosten2->setEnabled(layout.costOptions[1]);
    ui.optKosten3->setEnabled(layout.costOptions[2]);
    ui.txtKostenPerc->setEnabled(layout.percentage);
    ui.txtKostenInvest->setEnabled(layout.investment);
    ui.lblKostenInvest->setVisible(layout.investment);
    ui.txtKostenTotaal->setEnabled(layout.total);
    ui.txtKostenPE->setEnabled(layout.unitPrice);
    ui.Frame3->setVisible(layout.unitFrame);
    ui.txtEenheid->setEnabled(layout.unitBox);

    ui.Frame0->setEnabled(layout.surchargeEnabled);
    ui.optVervangingsToeslag1->setEnabled(layout.surchargeOptions[0]);
    ui.optVervangingsToeslag2->setEnabled(layout.surchargeOptions[1]);
    ui.optVervangingsToeslag3->setEnabled(layout.surchargeOptions[2]);
    ui.txtVervangingsToeslagPerc->setEnabled(layout.surchargePercentage);
    placeOnDots(ui.txtVervangingsToeslagPerc, layout.surchargePercentageBeside == SurchargeType::SmallWork
                                                  ? ui.optVervangingsToeslag3
                                                  : ui.optVervangingsToeslag2);

    ui.chkCombineer->setEnabled(layout.combineEnabled);
    for (QGroupBox* frame : {ui.Frame1, ui.Frame2, ui.Frame4, ui.Frame5, ui.Frame0})
        frame->setVisible(layout.optionFramesShown);
    return layout;
}

void frmAct::refreshMarkings()
{
    const ProvisionTree::Node* node = m_tree.selected();
    if (!node || ProvisionTree::kindOf(node->key) != ProvisionTree::Kind::CostItem)
        return;
    const CostItemValues values = shownValues();
    const ItemVerdict verdict =
        judgeCostItem(values, m_checklist, m_gediffToeslag, m_facility.aftercareStart);
    setCaptionColour(m_ui->Frame1, verdict.start);
    setCaptionColour(m_ui->Frame2, verdict.end);
    setCaptionColour(m_ui->Frame4, verdict.frequency);
    setCaptionColour(m_ui->Frame5, verdict.cost);
    setCaptionColour(m_ui->Frame0, verdict.surcharge);
    m_ui->imgFoutAnSich->setVisible(!verdict.valid);
    if (m_items.IsTALVO() != Conformity::UserDefined && m_items.IsTALVO() != verdict.conformity &&
        !m_items.LetbytIsTALVO(verdict.conformity))
        save();
    m_ui->imgTALVO->setPixmap(originImage(verdict.conformity).pixmap(24, 24));
    m_ui->imgTALVO->setToolTip(verdict.indicatorText);
    m_tree.setSelectedMarking(verdict.valid, verdict.conformity);
    m_ui->tvwAct->showNode(*m_tree.selected());
    m_ui->txtZin->setPlainText(CostItemNarrative(
        narrativeInputOf(values, m_items.strActHuidig(), verdict.valid, m_facility.aftercareStart)));
}

void frmAct::showChecklistInformation()
{
    m_ui->txtInfoChecklist->setHtml(
        toHtml(editorChecklistInformation(m_checklist, shownValues(), m_gediffToeslag)));
}

void frmAct::showPanel()
{
    const ProvisionTree::Node* node = m_tree.selected();
    const bool costItem = node && ProvisionTree::kindOf(node->key) == ProvisionTree::Kind::CostItem;
    m_ui->fraDetail->setVisible(costItem);
    m_ui->lblGeenPost->setVisible(!costItem);
    m_ui->imgTALVO->setVisible(costItem);
    m_ui->imgFoutAnSich->setVisible(false);
    m_ui->fraInfoChecklist->setVisible(costItem);
    if (!costItem) {
        m_ui->lblPostVet->setText(QStringLiteral("<geen selectie>"));
        m_ui->lblRubriek->clear();
        return;
    }
    m_ui->lblPostVet->setText(m_tree.selectedPostTitle());
    m_ui->lblRubriek->setText(QStringLiteral("Rubriek: ") + m_items.Rubriek());
    m_binding->refresh();
    const PanelLayout layout = showLayout();
    // An item that may no longer be combined is no longer part of a combination post.
    if (!layout.combineEnabled &&
        numericValue(m_items.field(QStringLiteral("bytCombineer"))).value_or(0) != 0)
        choose([](CostItemValues& values) { values.bytCombineer = 0; });
    refreshMarkings();
    showChecklistInformation();
    if (layout.unknownSurchargeType)
        messages().inform(QStringLiteral("Onbekende optie"), QStringLiteral("Fout toeslagtype"),
                          MessageIcon::Critical);
}

bool frmAct::pRefreshSubscherm(const QString& key, bool keepRecord)
{
    // What is being typed is checked and stored before anything else is shown.
    if (!m_binding->commitFocused() || !m_tree.select(key, keepRecord)) {
        m_ui->tvwAct->showSelected(m_tree);
        return false;
    }
    m_ui->tvwAct->showSelected(m_tree);
    showPanel();
    notifyPicker();
    return true;
}

void frmAct::notifyPicker()
{
    const ProvisionTree::Node* node = m_tree.selected();
    if (!m_picker || !node)
        return;
    if (ProvisionTree::kindOf(node->key) == ProvisionTree::Kind::CostItem)
        m_picker->formAct_eCLPostSelected(m_items.IsTALVO() != Conformity::UserDefined ? m_items.Clitem_REF()
                                                                                       : 0);
    else
        m_picker->formAct_eCLVoorzSelected(node->parent ? node->text : QString(),
                                           node->parent ? node->parent->text : node->text);
}

std::vector<ChecklistTreeNode> frmAct::checklistTree()
{
    std::shared_ptr<Database> checklist = appState().workspace().checklistDatabase();
    if (!checklist)
        return {};
    return buildChecklistTree(*checklist, m_facility.checklistVersion, m_items.strAlleChecklistRefs(),
                              appState().view().provisionColour);
}

frmAct_AddCLitem* frmAct::openPicker()
{
    if (!m_picker) {
        m_picker = new frmAct_AddCLitem(m_checklist.lblToelichtingPrijspeil(), checklistTree(), this);
        m_picker->setWindowFlag(Qt::Tool);
        connect(m_picker, &frmAct_AddCLitem::itemChosen, this, &frmAct::addChecklistItem);
        m_picker->move(geometry().topRight() + QPoint(8, 0));
        m_picker->show();
        notifyPicker();
    }
    m_picker->raise();
    m_picker->activateWindow();
    return m_picker;
}

void frmAct::runCommand(const std::function<bool()>& command)
{
    if (!m_binding->commitFocused())
        return;
    if (!command())
        return;
    m_ui->tvwAct->showTree(m_tree);
    showPanel();
    notifyPicker();
}

void frmAct::dropChecklistNode(const QMimeData& data)
{
    const QString key = QString::fromUtf8(data.data(ChecklistNodeMimeType));
    if (checklistItemOfKey(key) == 0) {
        messages().inform(QStringLiteral("Selecteer een kostenpost"),
                          QStringLiteral("Selectie TALVO-checklistitem"), MessageIcon::Exclamation);
        return;
    }
    addChecklistItem(key);
}

void frmAct::addChecklistItem(const QString& key)
{
    runCommand([this, &key] {
        if (m_tree.addChecklistItem(checklistItemOfKey(key)).isEmpty())
            return false;
        if (m_picker)
            m_picker->markUsed(key);
        return true;
    });
}

void frmAct::addOrRenameCostItem(bool adding)
{
    runCommand([this, adding] {
        const ProvisionTree::Node* node = m_tree.selected();
        if (!node)
            return false;
        frmAct_AddCustomItem dialog(m_tree, adding ? frmAct_AddCustomItem::Add : frmAct_AddCustomItem::Rename,
                                    m_checklist.lblToelichtingPrijspeil(), adding ? QString() : node->text,
                                    adding ? 1 : m_items.bytRubriek_REF(), this);
        return dialog.exec() == QDialog::Accepted;
    });
}

void frmAct::rename()
{
    const ProvisionTree::Node* node = m_tree.selected();
    if (!node || !m_tree.commands().rename) {
        messages().inform(QStringLiteral("U kunt deze naam niet wijzigen."),
                          QStringLiteral("Naam wijzigen niet toegestaan"), MessageIcon::Information);
        return;
    }
    if (ProvisionTree::kindOf(node->key) == ProvisionTree::Kind::CostItem)
        addOrRenameCostItem(false);
    else
        runCommand([this] { return m_tree.renameProvision(); });
}

void frmAct::deleteNode()
{
    ProvisionTree::Deleted deleted = ProvisionTree::Deleted::Nothing;
    runCommand([this, &deleted] {
        deleted = m_tree.psubDeleteItem();
        return deleted != ProvisionTree::Deleted::Nothing;
    });
    // Its checklist item can be picked again.
    if (deleted == ProvisionTree::Deleted::CostItem && m_picker)
        m_picker->formAct_eCLPostDeleted(checklistTree());
}

void frmAct::connectPopup()
{
    if (!m_popup)
        return;
    const auto on = [this](const char* name, std::function<void()> handler) {
        if (QAction* action = m_popup->findChild<QAction*>(QLatin1String(name)))
            connect(action, &QAction::triggered, this, std::move(handler));
    };
    on("mnuPopupAddClitem", [this] { openPicker(); });
    on("mnuPopUpaddVoorz", [this] { runCommand([this] { return !m_tree.psubAddVoorz().isEmpty(); }); });
    on("mnuPopUpaddAct", [this] { addOrRenameCostItem(true); });
    on("mnuPopUpaddFase", [this] { runCommand([this] { return !m_tree.psubAddFase().isEmpty(); }); });
    on("mnuPopUpnaamwijzigen", [this] { rename(); });
    on("mnuPopUpverwijder", [this] { deleteNode(); });
}

void frmAct::showMenu(const QPoint& position)
{
    if (!m_popup)
        return;
    const ProvisionTree::Commands commands = m_tree.commands();
    const auto set = [this](const char* name, bool enabled, const QString& caption = {}) {
        if (QAction* action = m_popup->findChild<QAction*>(QLatin1String(name))) {
            action->setEnabled(enabled);
            if (!caption.isEmpty())
                action->setText(caption);
        }
    };
    set("mnuPopupAddClitem", true);
    set("mnuPopUpaddVoorz", commands.addProvision, commands.addProvisionCaption);
    set("mnuPopUpaddAct", commands.addCostItem, commands.addCostItemCaption);
    set("mnuPopUpaddFase", commands.addPhase, QStringLiteral("Fase toevoegen"));
    set("mnuPopUpnaamwijzigen", commands.rename);
    set("mnuPopUpverwijder", commands.remove);
    m_popup->popup(position);
}

void frmAct::reject()
{
    close();
}

void frmAct::closeEvent(QCloseEvent* event)
{
    // The box being edited is checked and everything entered stored; a refused value keeps the editor open.
    if (!m_binding->commitFocused()) {
        event->ignore();
        return;
    }
    save();
    event->accept();
}

} // namespace dovra
