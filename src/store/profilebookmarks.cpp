#include "store/profilebookmarks.h"

#include "platform/systemreason.h"
#include "platform/textfile.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLockFile>
#include <QSet>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QUuid>

#include <algorithm>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace store::bookmarks {

namespace {

// The root folders of both kinds of browser, as the Danish browsers name them in an export.
const QString toolbarName = QStringLiteral("Bogmærkelinje");
const QString otherName = QStringLiteral("Andre bogmærker");
const QString mobileName = QStringLiteral("Mobilbogmærker");

const QString noBookmarks = QStringLiteral("Filen har ingen bogmærker.");

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

std::function<void()>& afterPlacesCopy() {
    static std::function<void()> hook;
    return hook;
}

// --- Firefox ---

// The copies of places.sqlite are made in folders of this name in the temporary folder, each
// with a lock that the reading program holds while it reads.
const QString copyPrefix = QStringLiteral("lenkaro-places-");
const QString copyLock = QStringLiteral("lock");

// Removes the copies that a killed program left: only folders of the program's own name and
// of the user's own, and only those whose lock no running program holds. A folder without a
// lock is left for a minute, as a read may have made it and not yet locked it.
void removeStaleCopies() {
    const QFileInfoList found =
        QDir(QDir::tempPath())
            .entryInfoList({copyPrefix + u'*'},
                           QDir::Dirs | QDir::NoSymLinks | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo& dir : found) {
        // A link of that name may lead anywhere: what it leads to is not the program's.
        if (dir.isSymLink() || !dir.isDir())
            continue;
#ifdef Q_OS_UNIX
        if (dir.ownerId() != ::getuid())
            continue;
#endif
        const QString lockPath = QDir(dir.filePath()).filePath(copyLock);
        if (!QFileInfo::exists(lockPath) &&
            dir.lastModified().secsTo(QDateTime::currentDateTime()) < 60)
            continue;
        // Stale only when the program that took it runs no more: never by its age alone.
        QLockFile lock(lockPath);
        lock.setStaleLockTime(0);
        if (!lock.tryLock(0))
            continue;
        lock.unlock();
        QDir(dir.filePath()).removeRecursively();
    }
}

// The rows a read takes at most: a table of more than the limits let through is cut there.
constexpr int mostPlacesRows = mostFolders + mostBookmarks;

QString notFirefox() {
    return QStringLiteral("Filen er ikke en bogmærkedatabase fra Firefox.");
}

// SQLite's reasons, in Danish. The result codes are SQLite's own (sqlite3.h); the driver gives
// them as the native code of its error.
QString placesReason(const QSqlError& error) {
    bool known = false;
    const int code = error.nativeErrorCode().toInt(&known) & 0xff;
    if (!known)
        return QStringLiteral("Databasen kan ikke læses.");
    switch (code) {
    case 1:  // SQLITE_ERROR: the query found no table or column of Firefox's
    case 26: // SQLITE_NOTADB
        return notFirefox();
    case 11: // SQLITE_CORRUPT
        return QStringLiteral("Filen er beskadiget: databasen i den kan ikke læses.");
    case 7: // SQLITE_NOMEM
        return QStringLiteral("Der er ikke hukommelse nok til at læse databasen.");
    case 13: // SQLITE_FULL
        return systemReason(ENOSPC);
    case 10: // SQLITE_IOERR
        return systemReason(EIO);
    case 14: // SQLITE_CANTOPEN
        return QStringLiteral("Databasen kan ikke åbnes.");
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        return QStringLiteral("Databasen er låst af et andet program.");
    default:
        return QStringLiteral("Databasen kan ikke læses (SQLite-fejl %1).").arg(code);
    }
}

// The two tables, as Firefox makes them: plain tables. A view, a virtual table or a column
// computed from others could make the read run for ever or fill the memory, so a file holding
// one is no file of Firefox's.
bool hasFirefoxTables(QSqlDatabase& db, QString& reason) {
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("SELECT name, sql FROM sqlite_master WHERE type = 'table' "
                                   "AND name IN ('moz_bookmarks', 'moz_places')"))) {
        reason = placesReason(query.lastError());
        return false;
    }
    int tables = 0;
    while (query.next()) {
        if (query.value(1).toString().simplified().startsWith(u"CREATE TABLE", Qt::CaseInsensitive))
            ++tables;
    }
    reason = notFirefox();
    if (tables != 2)
        return false;
    for (const QString& table : {QStringLiteral("moz_bookmarks"), QStringLiteral("moz_places")}) {
        // "hidden" is 2 or 3 for a generated column.
        if (!query.exec(QStringLiteral("SELECT count(*) FROM pragma_table_xinfo('%1') "
                                       "WHERE hidden NOT IN (0, 1)")
                            .arg(table)) ||
            !query.next()) {
            reason = placesReason(query.lastError());
            return false;
        }
        if (query.value(0).toLongLong() != 0)
            return false;
    }
    reason.clear();
    return true;
}

