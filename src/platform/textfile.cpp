#include "textfile.h"

#include <QFile>
#include <QSaveFile>
#include <QStringDecoder>

namespace textfile {

QString decode(const QByteArray& bytes) {
    if (auto bom = QStringConverter::encodingForData(bytes)) {
        QStringDecoder decoder(*bom, QStringDecoder::Flag::Stateless);
        QString text = decoder(bytes);
        if (!text.isEmpty() && text.front() == QChar::ByteOrderMark)
            text.remove(0, 1);
        return text;
    }
    // The quick decoder marks every invalid sequence with a replacement character, so a text
    // without one was valid UTF-8; only a text holding one needs the careful decoder to tell.
    QString text = QString::fromUtf8(bytes);
    if (!text.contains(QChar::ReplacementCharacter))
        return text;
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder ansi("windows-1252");
    return ansi(bytes);
}

QStringList splitLines(const QString& text) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        if (c != u'\r' && c != u'\n')
            continue;
        lines.append(text.mid(start, i - start));
        if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
            ++i;
        start = i + 1;
    }
    if (start < n)
        lines.append(text.mid(start));
    return lines;
}

std::optional<QStringList> readLines(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    return splitLines(decode(bytes));
}

bool writeLines(const QString& path, const QStringList& lines, QString* error) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += line.toUtf8();
        bytes += "\r\n";
    }
    QSaveFile file(path);
    // QSaveFile can commit a short file when the last flush fails part-way (a full disk, a size
    // limit), so the flush and the size are checked before the old file is replaced.
    const bool written = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() &&
                         file.flush() && file.size() == bytes.size();
    if (!written || !file.commit()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

} // namespace textfile
