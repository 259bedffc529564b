#pragma once

#include <QLatin1StringView>
#include <QString>

// The names of the text-file writer's temporary files, ".lenkaro-XXXXXX.tmp" beside the file
// they replace. The writer makes them; folder listings pass over them.
namespace textfile {

inline constexpr QLatin1StringView temporaryPrefix(".lenkaro-");
inline constexpr QLatin1StringView temporarySuffix(".tmp");
inline constexpr qsizetype temporaryRandom = 6; // as the XXXXXX of QTemporaryFile

// True for the names of the writer's temporary files.
inline bool isTemporaryName(const QString& name) {
    return name.size() == temporaryPrefix.size() + temporaryRandom + temporarySuffix.size() &&
           name.startsWith(temporaryPrefix) && name.endsWith(temporarySuffix);
}

} // namespace textfile
