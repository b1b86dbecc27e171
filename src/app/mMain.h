// The program's start: splash, main form, then the message loop.
#pragma once

namespace app {

// Shows the splash, loads the main form and shows it (it hides itself at once).
void Main();

// Runs the thread's message loop until no form of the program is loaded.
int RunMessageLoop();

}  // namespace app
