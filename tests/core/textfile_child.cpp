// Writes a text file and is killed by the system at the worst moment: after the new content is
// on disk and before it replaces the old file.
//   textfile_child <path> <line>
#include "platform/textfile.h"

#include <QString>

#include <csignal>

int main(int argc, char* argv[]) {
    if (argc != 3)
        return 2;
    textfile::setBeforeReplace([] { std::raise(SIGKILL); });
    if (!textfile::writeLines(QString::fromLocal8Bit(argv[1]), {QString::fromLocal8Bit(argv[2])}))
        return 3;
    return 1; // not reached
}
