#include "facility/frmTonnage.h"

#include "app/appstate.h"
#include "base/formats.h"
#include "base/messageservice.h"
#include "facility/tonnagemodel.h"
#include "ui_frmTonnage.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPointer>
#include <QStyledItemDelegate>

namespace dovra {

namespace {
// Enter, Return and Down move on to the next cell the way Tab does, as in the grid users know.
bool isNextCellKey(const QKeyEvent* event)
{
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    return event->key() == Qt::Key_Enter || event->key() == Qt::Key_Return || event->key() == Qt::Key_Down;
}
} // namespace

// Keeps track of the open cell editor so "Sluiten" can commit it, and gives the editor the
// next-cell keys.
class TonnageDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        m_editor = editor;
        return editor;
    }

    void destroyEditor(QWidget* editor, const QModelIndex& index) const override
    {
        if (m_editor == editor)
            m_editor = nullptr;
        QStyledItemDelegate::destroyEditor(editor, index);
    }

    // Writes the open editor's value (checked by the model) and closes it.
    void commitOpenEditor()
    {
        if (QWidget* editor = m_editor) {
            m_editor = nullptr;
            emit commitData(editor);
            emit closeEditor(editor, NoHint);
        }
    }

protected:
    bool eventFilter(QObject* object, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress && isNextCellKey(static_cast<QKeyEvent*>(event))) {
            // The base class commits and moves on for a Tab.
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            return QStyledItemDelegate::eventFilter(object, &tab);
        }
        return QStyledItemDelegate::eventFilter(object, event);
    }

private:
    mutable QPointer<QWidget> m_editor;
};

frmTonnage::frmTonnage(int facilityId, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::frmTonnage>()), m_forecast(appState().workspace())
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    m_forecast.psubInitialiseer(facilityId);

    m_model = new TonnageModel(m_forecast, this);
    m_delegate = new TonnageDelegate(this);
    QTableView* grid = m_ui->grdTonnage;
    grid->setModel(m_model);
    grid->setItemDelegate(m_delegate);
    grid->hideColumn(TonnageModel::FacilityColumn);
    grid->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    grid->installEventFilter(this);
    // Without a readable forecast nothing may be entered (see clsTonnage::psubInitialiseer).
    grid->setEnabled(m_forecast.isLoaded());
    grid->setCurrentIndex(m_model->index(0, TonnageModel::YearColumn));

    connect(m_model, &TonnageModel::forecastEdited, this, &frmTonnage::showTotal);
    connect(m_ui->cmdOK, &QPushButton::clicked, this, &frmTonnage::closeChecked);
    showTotal();
}

frmTonnage::~frmTonnage() = default;

bool frmTonnage::closeByProgram()
{
    m_closeAllowed = true;
    return close();
}

void frmTonnage::reject()
{
    // Esc does what the Sluiten button does, checks included.
    if (m_closeAllowed)
        QDialog::reject();
    else
        closeChecked();
}

void frmTonnage::closeEvent(QCloseEvent* event)
{
    if (m_closeAllowed) {
        QDialog::closeEvent(event);
        return;
    }
    event->ignore();
    refuseClose();
}

bool frmTonnage::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == m_ui->grdTonnage && event->type() == QEvent::KeyPress) {
        auto* key = static_cast<QKeyEvent*>(event);
        if (isNextCellKey(key)) {
            QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
            QCoreApplication::sendEvent(m_ui->grdTonnage, &tab);
            return true;
        }
        if (key->key() == Qt::Key_Delete && key->modifiers() == Qt::NoModifier) {
            deleteCurrentRow();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void frmTonnage::closeChecked()
{
    commitPendingEdit();
    if (!m_forecast.pfunValideerIngevoerdeData()) {
        messages().inform(
            QStringLiteral("U heeft geen aaneengesloten reeks jaartallen opgegeven, een jaartal "
                           "twee maal ingevoerd, of een 'lege waarde' voor een jaartal "
                           "ingevoerd.") +
                QStringLiteral("\n") + QStringLiteral("Corrigeer uw invoer."),
            QStringLiteral("Controle invoer"), MessageIcon::Exclamation);
        return;
    }
    m_closeAllowed = true;
    accept();
}

void frmTonnage::commitPendingEdit()
{
    m_delegate->commitOpenEditor();
}

void frmTonnage::deleteCurrentRow()
{
    const QModelIndex current = m_ui->grdTonnage->currentIndex();
    if (!current.isValid() || m_model->isNewRow(current.row()))
        return;
    const std::optional<qint64> year = m_forecast.row(current.row()).year;
    const QString yearText = year ? QString::number(*year) : QStringLiteral("?");
    if (!messages().askYesNo(
            QStringLiteral("Wilt u het jaar ") + yearText + QStringLiteral(" verwijderen uit de prognose?"),
            QStringLiteral("Verwijderen prognose"), MessageIcon::Question, MessageAnswer::No))
        return;
    m_model->removeRows(current.row(), 1);
}

void frmTonnage::showTotal()
{
    m_ui->lblTotaal->setText(QStringLiteral("Totaal (kTon): ") +
                             formats::number(m_forecast.TotaalTonnage(), QStringLiteral("#,##0")));
}

void frmTonnage::refuseClose()
{
    messages().inform(
        QStringLiteral("Gebruik in verband met de datavalidatie de knop Sluiten om het venster te sluiten"),
        QStringLiteral("Sluiten formulier"), MessageIcon::Information);
}

} // namespace dovra
