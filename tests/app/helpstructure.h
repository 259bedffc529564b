#pragma once

#include "platform/textfile.h"
#include "writefile.h"

#include <QDir>
#include <QFile>
#include <QStringList>

// A small help structure "Lenkaroinfo" under base/Struktur: a tree of topics, one data line per
// node, and a document for each. Returns the documents' folder.
inline QString makeHelpStructure(const QString& base) {
    const QString folder = base + "/Struktur/Lenkaroinfo";
    const QString tekstfiler = folder + "/tekstfiler";
    QDir().mkpath(tekstfiler);
    // Tree order, with the data line of each node.
    const QList<std::pair<QString, QString>> nodes = {
        {"Information", "0Information"},
        {"Lenkaro", "1Lenkaro"},
        {"\tGrupper", "0Grupper"},
        {"\tIndfør element", "0Indfor"},
        {"\tRediger element", "0Rediger"},
        {"Administrer grupper", "1Admin"},
        {"\tÆble", "0Aeble"},
        {"\tGrupper", "0Grupper2"},
        {"Besøgte sider", "0Historik"},
    };
    QStringList struktur, data;
    for (const auto& [line, dataLine] : nodes) {
        struktur << line;
        data << dataLine;
        const QString name = dataLine.mid(1);
        const QString title = line.trimmed();
        writeFixture(
            tekstfiler + "/" + name + ".html",
            {"<!DOCTYPE html>", "<html lang=\"da\"><head><meta charset=\"utf-8\">",
             "<title>" + title + "</title>",
             "<style>body{font-family:sans-serif;margin:16px} h1{color:#2a5d8f}</style></head>",
             "<body><h1>" + title + "</h1>",
             "<p>Hjælp om <b>" + title +
                 "</b>. Se også <a href=\"Grupper.html\">Grupper</a> og "
                 "<a href=\"Historik.html\">Besøgte sider</a>.</p>",
             "</body></html>"});
    }
    writeFixture(folder + "/struktur.txt", struktur);
    writeFixture(folder + "/data.txt", data);
    return tekstfiler;
}
