#pragma once

class QWidget;

// Window geometry is stated in twips (1/1440 inch): 15 twips make one pixel on a 96-dpi screen,
// scaled by the screen's logical dpi.
int twipsToPixels(double twips, const QWidget *on = nullptr);
double pixelsToTwips(int pixels, const QWidget *on = nullptr);
