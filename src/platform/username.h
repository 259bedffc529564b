#pragma once

#include <QString>

namespace platform {

// The login name of the user running the program, from the system's account database;
// empty when it cannot be had.
QString loginName();

} // namespace platform
