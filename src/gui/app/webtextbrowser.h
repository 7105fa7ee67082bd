#pragma once

#include <QHash>
#include <QTextBrowser>

namespace dovra {

// A text browser that also shows http(s) pages: it fetches them, and their images, through the update
// service's fetcher with the user's proxy settings. A page that cannot be fetched shows a short notice.
class WebTextBrowser : public QTextBrowser
{
    Q_OBJECT
public:
    explicit WebTextBrowser(QWidget* parent = nullptr);

    QVariant loadResource(int type, const QUrl& name) override;

signals:
    // A page is being fetched; sourceChanged follows once it is shown.
    void loadStarted();

private:
    // Fetches the page's images with it, so that laying the page out never waits for the network.
    void fetchImages(const QString& html, const QUrl& page);

    // The current page's images by their names in the page and by their addresses.
    QHash<QString, QByteArray> m_images;
};

} // namespace dovra
