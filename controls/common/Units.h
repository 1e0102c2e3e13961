#pragma once

class QPaintDevice;

// Unit conversions of the controls: twips (1/1440 inch) that users type, HIMETRIC (1/100 mm)
// of picture sizes and persisted extents, and device pixels.
namespace qv {

// (twips + t/2) / t with t = 1440 / dpi in integer arithmetic: 705 twips are 47 pixels at 96
// dpi. Above 1440 dpi t would be 0; it is held at 1 there.
int twipsToPixels(int twips, int dpi);
// With the horizontal (X) or vertical (Y) resolution of `device`, or of the primary screen
// when it is null.
int XTwipsToPixels(int twips, const QPaintDevice *device = nullptr);
int YTwipsToPixels(int twips, const QPaintDevice *device = nullptr);

} // namespace qv
