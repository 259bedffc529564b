#include "ui/widgets/dropentry.h"

#include "store/bookmarks.h"

#include <QFileInfo>
#include <QMimeData>
#include <QRegularExpression>
#include <QSettings>
#include <QTextDocumentFragment>
#include <QUrl>

namespace {

// Firefox and Chromium give a link's title with it: "text/x-moz-url" is the address and the
// title on two lines, in UTF-16.
QString titleOf(const QMimeData* mime, const QUrl& url) {
    const QByteArray moz = mime->data(QStringLiteral("text/x-moz-url"));
    if (!moz.isEmpty()) {
        const QString text =
            QString::fromUtf16(reinterpret_cast<const char16_t*>(moz.constData()), moz.size() / 2);
        const QStringList lines = text.split(u'\n');
        if (lines.size() > 1 && QUrl(lines[0].trimmed()) == url)
            return lines[1].trimmed();
    }
    // A link dragged from a page's text comes as the anchor in HTML.
    if (mime->hasHtml()) {
        static const QRegularExpression anchor(QStringLiteral("<a\\s[^>]*>(.*?)</a>"),
                                               QRegularExpression::CaseInsensitiveOption |
                                                   QRegularExpression::DotMatchesEverythingOption);
        const QRegularExpressionMatch m = anchor.match(mime->html());
        if (m.hasMatch())
            return QTextDocumentFragment::fromHtml(m.captured(1)).toPlainText().simplified();
    }
    return {};
}

// A desktop entry's own name for its program.
QString desktopName(const QString& path) {
    QSettings entry(path, QSettings::IniFormat);
    return entry.value(QStringLiteral("Desktop Entry/Name")).toString();
}

} // namespace

std::optional<DroppedEntry> droppedEntry(const QMimeData* mime, quint8 funkNo) {
    QList<QUrl> urls = mime->urls();
    if (urls.isEmpty() && mime->hasText())
        urls << QUrl(mime->text().trimmed());
    for (const QUrl& url : urls) {
        if (!url.isValid())
            continue;
        if (funkNo == 0) {
            const QString scheme = url.scheme().toLower();
            if (scheme != u"http" && scheme != u"https" && scheme != u"ftp")
                continue;
            const QString adresse = url.toString(QUrl::FullyEncoded);
            return DroppedEntry{adresse,
                                store::bookmarks::elementNameFor(titleOf(mime, url), adresse)};
        }
        if (!url.isLocalFile())
            continue;
        const QFileInfo file(url.toLocalFile());
        if (!file.isFile())
            continue;
        const bool desktop = file.suffix().compare(u"desktop", Qt::CaseInsensitive) == 0;
        if (!desktop && !file.isExecutable())
            continue;
        QString navn = desktop ? desktopName(file.filePath()) : QString();
        if (navn.isEmpty())
            navn = file.completeBaseName();
        return DroppedEntry{file.filePath(), store::bookmarks::elementNameFor(navn, {})};
    }
    return std::nullopt;
}
