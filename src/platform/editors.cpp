#include "editors.h"

EditorPlaces EditorPlaces::system() {
#ifdef Q_OS_WIN
    QStringList places;
    for (const char* folder : {"Program Files", "Program Files (x86)"}) {
        for (const char* drive : {"C", "D", "E"})
            places << QStringLiteral("%1:\\%2\\Pennolo\\Pennolo.exe")
                          .arg(QLatin1String(drive), QLatin1String(folder));
    }
    places << QStringLiteral("C:\\Windows\\System32\\notepad.exe");
    return {places};
#else
    return {{QStringLiteral("/usr/bin/pennolo"), QStringLiteral("/usr/local/bin/pennolo"),
             QStringLiteral("/opt/pennolo/pennolo"), QStringLiteral("gnome-text-editor"),
             QStringLiteral("gedit"), QStringLiteral("kate"), QStringLiteral("mousepad"),
             QStringLiteral("xed"), QStringLiteral("featherpad"), QStringLiteral("leafpad")},
            XdgDirs::system()};
#endif
}

QString EditorPlaces::find() const {
    for (const QString& place : places) {
        const QString path = locateProgram(place, searchPath);
        if (!path.isEmpty())
            return path;
    }
    if (!desktop)
        return {};
    const DesktopApps apps(*desktop);
    const QStringList command = apps.command(apps.defaultApplication(QStringLiteral("text/plain")));
    return command.isEmpty() ? QString() : locateProgram(command.first(), searchPath);
}
