#include "exchange/facilitystates.h"

#include "base/messageservice.h"
#include "calc/clsDV.h"
#include "calc/clsHeffing.h"
#include "exchange/facilityexchange.h"
#include "facility/facilitymanagement.h"
#include "storage/database.h"
#include "storage/workspace.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUuid>

namespace dovra {

namespace {

bool readFacilityFields(Database& data, long facilityId, FacilityState& state)
{
    Statement query = data.prepare(QStringLiteral("SELECT * FROM tblStort WHERE idrStort_ID = ?"));
    query.bind(1, qint64(facilityId));
    if (!query.next())
        return false;
    for (int column = 0; column < query.columnCount(); ++column) {
        const QString name = query.columnName(column);
        // The export folder is where the user last saved a file, no property of the facility.
        if (name.compare(QLatin1String("idrStort_ID"), Qt::CaseInsensitive) != 0 &&
            name.compare(QLatin1String("memStandaardExportDir"), Qt::CaseInsensitive) != 0)
            state.fields.emplace_back(name, comparedValue(name, query.value(column)));
    }
    state.name = query.value(query.columnIndex(QStringLiteral("strStortNaam"))).toString();
    return true;
}

bool readProvisions(Database& data, long facilityId, FacilityState& state)
{
    Statement query = data.prepare(QStringLiteral("SELECT strObject, bytObjectCat_REF FROM tblInrichting "
                                                  "WHERE lngStort_REF = ? ORDER BY idrInrichting_ID"));
    query.bind(1, qint64(facilityId));
    while (query.next())
        state.provisions.push_back({query.text(0).value_or(QString()), query.integer(1).value_or(0)});
    return query.isValid() && !query.failed();
}

bool readItems(Database& data, long facilityId, FacilityState& state)
{
    Statement query = data.prepare(QStringLiteral(
        "SELECT a.*, i.strObject AS strVoorz FROM tblAct a LEFT JOIN tblInrichting i ON "
        "i.idrInrichting_ID = a.lngInrichting_REF WHERE a.lngStort_REF = ? ORDER BY a.idrAct_ID"));
    query.bind(1, qint64(facilityId));
    std::vector<int> columns;
    for (const QString& field : comparedItemFields())
        columns.push_back(query.columnIndex(field));
    const int id = query.columnIndex(QStringLiteral("idrAct_ID"));
    const int provision = query.columnIndex(QStringLiteral("strVoorz"));
    const int act = query.columnIndex(QStringLiteral("strAct"));
    const int conformity = query.columnIndex(QStringLiteral("bytIsTALVO"));
    const int reference = query.columnIndex(QStringLiteral("lngClitem_REF"));
    while (query.next()) {
        ComparedItem& item = state.items.emplace_back();
        item.id = query.integer(id).value_or(0);
        item.provision = query.text(provision).value_or(QString());
        item.act = query.text(act).value_or(QString());
        if (query.integer(conformity).value_or(0) != 0)
            item.checklistItem = query.integer(reference);
        for (std::size_t f = 0; f < columns.size(); ++f)
            item.values.append(columns[f] >= 0
                                   ? comparedValue(comparedItemFields()[f], query.value(columns[f]))
                                   : QVariant());
    }
    return query.isValid() && !query.failed();
}

// Keeps the messages of a levy calculation: in a comparison they explain a missing levy beside its state
// instead of interrupting the comparison. Everything else goes to the service it stands in for.
class KeptMessages : public MessageService
{
public:
    KeptMessages() : m_previous(setMessageService(this)) {}
    ~KeptMessages() override { setMessageService(m_previous); }
    KeptMessages(const KeptMessages&) = delete;
    KeptMessages& operator=(const KeptMessages&) = delete;

    MessageAnswer message(const QString& text, const QString&, MessageIcon, MessageButtons,
                          MessageAnswer defaultAnswer) override
    {
        m_texts.append(text);
        return defaultAnswer;
    }
    QString inputBox(const QString& prompt, const QString& title, const QString& defaultText) override
    {
        return m_previous->inputBox(prompt, title, defaultText);
    }
    QString openFileName(const FileDialogRequest& request) override
    {
        return m_previous->openFileName(request);
    }
    QString saveFileName(const FileDialogRequest& request) override
    {
        return m_previous->saveFileName(request);
    }
    std::optional<ColourValue> chooseColour(ColourValue initial) override
    {
        return m_previous->chooseColour(initial);
    }
    void setBusy(bool busy) override { m_previous->setBusy(busy); }
    void clearBusy() override { m_previous->clearBusy(); }

