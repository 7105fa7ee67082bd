#include "costitems/clsVoorz.h"

#include "base/messageservice.h"
#include "storage/database.h"
#include "storage/lookups.h"
#include "storage/workspace.h"

namespace dovra {

clsVoorz::clsVoorz(Workspace& workspace, long facilityId) : m_workspace(&workspace), m_facility(facilityId) {}

bool clsVoorz::initialize()
{
    return read();
}

bool clsVoorz::read()
{
    m_rows.clear();
    m_current = 0;
    std::shared_ptr<Database> data = m_workspace->dataDatabase();
    if (!data)
        return false;
    Statement query = data->prepare(
        QStringLiteral("SELECT idrInrichting_ID, bytObjectCat_REF, strObject FROM tblInrichting "
                       "WHERE lngStort_REF = ? ORDER BY bytObjectCat_REF, strObject"));
    query.bind(1, qint64(m_facility));
    while (query.next())
        m_rows.append(
            {long(query.integer(0).value_or(0)), query.integer(1), query.text(2).value_or(QString())});
    if (query.failed()) {
        // Half a list must not pass for the facility's provisions.
        m_rows.clear();
        return false;
    }
    return true;
}

qsizetype clsVoorz::indexOf(long id) const
{
    for (qsizetype i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i].id == id)
            return i;
    }
    return -1;
}

bool clsVoorz::ActiveerID(long id)
{
    qsizetype index = indexOf(id);
    if (index < 0) {
        const long previous = idrVoorz_ID();
        read();
        index = indexOf(id);
        if (index < 0) {
            const qsizetype back = indexOf(previous);
            m_current = back < 0 ? 0 : back;
            messages().inform(QStringLiteral("EOF-fout in ActiveerID in clsVoorz (lngIDVoorz=") +
                                  QString::number(id) + QLatin1Char(')'),
                              applicationTitle(), MessageIcon::Critical);
            return false;
        }
    }
    m_current = index;
    return true;
}

long clsVoorz::ZoekIDvanVoorz(int category, const QString& name) const
{
    std::shared_ptr<Database> data = m_workspace->dataDatabase();
    if (!data)
        return 0;
    // strObject has the NOCASE collation, so the file decides what counts as the same name.
    Statement query = data->prepare(
        QStringLiteral("SELECT idrInrichting_ID FROM tblInrichting WHERE lngStort_REF = ? AND "
                       "bytObjectCat_REF = ? AND strObject = ? ORDER BY idrInrichting_ID LIMIT 1"));
    query.bind(1, qint64(m_facility)).bind(2, category).bind(3, name);
    return query.next() ? long(query.integer(0).value_or(0)) : 0;
}

long clsVoorz::VoegVoorzieningToe(int category, const QString& name)
{
    std::shared_ptr<Database> data = m_workspace->dataDatabase();
    if (!data || !data->exec(QStringLiteral("INSERT INTO tblInrichting (lngStort_REF, bytObjectCat_REF, "
                                            "strObject) VALUES (?, ?, ?)"),
                             {qint64(m_facility), category, name}))
        return 0;
    const long id = long(data->lastInsertId());
    // Re-read so the new provision takes its place in the sort order.
    read();
    const qsizetype index = indexOf(id);
    m_current = index < 0 ? 0 : index;
    return id;
}

bool clsVoorz::HernoemVoorzNaam(const QString& newName)
{
    if (newName.trimmed().isEmpty()) {
        messages().inform(QStringLiteral("Ongeldige naam. Wijziging niet doorgevoerd."),
                          QStringLiteral("Bewerking ongeldig"), MessageIcon::Exclamation);
        return false;
    }
    if (EOF_())
        return false;
    std::shared_ptr<Database> data = m_workspace->dataDatabase();
    if (!data ||
        !data->exec(QStringLiteral("UPDATE tblInrichting SET strObject = ? WHERE idrInrichting_ID = ?"),
                    {newName, qint64(m_rows[m_current].id)}))
        return false;
    m_rows[m_current].name = newName;
    return true;
}

bool clsVoorz::verwijderVoorz()
{
    if (EOF_())
        return false;
    std::shared_ptr<Database> data = m_workspace->dataDatabase();
    if (!data || !data->exec(QStringLiteral("DELETE FROM tblInrichting WHERE idrInrichting_ID = ?"),
                             {qint64(m_rows[m_current].id)}))
        return false;
    read();
    return true;
}

void clsVoorz::moveNext()
{
    if (m_current < m_rows.size())
        ++m_current;
}

int clsVoorz::bytObjectCat_ID() const
{
    return EOF_() ? 0 : int(m_rows[m_current].category.value_or(0));
}

QString clsVoorz::ObjectCat() const
{
    return ObjectCategoryName(bytObjectCat_ID());
}

long VoorzieningVanChecklistItem(Workspace& workspace, long facilityId, int category,
                                 const QString& provisionName)
{
    clsVoorz provisions(workspace, facilityId);
    if (!provisions.initialize())
        return 0;
    if (const long id = provisions.ZoekIDvanVoorz(category, provisionName))
        return id;
    return provisions.VoegVoorzieningToe(category, provisionName);
}

} // namespace dovra
