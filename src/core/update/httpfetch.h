#pragma once

#include "update/startupupdate.h"

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QUrl>

namespace dovra {

// HTTP GET requests of the update service, through the proxy the user chose: 0 the system's settings (on
// Linux the http_proxy variables and the desktop's), 1 a direct connection, 2 the HTTP proxy host:port.
class HttpFetcher
{
public:
    static constexpr int DefaultTimeoutMs = 10000;

    explicit HttpFetcher(const ProxyPreferences& proxy, int timeoutMs = DefaultTimeoutMs);

    // The body of url; empty after telling the user (error number and source) when the request failed or
    // timed out. Waits for the answer, handling events meanwhile.
    QByteArray get(const QUrl& url);

private:
    QNetworkAccessManager m_manager;
    int m_timeoutMs;
};

} // namespace dovra
