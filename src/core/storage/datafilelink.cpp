#include "storage/datafilelink.h"

#include "base/messageservice.h"
#include "storage/database.h"
#include "storage/filereplace.h"
#include "storage/requiredschema.h"
#include "storage/savefailure.h"
#include "storage/workspace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cstdio>

namespace dovra {

namespace {

const QString DataFilePrefix = QStringLiteral("dbTALVOdata_");
const QString DataFileExtension = QStringLiteral(".mdb");
const QString LinkTitle = QStringLiteral("Koppeling databestand");

void reportUnusableFile(const QString& path)
{
    messages().inform(QStringLiteral("Het bestand ") + path +
                          QStringLiteral(" kan niet worden geopend als databestand van DOVRA. Het is geen "
                                         "databestand, het wachtwoord ervan klopt niet of het is in gebruik "
                                         "door een ander programma."),
                      LinkTitle, MessageIcon::Critical);
}

// Copies the blank template to path. The copy is written next to the target and renamed over it,
// so a failure never leaves a half-written file under the data file's name.
bool createFromTemplate(Workspace& workspace, const QString& path)
{
    const QString templateFile = workspace.paths().templateFile();
    const QString partial = path + QStringLiteral(".part");
    QFile::remove(partial);
    workspace.closeFile(path);
    // The first data file of an installed program goes into the user's folder, which may not exist yet.
    QDir().mkpath(QFileInfo(path).absolutePath());
    const bool copied = QFile::copy(templateFile, partial);
    bool replaced = false;
    if (copied) {
        QFile::setPermissions(partial,
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ReadGroup | QFile::ReadOther);
        replaced = replaceFile(partial, path);
    }
    if (!replaced) {
        QFile::remove(partial);
        messages().inform(
            QStringLiteral("Het nieuwe databestand ") + path +
                QStringLiteral(" kon niet worden aangemaakt uit het sjabloon ") + templateFile +
                QStringLiteral(". Controleer of het sjabloon aanwezig is en of u schrijfrechten "
                               "heeft in de gekozen map."),
            LinkTitle, MessageIcon::Critical);
    }
    return replaced;
}

void reportDamagedFile()
{
    messages().inform(
        QStringLiteral("Fout in databestand. Sluit DOVRA af en neem contact op met de helpdesk"),
        QStringLiteral("Beschadigd databestand"), MessageIcon::Critical);
}

// Whether the file has every table and column the program reads; an older file may lack the
// columns its upgrade adds. Checked before anything is written to the file.
bool acceptSchema(Database& db, const QString& path)
{
    static const RequiredSchema required =
        RequiredSchema::fromScriptFile(QStringLiteral(":/schema/datafile_schema.sql"));
    const std::optional<QString> gap = required.firstGap(SchemaCatalog(db), addedByUpgrade);
    if (gap) {
        messages().inform(QStringLiteral("Het databestand ") + path +
                              QStringLiteral(" kan niet worden gebruikt: ") + *gap,
                          LinkTitle, MessageIcon::Critical);
    }
    return !gap;
}

// The version and schema checks of an existing file; true when it may be linked.
bool acceptExistingFile(Database& db, const QString& path, long programNumber)
{
    const std::optional<long> version = DataFileVersion(db);
    if (!version) {
        reportUnusableFile(path);
        return false;
    }
    if (*version > programNumber) {
        messages().inform(
            QStringLiteral(
                "Dit databestand is van een latere versie dan DOVRA. Koppeling kan niet worden gelegd."),
            LinkTitle, MessageIcon::Exclamation);
        return false;
    }
    if (!acceptSchema(db, path))
        return false;
    if (*version < programNumber) {
        const bool convert = messages().confirmOk(
            QStringLiteral("Databestand '") + path +
                QStringLiteral(
                    "' staat in het format van een vorige versie van DOVRA.\n\n"
                    "Het bestand zal nu worden omgezet voor gebruik met de huidige versie van DOVRA.\n\n"
                    "LET OP: Na omzetting kan het databestand niet meer worden gebruikt met de vorige "
                    "versie van DOVRA."),
            QStringLiteral("Upgraden databestand"), MessageIcon::Exclamation);
        if (!convert) {
            messages().inform(QStringLiteral("Koppeling is geannuleerd."), LinkTitle,
                              MessageIcon::Information);
            return false;
        }
    }
    return true;
}

} // namespace

bool ValidDataFileName(const QString& path)
{
    const QString name = QFileInfo(path).fileName();
    const bool valid = !path.isEmpty() && name.size() > DataFilePrefix.size() + 4 &&
                       name.startsWith(DataFilePrefix, Qt::CaseInsensitive);
    if (!valid) {
        messages().inform(
            QStringLiteral("De bestandsnaam is ongeldig.\nDe bestandsnaam dient te bestaan uit '") +
                DataFilePrefix +
                QStringLiteral("' plus een door de gebruiker in te voeren tekst.\nBijvoorbeeld: ") +
                DataFilePrefix + QStringLiteral("provincie.mdb"),
            QStringLiteral("Instellen bestandskoppeling"), MessageIcon::Exclamation);
    }
    return valid;
}

QString withDataFileExtension(const QString& path)
{
    return path.endsWith(DataFileExtension, Qt::CaseInsensitive) ? path : path + DataFileExtension;
}

std::optional<long> DataFileVersion(Database& db)
{
    Statement query = db.prepare(QStringLiteral("SELECT strSYSvalue FROM tblSYS WHERE strSYS_ID = ?"));
    query.bind(1, QStringLiteral("versie"));
    if (query.failed())
        return std::nullopt;
    const bool found = query.next();
    if (query.failed())
        return std::nullopt;
    const std::optional<int> version =
        found ? formatVersionFromText(query.value(0).toString()) : std::optional<int>();
    if (!version) {
        reportDamagedFile();
        return DamagedFileVersion;
    }
    return *version;
}

std::optional<int> formatVersionFromText(const QString& text)
{
    const QString trimmed = text.trimmed();
    const bool digitsOnly = !trimmed.isEmpty() && std::all_of(trimmed.begin(), trimmed.end(), [](QChar c) {
        return c >= QLatin1Char('0') && c <= QLatin1Char('9');
    });
    bool fits = false;
    const int version = trimmed.toInt(&fits);
    if (!digitsOnly || !fits)
        return std::nullopt;
    return version;
}

bool LinkDataFile(Workspace& workspace, const QString& path, bool isNew, bool silent)
{
    const QString target = isNew ? withDataFileExtension(path) : path;
    if (!ValidDataFileName(target))
        return false;
    const QString fullPath = QFileInfo(target).absoluteFilePath();
    if (isNew && !createFromTemplate(workspace, fullPath))
        return false;
    // The connection the checks open is the one the workspace keeps: opening a file is slow. A refused
    // file is not kept open.
    std::shared_ptr<Database> db = Database::open(fullPath, Database::OpenMode::ReadWrite);
    if (!db) {
        reportUnusableFile(fullPath);
        return false;
    }
    const bool usable =
        isNew ? acceptSchema(*db, fullPath) : acceptExistingFile(*db, fullPath, workspace.version().number());
    if (!usable)
        return false;
    // The file stays usable for reading and reports; the user knows why changes will fail. At start-up the
    // compaction has told already.
    if (!silent && !canWriteDataFile(*db))
        reportNoWriteAccess(fullPath);

    const QString previousPath = workspace.dataFilePath();
    workspace.setDataFile(fullPath, std::move(db));
    if (!silent) {
        const QString made =
            isNew ? QStringLiteral("Databestand ") + fullPath + QStringLiteral(" is aangemaakt.\n")
                  : QString();
        messages().inform(made + QStringLiteral("Koppeling aan ") + fullPath +
                              QStringLiteral(" is ingesteld."),
                          LinkTitle, MessageIcon::Information);
    }
    if (!UpgradeDataFile(workspace)) {
        // The file could not be brought to the current format: keep the previous link.
        workspace.setDataFile(previousPath);
        return false;
    }
    return true;
}

} // namespace dovra
