#include "store/profilebookmarks.h"

#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>

#include <functional>

namespace store::bookmarks {

namespace {

// The root folders of both kinds of browser, as the Danish browsers name them in an export.
const QString toolbarName = QStringLiteral("Bogmærkelinje");
const QString otherName = QStringLiteral("Andre bogmærker");
const QString mobileName = QStringLiteral("Mobilbogmærker");

// A title as a browser shows it: its line breaks and tabs are spaces, as in a bookmark file.
QString shownTitle(QString title) {
    for (QChar& c : title) {
        if (c == u'\t' || c == u'\n' || c == u'\r' || c == u'\f')
            c = u' ';
    }
    return title.simplified();
}

ProfileRead failed(const QString& reason) {
    ProfileRead read;
    read.reason = reason;
    return read;
}

// No real bookmark store comes near this; a bigger file is refused rather than read whole.
constexpr qint64 largestStore = qint64(2) * 1024 * 1024 * 1024;

} // namespace

ProfileRead readFirefoxPlaces(const QString& path) {
    const QFileInfo info(path);
    if (!info.isFile())
        return failed(QStringLiteral("Filen findes ikke."));
    if (info.size() > largestStore)
        return failed(QStringLiteral("Filen er for stor."));
    QTemporaryDir copy;
    if (!copy.isValid())
        return failed(copy.errorString());
    const QString places = copy.filePath(QStringLiteral("places.sqlite"));
    for (const QString& suffix : {QString(), QStringLiteral("-wal")}) {
        QFile source(path + suffix);
        if (suffix.isEmpty() || source.exists()) {
            if (!source.copy(places + suffix))
                return failed(source.errorString());
        }
    }
    const QString connection = QStringLiteral("places-") + QUuid::createUuid().toString();
    ProfileRead read;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        if (!db.isValid()) {
            read.reason = QStringLiteral("Qt's SQLite-driver (libqt6sql6-sqlite) mangler.");
        } else {
            db.setDatabaseName(places);
            QSqlQuery query(db);
            if (!db.open()) {
                read.reason = db.lastError().text();
            } else if (!query.exec(QStringLiteral(
                           "SELECT b.id, b.type, b.parent, b.title, b.guid, p.url "
                           "FROM moz_bookmarks b LEFT JOIN moz_places p ON b.fk = p.id "
                           "ORDER BY b.parent, b.position"))) {
                read.reason = query.lastError().text();
            } else {
                struct Node {
                    int type;
                    QString title, guid, url;
                    QList<qint64> children;
                };
                QHash<qint64, Node> nodes;
                qint64 rootId = -1;
                while (query.next()) {
                    const qint64 id = query.value(0).toLongLong();
                    const qint64 parent = query.value(2).toLongLong();
                    Node node{query.value(1).toInt(),
                              query.value(3).toString(),
                              query.value(4).toString(),
                              query.value(5).toString(),
                              {}};
                    if (node.guid == u"root________")
                        rootId = id;
                    else
                        nodes[parent].children.append(id);
                    Node& slot = nodes[id];
                    node.children = slot.children;
                    slot = node;
                }
                // Children come ordered by position within each parent; a parent read after its
                // children keeps the list they made.
                std::function<void(qint64, Folder&, int)> fill = [&](qint64 id, Folder& folder,
                                                                     int depth) {
                    // A loop in a damaged file must not run for ever.
                    if (depth > 200)
                        return;
                    for (qint64 child : nodes.value(id).children) {
                        const Node node = nodes.value(child);
                        if (node.type == 1 && !node.url.isEmpty()) {
                            folder.bookmarks.append({shownTitle(node.title), node.url});
                        } else if (node.type == 2) {
                            if (node.guid == u"tags________")
                                continue;
                            Folder sub{shownTitle(node.title), {}, {}};
                            fill(child, sub, depth + 1);
                            folder.folders.append(sub);
                        }
                    }
                };
                if (rootId < 0) {
                    read.reason = QStringLiteral("Filen har ingen bogmærker.");
                } else {
                    for (qint64 child : nodes.value(rootId).children) {
                        const Node node = nodes.value(child);
                        if (node.guid == u"menu________") {
                            fill(child, read.root, 1);
                        } else if (node.guid != u"tags________" && node.type == 2) {
                            const QString title = node.guid == u"toolbar_____"   ? toolbarName
                                                  : node.guid == u"unfiled_____" ? otherName
                                                  : node.guid == u"mobile______"
                                                      ? mobileName
                                                      : shownTitle(node.title);
                            Folder sub{title, {}, {}};
                            fill(child, sub, 1);
                            read.root.folders.append(sub);
                        }
                    }
                    read.ok = true;
                }
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return read;
}

ProfileRead readChromiumBookmarks(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return failed(file.errorString());
    if (file.size() > largestStore)
        return failed(QStringLiteral("Filen er for stor."));
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &error);
    if (document.isNull())
        return failed(error.errorString());
    const QJsonObject roots = document.object().value(QStringLiteral("roots")).toObject();
    if (roots.isEmpty())
        return failed(QStringLiteral("Filen har ingen bogmærker."));
    std::function<void(const QJsonArray&, Folder&, int)> fill = [&](const QJsonArray& children,
                                                                    Folder& folder, int depth) {
        if (depth > 200)
            return;
        for (const QJsonValue& value : children) {
            const QJsonObject node = value.toObject();
            const QString type = node.value(QStringLiteral("type")).toString();
            const QString name = shownTitle(node.value(QStringLiteral("name")).toString());
            if (type == u"url") {
                folder.bookmarks.append({name, node.value(QStringLiteral("url")).toString()});
            } else if (type == u"folder") {
                Folder sub{name, {}, {}};
                fill(node.value(QStringLiteral("children")).toArray(), sub, depth + 1);
                folder.folders.append(sub);
            }
        }
    };
    ProfileRead read;
    const struct {
        const char* key;
        const QString& name;
    } known[] = {{"bookmark_bar", toolbarName}, {"other", otherName}, {"synced", mobileName}};
    for (const auto& root : known) {
        const QJsonObject node = roots.value(QLatin1StringView(root.key)).toObject();
        Folder folder{root.name, {}, {}};
        fill(node.value(QStringLiteral("children")).toArray(), folder, 1);
        read.root.folders.append(folder);
    }
    read.ok = true;
    return read;
}

} // namespace store::bookmarks
