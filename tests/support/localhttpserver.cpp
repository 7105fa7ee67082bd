#include "support/localhttpserver.h"

#include <QTcpServer>
#include <QTcpSocket>

namespace dovra::test {

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
