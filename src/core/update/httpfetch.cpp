#include "update/httpfetch.h"

#include "base/unexpectederror.h"

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
        m_manager.setProxy(QNetworkProxy(QNetworkProxy::HttpProxy, proxy.host, quint16(proxy.port)));
        break;
    default:
        QNetworkProxyFactory::setUseSystemConfiguration(true);
        break;
    }
}

QByteArray HttpFetcher::get(const QUrl& url)
{
    QNetworkRequest request(url);
    request.setTransferTimeout(m_timeoutMs);
    QNetworkReply* reply = m_manager.get(request);
    QEventLoop loop;
    QObject::connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
    if (!reply->isFinished())
        loop.exec();
    QByteArray body;
    if (reply->error() == QNetworkReply::NoError)
        body = reply->readAll();
    else
        ReportUnexpectedError({int(reply->error()), reply->errorString(), std::nullopt},
                              QStringLiteral("HttpFetcher.get ") + url.toString());
    reply->deleteLater();
    return body;
}

} // namespace dovra
