#include "struktur/strukturfile.h"

namespace strukturfile {

Structure parse(const QStringList& lines) {
    Structure result;
    result.nodes.reserve(lines.size());
    // The nodes from a top-level node down to the node made last, one per depth: a new line
    // can only hang below one of them.
    QList<qsizetype> branch;
    for (const QString& line : lines) {
        qsizetype level = 0;
        while (level < line.size() && (line.at(level) == u'\t' || line.at(level) == u' '))
            ++level;
        const QString text = line.mid(level);
        if (result.nodes.isEmpty())
            level = 0;
        if (level > branch.size()) {
            result.error = QStringLiteral("Invalid level (%1) for item \"%2\"")
                               .arg(QString::number(level), text);
            break;
        }
        branch.resize(level);
        const qsizetype parent = level == 0 ? -1 : branch.last();
        branch.append(result.nodes.size());
        result.nodes.append({text, int(level), parent});
    }
    return result;
}

int imageIndex(const QString& data) {
    if (data.isEmpty() || data.front() < u'0' || data.front() > u'9')
        return -1;
    return data.front().unicode() - u'0';
}

QString documentName(const QString& data) {
    return data.mid(1);
}

QStringList defaultData(const QStringList& nodeTexts) {
    QStringList data;
    data.reserve(nodeTexts.size());
    for (const QString& text : nodeTexts)
        data.append(u'0' + text);
    return data;
}

} // namespace strukturfile
