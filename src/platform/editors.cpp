#include "platform/editors.h"

#include <QFileInfo>

namespace {

// Editors that draw in a terminal and have no window of their own.
const char* const terminalEditors[] = {"vi",  "vim", "nvim",  "nano", "pico",   "micro",
                                       "ne",  "joe", "jed",   "mg",   "mcedit", "hx",
                                       "kak", "ed",  "elvis", "nvi",  "jove",   "zile"};

bool isKnownTerminalEditor(const QString& fileName) {
    // "vim.basic", "vim.tiny": the name up to the first full stop.
    const QString name = fileName.section(u'.', 0, 0);
    for (const char* editor : terminalEditors) {
        if (name == QLatin1String(editor))
            return true;
    }
    return false;
}

} // namespace

bool isTerminalEditor(const QString& path) {
    const QFileInfo info(path);
    if (isKnownTerminalEditor(info.fileName()))
        return true;
    const QString target = info.canonicalFilePath();
    return !target.isEmpty() && isKnownTerminalEditor(QFileInfo(target).fileName());
}

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
    const XdgDirs dirs = XdgDirs::system();
    // Debian's choice of terminal first, then the running desktop's own, then the plainest.
    QStringList terminals{QStringLiteral("x-terminal-emulator")};
    const std::pair<const char*, const char*> desktopTerminals[] = {
        {"gnome", "gnome-terminal"}, {"gnome", "kgx"},
        {"kde", "konsole"},          {"xfce", "xfce4-terminal"},
        {"lxqt", "qterminal"},       {"lxde", "lxterminal"},
        {"mate", "mate-terminal"},   {"x-cinnamon", "gnome-terminal"}};
    for (const QString& desktop : dirs.desktops) {
        for (auto [name, terminal] : desktopTerminals) {
            if (desktop == QLatin1String(name))
                terminals << QString::fromLatin1(terminal);
        }
    }
    terminals << QStringLiteral("xterm");
    return {{QStringLiteral("/usr/bin/pennolo"), QStringLiteral("/usr/local/bin/pennolo"),
             QStringLiteral("/opt/pennolo/pennolo"), QStringLiteral("gnome-text-editor"),
             QStringLiteral("gedit"), QStringLiteral("kate"), QStringLiteral("mousepad"),
             QStringLiteral("xed"), QStringLiteral("featherpad"), QStringLiteral("leafpad")},
            dirs,
            {},
            terminals};
#endif
}

Editor EditorPlaces::find() const {
    // An editor that needs a terminal, kept in case no graphical one turns up.
    std::optional<Editor> inTerminal;
    auto consider = [&](const QString& path, const QStringList& arguments, bool needsTerminal) {
        if (!needsTerminal && !isTerminalEditor(path))
            return std::optional<Editor>(Editor{path, arguments, {}});
        if (!inTerminal)
            inTerminal = Editor{path, arguments, {}};
        return std::optional<Editor>();
    };
    for (const QString& place : places) {
        const QString path = locateProgram(place, searchPath);
        if (path.isEmpty())
            continue;
        if (std::optional<Editor> editor = consider(path, {}, false))
            return *editor;
    }
    if (desktop) {
        const DesktopApps apps(*desktop);
        const QString id = apps.defaultApplication(QStringLiteral("text/plain"));
        const QStringList command = apps.command(id);
        const QString path =
            command.isEmpty() ? QString() : locateProgram(command.first(), searchPath);
        if (!path.isEmpty()) {
            if (std::optional<Editor> editor =
                    consider(path, command.mid(1), apps.runsInTerminal(id)))
                return *editor;
        }
    }
    if (!inTerminal)
        return {{},
                {},
                QStringLiteral("Rediger: der er ingen teksteditor at rette siden i. Installér en "
                               "teksteditor, fx gedit eller mousepad.")};
    for (const QString& terminal : terminals) {
        const QString path = locateProgram(terminal, searchPath);
        if (!path.isEmpty())
            return {path,
                    QStringList{QStringLiteral("-e"), inTerminal->program} + inTerminal->arguments,
                    {}};
    }
    return {{},
            {},
            QStringLiteral("Rediger: teksteditoren %1 kører i en terminal, og der er ingen "
                           "terminal at vise den i. Installér en teksteditor med eget vindue, "
                           "fx gedit eller mousepad.")
                .arg(QFileInfo(inTerminal->program).fileName())};
}
