#pragma once

// Opens the program's first window, as the executable does after choosing its directory.
void startVantor();
