#include "screens/printing/label_page.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <zint.h>

#include <algorithm>
#include <memory>

namespace labelpage {

namespace {

// Sizes in millimetres.
constexpr QSizeF sheetLabel(70.0, 29.7);
constexpr QSizeF rollLabel(50.0, 30.0);
constexpr double sideMargin = 3.0;
constexpr double topMargin = 1.5;
constexpr double nameHeight = 3.5;
constexpr double codeHeight = 2.8;
constexpr double priceHeight = 4.5;
// Wider bars help no scanner; narrower ones than the paper allows are not drawn.
constexpr double widestModule = 0.5;

using Symbol = std::unique_ptr<zint_symbol, decltype(&ZBarcode_Delete)>;

// The code as zint's bars, without text: vector units of two per module.
Symbol encode(const QString& code)
{
    Symbol symbol(ZBarcode_Create(), &ZBarcode_Delete);
    if (!symbol)
        return symbol;
    symbol->symbology =
        labels::symbologyFor(code) == labels::Symbology::Ean13 ? BARCODE_EANX_CHK : BARCODE_CODE128;
    symbol->show_hrt = 0;
    symbol->output_options |= BARCODE_QUIET_ZONES;
    const QByteArray digits = code.toLatin1();
    const auto* data = reinterpret_cast<const unsigned char*>(digits.constData());
    if (ZBarcode_Encode(symbol.get(), data, int(digits.size())) >= ZINT_ERROR ||
        ZBarcode_Buffer_Vector(symbol.get(), 0) >= ZINT_ERROR || !symbol->vector)
        symbol.reset();
    return symbol;
}

// The bars of `code` filling `area` (device pixels) in height, centred in its width.
bool drawBars(QPainter& painter, const QString& code, const QRectF& area, double dotsPerMm)
{
    const Symbol symbol = encode(code);
    if (!symbol)
        return false;
    const zint_vector& bars = *symbol->vector;
    const double modules = bars.width / 2.0;
    const double module = std::min(widestModule * dotsPerMm, area.width() / modules);
    const double xScale = module / 2.0;
    const double yScale = area.height() / bars.height;
    const double left = area.left() + (area.width() - bars.width * xScale) / 2.0;
    for (const zint_vector_rect* bar = bars.rectangles; bar; bar = bar->next)
        painter.fillRect(QRectF(left + bar->x * xScale, area.top() + bar->y * yScale,
                                bar->width * xScale, bar->height * yScale),
                         Qt::black);
    return true;
}

// One text line centred in `area`, cut with an ellipsis when too long.
void drawLine(QPainter& painter, const QRectF& area, const QFont& font, const QString& text)
{
    painter.setFont(font);
    const QString shown =
        QFontMetricsF(font, painter.device()).elidedText(text, Qt::ElideRight, area.width());
    painter.drawText(area, Qt::AlignCenter, shown);
}

QFont labelFont(double points, bool bold = false)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

bool drawLabel(QPainter& painter, const labels::Item& item, const QRectF& cell, double dotsPerMm)
{
    const double left = cell.left() + sideMargin * dotsPerMm;
    const double width = cell.width() - 2 * sideMargin * dotsPerMm;
    double top = cell.top() + topMargin * dotsPerMm;
    const auto band = [&](double millimetres) {
        const QRectF area(left, top, width, millimetres * dotsPerMm);
        top += area.height();
        return area;
    };
    const double barsHeight =
        cell.height() / dotsPerMm - 2 * topMargin - nameHeight - codeHeight - priceHeight;
    drawLine(painter, band(nameHeight), labelFont(7), item.name);
    if (!drawBars(painter, item.code, band(barsHeight), dotsPerMm))
        return false;
    drawLine(painter, band(codeHeight), labelFont(6), item.code);
    drawLine(painter, band(priceHeight), labelFont(10, true), QStringLiteral("Rp. ") + item.price);
    return true;
}

} // namespace

QPageLayout pageLayout(labels::Layout layout)
{
    const QPageSize paper =
        layout == labels::Layout::Roll
            ? QPageSize(rollLabel, QPageSize::Millimeter, QStringLiteral("Label"))
            : QPageSize(QPageSize::A4);
    QPageLayout page(paper, QPageLayout::Portrait, QMarginsF(), QPageLayout::Millimeter);
    page.setMode(QPageLayout::FullPageMode);
    return page;
}

bool draw(QPagedPaintDevice& device, const QList<labels::Item>& items, labels::Layout layout,
          int start)
{
    device.setPageLayout(pageLayout(layout));
    QPainter painter(&device);
    if (!painter.isActive())
        return false;
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::black);
    const double dotsPerMm = device.logicalDpiX() / 25.4;
    const QSizeF label = (layout == labels::Layout::Roll ? rollLabel : sheetLabel) * dotsPerMm;
    int page = 0;
    for (int i = 0; i < items.size(); ++i) {
        const labels::Place place = labels::placeOf(i, layout, start);
        for (; page < place.page; ++page)
            device.newPage();
        const QRectF cell(QPointF(place.column * label.width(), place.row * label.height()), label);
        if (!drawLabel(painter, items[i], cell, dotsPerMm))
            return false;
    }
    return painter.end();
}

} // namespace labelpage