// The rows of the bookmarks and folders, at most mostPlacesRows of them; the bookmarks past
// them are counted in *unread.
bool readPlacesRows(QSqlDatabase& db, QList<PlacesRow>& rows, int* unread, QString& reason) {
    if (!hasFirefoxTables(db, reason))
        return false;
    QSqlQuery query(db);
    query.setForwardOnly(true);
    // Titles as long as Firefox keeps them (4,096 characters), and no address longer than any
    // Firefox keeps: a file made to hold a title of a gigabyte does not bring it into memory.
    if (!query.exec(QStringLiteral("SELECT b.id, b.type, b.parent, substr(b.title, 1, 4096), "
                                   "CASE WHEN length(b.guid) = 12 THEN b.guid END, "
                                   "CASE WHEN length(p.url) <= 65536 THEN p.url END "
                                   "FROM moz_bookmarks b LEFT JOIN moz_places p ON b.fk = p.id "
                                   "WHERE b.type IN (1, 2) ORDER BY b.parent, b.position "
                                   "LIMIT %1")
                        .arg(mostPlacesRows + 1))) {
        reason = placesReason(query.lastError());
        return false;
    }
    int bookmarkRows = 0;
    while (query.next()) {
        if (rows.size() == mostPlacesRows) {
            // More than the limits let through: the bookmarks not read are counted.
            QSqlQuery count(db);
            if (count.exec(QStringLiteral("SELECT count(*) FROM moz_bookmarks WHERE type = 1")) &&
                count.next())
                *unread = int(std::max<qint64>(0, count.value(0).toLongLong() - bookmarkRows));
            break;
        }
        PlacesRow row{query.value(0).toLongLong(), query.value(1).toInt(),
                      query.value(2).toLongLong(), query.value(3).toString(),
                      query.value(4).toString(),   query.value(5).toString()};
        if (row.type == 1)
            ++bookmarkRows;
        rows.append(std::move(row));
    }
    if (query.lastError().isValid()) {
        reason = placesReason(query.lastError());
        return false;
    }
    return true;
}

// --- Chromium ---

QString notChromium() {
    return QStringLiteral("Filen er ikke en bogmærkefil fra Chromium (den er ikke gyldig JSON).");
}

} // namespace

ProfileRead placesTree(const QList<PlacesRow>& rows) {
    // The rows under each folder, in their order.
    QHash<qint64, QList<qsizetype>> children;
    qsizetype rootRow = -1;
    for (qsizetype i = 0; i < rows.size(); ++i) {
        if (rows[i].guid == u"root________") {
            if (rootRow < 0)
                rootRow = i;
        } else {
            children[rows[i].parent].append(i);
        }
    }
    if (rootRow < 0)
        return failed(noBookmarks);
    const QList<qsizetype> none;
    auto childrenOf = [&](qint64 id) {
        const auto found = children.constFind(id);
        return found == children.cend() ? &none : &*found;
    };

    ProfileRead read;
    BoundedTree tree;
    // The folders being walked, the innermost last, each with the next of its rows: the walk
    // keeps its own stack. Each folder is walked once: a folder met again (under itself, under
    // a second folder, or in a second row) is passed over, so a loop ends and no folder is
    // walked twice.
    struct Level {
        const QList<qsizetype>* rows;
        qsizetype next;
        BoundedTree::Place place;
        bool root;
    };
    QSet<qint64> walked{rows[rootRow].id};
    QList<Level> stack{{childrenOf(rows[rootRow].id), 0, BoundedTree::rootOf(read.root), true}};
    while (!stack.isEmpty()) {
        Level& level = stack.last();
        if (level.next == level.rows->size()) {
            stack.removeLast();
            continue;
        }
        const PlacesRow& row = rows[(*level.rows)[level.next++]];
        if (row.type == 1) {
            if (!row.url.isEmpty())
                tree.addBookmark(level.place, {shownTitle(row.title), row.url});
            continue;
        }
        if (row.type != 2 || row.guid == u"tags________" || walked.contains(row.id))
            continue;
        walked.insert(row.id);
        BoundedTree::Place place;
        if (level.root && row.guid == u"menu________") {
            place = level.place; // the bookmarks menu is the root
        } else {
            const QString title = !level.root                   ? shownTitle(row.title)
                                  : row.guid == u"toolbar_____" ? toolbarName
                                  : row.guid == u"unfiled_____" ? otherName
                                  : row.guid == u"mobile______" ? mobileName
                                                                : shownTitle(row.title);
            place = tree.addFolder(level.place, title);
        }
        stack.append({childrenOf(row.id), 0, place, false});
    }
    read.cut = tree.cut;
    read.ok = true;
    return read;
}

