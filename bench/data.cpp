#include "data.h"

#include <QDir>
#include <QFile>

#include <algorithm>

namespace benchdata {

namespace {
const QString firstGroup = QStringLiteral("Gruppe 00000");

bool writeLines(const QString& path, const QStringList& lines) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    for (const QString& line : lines) {
        file.write(line.toUtf8());
        file.write("\r\n");
    }
    return true;
}

QString groupName(int i) {
    return QStringLiteral("Gruppe %1").arg(i, 5, 10, QLatin1Char('0'));
}

void writeElements(const QString& group, int elements) {
    QDir().mkpath(group);
    for (int i = 0; i < elements; ++i) {
        // Names in mixed case, so the listing has real sorting to do.
        const QString navn = (i % 2 ? QStringLiteral("side %1") : QStringLiteral("Side %1"))
                                 .arg((i * 7919) % (elements * 2 + 1));
        const QString path = group + u'/' + navn + QStringLiteral(".txt");
        writeLines(path, {QStringLiteral("https://www.eksempel.dk/sti/%1.html").arg(i), navn,
                          QStringLiteral("09-12-2026"), QStringLiteral("13:45"),
                          QString::number(i % 50), path});
    }
}
} // namespace

void makeBaseAt(const QString& base, const QString& user, int groups, int elements,
                bool everyGroup) {
    QDir(base).removeRecursively();
    const QString home = base + u'/' + user;
    QDir().mkpath(home + QStringLiteral("/Programmer"));
    QDir().mkpath(home + QStringLiteral("/Egenskaber"));
    QFile::link(QStringLiteral(LENKARO_STRUKTUR_DATA), base + QStringLiteral("/Struktur"));
    const QString web = home + QStringLiteral("/Program");
    QDir().mkpath(web);
    QStringList names;
    for (int i = 0; i < std::max(groups, 2); ++i)
        names << groupName(i);
    writeLines(web + QStringLiteral("/webgruppe.txt"), names);
    writeLines(web + QStringLiteral("/webLager.txt"), {});
    for (int g = 0; g < (everyGroup ? groups : 1); ++g)
        writeElements(web + u'/' + groupName(g), elements);
    if (!everyGroup)
        writeElements(web + u'/' + groupName(1), 1);
    chooseGroup(base, user, true);
}

void chooseGroup(const QString& base, const QString& user, bool large) {
    const QString group = large ? firstGroup : groupName(1);
    writeLines(base + u'/' + user + QStringLiteral("/Egenskaber/main.txt"),
               {QStringLiteral("Sky"), QStringLiteral("120"), QStringLiteral("120"),
                QStringLiteral("595"), QStringLiteral("380"), group, group, QString(),
                QStringLiteral("0")});
}

QString makeBase(const QString& root, int groups, int elements, bool everyGroup) {
    const QString base = root + QStringLiteral("/Lenkaromappe");
    makeBaseAt(base, login, groups, elements, everyGroup);
    return base;
}

QString currentGroupFolder(const QString& base, const QString& user) {
    return base + u'/' + user + QStringLiteral("/Program/") + firstGroup;
}

QString groupFolder(const QString& base, int i) {
    return base + u'/' + login + QStringLiteral("/Program/") + groupName(i);
}

} // namespace benchdata
