#pragma once

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QUuid>

#include <cstdio>

// A places.sqlite made in the test: the two tables the reader asks for, as Firefox has them but
// without primary keys (as a damaged or hand-made file may have them), and the rows of the
// statements given. Statements may also change the tables or make others. False, and the
// reason on the standard error stream, when a statement fails.
inline bool makePlaces(const QString& path, const QStringList& statements,
                       bool firefoxTables = true) {
    const QString connection = QStringLiteral("fixture-") + QUuid::createUuid().toString();
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
        db.setDatabaseName(path);
        ok = db.open();
        QStringList all;
        if (firefoxTables)
            all << QStringLiteral("CREATE TABLE moz_places (id INTEGER, url LONGVARCHAR)")
                << QStringLiteral("CREATE TABLE moz_bookmarks (id INTEGER, type INTEGER, fk "
                                  "INTEGER, parent INTEGER, position INTEGER, title LONGVARCHAR, "
                                  "guid TEXT)");
        all << QStringLiteral("BEGIN") << statements << QStringLiteral("COMMIT");
        QSqlQuery query(db);
        for (const QString& statement : all) {
            if (ok && !query.exec(statement)) {
                std::fprintf(stderr, "%s: %s\n", qPrintable(statement),
                             qPrintable(query.lastError().text()));
                ok = false;
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(connection);
    return ok;
}

// The rows of Firefox's own folders: the root (1), the menu (2), the toolbar (3) and the tags
// (4), with ids as Firefox gives them.
inline QStringList firefoxRoots() {
    return {QStringLiteral("INSERT INTO moz_bookmarks VALUES (1, 2, NULL, 0, 0, '', "
                           "'root________')"),
            QStringLiteral("INSERT INTO moz_bookmarks VALUES (2, 2, NULL, 1, 0, 'menu', "
                           "'menu________')"),
            QStringLiteral("INSERT INTO moz_bookmarks VALUES (3, 2, NULL, 1, 1, 'toolbar', "
                           "'toolbar_____')"),
            QStringLiteral("INSERT INTO moz_bookmarks VALUES (4, 2, NULL, 1, 2, 'tags', "
                           "'tags________')")};
}

// A folder row and a bookmark row, with its place.
inline QString folderRow(int id, int parent, int position, const QString& title) {
    return QStringLiteral("INSERT INTO moz_bookmarks VALUES (%1, 2, NULL, %2, %3, '%4', "
                          "'folder%1')")
        .arg(id)
        .arg(parent)
        .arg(position)
        .arg(title);
}
inline QStringList bookmarkRow(int id, int parent, int position, const QString& title,
                               const QString& url) {
    return {QStringLiteral("INSERT INTO moz_places VALUES (%1, '%2')").arg(id).arg(url),
            QStringLiteral("INSERT INTO moz_bookmarks VALUES (%1, 1, %1, %2, %3, '%4', "
                           "'bookmark%1')")
                .arg(id)
                .arg(parent)
                .arg(position)
                .arg(title)};
}
