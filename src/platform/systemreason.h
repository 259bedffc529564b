#pragma once

#include <QString>

// The reason the system gives for a failed file operation, as the error boxes show it: in
// Danish for the reasons a user meets (no access, no room, no such file, ...), in the system's
// own words for the rare rest.
QString systemReason(int errnum);

// The reason for the error the last system call left (errno, or GetLastError on Windows).
QString lastSystemReason();
