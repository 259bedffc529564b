#pragma once

#include "platform/textfile.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

// A key file as freedesktop.org's desktops write them: desktop entries (.desktop files),
// mimeapps.list and mimeinfo.cache. Groups in brackets hold "key=value" lines; blanks around the
// "=" and at either end of a line do not count, nor do blank lines and lines starting with "#".
// Every such file comes from outside the program, so it is read only when it is a regular file
// of its kind's size, and every line it holds is taken as text, never as a command.
class DesktopEntry {
public:
    // The main group of a desktop entry.
    static inline const QString mainGroup = QStringLiteral("Desktop Entry");

    // A desktop entry is a few lines; one far larger is no desktop entry.
    static constexpr qint64 largestEntry = textfile::largestSmallFile;

    // Reads the file at path: only a regular file of at most limit bytes (a named pipe is never
    // waited on). Nothing, with *error set to the reason, when it cannot be read.
    static std::optional<DesktopEntry> read(const QString& path, QString* error = nullptr,
                                            qint64 limit = largestEntry);

    // The groups and keys of a key file's bytes: UTF-8 (a byte-order mark, or else Windows-1252
    // where the bytes are no UTF-8, as every text file of the program is read).
    static DesktopEntry parse(const QByteArray& bytes);

    bool hasGroup(const QString& group) const { return groups.contains(group); }

    // The value of key in group as it stands in the file, escapes and all; null when the group
    // does not hold the key. Where a key is given twice, its first value counts.
    QString raw(const QString& key, const QString& group = mainGroup) const;

    // The value as a string: "\s", "\n", "\t", "\r" and "\\" stand for a space, a line feed, a
    // tab, a carriage return and a backslash; every other character is itself, a comma too.
    QString string(const QString& key, const QString& group = mainGroup) const;

    // The value for a language, as the desktop shows a name: for locale "lang_COUNTRY@MODIFIER"
    // the key "key[lang_COUNTRY@MODIFIER]", then "key[lang_COUNTRY]", "key[lang@MODIFIER]",
    // "key[lang]", and last the key itself. An encoding in locale (".UTF-8") does not count.
    QString localeString(const QString& key, const QString& locale,
                         const QString& group = mainGroup) const;

    // The value as a list of strings, each ended by ";" (the last one need not be); "\;" is a
    // ";" within an item. Items are strings, with their escapes.
    QStringList list(const QString& key, const QString& group = mainGroup) const;

    // Whether the value is "true".
    bool boolean(const QString& key, const QString& group = mainGroup) const;

    // The groups of the file, sorted by name.
    QStringList groupNames() const;

    // The keys of group, in no order.
    QStringList keys(const QString& group = mainGroup) const { return groups.value(group).keys(); }

private:
    QHash<QString, QHash<QString, QString>> groups;
};
