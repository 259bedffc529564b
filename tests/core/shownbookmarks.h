#pragma once

#include "store/bookmarks.h"

#include <QStringList>

// Bookmark groups as "group: name=url, name=url" lines, for readable comparisons.
inline QStringList shown(const QList<store::bookmarks::Group>& groups) {
    QStringList lines;
    for (const store::bookmarks::Group& group : groups) {
        QStringList entries;
        for (const store::bookmarks::Entry& entry : group.entries)
            entries << entry.navn + u'=' + entry.url;
        lines << group.navn + QStringLiteral(": ") + entries.join(QStringLiteral(", "));
    }
    return lines;
}
