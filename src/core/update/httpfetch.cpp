#include "update/httpfetch.h"

#include "base/unexpectederror.h"

#include <QBuffer>
#include <QEventLoop>
#include <QNetworkProxy>
#include <QNetworkProxyFactory>
#include <QNetworkReply>
#include <QSslError>
#include <QSslSocket>

namespace dovra {

HttpFetcher::HttpFetcher(const ProxyPreferences& proxy, int timeoutMs) : m_timeoutMs(timeoutMs)
{
    switch (proxy.mode) {
    case 1:
        m_manager.setProxy(QNetworkProxy(QNetworkProxy::NoProxy));
        break;
    case 2:
        m_manager.setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, proxy.host, proxy.port));
        break;
    default:
        QNetworkProxyFactory::setUseSystemConfiguration(true);
        break;
    }
}

namespace {

// Why the server's certificate is not trusted, for the first error Qt found in it.
QString certificateProblem(const QList<QSslError>& errors, const QString& host)
{
    switch (errors.isEmpty() ? QSslError::NoError : errors.first().error()) {
    case QSslError::CertificateExpired:
        return QStringLiteral("het certificaat van de server is verlopen");
    case QSslError::CertificateNotYetValid:
        return QStringLiteral("het certificaat van de server is nog niet geldig");
    case QSslError::CertificateRevoked:
        return QStringLiteral("het certificaat van de server is ingetrokken");
    case QSslError::HostNameMismatch:
        return QStringLiteral("het certificaat van de server is niet voor %1 uitgegeven").arg(host);
    case QSslError::SelfSignedCertificate:
    case QSslError::SelfSignedCertificateInChain:
    case QSslError::UnableToGetLocalIssuerCertificate:
    case QSslError::UnableToVerifyFirstCertificate:
    case QSslError::CertificateUntrusted:
        return QStringLiteral(
            "het certificaat van de server is niet door een vertrouwde instantie uitgegeven");
    default:
        return QStringLiteral("het certificaat van de server wordt niet vertrouwd");
    }
}

// Why a request failed, as the user is told: the common causes in words of their own, the rest as Qt says it.
QString failureCause(const QNetworkReply& reply, const QString& certificate)
{
    const int status = reply.attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (reply.url().scheme() == QLatin1String("https") && !QSslSocket::supportsSsl())
        return QStringLiteral("deze computer kan geen beveiligde verbinding (HTTPS) maken");
    switch (reply.error()) {
    case QNetworkReply::SslHandshakeFailedError:
        return QStringLiteral("de beveiligde verbinding (HTTPS) met %1 is geweigerd: %2")
            .arg(reply.url().host(), certificate.isEmpty()
                                         ? QStringLiteral("de versleuteling kon niet worden afgesproken")
                                         : certificate);
    case QNetworkReply::HostNotFoundError:
        return QStringLiteral("de server %1 is niet gevonden").arg(reply.url().host());
    case QNetworkReply::ConnectionRefusedError:
        return QStringLiteral("de server %1 weigert de verbinding").arg(reply.url().host());
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError:
        return QStringLiteral("de server gaf geen antwoord binnen de wachttijd");
    case QNetworkReply::ProxyConnectionRefusedError:
    case QNetworkReply::ProxyConnectionClosedError:
    case QNetworkReply::ProxyNotFoundError:
    case QNetworkReply::ProxyTimeoutError:
        return QStringLiteral("de proxyserver is niet bereikbaar");
    default:
        return status > 0 ? QStringLiteral("de server antwoordde met HTTP-status %1").arg(status)
                          : reply.errorString();
    }
}

} // namespace

QByteArray HttpFetcher::get(const QUrl& url, QString* failure, qint64 limit)
{
    QBuffer body;
    body.open(QIODevice::WriteOnly);
    const Transfer result = transfer(url, body, limit, {});
    if (failure)
        *failure = result.cause;
    return result.failed ? QByteArray() : body.data();
}

qint64 HttpFetcher::download(const QUrl& url, QIODevice& sink, qint64 limit,
                             const std::function<void(qint64)>& received)
{
    const Transfer result = transfer(url, sink, limit, received);
    if (!result.failed)
        return result.written;
    // A file that cannot be written reports the path/file access error number.
    ReportUnexpectedError({result.sinkFailed ? 75 : result.number, result.cause, std::nullopt},
                          QStringLiteral("HttpFetcher.download ") + url.toString());
    return -1;
}

HttpFetcher::Transfer HttpFetcher::transfer(const QUrl& url, QIODevice& sink, qint64 limit,
                                            const std::function<void(qint64)>& received)
{
    QNetworkRequest request(url);
    // The time-out counts from the last byte that arrived, so a slow but steady download goes on.
    request.setTransferTimeout(m_timeoutMs);
    QNetworkReply* reply = m_manager.get(request);
    // Without a bound Qt reads everything a server sends into memory, whether it is wanted or not; with
    // one the connection waits for what is taken, and an answer cut off is not read further.
    reply->setReadBufferSize(64 * ChunkSize);
    Transfer result;
    bool cutOff = false;
    const auto take = [&] {
        while (!cutOff && !result.sinkFailed && reply->bytesAvailable() > 0) {
            const QByteArray chunk = reply->read(ChunkSize);
            result.sinkFailed = sink.write(chunk) != chunk.size();
            result.written += chunk.size();
            cutOff = limit >= 0 && result.written > limit;
            if (received)
                received(result.written);
        }
        if (cutOff || result.sinkFailed)
            reply->abort();
    };
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, take);
    // Told, not ignored: the request then fails with a handshake error.
    QObject::connect(reply, &QNetworkReply::sslErrors, &loop, [&](const QList<QSslError>& errors) {
        result.certificateProblem = certificateProblem(errors, url.host());
    });
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    take();
    result.failed = !cutOff && (result.sinkFailed || reply->error() != QNetworkReply::NoError);
    if (result.failed) {
        result.number = int(reply->error());
        result.cause =
            result.sinkFailed ? sink.errorString() : failureCause(*reply, result.certificateProblem);
    }
    reply->deleteLater();
    return result;
}

} // namespace dovra
