#include "settings/options.h"

#include "platform/textfile.h"

#include <QFileInfo>

std::optional<int> parseInteger(const QString& text) {
    bool ok = false;
    const int value = text.trimmed().toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

MainOptions parseMainOptions(const QStringList& lines) {
    MainOptions o;
    auto line = [&](int i) -> std::optional<QString> {
        return i < lines.size() ? std::optional<QString>(lines[i]) : std::nullopt;
    };
    if (!(o.designname = line(0)))
        return o;
    WindowPlace& p = o.place;
    for (auto [i, field] : {std::pair{1, &p.top}, {2, &p.left}, {3, &p.width}, {4, &p.height}}) {
        const auto text = line(i);
        if (!text || !(*field = parseInteger(*text)))
            return o;
    }
    if (!(o.gruppenavn = line(5)) || !(o.gruppenavn0 = line(6)) || !(o.gruppenavn1 = line(7)))
        return o;
    const auto mode = line(8) ? parseInteger(*line(8)) : std::nullopt;
    if (!mode || *mode < 0 || *mode > 255)
        return o;
    // Only 0 and 1 are content modes; any other byte value is taken as web addresses.
    o.funkNo = *mode == 1 ? 1 : 0;
    o.complete = true;
    return o;
}

QStringList formatMainOptions(const MainOptionValues& v) {
    return {v.designname,
            QString::number(v.top),
            QString::number(v.left),
            QString::number(v.width),
            QString::number(v.height),
            v.gruppenavn,
            v.gruppenavn0,
            v.gruppenavn1,
            QString::number(v.funkNo)};
}

BoksOptions parseBoksOptions(const QStringList& lines) {
    BoksOptions o;
    std::optional<int>* fields[] = {&o.place.top, &o.place.left, &o.place.width, &o.place.height,
                                    &o.browser};
    for (int i = 0; i < 5; ++i) {
        if (i >= lines.size() || !(*fields[i] = parseInteger(lines[i])))
            break;
    }
    return o;
}

QStringList formatBoksOptions(int top, int left, int width, int height, int browser) {
    return {QString::number(top), QString::number(left), QString::number(width),
            QString::number(height), QString::number(browser)};
}

MainOptions readMainOptions(const QString& path, const QString& baseDir) {
    if (!QFileInfo::exists(path)) {
        MainOptions o;
        o.designname = QStringLiteral("Sky");
        o.place = {120, 120, 595, 380};
        // Qt takes "/" as the separator on every platform.
        const bool underholdning =
            QFileInfo(baseDir + QStringLiteral("/zvk/Program/Underholdning")).isDir();
        o.gruppenavn = underholdning ? QStringLiteral("Underholdning") : QString();
        o.funkNo = 0;
        o.complete = true;
        return o;
    }
    // A file that cannot be read, or a bad line, ends the reading silently; what was read
    // before it stays in force.
    const auto lines = textfile::readLines(path, nullptr, textfile::largestSmallFile);
    return lines ? parseMainOptions(*lines) : MainOptions{};
}

bool writeMainOptions(const QString& path, const MainOptionValues& values, QString* error) {
    return textfile::writeLines(path, formatMainOptions(values), error);
}

BoksOptions readBoksOptions(const QString& path) {
    if (!QFileInfo::exists(path)) {
        BoksOptions o;
        o.place = {120, 120, 400, 480};
        return o;
    }
    const auto lines = textfile::readLines(path, nullptr, textfile::largestSmallFile);
    return lines ? parseBoksOptions(*lines) : BoksOptions{};
}

bool writeBoksOptions(const QString& path, int top, int left, int width, int height, int browser,
                      QString* error) {
    return textfile::writeLines(path, formatBoksOptions(top, left, width, height, browser), error);
}

QString mainOptionsPath(const QString& optdir) {
    return optdir + QStringLiteral("main.txt");
}

QString boksOptionsPath(const QString& optdir) {
    return optdir + QStringLiteral("lenKaro.txt");
}

std::optional<InfoOptions> parseInfoOptions(const QStringList& lines) {
    InfoOptions o;
    int* fields[] = {&o.top, &o.left, &o.width, &o.height, &o.panelWidth};
    for (int i = 0; i < 5; ++i) {
        const auto value = i < lines.size() ? parseInteger(lines[i]) : std::nullopt;
        if (!value)
            return std::nullopt;
        *fields[i] = *value;
    }
    return o;
}

QStringList formatInfoOptions(const InfoOptions& o) {
    return {QString::number(o.top), QString::number(o.left), QString::number(o.width),
            QString::number(o.height), QString::number(o.panelWidth)};
}

WindowPlace parseUrlboksOptions(const QStringList& lines) {
    WindowPlace place;
    if (lines.size() < 1 || !(place.width = parseInteger(lines[0])))
        return place;
    if (lines.size() >= 2)
        place.height = parseInteger(lines[1]);
    return place;
}

QStringList formatUrlboksOptions(int width, int height) {
    return {QString::number(width), QString::number(height)};
}

std::optional<InfoOptions> readInfoOptions(const QString& path) {
    if (!QFileInfo::exists(path))
        return std::nullopt;
    const auto lines = textfile::readLines(path, nullptr, textfile::largestSmallFile);
    return lines ? parseInfoOptions(*lines) : std::nullopt;
}

bool writeInfoOptions(const QString& path, const InfoOptions& options, QString* error) {
    return textfile::writeLines(path, formatInfoOptions(options), error);
}

WindowPlace readUrlboksOptions(const QString& path) {
    if (!QFileInfo::exists(path))
        return {};
    const auto lines = textfile::readLines(path, nullptr, textfile::largestSmallFile);
    return lines ? parseUrlboksOptions(*lines) : WindowPlace{};
}

bool writeUrlboksOptions(const QString& path, int width, int height, QString* error) {
    return textfile::writeLines(path, formatUrlboksOptions(width, height), error);
}

QString infoOptionsPath(const QString& optdir) {
    return optdir + QStringLiteral("information.txt");
}

QString urlboksOptionsPath(const QString& optdir) {
    return optdir + QStringLiteral("urlboks1.txt");
}
