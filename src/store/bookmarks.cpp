#include "bookmarks.h"

#include "filenames.h"
#include "textfile.h"

#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QUrl>

namespace store::bookmarks {

namespace {

const QString docType = QStringLiteral("<!DOCTYPE NETSCAPE-Bookmark-file-1>");

// Long enough for any title worth keeping, short enough for every file system's paths.
constexpr int longestName = 100;

struct Tag {
    bool closing;
    QString name; // upper case
    QString attributes;
    qsizetype begin, end; // the tag's place in the text
};

QList<Tag> tagsOf(const QString& text) {
    // Attribute values may be long (a picture in ICON) but hold no quote of their own kind.
    static const QRegularExpression tag(
        QStringLiteral(R"(<(/?)([A-Za-z][A-Za-z0-9]*)((?:[^>"']|"[^"]*"|'[^']*')*)>)"));
    QList<Tag> tags;
    for (auto it = tag.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        tags.append({!m.captured(1).isEmpty(), m.captured(2).toUpper(), m.captured(3),
                     m.capturedStart(), m.capturedEnd()});
    }
    return tags;
}

QString decodeEntities(const QString& text) {
    static const QRegularExpression entity(
        QStringLiteral("&(#[0-9]+|#[xX][0-9a-fA-F]+|[a-zA-Z]+);"));
    QString out;
    qsizetype last = 0;
    for (auto it = entity.globalMatch(text); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const QString name = m.captured(1);
        QString replacement;
        bool ok = true;
        if (name.startsWith(u"#x") || name.startsWith(u"#X")) {
            const uint code = name.mid(2).toUInt(&ok, 16);
            ok = ok && code > 0 && code <= 0x10FFFF;
            if (ok)
                replacement = QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1);
        } else if (name.startsWith(u'#')) {
            const uint code = name.mid(1).toUInt(&ok, 10);
            ok = ok && code > 0 && code <= 0x10FFFF;
            if (ok)
                replacement = QString::fromUcs4(reinterpret_cast<const char32_t*>(&code), 1);
        } else {
            static const QHash<QString, QString> named{
                {QStringLiteral("amp"), QStringLiteral("&")},
                {QStringLiteral("lt"), QStringLiteral("<")},
                {QStringLiteral("gt"), QStringLiteral(">")},
                {QStringLiteral("quot"), QStringLiteral("\"")},
                {QStringLiteral("apos"), QStringLiteral("'")},
                {QStringLiteral("nbsp"), QStringLiteral(" ")}};
            const auto found = named.constFind(name.toLower());
            ok = found != named.cend();
            if (ok)
                replacement = *found;
        }
        if (!ok)
            continue; // an unknown entity stays as it was written
        out += QStringView(text).mid(last, m.capturedStart() - last);
        out += replacement;
        last = m.capturedEnd();
    }
    out += QStringView(text).mid(last);
    return out;
}

QString attribute(const Tag& tag, const QString& name) {
    static const QRegularExpression pair(QStringLiteral(
        R"re(([A-Za-z_:][-A-Za-z0-9_:.]*)\s*=\s*(?:"([^"]*)"|'([^']*)'|([^\s"'=<>`]+)))re"));
    for (auto it = pair.globalMatch(tag.attributes); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        if (m.captured(1).compare(name, Qt::CaseInsensitive) != 0)
            continue;
        for (int group : {2, 3, 4}) {
            if (m.capturedStart(group) >= 0)
                return decodeEntities(m.captured(group));
        }
    }
    return {};
}

// The text from after tags[i] to the closing tag of its name, as a browser shows it.
QString textUpTo(const QString& text, const QList<Tag>& tags, qsizetype& i) {
    const Tag& open = tags[i];
    qsizetype j = i + 1;
    while (j < tags.size() && !(tags[j].closing && tags[j].name == open.name))
        ++j;
    const qsizetype end = j < tags.size() ? tags[j].begin : text.size();
    QString inner = text.mid(open.end, end - open.end);
    inner.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    i = j < tags.size() ? j + 1 : j;
    return decodeEntities(inner).simplified();
}

// Reads the entries of one list (after its <DL>) into folder, up to its </DL>.
qsizetype readList(const QString& text, const QList<Tag>& tags, qsizetype i, Folder& folder) {
    std::optional<QString> heading;
    while (i < tags.size()) {
        const Tag& tag = tags[i];
        if (tag.name == u"DL") {
            if (tag.closing)
                return i + 1;
            if (heading) {
                Folder sub{*heading, {}, {}};
                i = readList(text, tags, i + 1, sub);
                folder.folders.append(sub);
                heading.reset();
            } else {
                // A list without a heading belongs to the one around it.
                i = readList(text, tags, i + 1, folder);
            }
        } else if (!tag.closing && tag.name == u"H3") {
            heading = textUpTo(text, tags, i);
        } else if (!tag.closing && tag.name == u"A") {
            const QString url = attribute(tag, QStringLiteral("HREF"));
            const QString title = textUpTo(text, tags, i);
            folder.bookmarks.append({title, url});
        } else {
            ++i;
        }
    }
    return i;
}

bool isWebAddress(const QString& url) {
    const QUrl parsed(url);
    static const QStringList schemes{QStringLiteral("http"), QStringLiteral("https"),
                                     QStringLiteral("ftp"), QStringLiteral("file")};
    return parsed.isValid() && schemes.contains(parsed.scheme().toLower()) &&
           (parsed.scheme().compare(u"file", Qt::CaseInsensitive) == 0 || !parsed.host().isEmpty());
}

// A title as a name a file or folder can have.
QString usableName(const QString& title) {
    QString name;
    for (const QChar c : title) {
        // Each character is tried alone; a full stop or a space alone is refused only as a
        // whole name, which the trimming below takes care of.
        const bool usable = c == u'.' || c == u' ' || filenames::isUsableName(QString(c));
        name += usable ? c : QChar(u' ');
    }
    name = name.simplified().left(longestName);
    while (!name.isEmpty() && (name.endsWith(u'.') || name.endsWith(u' ')))
        name.chop(1);
    return filenames::isUsableName(name) ? name : QString();
}

QString elementName(const Bookmark& bookmark) {
    QString name = usableName(bookmark.title);
    if (name.isEmpty())
        name = usableName(QUrl(bookmark.url).host());
    if (name.isEmpty())
        name = QStringLiteral("Bogmærke");
    return name;
}

// name, or name with the lowest number from 2 up that no name of taken has (letter case aside,
// as the file system may not tell them apart); the name given is then taken.
QString uniqueName(const QString& name, QSet<QString>& taken) {
    QString candidate = name;
    for (int n = 2; taken.contains(candidate.toCaseFolded()); ++n)
        candidate = QStringLiteral("%1 (%2)").arg(name).arg(n);
    taken.insert(candidate.toCaseFolded());
    return candidate;
}

void collect(const Folder& folder, const QString& name, QList<Group>& groups,
             QSet<QString>& groupNames, int& skipped) {
    Group group;
    QSet<QString> taken;
    for (const Bookmark& bookmark : folder.bookmarks) {
        if (!isWebAddress(bookmark.url)) {
            ++skipped;
            continue;
        }
        group.entries.append({uniqueName(elementName(bookmark), taken), bookmark.url});
    }
    if (!group.entries.isEmpty()) {
        group.navn = uniqueName(name, groupNames);
        groups.append(group);
    }
    for (const Folder& sub : folder.folders) {
        const QString subName = usableName(sub.title);
        collect(sub, subName.isEmpty() ? defaultGroupName() : subName, groups, groupNames, skipped);
    }
}

QString escaped(const QString& text) {
    return text.toHtmlEscaped();
}

} // namespace

std::optional<Folder> parse(const QString& text) {
    QString body = text;
    if (body.startsWith(QChar(0xFEFF)))
        body.remove(0, 1);
    if (!body.trimmed().startsWith(docType, Qt::CaseInsensitive))
        return std::nullopt;
    body.remove(QRegularExpression(QStringLiteral("<!--.*?-->"),
                                   QRegularExpression::DotMatchesEverythingOption));
    const QList<Tag> tags = tagsOf(body);
    Folder root;
    qsizetype i = 0;
    while (i < tags.size() && !(tags[i].name == u"DL" && !tags[i].closing))
        ++i;
    if (i < tags.size())
        readList(body, tags, i + 1, root);
    return root;
}

QString defaultGroupName() {
    return QStringLiteral("Bogmærker");
}

QList<Group> toGroups(const Folder& root, int* skipped) {
    QList<Group> groups;
    QSet<QString> groupNames;
    int left = 0;
    collect(root, defaultGroupName(), groups, groupNames, left);
    if (skipped)
        *skipped = left;
    return groups;
}

QString write(const QList<Group>& groups) {
    QStringList lines{docType,
                      QStringLiteral("<!-- This is an automatically generated file."),
                      QStringLiteral("     It will be read and overwritten."),
                      QStringLiteral("     DO NOT EDIT! -->"),
                      QStringLiteral("<META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; "
                                     "charset=UTF-8\">"),
                      QStringLiteral("<TITLE>Bookmarks</TITLE>"),
                      QStringLiteral("<H1>Bookmarks</H1>"),
                      QStringLiteral("<DL><p>")};
    for (const Group& group : groups) {
        lines << QStringLiteral("    <DT><H3>%1</H3>").arg(escaped(group.navn))
              << QStringLiteral("    <DL><p>");
        for (const Entry& entry : group.entries)
            lines << QStringLiteral("        <DT><A HREF=\"%1\">%2</A>")
                         .arg(escaped(entry.url), escaped(entry.navn));
        lines << QStringLiteral("    </DL><p>");
    }
    lines << QStringLiteral("</DL><p>");
    return lines.join(u'\n') + u'\n';
}

ReadResult readFile(const QString& path) {
    ReadResult result;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = ReadError::NotRead;
        result.reason = file.errorString();
        return result;
    }
    const std::optional<Folder> root = parse(textfile::decode(file.readAll()));
    if (!root)
        result.error = ReadError::NotBookmarks;
    else
        result.root = *root;
    return result;
}

bool writeFile(const QString& path, const QList<Group>& groups, QString* error) {
    QStringList lines = write(groups).split(u'\n');
    lines.removeLast(); // the line end after the last line
    return textfile::writeLines(path, lines, error);
}

} // namespace store::bookmarks
