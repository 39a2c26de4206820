#include "screens/reports/dashboard_charts.h"

#include "core/text_ops.h"

#include <QLocale>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <cmath>

using namespace Qt::StringLiterals;

namespace charts {

namespace {

const QColor ink(0x20, 0x20, 0x20);
const QColor faint(0x70, 0x70, 0x70);
const QColor grid(0xd8, 0xd8, 0xd8);
const QColor card(0xf3, 0xf5, 0xf8);
const QColor salesColour(0x2a, 0x6f, 0xb5);
const QColor profitColour(0x2e, 0x8b, 0x3a);
const QColor warning(0xb0, 0x30, 0x20);

const QLocale indonesian(QLocale::Indonesian, QLocale::Indonesia);

// Fonts in board units: pixel sizes scale with the painter.
QFont font(int pixels, bool bold = false)
{
    QFont chosen(u"Arial"_s);
    chosen.setPixelSize(pixels);
    chosen.setBold(bold);
    return chosen;
}

// `flags`: the alignment, and Qt::TextWordWrap where a text may take two lines.
void text(QPainter& painter, const QRectF& area, const QString& shown, int pixels,
          int flags = Qt::AlignLeft | Qt::AlignVCenter, const QColor& colour = ink,
          bool bold = false)
{
    painter.setFont(font(pixels, bold));
    painter.setPen(colour);
    painter.drawText(area, flags, shown);
}

// A round axis maximum at or above `value`: 1, 2 or 5 times a power of ten,
// at least 1,000 so that every line of the grid is whole rupiah.
double niceCeiling(double value)
{
    if (value <= 1000)
        return 1000;
    const double power = std::pow(10.0, std::floor(std::log10(value)));
    for (const double step : {1.0, 2.0, 5.0, 10.0}) {
        if (value <= step * power)
            return step * power;
    }
    return 10 * power;
}

// Four grid lines from `low` to `high`, labelled on the left of `plot`.
void drawGrid(QPainter& painter, const QRectF& plot, double low, double high)
{
    for (int i = 0; i <= 4; ++i) {
        const double value = low + (high - low) * i / 4;
        const double y = plot.bottom() - plot.height() * i / 4;
        painter.setPen(QPen(value == 0 ? faint : grid, 1));
        painter.drawLine(QPointF(plot.left(), y), QPointF(plot.right(), y));
        text(painter, QRectF(plot.left() - 64, y - 8, 58, 16), shortAmount(value), 11,
             Qt::AlignRight | Qt::AlignVCenter, faint);
    }
}

void drawCard(QPainter& painter, const QRectF& area, const QString& title)
{
    painter.setPen(Qt::NoPen);
    painter.setBrush(card);
    painter.drawRoundedRect(area, 6, 6);
    painter.setBrush(Qt::NoBrush);
    text(painter, QRectF(area.left() + 12, area.top() + 6, area.width() - 24, 24), title, 15,
         Qt::AlignLeft | Qt::AlignVCenter, ink, true);
}

// Rows of a card: a caption, then one or two figures in columns on the right.
void drawCardRows(QPainter& painter, const QRectF& area, const QStringList& columns,
                  const QList<QStringList>& rows)
{
    const double top = area.top() + 34;
    const double figureWidth = 96;
    const double right = area.right() - 12;
    for (int c = 0; c < columns.size(); ++c) {
        const double x = right - figureWidth * (columns.size() - c);
        text(painter, QRectF(x, top, figureWidth, 18), columns.at(c), 11,
             Qt::AlignRight | Qt::AlignVCenter, faint);
    }
    for (int r = 0; r < rows.size(); ++r) {
        const QStringList& row = rows.at(r);
        const double y = top + 22 + r * 25;
        text(painter, QRectF(area.left() + 12, y, 120, 22), row.value(0), 13);
        for (int c = 1; c < row.size(); ++c) {
            const double x = right - figureWidth * (row.size() - c);
            text(painter, QRectF(x, y, figureWidth, 22), row.at(c), 13,
                 Qt::AlignRight | Qt::AlignVCenter, c == 1 ? ink : faint, c == 1);
        }
    }
}

QString dayName(const QDate& date)
{
    return indonesian.toString(date, u"ddd d/M"_s);
}

void drawToday(QPainter& painter, const QRectF& area, const dashboard::Summary& summary)
{
    drawCard(painter, area, u"Hari ini"_s);
    const dashboard::Day& now = summary.today;
    const dashboard::Day& before = summary.weekAgo;
    drawCardRows(painter, area, {dayName(now.date), dayName(before.date)},
                 {{u"Penjualan"_s, rupiah(now.sales), rupiah(before.sales)},
                  {u"Jumlah nota"_s, QString::number(now.count), QString::number(before.count)},
                  {u"Kas masuk"_s, rupiah(now.cash), rupiah(before.cash)}});
}

void drawMonth(QPainter& painter, const QRectF& area, const Board& board)
{
    const QString days = u"1-"_s + QString::number(board.today.day());
    drawCard(painter, area, u"Bulan ini s/d tgl "_s + QString::number(board.today.day()));
    const reports::MonthFigures& now = board.summary.month;
    const reports::MonthFigures& before = board.summary.lastMonth;
    const QDate lastMonth = board.today.addMonths(-1);
    drawCardRows(painter, area,
                 {indonesian.toString(board.today, u"MMM"_s) + u' ' + days,
                  indonesian.toString(lastMonth, u"MMM"_s) + u' ' + days},
                 {{u"Penjualan"_s, rupiah(now.sales), rupiah(before.sales)},
                  {u"Laba kotor"_s, rupiah(now.net), rupiah(before.net)},
                  {u"Sisa akhir"_s, rupiah(now.rest), rupiah(before.rest)}});
}

QStringList debtRow(const QString& caption, const dashboard::Debts& debts)
{
    return {caption, rupiah(debts.open), rupiah(debts.overdue)};
}

void drawDebts(QPainter& painter, const QRectF& area, const dashboard::Summary& summary)
{
    drawCard(painter, area, u"Piutang dan Hutang"_s);
    drawCardRows(painter, area, {u"Terbuka"_s, u"Jatuh tempo"_s},
                 {debtRow(u"Piutang"_s, summary.receivable),
                  {u"   nota"_s, QString::number(summary.receivable.documents),
                   QString::number(summary.receivable.overdueDocuments)},
                  debtRow(u"Hutang"_s, summary.payable),
                  {u"   nota"_s, QString::number(summary.payable.documents),
                   QString::number(summary.payable.overdueDocuments)}});
}

void drawLowStock(QPainter& painter, const QRectF& area, const dashboard::Summary& summary)
{
    drawCard(painter, area, u"Stock Minim"_s);
    text(painter, QRectF(area.left() + 12, area.top() + 40, area.width() - 24, 60),
         QString::number(summary.lowStock) + u" barang"_s, 34, Qt::AlignLeft | Qt::AlignVCenter,
         summary.lowStock > 0 ? warning : ink, true);
    text(painter, QRectF(area.left() + 12, area.top() + 104, area.width() - 24, 40),
         summary.lowStockBelow.isEmpty()
             ? u"Batas belum dipakai di Laporan Stock Minim"_s
             : u"stock di bawah "_s + summary.lowStockBelow + u" (semua kategori)"_s,
         12, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, faint);
}

void drawBestSellers(QPainter& painter, const QRectF& area, const Board& board)
{
    drawCard(painter, area, u"10 Barang Terlaris Bulan Ini"_s);
    const QList<dashboard::Product>& best = board.bestSellers;
    if (best.isEmpty()) {
        text(painter, area.adjusted(12, 40, -12, -12),
             board.bestSellersRead ? u"Belum ada penjualan bulan ini"_s : u"Memuat…"_s, 13,
             Qt::AlignCenter, faint);
        return;
    }
    const double top = area.top() + 36;
    const double rowHeight = (area.height() - 44) / 10;
    const double most = std::max(best.first().amount, 1.0);
    const double barLeft = area.left() + 250;
    const double barRoom = area.width() - 250 - 112;
    for (int i = 0; i < best.size(); ++i) {
        const dashboard::Product& product = best.at(i);
        const double y = top + i * rowHeight;
        text(painter, QRectF(area.left() + 12, y, 236, rowHeight),
             QString::number(i + 1) + u". "_s + product.name, 12);
        painter.fillRect(QRectF(barLeft, y + rowHeight * 0.2,
                                std::max(0.0, barRoom * product.amount / most), rowHeight * 0.6),
                         salesColour);
        text(painter, QRectF(area.right() - 108, y, 96, rowHeight), rupiah(product.amount), 12,
             Qt::AlignRight | Qt::AlignVCenter);
    }
}

} // namespace

QString rupiah(double amount)
{
    return indonesian.toString(text::wholeNumber(text::roundHalfEven(amount)));
}

QString shortAmount(double amount)
{
    const double size = std::abs(amount);
    const auto scaled = [&](double unit, const QString& word) -> QString {
        return indonesian.toString(amount / unit, 'g', 3) + u' ' + word;
    };
    if (size >= 1e9)
        return scaled(1e9, u"M"_s);
    if (size >= 1e6)
        return scaled(1e6, u"jt"_s);
    if (size >= 1e3)
        return scaled(1e3, u"rb"_s);
    return indonesian.toString(amount, 'g', 3);
}

void drawBars(QPainter& painter, const QRectF& area, const QList<double>& values)
{
    const QRectF plot = area.adjusted(70, 10, -10, -24);
    double high = 0;
    for (const double value : values)
        high = std::max(high, value);
    high = niceCeiling(high);
    drawGrid(painter, plot, 0, high);
    if (values.isEmpty())
        return;
    // Room for a whole month, so the bars keep their width as the month goes on.
    const double slot = plot.width() / std::max<qsizetype>(31, values.size());
    for (int i = 0; i < values.size(); ++i) {
        const double height = plot.height() * std::max(0.0, values.at(i)) / high;
        const double x = plot.left() + i * slot;
        painter.fillRect(QRectF(x + slot * 0.15, plot.bottom() - height, slot * 0.7, height),
                         salesColour);
        if (i == 0 || (i + 1) % 5 == 0)
            text(painter, QRectF(x - 10, plot.bottom() + 4, slot + 20, 16), QString::number(i + 1),
                 11, Qt::AlignHCenter | Qt::AlignTop, faint);
    }
}

void drawLines(QPainter& painter, const QRectF& area, const QList<dashboard::MonthPoint>& months)
{
    const QRectF plot = area.adjusted(70, 30, -10, -24);
    double low = 0, high = 0;
    for (const dashboard::MonthPoint& point : months) {
        high = std::max({high, point.sales, point.profit});
        low = std::min({low, point.sales, point.profit});
    }
    high = niceCeiling(high);
    low = low < 0 ? -niceCeiling(-low) : 0;
    drawGrid(painter, plot, low, high);

    // The legend above the plot.
    const auto legend = [&](double x, const QColor& colour, const QString& caption) {
        painter.fillRect(QRectF(x, area.top() + 8, 14, 14), colour);
        text(painter, QRectF(x + 20, area.top() + 4, 140, 22), caption, 12);
    };
    legend(plot.left(), salesColour, u"Penjualan"_s);
    legend(plot.left() + 130, profitColour, u"Laba kotor"_s);

    const double step = plot.width() / 12;
    const auto at = [&](int i, double value) {
        return QPointF(plot.left() + step * (i + 0.5),
                       plot.bottom() - plot.height() * (value - low) / (high - low));
    };
    for (int i = 0; i < months.size(); ++i) {
        const QDate month = QDate::fromString(months.at(i).month + u"-01"_s, Qt::ISODate);
        text(painter, QRectF(plot.left() + step * i, plot.bottom() + 4, step, 16),
             indonesian.toString(month, u"MMM yy"_s), 11, Qt::AlignHCenter | Qt::AlignTop, faint);
    }
    for (const bool sales : {true, false}) {
        const QColor& colour = sales ? salesColour : profitColour;
        QPainterPath path;
        for (int i = 0; i < months.size(); ++i) {
            const QPointF point = at(i, sales ? months.at(i).sales : months.at(i).profit);
            if (i == 0)
                path.moveTo(point);
            else
                path.lineTo(point);
        }
        painter.setPen(QPen(colour, 2.5));
        painter.drawPath(path);
        painter.setBrush(colour);
        for (int i = 0; i < months.size(); ++i)
            painter.drawEllipse(at(i, sales ? months.at(i).sales : months.at(i).profit), 3.5, 3.5);
        painter.setBrush(Qt::NoBrush);
    }
}

void drawBoard(QPainter& painter, const Board& board)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(QRectF(QPointF(0, 0), boardSize), Qt::white);

