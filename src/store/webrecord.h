#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One element: a web address or a program, kept in a six-line file named after Navn.
struct TWebRecord {
    QString Url;
    QString Navn;
    QString dato;    // date of the last visit as shown, at most 10 characters
    QString klokken; // time of the last visit as shown, at most 5 characters
    qint32 Visits = 0;
    QString filnavn; // full path of the element's file as last saved
    // The file this element was read from or last written to, where it really is on disk
    // (filnavn may name where a copied file once was); empty for an element not yet written.
    QString sourceFile;
    // Where the folder holds that file under a name that is not UTF-8 (unpacked from a Windows
    // archive), the path as the system takes it; empty otherwise.
    QByteArray sourceNative;

    // The visit fields hold only as many characters as they always held on disk.
    void setDato(const QString& text) { dato = text.left(10); }
    void setKlokken(const QString& text) { klokken = text.left(5); }
};

using TWebArray = QList<TWebRecord>;
