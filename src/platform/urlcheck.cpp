#include "platform/urlcheck.h"

#include <QFileInfo>
#include <QMimeDatabase>
#include <QUrl>

#include <array>

namespace {

// An absolute local path: on Windows a drive path such as C:\Programmer\x.exe or a network
// path \\server\share.
bool isLocalPath(const QString& text) {
#ifdef Q_OS_WIN
    return (text.size() >= 3 && text[0].isLetter() && text[1] == u':' &&
            (text[2] == u'\\' || text[2] == u'/')) ||
           text.startsWith(QStringLiteral("\\\\"));
#else
    return text.startsWith(u'/');
#endif
}

// A complete address with a scheme the shell can open, or an absolute local path. Empty,
// relative and malformed texts (blanks, a bad host or port) are refused.
class SystemUrlCheck : public UrlCheck {
public:
    bool IsValidURL(const QString& text) const override {
        if (text.isEmpty())
            return false;
        if (isLocalPath(text))
            return true;
        const QUrl url(text, QUrl::StrictMode);
        if (!url.isValid())
            return false;
        const QString scheme = url.scheme().toLower();
        if (scheme == u"http" || scheme == u"https" || scheme == u"ftp")
            return !url.host().isEmpty();
        if (scheme == u"file" || scheme == u"mailto")
            return !url.path().isEmpty();
        return false;
    }
};

// The kinds of file the desktop runs rather than shows when it is asked to open one: programs
// and scripts (every script type is a kind of application/x-executable), desktop entries, and
// the programs of Windows and Java, which a desktop with Wine or Java starts as it opens them.
constexpr std::array programTypes{
    "application/x-executable",
    "application/x-sharedlib",
    "application/x-desktop",
    "application/x-ms-dos-executable",
    "application/x-msdownload",
    "application/x-msi",
    "application/x-ms-shortcut",
    "application/x-bat",
    "application/x-java-archive",
    "application/x-java-jnlp-file",
    "application/vnd.microsoft.portable-executable",
};

// What Windows runs by its name alone, whatever the type database of this computer says.
constexpr std::array programSuffixes{"exe", "com", "bat", "cmd", "pif", "scr", "lnk",
                                     "msi", "msp", "hta", "vbs", "vbe", "js",  "jse",
                                     "wsf", "wsh", "cpl", "jar", "reg", "ps1"};

bool isProgramFile(const QFileInfo& info) {
    // A file the user may run is a program to the desktop's opener, whatever it holds.
    if (info.isExecutable())
        return true;
    const QString suffix = info.suffix().toLower();
    for (const char* s : programSuffixes) {
        if (suffix == QLatin1String(s))
            return true;
    }
    // By name and by content, so a program renamed to look like a document is known too.
    const QMimeType type = QMimeDatabase().mimeTypeForFile(info);
    for (const char* name : programTypes) {
        if (type.inherits(QLatin1String(name)))
            return true;
    }
    return false;
}

} // namespace

std::unique_ptr<UrlCheck> UrlCheck::system() {
    return std::make_unique<SystemUrlCheck>();
}

QString localPathOf(const QString& address) {
    if (isLocalPath(address))
        return address;
    const QUrl url(address, QUrl::StrictMode);
    if (!url.isValid() || !url.isLocalFile())
        return {};
    const QString path = url.toLocalFile();
    return isLocalPath(path) ? path : QString();
}

AddressTarget addressTarget(const QString& address) {
    const QString path = localPathOf(address);
    if (path.isEmpty())
        return AddressTarget::Elsewhere;
    const QFileInfo info(path);
    if (!info.exists())
        return AddressTarget::Missing;
    if (info.isDir())
        return AddressTarget::Folder;
    // Only a regular file has a type worth reading; the first bytes of a named pipe would keep
    // the program waiting for a writer.
    if (!info.isFile())
        return AddressTarget::Special;
    return isProgramFile(info) ? AddressTarget::Program : AddressTarget::Document;
}