    text(painter, QRectF(16, 8, 600, 40), u"Ringkasan Toko"_s, 26, Qt::AlignLeft | Qt::AlignVCenter,
         ink, true);
    text(painter, QRectF(584, 8, 600, 40), indonesian.toString(board.today, u"dddd, d MMMM yyyy"_s),
         16, Qt::AlignRight | Qt::AlignVCenter, faint);

    const double cardWidth = (1200 - 16 * 5) / 4.0;
    const auto cardAt = [&](int i) {
        return QRectF(16 + i * (cardWidth + 16), 56, cardWidth, 168);
    };
    drawToday(painter, cardAt(0), board.summary);
    drawMonth(painter, cardAt(1), board);
    drawDebts(painter, cardAt(2), board.summary);
    drawLowStock(painter, cardAt(3), board.summary);

    const QRectF daily(16, 236, 1168, 236);
    text(painter, QRectF(daily.left(), daily.top(), 600, 24),
         u"Penjualan per hari bulan "_s + indonesian.toString(board.today, u"MMMM yyyy"_s), 15,
         Qt::AlignLeft | Qt::AlignVCenter, ink, true);
    drawBars(painter, daily.adjusted(0, 28, 0, 0), board.summary.dailySales);

    const QRectF twelve(16, 484, 620, 300);
    QString title = u"Penjualan dan laba 12 bulan"_s;
    if (board.months.size() < board.monthsWanted)
        title += u"  (memuat "_s + QString::number(board.months.size()) + u'/' +
                 QString::number(board.monthsWanted) + u"…)"_s;
    text(painter, QRectF(twelve.left(), twelve.top(), twelve.width(), 24), title, 15,
         Qt::AlignLeft | Qt::AlignVCenter, ink, true);
    drawLines(painter, twelve.adjusted(0, 24, 0, 0), board.months);

    drawBestSellers(painter, QRectF(652, 484, 532, 300), board);
    painter.restore();
}

} // namespace charts
