#include "maps/MapsEntryPoints.h"

void installMapsEntryPoints(frmMain *)
{}
