#include "support/localhttpserver.h"

#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>

namespace dovra::test {

QByteArray sign(const QByteArray& data, const QString& privateKey)
{
    QTemporaryDir dir;
    QFile file(dir.filePath(QStringLiteral("bestand")));
    file.open(QIODevice::WriteOnly), file.write(data), file.close();
    QProcess openssl;
    openssl.start("openssl", {"pkeyutl", "-sign", "-rawin", "-inkey", privateKey, "-in", file.fileName()});
    openssl.waitForFinished();
    return openssl.readAllStandardOutput();
}

QList<SignatureCase> signatureCases(const QByteArray& bytes)
{
    QTemporaryDir dir;
    const QString otherKey = dir.filePath(QStringLiteral("ander.pem"));
    QProcess::execute(QStringLiteral("openssl"), {"genpkey", "-algorithm", "ed25519", "-out", otherKey});
    QByteArray changed = bytes;
    changed[changed.size() / 2] = char(changed.at(changed.size() / 2) ^ 1);
    const QByteArray signature = sign(bytes);
    return {{"unsigned", bytes, {}, false},
            {"signed with another key", bytes, sign(bytes, otherKey), false},
            {"another file's signature", bytes, sign(bytes + 'x'), false},
            {"signature cut short", bytes, signature.chopped(1), false},
            {"file changed by one byte after signing", changed, signature, false},
            {"correctly signed", bytes, signature, true}};
}

LocalHttpServer::LocalHttpServer(QHash<QString, QByteArray> pages) : m_pages(std::move(pages))
{
    start();
    m_listening.acquire();
}

LocalHttpServer::~LocalHttpServer()
{
    quit();
    wait();
}

void LocalHttpServer::setPage(const QString& name, const QByteArray& body)
{
    QMutexLocker lock(&m_mutex);
    m_pages.insert(name, body);
}

void LocalHttpServer::setSignedPage(const QString& name, const QByteArray& body)
{
    setPage(name, body);
    setPage(name + QStringLiteral(".sig"), sign(body));
}

QUrl LocalHttpServer::base() const
{
    return QUrl(QStringLiteral("http://127.0.0.1:%1/dovra/program/updates/").arg(m_port));
}

QStringList LocalHttpServer::requests() const
{
    QMutexLocker lock(&m_mutex);
    return m_requests;
}

QByteArray LocalHttpServer::answer(const QByteArray& requestLine)
{
    QMutexLocker lock(&m_mutex);
    m_requests.append(QString::fromLatin1(requestLine));
    const QString path = QString::fromLatin1(requestLine.split(' ').value(1));
    const QString name = path.section(u'/', -1).section(u'?', 0, 0);
    if (!m_pages.contains(name))
        return {};
    const QByteArray body = m_pages.value(name);
    if (body.isNull())
        return "HTTP/1.0 404 Not Found\r\nContent-Length: 0\r\n\r\n";
    return "HTTP/1.0 200 OK\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\n\r\n" + body;
}

void LocalHttpServer::run()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    m_port = server.serverPort();
    QObject::connect(&server, &QTcpServer::newConnection, &server, [this, &server] {
        QTcpSocket* socket = server.nextPendingConnection();
        QObject::connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
        QObject::connect(socket, &QTcpSocket::bytesWritten, socket,
                         [this](qint64 bytes) { m_sent += bytes; });
        QObject::connect(socket, &QTcpSocket::readyRead, socket, [this, socket] {
            // Answers once the whole head has come; a silent page leaves the client waiting.
            if (!socket->peek(socket->bytesAvailable()).contains("\r\n\r\n"))
                return;
            const QByteArray reply = answer(socket->readLine().trimmed());
            socket->readAll();
            if (reply.isEmpty())
                return;
            socket->write(reply);
            socket->disconnectFromHost();
        });
    });
    m_listening.release();
    exec();
}

} // namespace dovra::test
