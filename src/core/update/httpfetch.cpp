#include "update/httpfetch.h"

#include "base/unexpectederror.h"

#include <QBuffer>
#include <QEventLoop>
#include <QNetworkProxy>
#include <QNetworkProxyFactory>
#include <QNetworkReply>

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

QByteArray HttpFetcher::get(const QUrl& url)
{
    QBuffer body;
    body.open(QIODevice::WriteOnly);
    return download(url, body, -1) < 0 ? QByteArray() : body.data();
}

qint64 HttpFetcher::download(const QUrl& url, QIODevice& sink, qint64 limit,
                             const std::function<void(qint64)>& received)
{
    QNetworkRequest request(url);
    // The time-out counts from the last byte that arrived, so a slow but steady download goes on.
    request.setTransferTimeout(m_timeoutMs);
    QNetworkReply* reply = m_manager.get(request);
    qint64 written = 0;
    bool cutOff = false;
    bool sinkFailed = false;
    const auto take = [&] {
        while (!cutOff && !sinkFailed && reply->bytesAvailable() > 0) {
            const QByteArray chunk = reply->read(ChunkSize);
            sinkFailed = sink.write(chunk) != chunk.size();
            written += chunk.size();
            cutOff = limit >= 0 && written > limit;
            if (received)
                received(written);
        }
        if (cutOff || sinkFailed)
            reply->abort();
    };
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::readyRead, &loop, take);
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    take();
    const bool failed = !cutOff && (sinkFailed || reply->error() != QNetworkReply::NoError);
    if (failed) {
        // A file that cannot be written reports the path/file access error number.
        const int number = sinkFailed ? 75 : int(reply->error());
        ReportUnexpectedError({number, sinkFailed ? sink.errorString() : reply->errorString(), std::nullopt},
                              QStringLiteral("HttpFetcher.get ") + url.toString());
    }
    reply->deleteLater();
    return failed ? -1 : written;
}

} // namespace dovra
