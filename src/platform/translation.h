#pragma once

namespace platform {

// Installs the toolkit's own Danish texts (file dialogs, the fields' context menus, the
// standard buttons), whatever language the user's desktop speaks: the program's windows are
// Danish, and what the toolkit shows around them should be too. Done once per process; true
// when the toolkit's translation was found and installed.
bool installDanishToolkitTexts();

} // namespace platform
