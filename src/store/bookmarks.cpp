#include "store/bookmarks.h"

#include "platform/filenames.h"
#include "platform/textfile.h"
#include "store/groups.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QStringDecoder>
#include <QTextBoundaryFinder>
#include <QUrl>

#include <algorithm>

namespace store::bookmarks {

namespace {

const QString docType = QStringLiteral("<!DOCTYPE NETSCAPE-Bookmark-file-1>");

struct Tag {
    // The tags the reader knows; every other is Other.
    enum Kind { Other, DL, DT, DD, H3, A };
    Kind kind = Other;
    bool closing = false;
    QStringView attributes;
    qsizetype begin = 0, end = 0; // the tag's place in the text

    // A tag that begins an entry or a list: a heading or bookmark left open ends there.
    bool beginsEntry() const { return kind != Other; }
};

Tag::Kind kindOf(QStringView name) {
    static const std::pair<QStringView, Tag::Kind> known[] = {
        {u"DL", Tag::DL}, {u"DT", Tag::DT}, {u"DD", Tag::DD}, {u"H3", Tag::H3}, {u"A", Tag::A}};
    for (const auto& [upper, kind] : known) {
        if (name.compare(upper, Qt::CaseInsensitive) == 0)
            return kind;
    }
    return Tag::Other;
}

// The tags of a text in their order, found as the parser comes to them. Only the tags it has
// looked ahead at are held, never all: a file of millions of tags would otherwise take
// gigabytes for them before a single bookmark was read.
class TagReader {
public:
    explicit TagReader(QStringView text) : matches(pattern().globalMatch(text)) {}

    // The tag k places after the current one (0 is the current one); nothing past the last.
    std::optional<Tag> peek(qsizetype k) {
        while (current + k >= held.size()) {
            if (!matches.hasNext())
                return std::nullopt;
            const QRegularExpressionMatch m = matches.next();
            held.append({kindOf(m.capturedView(2)), !m.capturedView(1).isEmpty(), m.capturedView(3),
                         m.capturedStart(), m.capturedEnd()});
        }
        return held[current + k];
    }

    // Goes on by n tags, of those looked at.
    void advance(qsizetype n = 1) {
        current += n;
        if (current >= held.size()) {
            held.clear();
            current = 0;
        } else if (current >= 1024) {
            held.remove(0, current);
            current = 0;
        }
    }

private:
    static const QRegularExpression& pattern() {
        // Attribute values may be long (a picture in ICON) but hold no quote of their own kind.
        static const QRegularExpression tag(
            QStringLiteral(R"(<(/?)([A-Za-z][A-Za-z0-9]*)((?:[^>"']|"[^"]*"|'[^']*')*)>)"));
        return tag;
    }

