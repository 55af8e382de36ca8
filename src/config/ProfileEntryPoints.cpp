#include "config/ProfileEntryPoints.h"

void installProfileEntryPoints(frmMain *)
{}
