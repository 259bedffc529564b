#include "platform/desktopentry.h"

namespace {

bool isBlank(QChar c) {
    return c == u' ' || c == u'\t';
}

// A group's name stands between "[" and "]" with nothing after but blanks; it holds no bracket
// and no control character. Null when line is no group line.
QString groupName(QStringView line) {
    if (!line.startsWith(u'['))
        return {};
    const qsizetype close = line.indexOf(u']');
    if (close < 0)
        return {};
    for (const QChar c : line.mid(close + 1)) {
        if (!isBlank(c))
            return {};
    }
    const QStringView name = line.mid(1, close - 1);
    for (const QChar c : name) {
        if (c == u'[' || c.category() == QChar::Other_Control)
            return {};
    }
    return name.toString();
}

QString unescaped(QStringView value) {
    QString out;
    out.reserve(value.size());
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c != u'\\' || i + 1 == value.size()) {
            out += c;
            continue;
        }
        switch (value[++i].unicode()) {
        case u's':
            out += u' ';
            break;
        case u'n':
            out += u'\n';
            break;
        case u't':
            out += u'\t';
            break;
        case u'r':
            out += u'\r';
            break;
        case u'\\':
            out += u'\\';
            break;
        case u';':
            // Only lists give this one a meaning; a string keeps it as it was written.
            out += u'\\';
            out += u';';
            break;
        default:
            // Not an escape: both characters stand, as written.
            out += u'\\';
            out += value[i];
        }
    }
    return out;
}

} // namespace

std::optional<DesktopEntry> DesktopEntry::read(const QString& path, QString* error, qint64 limit) {
    QByteArray bytes;
    if (!textfile::readBytes(path, bytes, error, limit))
        return std::nullopt;
    return parse(bytes);
}

DesktopEntry DesktopEntry::parse(const QByteArray& bytes) {
    DesktopEntry entry;
    QHash<QString, QString>* group = nullptr;
    const QString text = textfile::decode(bytes);
    for (const QString& whole : textfile::splitLines(text)) {
        QStringView line = QStringView(whole).trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            const QString name = groupName(line);
            // A damaged group line: what follows belongs to no group rather than the last one.
            group = name.isNull() ? nullptr : &entry.groups[name];
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (!group || eq <= 0)
            continue;
        const QString key = line.left(eq).trimmed().toString();
        if (key.isEmpty() || group->contains(key))
            continue;
        group->insert(key, line.mid(eq + 1).trimmed().toString());
    }
    return entry;
}

QStringList DesktopEntry::groupNames() const {
    QStringList names = groups.keys();
    names.sort();
    return names;
}

QString DesktopEntry::raw(const QString& key, const QString& group) const {
    const auto g = groups.constFind(group);
    if (g == groups.cend())
        return {};
    const auto v = g->constFind(key);
    return v == g->cend() ? QString() : *v;
}

QString DesktopEntry::string(const QString& key, const QString& group) const {
    const QString value = raw(key, group);
    return value.isNull() ? value : unescaped(value);
}

QString DesktopEntry::localeString(const QString& key, const QString& locale,
                                   const QString& group) const {
    // lang_COUNTRY.ENCODING@MODIFIER, each part but the language optional.
    QString lang = locale;
    QString modifier;
    const qsizetype at = lang.indexOf(u'@');
    if (at >= 0) {
        modifier = lang.mid(at);
        lang.truncate(at);
    }
    const qsizetype dot = lang.indexOf(u'.');
    if (dot >= 0)
        lang.truncate(dot);
    QString country;
    const qsizetype underscore = lang.indexOf(u'_');
    if (underscore >= 0) {
        country = lang.mid(underscore);
        lang.truncate(underscore);
    }
    QStringList tried;
    if (!lang.isEmpty()) {
        if (!country.isEmpty() && !modifier.isEmpty())
            tried << lang + country + modifier;
        if (!country.isEmpty())
            tried << lang + country;
        if (!modifier.isEmpty())
            tried << lang + modifier;
        tried << lang;
    }
    for (const QString& name : tried) {
        const QString value = string(key + u'[' + name + u']', group);
        if (!value.isNull())
            return value;
    }
    return string(key, group);
}

QStringList DesktopEntry::list(const QString& key, const QString& group) const {
    const QString value = raw(key, group);
    QStringList items;
    QString item;
    bool any = false;
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == u'\\' && i + 1 < value.size()) {
            ++i;
            item += value[i] == u';' ? QString(u';') : unescaped(QStringView(value).mid(i - 1, 2));
            any = true;
            continue;
        }
        if (c == u';') {
            items << item;
            item.clear();
            any = false;
            continue;
        }
        item += c;
        any = true;
    }
    if (any)
        items << item;
    return items;
}

bool DesktopEntry::boolean(const QString& key, const QString& group) const {
    return raw(key, group) == u"true";
}
