#include "storage/database.h"

#include "base/datatext.h"

#include <QFileInfo>

#include <sqlcipher/sqlite3.h>

#include <atomic>

namespace dovra {

QString databasePassword()
{
    return QStringLiteral("molenvork5");
}

namespace {

// Text comparison without regard to letter case, also beyond ASCII (é equals É). It replaces
// the built-in NOCASE of each connection, so the schema keeps the standard collation name and
// the files stay readable by the stock sqlcipher shell.
int compareNoCase(void*, int length1, const void* text1, int length2, const void* text2)
{
    const QString a = QString::fromUtf8(static_cast<const char*>(text1), length1);
    const QString b = QString::fromUtf8(static_cast<const char*>(text2), length2);
    return QString::compare(a, b, Qt::CaseInsensitive);
}

QString errorText(sqlite3* db, int code)
{
    if (db)
        return QString::fromUtf8(sqlite3_errmsg(db));
    return QString::fromUtf8(sqlite3_errstr(code));
}

} // namespace

Database::Database(sqlite3* db, QString path, bool readOnly)
    : m_db(db), m_path(std::move(path)), m_readOnly(readOnly)
{
}

Database::~Database()
{
    sqlite3_close_v2(m_db);
}

std::unique_ptr<Database> Database::open(const QString& path, OpenMode mode, const QString& key,
                                         QString* error)
{
    auto fail = [&](sqlite3* db, int code) -> std::unique_ptr<Database> {
        if (error)
            *error = errorText(db, code);
        sqlite3_close_v2(db);
        return nullptr;
    };

    if (mode != OpenMode::Create && !QFileInfo(path).isFile())
        return fail(nullptr, SQLITE_CANTOPEN);

    // A connection belongs to the thread that uses it (the program's main thread): without SQLite's
    // per-connection mutex every column read is several times cheaper.
    int flags = SQLITE_OPEN_NOMUTEX;
    switch (mode) {
    case OpenMode::ReadOnly:
        flags |= SQLITE_OPEN_READONLY;
        break;
    case OpenMode::ReadWrite:
        flags |= SQLITE_OPEN_READWRITE;
        break;
    case OpenMode::Create:
        flags |= SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
        break;
    }

    sqlite3* db = nullptr;
    int rc = sqlite3_open_v2(path.toUtf8().constData(), &db, flags, nullptr);
    if (rc != SQLITE_OK)
        return fail(db, rc);

    // Without a key the file is a plain SQLite file (used to tell those apart in tests and tools).
    const QByteArray keyBytes = key.toUtf8();
    if (!keyBytes.isEmpty()) {
        rc = sqlite3_key(db, keyBytes.constData(), int(keyBytes.size()));
        if (rc != SQLITE_OK)
            return fail(db, rc);
    }

    // The key is only checked when the first page is read: a wrong key, a plain SQLite file
    // and a file that is no database at all all fail here.
    rc = sqlite3_exec(db, "SELECT count(*) FROM sqlite_master", nullptr, nullptr, nullptr);
    if (rc != SQLITE_OK)
        return fail(db, rc);

    sqlite3_create_collation(db, "NOCASE", SQLITE_UTF8, nullptr, compareNoCase);
    sqlite3_busy_timeout(db, 3000);
    return std::unique_ptr<Database>(new Database(db, path, mode == OpenMode::ReadOnly));
}

void Database::recordError(int code)
{
    m_lastErrorCode = code;
    m_lastError = errorText(m_db, code);
}

Statement Database::prepare(const QString& sql)
{
    sqlite3_stmt* stmt = nullptr;
    const QByteArray text = sql.toUtf8();
    const int rc = sqlite3_prepare_v2(m_db, text.constData(), int(text.size()), &stmt, nullptr);
    if (rc != SQLITE_OK) {
        recordError(rc);
        sqlite3_finalize(stmt);
        stmt = nullptr;
    }
    return Statement(this, stmt);
}

bool Database::execScript(const QString& sql)
{
    char* message = nullptr;
    const int rc = sqlite3_exec(m_db, sql.toUtf8().constData(), nullptr, nullptr, &message);
    sqlite3_free(message);
    if (rc != SQLITE_OK) {
        recordError(rc);
        return false;
    }
    return true;
}

bool Database::exec(const QString& sql, const QVariantList& params)
{
    Statement statement = prepare(sql);
    return statement.isValid() && statement.bindAll(params).exec();
}

qint64 Database::lastInsertId() const
{
    return sqlite3_last_insert_rowid(m_db);
}

int Database::changes() const
{
    return sqlite3_changes(m_db);
}

// --- Statement ---

Statement::Statement(Database* db, sqlite3_stmt* stmt) : m_db(db), m_stmt(stmt), m_failed(stmt == nullptr) {}

Statement::Statement(Statement&& other) noexcept
    : m_db(other.m_db), m_stmt(std::exchange(other.m_stmt, nullptr)), m_failed(other.m_failed)
{
}

Statement& Statement::operator=(Statement&& other) noexcept
{
    if (this != &other) {
        sqlite3_finalize(m_stmt);
        m_db = other.m_db;
        m_stmt = std::exchange(other.m_stmt, nullptr);
        m_failed = other.m_failed;
    }
    return *this;
}

Statement::~Statement()
{
    sqlite3_finalize(m_stmt);
}

Statement& Statement::bind(int index, const QVariant& value)
{
    if (!m_stmt)
        return *this;
    int rc = SQLITE_OK;
    if (value.isNull()) {
        rc = sqlite3_bind_null(m_stmt, index);
    } else {
        switch (value.typeId()) {
        case QMetaType::Bool:
            rc = sqlite3_bind_int(m_stmt, index, value.toBool() ? -1 : 0);
            break;
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::UChar:
        case QMetaType::Char:
        case QMetaType::SChar:
        case QMetaType::Long:
        case QMetaType::LongLong:
        case QMetaType::ULong:
        case QMetaType::ULongLong:
            rc = sqlite3_bind_int64(m_stmt, index, value.toLongLong());
            break;
        case QMetaType::Float:
            // A single is stored as the decimal it stands for (5.06, not 5.0599999427...), so the
            // file reads as entered and the same single comes back.
            rc = sqlite3_bind_double(m_stmt, index, datatext::singleAsDecimal(value.toFloat()));
            break;
        case QMetaType::Double:
            rc = sqlite3_bind_double(m_stmt, index, value.toDouble());
            break;
        case QMetaType::QDate:
            rc = sqlite3_bind_text16(m_stmt, index, datatext::date(value.toDate()).utf16(), -1,
                                     SQLITE_TRANSIENT);
            break;
        case QMetaType::QDateTime:
            rc = sqlite3_bind_text16(m_stmt, index, datatext::dateTime(value.toDateTime()).utf16(), -1,
                                     SQLITE_TRANSIENT);
            break;
        default: {
            const QString text = value.toString();
            rc = sqlite3_bind_text16(m_stmt, index, text.utf16(), int(text.size() * sizeof(char16_t)),
                                     SQLITE_TRANSIENT);
        }
        }
    }
    if (rc != SQLITE_OK) {
        m_failed = true;
        m_db->recordError(rc);
    }
    return *this;
}

Statement& Statement::bindAll(const QVariantList& values)
{
    for (int i = 0; i < values.size(); ++i)
        bind(i + 1, values[i]);
    return *this;
}

bool Statement::next()
{
    if (!m_stmt || m_failed)
        return false;
    const int rc = sqlite3_step(m_stmt);
    if (rc == SQLITE_ROW)
        return true;
    if (rc != SQLITE_DONE) {
        m_failed = true;
        m_db->recordError(rc);
    }
    return false;
}

bool Statement::exec()
{
    if (!m_stmt || m_failed)
        return false;
    while (next()) {
    }
    return !m_failed;
}

void Statement::reset()
{
    if (!m_stmt)
        return;
    sqlite3_reset(m_stmt);
    sqlite3_clear_bindings(m_stmt);
    m_failed = false;
}

int Statement::columnCount() const
{
    return m_stmt ? sqlite3_column_count(m_stmt) : 0;
}

QString Statement::columnName(int column) const
{
    return QString::fromUtf8(sqlite3_column_name(m_stmt, column));
}

int Statement::columnIndex(const QString& name) const
{
    // Field names are compared without regard to case.
    for (int i = 0; i < columnCount(); ++i) {
        if (columnName(i).compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QVariant Statement::value(int column) const
{
    switch (sqlite3_column_type(m_stmt, column)) {
    case SQLITE_INTEGER:
        return QVariant(qint64(sqlite3_column_int64(m_stmt, column)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(m_stmt, column));
    case SQLITE_TEXT:
        return QVariant(QString(reinterpret_cast<const QChar*>(sqlite3_column_text16(m_stmt, column)),
                                sqlite3_column_bytes16(m_stmt, column) / int(sizeof(QChar))));
    case SQLITE_BLOB:
        return QVariant(QByteArray(static_cast<const char*>(sqlite3_column_blob(m_stmt, column)),
                                   sqlite3_column_bytes(m_stmt, column)));
    default:
        return {};
    }
}

bool Statement::isNull(int column) const
{
    const int type = sqlite3_column_type(m_stmt, column);
    return type == SQLITE_NULL || (type == SQLITE_TEXT && sqlite3_column_bytes(m_stmt, column) == 0);
}

std::optional<qint64> Statement::integer(int column) const
{
    if (isNull(column))
        return std::nullopt;
    bool ok = false;
    const QVariant v = value(column);
    if (v.typeId() == QMetaType::Double) {
        // A real beyond the 64-bit range (or none at all) is no whole number that can be held.
        const double d = v.toDouble();
        constexpr double limit = 9223372036854775808.0; // 2^63
        if (!(d >= -limit && d < limit))
            return std::nullopt;
        return qint64(d);
    }
    const qint64 n = v.toLongLong(&ok);
    return ok ? std::optional<qint64>(n) : std::nullopt;
}

std::optional<double> Statement::real(int column) const
{
    if (isNull(column))
        return std::nullopt;
    bool ok = false;
    const double d = value(column).toDouble(&ok);
    return ok ? std::optional<double>(d) : std::nullopt;
}

std::optional<QString> Statement::text(int column) const
{
    if (isNull(column))
        return std::nullopt;
    return value(column).toString();
}

std::optional<QDate> Statement::date(int column) const
{
    if (isNull(column))
        return std::nullopt;
    return datatext::toDate(value(column).toString());
}

std::optional<QDateTime> Statement::dateTime(int column) const
{
    if (isNull(column))
        return std::nullopt;
    const QString text = value(column).toString();
    QDateTime dt = QDateTime::fromString(text, Qt::ISODate);
    if (!dt.isValid())
        dt = QDateTime::fromString(text, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    if (!dt.isValid()) {
        if (auto d = datatext::toDate(text))
            dt = d->startOfDay();
    }
    return dt.isValid() ? std::optional<QDateTime>(dt) : std::nullopt;
}

std::optional<bool> Statement::boolean(int column) const
{
    auto n = integer(column);
    if (!n)
        return std::nullopt;
    return *n != 0;
}

// --- Transaction ---

namespace {
std::atomic<int> savepointCounter{0};
}

Transaction::Transaction(Database& db)
    : m_db(db), m_name(QStringLiteral("tx%1").arg(++savepointCounter)),
      m_active(db.execScript(QStringLiteral("SAVEPOINT ") + m_name))
{
}

Transaction::~Transaction()
{
    if (m_active)
        m_db.execScript(QStringLiteral("ROLLBACK TO ") + m_name + QStringLiteral("; RELEASE ") + m_name);
}

bool Transaction::commit()
{
    if (!m_active)
        return false;
    if (!m_db.execScript(QStringLiteral("RELEASE ") + m_name))
        return false;
    m_active = false;
    return true;
}

} // namespace dovra
