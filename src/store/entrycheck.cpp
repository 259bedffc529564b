#include "store/entrycheck.h"

#include "platform/textfile.h"
#include "platform/urlcheck.h"

#include <QFileInfo>

namespace store {

EntryCheck checkEntry(quint8 funkNo, const QString& url, const QString& navn, int minNameLength,
                      const UrlCheck& urlCheck) {
    if (navn.size() < minNameLength)
        return EntryCheck::ShortName;
    // A line break or another control character would cut the element's file: such a text is
    // no address, and no program the element could keep.
    if (funkNo == 0) {
        if (url.isEmpty())
            return EntryCheck::NoAddress;
        if (!urlCheck.IsValidURL(url) || !textfile::isLineText(url))
            return EntryCheck::InvalidAddress;
        return EntryCheck::Ok;
    }
    if (url.isEmpty())
        return EntryCheck::NoProgram;
    if (!textfile::isLineText(url) || !QFileInfo(url).isFile())
        return EntryCheck::ProgramMissing;
    return EntryCheck::Ok;
}

} // namespace store
