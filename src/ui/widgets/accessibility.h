#pragma once

// What a screen reader meets in every window of the program, set up once per run; later calls
// do nothing:
// - the windows made as plain widgets are announced as windows, named by their title, as the
//   main windows and dialogs are;
// - every control's hint, the text the status bar shows for it, is also its description, so
//   it is read out when the control takes the focus.
void installAccessibility();
