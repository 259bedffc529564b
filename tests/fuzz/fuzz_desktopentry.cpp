// Desktop entries and the desktop's other key files, read as a dropped desktop entry is and as
// the desktop's programs are looked up: whatever a file holds, reading it ends, no key or value
// runs over a line, and a program's command is taken from it as text.
#include "fuzzfile.h"
#include "platform/desktopapps.h"
#include "platform/desktopentry.h"

#include <QDir>

namespace {
bool holdsLineBreak(const QString& text) {
    return text.contains(u'\n') || text.contains(u'\r');
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // Written into an applications folder, so the desktop's look-up reads it as a program's
    // desktop file too.
    static FuzzFile file("applications/fuzz.desktop");
    static const bool folder = QDir(file.dir.path()).mkpath(QStringLiteral("applications"));
    if (!folder || !file.write(data, size))
        return 0;
    const std::optional<DesktopEntry> entry = DesktopEntry::read(file.path);
    if (!entry) {
        // Only a file larger than a desktop entry can be goes unread.
        if (qint64(size) <= DesktopEntry::largestEntry)
            __builtin_trap();
        return 0;
    }
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    for (const QString& group : {DesktopEntry::mainGroup, QStringLiteral("Default Applications"),
                                 QStringLiteral("MIME Cache")}) {
        for (const QString& key : entry->keys(group)) {
            const QString raw = entry->raw(key, group);
            if (key.isEmpty() || holdsLineBreak(key) || holdsLineBreak(raw) || raw.isNull())
                __builtin_trap();
            // Escapes only ever shorten a value.
            if (entry->string(key, group).size() > raw.size())
                __builtin_trap();
            for (const QString& item : entry->list(key, group)) {
                if (item.size() > raw.size())
                    __builtin_trap();
            }
        }
        (void)entry->localeString(QStringLiteral("Name"), QStringLiteral("da_DK@jysk"), group);
    }
    // The same bytes parsed in memory give the same entry.
    const DesktopEntry parsed = DesktopEntry::parse(bytes);
    if (parsed.string(QStringLiteral("Name")) != entry->string(QStringLiteral("Name")))
        __builtin_trap();

    const DesktopApps apps(XdgDirs{{file.dir.path()}, {file.dir.path()}, {}});
    const QStringList command = apps.command(QStringLiteral("fuzz.desktop"));
    for (const QString& arg : command) {
        // Every argument is cut from the Exec value.
        if (arg.size() > entry->string(QStringLiteral("Exec")).size())
            __builtin_trap();
    }
    (void)apps.runsInTerminal(QStringLiteral("fuzz.desktop"));
    return 0;
}