    // On one line each, as a note beside the figures.
    QString texts() const
    {
        return m_texts.join(u' ').replace(QLatin1String("\r\n"), QLatin1String(" ")).replace(u'\n', u' ');
    }

private:
    MessageService* m_previous;
    QStringList m_texts;
};

// A company-bound facility has no levy per ton: its one-off levy is its target capital.
bool companyBound(const FacilityState& state)
{
    for (const auto& [field, value] : state.fields) {
        if (field.compare(QLatin1String("bytBedrijfsGebonden"), Qt::CaseInsensitive) == 0)
            return value.toInt() == 1;
    }
    return false;
}

} // namespace

std::optional<FacilityState> readFacilityState(Workspace& workspace, long facilityId)
{
    const std::shared_ptr<Database> data = workspace.dataDatabase();
    FacilityState state;
    if (!data || !readFacilityFields(*data, facilityId, state) || !readProvisions(*data, facilityId, state) ||
        !readItems(*data, facilityId, state))
        return std::nullopt;
    clsDV dv(workspace);
    state.calculable = dv.initializeDV(facilityId) && dv.VerifyBeforeBerekening2() && dv.BerekenAlles();
    state.inputs = dv.inputs();
    if (state.calculable && !companyBound(state)) {
        const KeptMessages kept;
        clsHeffing levy(workspace, facilityId);
        levy.psubBerekenHeffingPerTon(dv.DoelvermogenMetRisicoFonds());
        if (levy.ValidatieOK)
            state.levy = levy.HeffingPerTon_prijspeil_tRef;
        state.levyNote = kept.texts();
    }
    return state;
}

ExportedState readExportedState(Workspace& workspace, long replacedId, const QString& path)
{
    ExportedState result;
    const QString noCopy = QStringLiteral("Er kan geen tijdelijke kopie van het databestand worden gemaakt.");
    QTemporaryDir folder(QDir::tempPath() + QStringLiteral("/dovra-vergelijk-XXXXXX"));
    const QString copy = folder.filePath(QStringLiteral("dbTALVOdata_vergelijk.mdb"));
    if (!folder.isValid() || !QFile::copy(workspace.dataFilePath(), copy) ||
        !QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner)) {
        result.error = noCopy;
        return result;
    }
    Workspace scratch(workspace.paths(), workspace.version());
    scratch.setDataFile(copy);
    scratch.setChecklistFile(workspace.checklistFilePath());
    const std::shared_ptr<Database> data = scratch.dataDatabase();
    if (!data || !deleteFacilityRows(*data, replacedId)) {
        result.error = noCopy;
        return result;
    }
    // The file's own name, which another facility of the copy may hold: imported under a stand-in first.
    std::optional<QString> fileName;
    const exchange::ImportOutcome imported =
        exchange::importFacility(scratch, path, [&fileName](const QString& taken) {
            if (!fileName)
                fileName = taken;
            return QUuid::createUuid().toString(QUuid::Id128);
        });
    if (imported.status != exchange::ImportOutcome::Status::Imported) {
        result.error = imported.error;
        return result;
    }
    if (fileName && !data->exec(QStringLiteral("UPDATE tblStort SET strStortNaam = ? WHERE idrStort_ID = ?"),
                                {*fileName, qint64(imported.facilityId)})) {
        result.error = noCopy;
        return result;
    }
    result.state = readFacilityState(scratch, imported.facilityId);
    if (!result.state) {
        result.error = noCopy;
        return result;
    }
    // The checklist file is the same; the version read through the copy's workspace must not outlive it.
    clsCL checklist(workspace);
    if (checklist.initializeCL(result.state->inputs.checklist.intCl_ID()))
        result.state->inputs.checklist = checklist;
    return result;
}

} // namespace dovra
