#include "platform/urlcheck.h"

#include <QDir>
#include <QUrl>

namespace {
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

private:
    static bool isLocalPath(const QString& text) {
#ifdef Q_OS_WIN
        // A drive path such as C:\Programmer\x.exe, or a network path \\server\share.
        return (text.size() >= 3 && text[0].isLetter() && text[1] == u':' &&
                (text[2] == u'\\' || text[2] == u'/')) ||
               text.startsWith(QStringLiteral("\\\\"));
#else
        return text.startsWith(u'/');
#endif
    }
};
} // namespace

std::unique_ptr<UrlCheck> UrlCheck::system() {
    return std::make_unique<SystemUrlCheck>();
}
