#pragma once

#include "update/startupupdate.h"

#include <QByteArray>
#include <QNetworkAccessManager>
#include <QUrl>

#include <functional>

class QIODevice;

namespace dovra {

// HTTP GET requests of the update service, through the proxy the user chose: 0 the system's settings (on
// Linux the http_proxy variables and the desktop's), 1 a direct connection, 2 the HTTP proxy host:port.
class HttpFetcher
{
public:
    static constexpr int DefaultTimeoutMs = 10000;
    // Downloads are read and counted in blocks of this size.
    static constexpr qint64 ChunkSize = 1024;

    explicit HttpFetcher(const ProxyPreferences& proxy, int timeoutMs = DefaultTimeoutMs);

    // The body of url; empty when the request failed or timed out, with the cause in Dutch in *failure (the
    // caller tells the user). Waits for the answer, handling events meanwhile. An answer longer than limit
    // bytes (-1: no limit) is cut off a little past it. An https address whose certificate is not trusted
    // fails: certificate errors are never passed over.
    QByteArray get(const QUrl& url, QString* failure = nullptr, qint64 limit = -1);

    // Writes the body of url to sink as it arrives, telling received the count so far. Stops and cuts the
    // answer off once it passes limit bytes (-1: no limit). Returns the bytes written, or -1 after telling
    // the user when the request failed or the server sent nothing for the time-out.
    qint64 download(const QUrl& url, QIODevice& sink, qint64 limit,
                    const std::function<void(qint64)>& received = {});

private:
    struct Transfer
    {
        qint64 written = 0;
        bool failed = false;
        bool sinkFailed = false;
        QString cause;
        QString certificateProblem;
        int number = 0;
    };
    Transfer transfer(const QUrl& url, QIODevice& sink, qint64 limit,
                      const std::function<void(qint64)>& received);

    QNetworkAccessManager m_manager;
    int m_timeoutMs;
};

} // namespace dovra
