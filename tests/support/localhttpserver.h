#pragma once

#include "support/testfiles.h"

#include <QByteArray>
#include <QHash>
#include <QMutex>
#include <QSemaphore>
#include <QStringList>
#include <QThread>
#include <QUrl>

#include <atomic>

namespace dovra::test {

// The signature of data as a publisher makes it, by `openssl pkeyutl -sign -rawin`; by default with the
// project's test key.
QByteArray sign(const QByteArray& data, const QString& privateKey = TestKeyPair + QStringLiteral(".pem"));

// A file as a server may offer it with its signature (null: none), correctly signed as the last case.
struct SignatureCase
{
    const char* name;
    QByteArray bytes;
    QByteArray signature;
    bool valid;
};
QList<SignatureCase> signatureCases(const QByteArray& bytes);

// A web server on 127.0.0.1 for the tests, in a thread of its own so that a test may block on a process
// that talks to it. It answers a GET of any path ending in a page's name with that page (not found for a
// null page), and does not answer at all for other names. It keeps the request lines it got (a proxy is
// sent whole addresses).
class LocalHttpServer : public QThread
{
public:
    explicit LocalHttpServer(QHash<QString, QByteArray> pages = {});
    ~LocalHttpServer() override;

    void setPage(const QString& name, const QByteArray& body);
    // The page and its signature "name.sig" beside it.
    void setSignedPage(const QString& name, const QByteArray& body);
    quint16 port() const { return m_port; }
    // The server's update folder: "http://127.0.0.1:port/dovra/program/updates/".
    QUrl base() const;
    QStringList requests() const;
    // The bytes the server could send so far: a client that stops reading stops it once the connection's
    // buffers are full.
    qint64 bytesSent() const { return m_sent; }

protected:
    void run() override;

private:
    QByteArray answer(const QByteArray& requestLine);

    mutable QMutex m_mutex;
    QHash<QString, QByteArray> m_pages;
    QStringList m_requests;
    std::atomic<qint64> m_sent = 0;
    quint16 m_port = 0;
    QSemaphore m_listening;
};

} // namespace dovra::test
