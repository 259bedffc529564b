// What a drag brings onto an element list, in both content modes: links from a browser (URLs,
// text, a link's title as Firefox and Chromium give it, HTML) and files from a file manager,
// among them a desktop entry or a program with the fuzzer's bytes. Whatever a drag holds,
// reading it ends, and an entry it gives is a name a file can have and an address on one line.
#include "fuzzfile.h"
#include "platform/textfile.h"
#include "store/bookmarks.h"
#include "ui/widgets/dropentry.h"

#include <QGuiApplication>
#include <QMimeData>
#include <QUrl>

namespace {

// The input is a byte of choices, then up to five parts split at 0xFF: a text/uri-list, the
// text, the HTML, the title data ("text/x-moz-url", UTF-16) and the dropped file's content.
QList<QByteArray> parts(const uint8_t* data, size_t size) {
    QList<QByteArray> out;
    QByteArray part;
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0xff && out.size() < 4) {
            out << part;
            part.clear();
        } else {
            part += char(data[i]);
        }
    }
    out << part;
    while (out.size() < 5)
        out << QByteArray();
    return out;
}

void check(const std::optional<DroppedEntry>& entry, quint8 funkNo) {
    if (!entry)
        return;
    if (!store::bookmarks::isElementName(entry->navn) || !textfile::isLineText(entry->navn))
        __builtin_trap();
    if (entry->adresse.isEmpty() || !textfile::isLineText(entry->adresse))
        __builtin_trap();
    if (funkNo == 0) {
        const QString scheme = QUrl(entry->adresse).scheme();
        if (scheme != u"http" && scheme != u"https" && scheme != u"ftp")
            __builtin_trap();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // The link's title is read from HTML as a text document, which needs the application's
    // fonts: one application for the whole run, on no screen.
    static QGuiApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static int argc = 1;
        static char name[] = "fuzz_drop";
        static char* argv[] = {name, nullptr};
        return new QGuiApplication(argc, argv);
    }();
    (void)app;
    static FuzzFile desktop("dropped.desktop");
    static FuzzFile program("dropped");
    if (size == 0)
        return 0;
    const uint8_t choices = data[0];
    const QList<QByteArray> p = parts(data + 1, size - 1);

    QMimeData mime;
    QByteArray uriList = p[0];
    if (choices & 0x01) {
        FuzzFile& file = (choices & 0x02) ? desktop : program;
        if (!file.write(reinterpret_cast<const uint8_t*>(p[4].constData()), size_t(p[4].size())))
            return 0;
        QFile::setPermissions(file.path, (choices & 0x04) ? QFile::ReadOwner | QFile::WriteOwner |
                                                                QFile::ExeOwner
                                                          : QFile::ReadOwner | QFile::WriteOwner);
        uriList += "\r\n" + QUrl::fromLocalFile(file.path).toEncoded();
    }
    if (choices & 0x08)
        mime.setData(QStringLiteral("text/uri-list"), uriList);
    if (choices & 0x10)
        mime.setText(QString::fromUtf8(p[1]));
    if (choices & 0x20)
        mime.setHtml(QString::fromUtf8(p[2]));
    if (choices & 0x40)
        mime.setData(QStringLiteral("text/x-moz-url"), p[3]);
    for (const quint8 funkNo : {quint8(0), quint8(1)})
        check(droppedEntry(&mime, funkNo), funkNo);
    return 0;
}
