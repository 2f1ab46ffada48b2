#pragma once

#include <QImage>
#include <QRect>

#include <vector>

// Shapes found on screenshots by colour.
namespace shapes {

// The connected areas of pixels that pass the test within an area, as bounding rectangles,
// largest first. Pieces a few pixels apart are one shape (an oval cut in two by its number);
// shapes of fewer than minimum pixels are left out.
std::vector<QRect> blobs(const QImage &image, const QRect &area, bool (*test)(QRgb), int minimum);

} // namespace shapes
