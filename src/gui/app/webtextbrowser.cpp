#include "app/webtextbrowser.h"

#include "app/appstate.h"
#include "update/httpfetch.h"

#include <QStringDecoder>
#include <QTextBlock>
#include <QTextDocument>

namespace dovra {

namespace {
bool isWebAddress(const QUrl& url)
{
    return url.scheme() == QLatin1String("http") || url.scheme() == QLatin1String("https");
}
} // namespace

WebTextBrowser::WebTextBrowser(QWidget* parent) : QTextBrowser(parent) {}

QVariant WebTextBrowser::loadResource(int type, const QUrl& name)
{
    // Images come with their page, asked for as the page names them or by their address.
    if (type == QTextDocument::ImageResource && m_images.contains(name.toString()))
        return m_images.value(name.toString());
    const QUrl url = source().resolved(name);
    if (!isWebAddress(url))
        return QTextBrowser::loadResource(type, name);
    if (type != QTextDocument::HtmlResource)
        return {};
    emit loadStarted();
    m_images.clear();
    QString failure;
    const QByteArray body = HttpFetcher(appState().proxy()).get(url, &failure);
    if (body.isEmpty())
        return QString(QStringLiteral("<p>De pagina kan niet worden geladen") +
                       (failure.isEmpty() ? QString() : QStringLiteral(": ") + failure.toHtmlEscaped()) +
                       QStringLiteral(".</p>"));
    // Decoded as the page says (a meta charset), as QTextBrowser decodes a page it reads itself.
    const QString html =
        QStringDecoder(QStringConverter::encodingForHtml(body).value_or(QStringConverter::Utf8)).decode(body);
    fetchImages(html, url);
    return html;
}

void WebTextBrowser::fetchImages(const QString& html, const QUrl& page)
{
    HttpFetcher fetcher(appState().proxy());
    QTextDocument scanned;
    scanned.setHtml(html);
    for (QTextBlock block = scanned.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextCharFormat format = it.fragment().charFormat();
            const QString name = format.isImageFormat() ? format.toImageFormat().name() : QString();
            const QUrl url = page.resolved(QUrl(name));
            if (name.isEmpty() || m_images.contains(name) || !isWebAddress(url))
                continue;
            const QByteArray image = fetcher.get(url);
            m_images.insert(name, image);
            m_images.insert(url.toString(), image);
        }
    }
}

} // namespace dovra
