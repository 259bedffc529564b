#include "settings/findoptions.h"

#include "platform/textfile.h"
#include "settings/options.h"

#include <QFileInfo>

WindowPlace parseFindOptions(const QStringList& lines) {
    WindowPlace place;
    std::optional<int>* fields[] = {&place.top, &place.left, &place.width, &place.height};
    for (int i = 0; i < 4; ++i) {
        if (i >= lines.size() || !(*fields[i] = parseInteger(lines[i])))
            break;
    }
    return place;
}

QStringList formatFindOptions(int top, int left, int width, int height) {
    return {QString::number(top), QString::number(left), QString::number(width),
            QString::number(height)};
}

WindowPlace readFindOptions(const QString& path) {
    if (!QFileInfo::exists(path))
        return {};
    const auto lines = textfile::readLines(path);
    return lines ? parseFindOptions(*lines) : WindowPlace{};
}

bool writeFindOptions(const QString& path, int top, int left, int width, int height,
                      QString* error) {
    return textfile::writeLines(path, formatFindOptions(top, left, width, height), error);
}

QString findOptionsPath(const QString& optdir) {
    return optdir + QStringLiteral("findelement.txt");
}
