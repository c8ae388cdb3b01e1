#pragma once

#include <QImage>

// Page images are drawn at the resolution of a standard screen, so that a page shown in the
// preview at its natural size looks as large as the paper.
constexpr int PageBitmapDpi = 96;

// A blank white page image of the given size in pixels, at PageBitmapDpi.
QImage NewPageBitmap(int width, int height);
