#pragma once

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>

// Where an element's file is on disk: the file it was read from or last written to. Line 6 of
// the file (TWebRecord::filnavn) may name another place, where a copied file once was.
struct ElementFile {
    QString path; // empty for an element not yet written
    // Where the folder holds the file under a name that is not UTF-8 (unpacked from a Windows
    // archive), the path as the system takes it; empty otherwise.
    QByteArray native;

    ElementFile() = default;
    explicit ElementFile(const QString& path_, const QByteArray& native_ = {})
        : path(path_), native(native_) {}

    // The path as the system takes it.
    QByteArray systemPath() const { return native.isEmpty() ? QFile::encodeName(path) : native; }

    // The folder holding the file was renamed from oldFolder to newFolder.
    void moveFolder(const QString& oldFolder, const QString& newFolder);

    bool operator==(const ElementFile& other) const {
        return path == other.path && native == other.native;
    }
};

// One element: a web address or a program, kept in a six-line file named after Navn.
struct TWebRecord {
    QString Url;
    QString Navn;
    QString dato;    // date of the last visit as shown, at most 10 characters
    QString klokken; // time of the last visit as shown, at most 5 characters
    qint32 Visits = 0;
    QString filnavn; // full path of the element's file as last saved
    ElementFile file;

    // The visit fields hold only as many characters as they always held on disk.
    void setDato(const QString& text) { dato = text.left(10); }
    void setKlokken(const QString& text) { klokken = text.left(5); }
};

using TWebArray = QList<TWebRecord>;
