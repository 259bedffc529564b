#include "options.h"

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