ProfileRead readFirefoxPlaces(const QString& path) {
    removeStaleCopies();
    QTemporaryDir copy(QDir(QDir::tempPath()).filePath(copyPrefix + QStringLiteral("XXXXXX")));
    if (!copy.isValid())
        return failed(lastSystemReason());
    // Taken before the copy is made and let go before the folder goes: while it is held, no
    // other program takes the folder for a killed program's.
    QLockFile lock(copy.filePath(copyLock));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0))
        return failed(lastSystemReason());
    const QString places = copy.filePath(QStringLiteral("places.sqlite"));
    QString reason;
    if (!textfile::copyFile(path, places, &reason, largestPlaces))
        return failed(reason);
    // The -wal holds what Firefox wrote last. One that is there but no regular file is refused,
    // rather than read without what it holds.
    const QString wal = path + QStringLiteral("-wal");
    if (QFileInfo::exists(wal) &&
        !textfile::copyFile(wal, places + QStringLiteral("-wal"), &reason, largestPlaces))
        return failed(reason);
    if (afterPlacesCopy())
        afterPlacesCopy()();

    const QString connection = QStringLiteral("places-") + QUuid::createUuid().toString();
    ProfileRead read;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        if (!db.isValid()) {
            read.reason = QStringLiteral("Qt's SQLite-driver (libqt6sql6-sqlite) mangler.");
        } else {
            db.setDatabaseName(places);
            QList<PlacesRow> rows;
            int unread = 0;
            if (!db.open()) {
                read.reason = placesReason(db.lastError());
            } else if (readPlacesRows(db, rows, &unread, read.reason)) {
                read = placesTree(rows);
                read.cut.tooMany += unread;
            }
            db.close();
        }
    }
    QSqlDatabase::removeDatabase(connection);
    return read;
}

void setAfterPlacesCopy(std::function<void()> hook) {
    afterPlacesCopy() = std::move(hook);
}

ProfileRead readChromiumBookmarks(const QString& path) {
    QByteArray bytes;
    QString reason;
    if (!textfile::readBytes(path, bytes, &reason, textfile::largestFile))
        return failed(reason);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (document.isNull())
        return failed(notChromium());
    const QJsonObject roots = document.object().value(QStringLiteral("roots")).toObject();
    if (roots.isEmpty())
        return failed(noBookmarks);
    ProfileRead read;
    BoundedTree tree;
    // The folders being walked, the innermost last, each with the next of its children: the
    // walk keeps its own stack.
    struct Level {
        QJsonArray children;
        qsizetype next;
        BoundedTree::Place place;
    };
    const struct {
        const char* key;
        const QString& name;
    } known[] = {{"bookmark_bar", toolbarName}, {"other", otherName}, {"synced", mobileName}};
    for (const auto& root : known) {
        const QJsonObject node = roots.value(QLatin1StringView(root.key)).toObject();
        QList<Level> stack{{node.value(QStringLiteral("children")).toArray(), 0,
                            tree.addFolder(BoundedTree::rootOf(read.root), root.name)}};
        while (!stack.isEmpty()) {
            Level& level = stack.last();
            if (level.next == level.children.size()) {
                stack.removeLast();
                continue;
            }
            const QJsonObject child = level.children.at(level.next++).toObject();
            const QString type = child.value(QStringLiteral("type")).toString();
            const QString name = shownTitle(child.value(QStringLiteral("name")).toString());
            if (type == u"url") {
                tree.addBookmark(level.place,
                                 {name, child.value(QStringLiteral("url")).toString()});
            } else if (type == u"folder") {
                const BoundedTree::Place place = tree.addFolder(level.place, name);
                stack.append({child.value(QStringLiteral("children")).toArray(), 0, place});
            }
        }
    }
    read.cut = tree.cut;
    read.ok = true;
    return read;
}

} // namespace store::bookmarks
