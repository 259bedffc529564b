#include "entrycheck.h"

#include "urlcheck.h"

#include <QFileInfo>

namespace store {

EntryCheck checkEntry(quint8 funkNo, const QString& url, const QString& navn, int minNameLength,
                      const UrlCheck& urlCheck) {
    if (navn.size() < minNameLength)
        return EntryCheck::ShortName;
    if (funkNo == 0) {
        if (url.isEmpty())
            return EntryCheck::NoAddress;
        if (!urlCheck.IsValidURL(url))
            return EntryCheck::InvalidAddress;
        return EntryCheck::Ok;
    }
    if (url.isEmpty())
        return EntryCheck::NoProgram;
    if (!QFileInfo(url).isFile())
        return EntryCheck::ProgramMissing;
    return EntryCheck::Ok;
}

} // namespace store
