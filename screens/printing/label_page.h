#pragma once

#include "logic/labels.h"

#include <QList>
#include <QPageLayout>

class QPagedPaintDevice;

// Price labels drawn on paper: the product's name, its code as a bar code
// (bars as filled rectangles, never smoothed, so the scanner reads them from
// any printer) with the code in digits under it, and the selling price.
namespace labelpage {

// The paper of a layout, painted edge to edge: an A4 sheet of 70 x 29.7 mm
// labels, or one label of a 50 x 30 mm roll.
QPageLayout pageLayout(labels::Layout layout);

// Sets `device` up for `layout` and draws `items` (one label each, in print
// order) where labels::placeOf puts them. False when the device could not be
// painted on or a bar code could not be made.
bool draw(QPagedPaintDevice& device, const QList<labels::Item>& items, labels::Layout layout,
          int start);

} // namespace labelpage
