#include "platform/pathname.h"

#include <algorithm>

namespace pathname {

namespace {
bool isPathChar(QChar c) {
    return c.unicode() >= 32 && c != u'"' && c != u'<' && c != u'>' && c != u'|';
}
} // namespace

std::optional<QString> baseName(const QString& path, QString* error) {
    if (!std::all_of(path.cbegin(), path.cend(), isPathChar)) {
        if (error)
            *error = QStringLiteral("Invalid characters in path");
        return std::nullopt;
    }
    const qsizetype folderEnd =
        std::max({path.lastIndexOf(u'\\'), path.lastIndexOf(u'/'), path.lastIndexOf(u':')});
    QString name = path.mid(folderEnd + 1);
    const qsizetype dot = name.lastIndexOf(u'.');
    if (dot >= 0)
        name.truncate(dot);
    return name;
}

} // namespace pathname
