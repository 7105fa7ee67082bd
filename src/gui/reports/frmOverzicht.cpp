#include "reports/frmOverzicht.h"

#include "app/appstate.h"
#include "base/formats.h"
#include "base/messageservice.h"
#include "facility/frmOpenInrConfirm.h"
#include "overview/overviewworkbook.h"
#include "reports/overviewmodel.h"
#include "reports/reportfiledialog.h"
#include "storage/lookups.h"
#include "storage/workspace.h"
#include "ui_frmOverzicht.h"
#include "widgets/charts.h"

#include <QChartView>
#include <QDir>
#include <QHeaderView>
#include <QThread>
#include <QTimer>

#include <set>

namespace dovra {

namespace {

// A run this long or longer shows its progress.
constexpr int ProgressDelayMs = 500;

} // namespace

frmOverzicht::frmOverzicht(QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::frmOverzicht>()), m_registration(std::in_place),
      m_model(new OverviewModel(this)), m_filtered(new OverviewFilterModel(m_model, this))
{
    m_ui->setupUi(this);
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowFlag(Qt::WindowMaximizeButtonHint);
    m_ui->tblInrichtingen->setModel(m_filtered);
    m_ui->tblInrichtingen->sortByColumn(OverviewModel::Name, Qt::AscendingOrder);
    m_ui->tblInrichtingen->horizontalHeader()->setStretchLastSection(true);
    m_ui->tblInrichtingen->verticalHeader()->hide();
    m_ui->tblTotalen->setColumnCount(4);
    m_ui->tblTotalen->setHorizontalHeaderLabels({QStringLiteral("Provincie"), QStringLiteral("Inrichtingen"),
                                                 QStringLiteral("Doelvermogen"),
                                                 QStringLiteral("Met onvolledige invoer")});
    m_ui->tblTotalen->verticalHeader()->hide();
    // The chart gets room for its labels and legend beside the table.
    m_ui->splitter->setSizes({width() * 11 / 20, width() * 9 / 20});
    for (QWidget* progress :
         {static_cast<QWidget*>(m_ui->lblVoortgang), static_cast<QWidget*>(m_ui->prgVoortgang),
          static_cast<QWidget*>(m_ui->cmdAnnuleren)})
        progress->hide();

    connect(m_ui->cboProvincie, &QComboBox::currentIndexChanged, this, &frmOverzicht::applyFilter);
    connect(m_ui->cboType, &QComboBox::currentIndexChanged, this, &frmOverzicht::applyFilter);
    connect(m_filtered, &QAbstractItemModel::layoutChanged, this,
            [this] { showChart(m_filtered->shownRows()); });
    connect(m_ui->tblInrichtingen, &QTableView::doubleClicked, this, &frmOverzicht::openFacility);
    connect(m_ui->cmdAnnuleren, &QPushButton::clicked, this, [this] { m_cancelled = true; });
    connect(m_ui->cmdExporteren, &QPushButton::clicked, this, &frmOverzicht::exportWorkbook);
    connect(m_ui->cmdSluiten, &QPushButton::clicked, this, &QDialog::close);
    start();
}

frmOverzicht::~frmOverzicht()
{
    stopWorker();
}

void frmOverzicht::done(int result)
{
    stopWorker();
    m_registration.reset();
    QDialog::done(result);
}

void frmOverzicht::stopWorker()
{
    if (!m_worker)
        return;
    m_cancelled = true;
    m_worker->wait();
    delete m_worker;
    m_worker = nullptr;
}

void frmOverzicht::start()
{
    // The worker reads the same files through connections of its own: a connection is used by one thread.
    const Workspace& shared = appState().workspace();
    const ProgramPaths paths = shared.paths();
    const QString dataFile = shared.dataFilePath();
    const QString checklistFile = shared.checklistFilePath();
    m_worker = QThread::create([this, paths, dataFile, checklistFile] {
        Workspace workspace(paths);
        workspace.setChecklistFile(checklistFile);
        workspace.setDataFile(dataFile);
        std::optional<FacilityOverview> overview =
            makeFacilityOverview(workspace, {}, [this](int done, int total) {
                QMetaObject::invokeMethod(
                    this, [this, done, total] { showProgress(done, total); }, Qt::QueuedConnection);
                return !m_cancelled;
            });
        QMetaObject::invokeMethod(
            this, [this, overview = std::move(overview)] { finish(overview); }, Qt::QueuedConnection);
    });
    m_worker->start();
    QTimer::singleShot(ProgressDelayMs, this, [this] {
        if (!m_worker || m_worker->isFinished())
            return;
        m_ui->lblVoortgang->show();
        m_ui->prgVoortgang->show();
        m_ui->cmdAnnuleren->show();
    });
}

void frmOverzicht::showProgress(int done, int total)
{
    m_ui->prgVoortgang->setRange(0, total);
    m_ui->prgVoortgang->setValue(done);
}

void frmOverzicht::finish(std::optional<FacilityOverview> overview)
{
    stopWorker();
    m_ui->lblVoortgang->hide();
    m_ui->prgVoortgang->hide();
    m_ui->cmdAnnuleren->hide();
    if (!overview) {
        // Cancelled, or the data file could not be read: there is nothing to show.
        if (!m_cancelled)
            messages().inform(
                QStringLiteral("De inrichtingen konden niet worden gelezen uit het databestand."),
                windowTitle(), MessageIcon::Exclamation);
        close();
        return;
    }
    fillFilterChoices(overview->rows);
    m_model->setRows(std::move(overview->rows));
    m_ui->tblInrichtingen->resizeColumnsToContents();
    m_ui->cmdExporteren->setEnabled(true);
    applyFilter();
}

void frmOverzicht::fillFilterChoices(const std::vector<OverviewRow>& rows)
{
    std::set<int> provinces, types;
    for (const OverviewRow& row : rows) {
        provinces.insert(row.province);
        types.insert(row.type);
    }
    const QSignalBlocker provinceSignals(m_ui->cboProvincie), typeSignals(m_ui->cboType);
    m_ui->cboProvincie->addItem(QStringLiteral("(alle)"));
    for (const int province : provinces)
        m_ui->cboProvincie->addItem(provinceName(province), province);
    m_ui->cboType->addItem(QStringLiteral("(alle)"));
    for (const int type : types)
        m_ui->cboType->addItem(facilityTypeName(type), type);
}

void frmOverzicht::applyFilter()
{
    OverviewFilter filter;
    if (const QVariant province = m_ui->cboProvincie->currentData(); province.isValid())
        filter.province = province.toInt();
    if (const QVariant type = m_ui->cboType->currentData(); type.isValid())
        filter.type = type.toInt();
    m_filtered->setFilter(filter);
    const std::vector<OverviewRow> shown = m_filtered->shownRows();
    showTotals(shown);
    showChart(shown);
}

void frmOverzicht::showTotals(const std::vector<OverviewRow>& rows)
{
    const std::vector<OverviewTotal> totals = provinceTotals(rows);
    QTableWidget* table = m_ui->tblTotalen;
    table->setRowCount(int(totals.size()));
    for (std::size_t k = 0; k < totals.size(); ++k) {
        const OverviewTotal& total = totals[k];
        const QStringList cells{provinceName(total.province), QString::number(total.facilities),
                                formats::number(total.targetCapital, QStringLiteral("€ #,##0")),
                                QString::number(total.incomplete)};
        for (int column = 0; column < cells.size(); ++column) {
            auto* cell = new QTableWidgetItem(cells[column]);
            if (column > 0)
                cell->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            table->setItem(int(k), column, cell);
        }
    }
    table->resizeColumnsToContents();
}

void frmOverzicht::showChart(const std::vector<OverviewRow>& rows)
{
    // One series per province, each with the target capitals of its own facilities, so that the bars take
    // the province's colour.
    StackedBarData data;
    data.title = QStringLiteral("Doelvermogen met risicofonds per inrichting");
    data.yFormat = QStringLiteral("€ %.0f");
    std::vector<int> provinces;
    for (const OverviewTotal& total : provinceTotals(rows))
        provinces.push_back(total.province);
    for (const int province : provinces)
        data.series.append({provinceName(province), QList<double>(qsizetype(rows.size()), 0.0)});
    for (std::size_t k = 0; k < rows.size(); ++k) {
        data.categories.append(rows[k].name);
        const auto series = std::find(provinces.begin(), provinces.end(), rows[k].province);
        data.series[series - provinces.begin()].values[qsizetype(k)] =
            double(rows[k].targetCapital.value_or(0));
    }
    delete m_chart;
    m_chart = stackedBarChart(data, m_ui->fraGrafiek);
    m_chart->setObjectName(QStringLiteral("chtDoelvermogen"));
    m_ui->fraGrafiek->layout()->addWidget(m_chart);
}

void frmOverzicht::exportWorkbook()
{
    const QString path = reportfile::askUsableTarget(FileDialogRequest{
        QStringLiteral("Exporteren naar Excel"), QStringLiteral("Excel-bestanden (*.xlsx)|*.xlsx|"),
        QStringLiteral("Overzicht inrichtingen.xlsx"), false, true});
    if (path.isEmpty())
        return;
    FacilityOverview shown{m_filtered->shownRows(), {}};
    shown.totals = provinceTotals(shown.rows);
    QString error;
    if (!saveOverviewWorkbook(shown, path, &error)) {
        messages().inform(QStringLiteral("Het overzicht kan niet worden opgeslagen als '") +
                              QDir::toNativeSeparators(path) + QStringLiteral("'.\r\n\r\n") + error,
                          windowTitle(), MessageIcon::Critical);
        return;
    }
    reportfile::offerToOpen(path, windowTitle());
}

void frmOverzicht::openFacility(const QModelIndex& index)
{
    if (!index.isValid())
        return;
    const OverviewRow& row = m_model->row(m_filtered->mapToSource(index).row());
    QWidget* owner = parentWidget();
    const long id = row.id;
    close();
    if (appState().openFacility(int(id)))
        showOpenedNotice(appState().facility().name, owner);
}

} // namespace dovra
