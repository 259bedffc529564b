#pragma once

#include <QObject>

#include <functional>

namespace platform {

// Calls handler on the user-interface thread when the session ends the program
// (SIGTERM, SIGHUP or SIGINT on Unix), so that it can close the way a user would.
// The handler lives as long as context.
void onTermination(QObject* context, std::function<void()> handler);

// Makes a write beyond the file-size limit fail with an error, as a full disk does, instead of
// ending the program (SIGXFSZ on Unix). Called first thing at program start.
void ignoreFileSizeSignal();

} // namespace platform