    QRegularExpressionMatchIterator matches;
    QList<Tag> held;
    qsizetype current = 0;
};

// The character a numeric reference stands for, as browsers read it: 128 to 159 are the
// characters Windows-1252 gives those bytes (old files from Windows write "&#150;" for a dash).
// A reference to no character (0, a surrogate, past the last) or to a control character gives
// nothing, so no NUL or escape ever reaches a name; HTML's white space stays, to be read as
// white space.
QString referenced(QStringView digits, int base) {
    bool ok = false;
    char32_t code = digits.toUInt(&ok, base);
    if (!ok || code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return {};
    if (code >= 0x80 && code <= 0x9F) {
        static const QString windows1252 = [] {
            QByteArray bytes;
            for (int byte = 0x80; byte <= 0x9F; ++byte)
                bytes += char(byte);
            QString decoded = QStringDecoder("windows-1252").decode(bytes);
            return decoded.size() == bytes.size() ? decoded : QString();
        }();
        // The five bytes Windows-1252 leaves open stay control characters.
        if (!windows1252.isEmpty() && windows1252[code - 0x80] != QChar::ReplacementCharacter)
            code = windows1252[code - 0x80].unicode();
    }
    const bool whiteSpace = code == u'\t' || code == u'\n' || code == u'\f' || code == u'\r';
    if (!whiteSpace && (code < 0x20 || (code >= 0x7F && code <= 0x9F)))
        return {};
    return QString::fromUcs4(&code, 1);
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
            replacement = referenced(QStringView(name).mid(2), 16);
        } else if (name.startsWith(u'#')) {
            replacement = referenced(QStringView(name).mid(1), 10);
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

// The most tags a heading's or a bookmark's text is looked through for its end. Browsers write
// none inside it; a text that holds more ends there, so the tags looked ahead at stay few.
constexpr qsizetype mostTagsInText = 1000;

// The text from after the current tag to the closing tag of its kind, as a browser shows it:
// markup left out, entities read, and HTML's white space (spaces, tabs, line breaks, written
// out or as references) one space. Other control characters stay, for the caller to refuse.
// The reader goes on after the closing tag, or to the tag where the text ended.
QString textUpTo(QStringView text, TagReader& tags) {
    const Tag open = *tags.peek(0);
    // A heading or bookmark left open ends where the next entry or list begins, so one missing
    // closing tag cannot swallow the rest of the file. The tags inside are left out: the text is
    // what lies between them.
    QString inner;
    qsizetype from = open.end;
    qsizetype end = text.size();
    bool closed = false;
    qsizetype k = 1;
    for (; k <= mostTagsInText; ++k) {
        const std::optional<Tag> next = tags.peek(k);
        if (!next)
            break;
        if (next->beginsEntry()) {
            closed = next->closing && next->kind == open.kind;
            end = next->begin;
            break;
        }
        inner += text.mid(from, next->begin - from);
        from = next->end;
    }
    if (k > mostTagsInText) {
        if (const std::optional<Tag> next = tags.peek(k))
            end = next->begin;
    }
    inner += text.mid(from, end - from);
    tags.advance(closed ? k + 1 : k);
    QString shown = decodeEntities(inner);
    for (QChar& c : shown) {
        if (c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f')
            c = u' ';
    }
    return shown.simplified();
}

} // namespace

BoundedTree::Place BoundedTree::addFolder(const Place& parent, const QString& title) {
    Place place{nullptr, parent.level + 1, parent.deep};
    if (!parent.folder)
        return place; // inside a folder left out
    if (place.level > deepestFolder) {
        place.deep = true;
        return place;
    }
    if (folders >= mostFolders)
        return place;
    ++folders;
    parent.folder->folders.append({title, {}, {}});
    place.folder = &parent.folder->folders.last();
    return place;
}

void BoundedTree::addBookmark(const Place& place, const Bookmark& bookmark) {
    if (!place.folder) {
        ++(place.deep ? cut.tooDeep : cut.tooMany);
    } else if (bookmarks >= mostBookmarks) {
        ++cut.tooMany;
    } else {
        ++bookmarks;
        place.folder->bookmarks.append(bookmark);
    }
}

std::optional<Folder> parse(const QString& text, Cut* cut) {
    QString body = text;
    if (body.startsWith(QChar(0xFEFF)))
        body.remove(0, 1);
    if (!body.trimmed().startsWith(docType, Qt::CaseInsensitive))
        return std::nullopt;
    body.remove(QRegularExpression(QStringLiteral("<!--.*?-->"),
                                   QRegularExpression::DotMatchesEverythingOption));
    TagReader tags(body);
    // Read as browsers read the format: a heading names the next list, and a bookmark belongs
    // to the innermost list open. Safari writes its top folders without a list around them,
    // others write stray closing tags or several lists at the top: the bookmarks outside every
    // folder's list belong to the root, and a closing tag with no list open is passed over.
    Folder root;
    BoundedTree tree;
    // Each open list's place; a list without a heading belongs to the folder around it. Only
    // the last folder on the stack gets children, so the places below stay good. The stack is
    // the parser's own, so a file of any depth is read without a step of the program's stack per
    // level; the tree keeps to the limits.
    QList<BoundedTree::Place> open{BoundedTree::rootOf(root)};
    std::optional<QString> heading;
    auto closeHeading = [&] {
        // A heading whose list never came names an empty folder.
        if (heading)
            tree.addFolder(open.last(), *heading);
        heading.reset();
    };
    for (std::optional<Tag> tag; (tag = tags.peek(0));) {
        if (tag->kind == Tag::DL) {
            if (tag->closing) {
                closeHeading();
                if (open.size() > 1)
                    open.removeLast();
            } else if (heading) {
                open.append(tree.addFolder(open.last(), *heading));
                heading.reset();
            } else {
                open.append(open.last());
            }
            tags.advance();
        } else if (!tag->closing && tag->kind == Tag::H3) {
            closeHeading();
            heading = textUpTo(body, tags);
        } else if (!tag->closing && tag->kind == Tag::A) {
            closeHeading();
            const QString url = attribute(*tag, QStringLiteral("HREF"));
            const QString title = textUpTo(body, tags);
            tree.addBookmark(open.last(), {title, url});
        } else {
            tags.advance();
        }
    }
    closeHeading();
    if (cut)
        *cut = tree.cut;
    return root;
}

namespace {

bool isWebAddress(const QString& url) {
    const QUrl parsed(url);
    static const QStringList schemes{QStringLiteral("http"), QStringLiteral("https"),
                                     QStringLiteral("ftp"), QStringLiteral("file")};
    return parsed.isValid() && schemes.contains(parsed.scheme().toLower()) &&
           (parsed.scheme().compare(u"file", Qt::CaseInsensitive) == 0 || !parsed.host().isEmpty());
}

// The UTF-8 length of text, as a Linux file system counts a name.
qsizetype utf8Size(QStringView text) {
    qsizetype size = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (u < 0x80)
            size += 1;
        else if (u < 0x800)
            size += 2;
        else if (QChar::isHighSurrogate(u) && i + 1 < text.size() &&
                 QChar::isLowSurrogate(text[i + 1].unicode())) {
            size += 4;
            ++i;
        } else
            size += 3;
    }
    return size;
}

// name cut to at most maxBytes of UTF-8, between two characters as the reader sees them (an
// emoji, a letter with its accents), so no half character ever reaches a name; full stops and
// spaces at the end go, as no name may end in them.
QString fitted(const QString& name, qsizetype maxBytes) {
    QString cut = name;
    if (utf8Size(cut) > maxBytes) {
        QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, name);
        qsizetype end = 0;
        for (qsizetype next = graphemes.toNextBoundary(); next > 0;
             next = graphemes.toNextBoundary()) {
            if (utf8Size(QStringView(name).left(next)) > maxBytes)
                break;
            end = next;
        }
        cut = name.left(end);
    }
    while (!cut.isEmpty() && (cut.endsWith(u'.') || cut.endsWith(u' ')))
        cut.chop(1);
    return cut;
}

// A title as a name a file or folder can have.
QString usableName(const QString& title, qsizetype maxBytes) {
    QString name;
    for (const QChar c : title) {
        // Each character is tried alone; a full stop or a space alone is refused only as a
        // whole name, which the trimming takes care of.
        const bool usable =
            c == u'.' || c == u' ' || c.isSurrogate() || filenames::isUsableName(QString(c));
        name += usable ? c : QChar(u' ');
    }
    name = fitted(name.simplified(), maxBytes);
    return filenames::isUsableName(name) ? name : QString();
}

QString elementName(const Bookmark& bookmark) {
    QString name = usableName(bookmark.title, longestElementName);
    if (name.isEmpty())
        name = usableName(QUrl(bookmark.url).host(), longestElementName);
    if (name.isEmpty())
        name = QStringLiteral("Bogmærke");
    return name;
}

// The names given so far, letter case aside (as the file system may not tell them apart), and
// for each name the number its next copy tries first: the numbers below it are taken or
// unusable, and stay so. A folder of a million bookmarks of one title is thus named in a
// million steps, not in half a million million.
struct TakenNames {
    QSet<QString> folded;
    QHash<QString, int> nextNumber;
};

// name, or name with the lowest number from 2 up that no name of taken has and that usable
// accepts; the name given is then taken. A number that would make the name too long takes its
// room from the name.
QString uniqueName(const QString& name, TakenNames& taken, qsizetype maxBytes,
                   bool (*usable)(const QString&)) {
    QString candidate = name;
    if (taken.folded.contains(candidate.toCaseFolded()) || !usable(candidate)) {
        int& n = taken.nextNumber[name];
        n = std::max(n, 2);
        do {
            const QString number = QStringLiteral(" (%1)").arg(n++);
            candidate = fitted(name, maxBytes - utf8Size(number)) + number;
        } while (taken.folded.contains(candidate.toCaseFolded()) || !usable(candidate));
    }
    taken.folded.insert(candidate.toCaseFolded());
    return candidate;
}

bool anyName(const QString&) {
    return true;
}

// The group of folder, added to groups when it gets elements.
void collect(const Folder& folder, const QString& name, bool usableFolder, QList<Group>& groups,
             TakenNames& groupNames, Skipped& skipped) {
    Group group;
    TakenNames taken;
    for (const Bookmark& bookmark : folder.bookmarks) {
        // A control character would break the lines of the element file: the address would be
        // cut and every later line shift. HTML's own white space in a title is one space.
        if (!usableFolder || !textfile::isLineText(bookmark.url) ||
            !textfile::isLineText(bookmark.title)) {
            ++skipped.unusable;
            continue;
        }
        if (!isWebAddress(bookmark.url)) {
            ++skipped.notWeb;
            continue;
        }
        group.entries.append(
            {uniqueName(elementName(bookmark), taken, longestElementName, anyName), bookmark.url});
    }
    if (!group.entries.isEmpty()) {
        // The program's own files in the content folder are no group names: a folder of such a
        // name would stand where its list belongs.
        group.navn = uniqueName(name, groupNames, longestGroupName, isGroupName);
        groups.append(group);
    }
}

QString escaped(const QString& text) {
    return text.toHtmlEscaped();
}

} // namespace

QString defaultGroupName() {
    return QStringLiteral("Bogmærker");
}

QList<Group> toGroups(const Folder& root, Skipped* skipped) {
    QList<Group> groups;
    TakenNames groupNames;
    Skipped left;
    collect(root, defaultGroupName(), true, groups, groupNames, left);
    // Folder by folder in the file's order, each before the folders inside it, on a stack of the
    // walk's own: the folders still to do, the next one last.
    QList<const Folder*> pending;
    auto pushFoldersOf = [&pending](const Folder& folder) {
        for (auto sub = folder.folders.crbegin(); sub != folder.folders.crend(); ++sub)
            pending.append(&*sub);
    };
    pushFoldersOf(root);
    while (!pending.isEmpty()) {
        const Folder& folder = *pending.takeLast();
        const QString name = usableName(folder.title, longestGroupName);
        collect(folder, name.isEmpty() ? defaultGroupName() : name,
                textfile::isLineText(folder.title), groups, groupNames, left);
        pushFoldersOf(folder);
    }
    if (skipped)
        *skipped = left;
    return groups;
}

QString elementNameFor(const QString& title, const QString& url) {
    return elementName({title, url});
}

bool isElementName(const QString& navn) {
    return filenames::isUsableName(navn) && utf8Size(navn) <= longestElementName;
}

bool isImportGroupName(const QString& navn) {
    return isGroupName(navn) && utf8Size(navn) <= longestGroupName;
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
    // Checked before it is read: a pipe or a device would never end, and a file far larger than
    // any browser's export is refused before it takes the memory.
    QByteArray bytes;
    if (!textfile::readBytes(path, bytes, &result.reason)) {
        result.error = ReadError::NotRead;
        return result;
    }
    const std::optional<Folder> root = parse(textfile::decode(bytes), &result.cut);
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
