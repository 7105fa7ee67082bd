#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QVariant>

#include <memory>
#include <optional>

struct sqlite3;
struct sqlite3_stmt;

namespace dovra {

// The password that protects both the data file and the checklist file.
QString databasePassword();

class Statement;

// One open, password-protected database file. Opening derives the key from the password,
// which is deliberately slow: open a file once and share the connection (see Workspace).
class Database
{
public:
    enum class OpenMode
    {
        ReadOnly,
        ReadWrite,
        Create
    };

    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens path with the key. Returns null when the file is missing, is no database, or the
    // key does not fit; *error then tells why (for the developer, not the user).
    static std::unique_ptr<Database> open(const QString& path, OpenMode mode, const QString& key,
                                          QString* error = nullptr);
    static std::unique_ptr<Database> open(const QString& path, OpenMode mode, QString* error = nullptr)
    {
        return open(path, mode, databasePassword(), error);
    }

    const QString& path() const { return m_path; }
    bool readOnly() const { return m_readOnly; }

    Statement prepare(const QString& sql);
    // Runs one or more statements without parameters (schema scripts).
    bool execScript(const QString& sql);
    // Runs one statement with positional parameters.
    bool exec(const QString& sql, const QVariantList& params = {});
    qint64 lastInsertId() const;
    int changes() const;

    QString lastError() const { return m_lastError; }
    int lastErrorCode() const { return m_lastErrorCode; }

    sqlite3* handle() const { return m_db; }

private:
    friend class Statement;
    Database(sqlite3* db, QString path, bool readOnly);
    void recordError(int code);

    sqlite3* m_db;
    QString m_path;
    bool m_readOnly;
    QString m_lastError;
    int m_lastErrorCode = 0;
};

// A prepared statement. Values are always bound as parameters, never pasted into the SQL.
// Booleans are stored as -1/0, dates as ISO-8601 text.
class Statement
{
public:
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;
    ~Statement();

    bool isValid() const { return m_stmt != nullptr; }

    Statement& bind(int index, const QVariant& value);
    Statement& bindAll(const QVariantList& values);

    // Steps to the next row; false at the end or on an error (see failed()).
    bool next();
    // Runs a statement that returns no rows.
    bool exec();
    // Makes the statement ready to run again with new values (bulk inserts).
    void reset();
    bool failed() const { return m_failed; }

    int columnCount() const;
    QString columnName(int column) const;
    int columnIndex(const QString& name) const;

    QVariant value(int column) const;
    bool isNull(int column) const;
    // Typed reads. Null and an empty text both count as not entered.
    std::optional<qint64> integer(int column) const;
    std::optional<double> real(int column) const;
    std::optional<QString> text(int column) const;
    std::optional<QDate> date(int column) const;
    std::optional<QDateTime> dateTime(int column) const;
    std::optional<bool> boolean(int column) const;

private:
    friend class Database;
    Statement(Database* db, sqlite3_stmt* stmt);

    Database* m_db;
    sqlite3_stmt* m_stmt;
    bool m_failed = false;
};

// Rolls back unless commit() was called. Nests through savepoints.
class Transaction
{
public:
    explicit Transaction(Database& db);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool isActive() const { return m_active; }
    bool commit();

private:
    Database& m_db;
    QString m_name;
    bool m_active;
};

} // namespace dovra
