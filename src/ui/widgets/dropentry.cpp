#include "ui/widgets/dropentry.h"

#include "platform/desktopentry.h"
#include "platform/textfile.h"
#include "store/bookmarks.h"

#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QRegularExpression>
#include <QTextDocumentFragment>
#include <QUrl>

#include <utility>

namespace {

// A link dragged from a page comes with a few lines of HTML; a longer text is a selection of
// the page, not a link, and is not searched for one.
constexpr qsizetype longestLinkHtml = 64 * 1024;

// Of the files dragged at once only the first usable one is entered; a drag of more than this
// many is looked at no further.
constexpr qsizetype mostUrls = 1000;

// A name as one line of an element file: each control character (a line break from an escape,
// or a C1 character that Windows-1252 has no letter for), as textfile::isLineText knows them,
// becomes a blank.
QString asLine(QString text) {
    for (QChar& c : text) {
        const char16_t u = c.unicode();
        if (u < 0x20 || (u >= 0x7f && u <= 0x9f))
            c = u' ';
    }
    return text;
}

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
        const QString html = mime->html();
        if (html.size() > longestLinkHtml)
            return {};
        static const QRegularExpression anchor(QStringLiteral("<a\\s[^>]*>(.*?)</a>"),
                                               QRegularExpression::CaseInsensitiveOption |
                                                   QRegularExpression::DotMatchesEverythingOption);
        const QRegularExpressionMatch m = anchor.match(html);
        if (m.hasMatch())
            return QTextDocumentFragment::fromHtml(m.captured(1)).toPlainText().simplified();
    }
    return {};
}

// A desktop entry's name for its program, in Danish where it has one; an empty name when it
// has none. Nothing when the file is no desktop entry the program can read.
std::optional<QString> desktopName(const QString& path) {
    const std::optional<DesktopEntry> entry = DesktopEntry::read(path);
    if (!entry || !entry->hasGroup(DesktopEntry::mainGroup))
        return std::nullopt;
    return entry->localeString(QStringLiteral("Name"), QStringLiteral("da_DK"));
}

} // namespace

std::optional<DroppedEntry> droppedEntry(const QMimeData* mime, quint8 funkNo) {
    QList<QUrl> urls = mime->urls();
    if (urls.isEmpty() && mime->hasText())
        urls << QUrl(mime->text().trimmed());
    if (urls.size() > mostUrls)
        urls.resize(mostUrls);
    for (const QUrl& url : urls) {
        if (!url.isValid())
            continue;
        if (funkNo == 0) {
            const QString scheme = url.scheme().toLower();
            if (scheme != u"http" && scheme != u"https" && scheme != u"ftp")
                continue;
            const QString adresse = url.toString(QUrl::FullyEncoded);
            return DroppedEntry{
                adresse, store::bookmarks::elementNameFor(asLine(titleOf(mime, url)), adresse)};
        }
        if (!url.isLocalFile())
            continue;
        const QFileInfo file(url.toLocalFile());
        // A path no line of an element file can hold is no element.
        if (!file.isFile() || !textfile::isLineText(file.filePath()))
            continue;
        QString navn;
        if (file.suffix().compare(u"desktop", Qt::CaseInsensitive) == 0) {
            const std::optional<QString> name = desktopName(file.filePath());
            if (!name)
                continue;
            navn = asLine(*name);
        } else if (!file.isExecutable()) {
            continue;
        }
        if (navn.trimmed().isEmpty())
            navn = file.completeBaseName();
        return DroppedEntry{file.filePath(), store::bookmarks::elementNameFor(navn, {})};
    }
    return std::nullopt;
}

bool DragReader::isDragEvent(const QEvent* event) {
    const QEvent::Type type = event->type();
    return type == QEvent::DragEnter || type == QEvent::DragMove || type == QEvent::Drop ||
           type == QEvent::DragLeave;
}

std::optional<DroppedEntry> DragReader::handle(QEvent* event, quint8 funkNo) {
    if (event->type() == QEvent::DragLeave) {
        read = false;
        entry.reset();
        return std::nullopt;
    }
    auto* drag = static_cast<QDropEvent*>(event);
    // Every drag starts with an enter; a move or drop without one (or after a switch of content
    // mode) is read on its own.
    if (event->type() == QEvent::DragEnter || !read || mode != funkNo) {
        entry = droppedEntry(drag->mimeData(), funkNo);
        mode = funkNo;
        read = true;
    }
    if (!entry)
        return std::nullopt; // refused: the cursor says so
    drag->acceptProposedAction();
    if (event->type() != QEvent::Drop)
        return std::nullopt;
    read = false;
    return std::exchange(entry, std::nullopt);
}
