#include "screens/printing/page_printer.h"

#include <QFileInfo>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QRegularExpression>

#include <cmath>

PagePrinter::PagePrinter(const QDir& shopFolder, QString printerName)
    : m_shopFolder(shopFolder), m_printerName(std::move(printerName))
{
}

QString PagePrinter::defaultPrinterName()
{
    // TOKO_PRINTER names another printer, or "none" to keep every page as a PDF.
    const QString chosen = qEnvironmentVariable("TOKO_PRINTER").trimmed();
    if (chosen == u"none")
        return {};
    if (!chosen.isEmpty())
        return chosen;
    return QPrinterInfo::defaultPrinter().printerName();
}

QString PagePrinter::pdfPathFor(const QDir& shopFolder, const QString& jobName)
{
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9 _-]"));
    const QString name = QString(jobName).replace(unsafe, QStringLiteral("_"));
    const QDir folder(shopFolder.filePath(QStringLiteral("struk")));
    for (int n = 1;; ++n) {
        const QString path = folder.filePath(name + u'_' + QString::number(n) + u".pdf");
        if (!QFileInfo::exists(path))
            return path;
    }
}

template <typename Draw> Outcome<QString> PagePrinter::run(const QString& jobName, Draw draw)
{
    QString pdfFile;
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(jobName.left(255));
    if (!m_printerName.isEmpty()) {
        printer.setPrinterName(m_printerName);
    } else {
        pdfFile = pdfPathFor(m_shopFolder, jobName);
        m_shopFolder.mkpath(QStringLiteral("struk"));
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(pdfFile);
    }
    if (!printer.isValid())
        return Failure{QStringLiteral("printer tidak dapat dibuka")};
    if (!draw(printer))
        return Failure{m_printerName.isEmpty() ? QStringLiteral("file PDF tidak dapat ditulis")
                                               : QStringLiteral("printer ") + m_printerName +
                                                     QStringLiteral(" tidak dapat dipakai")};
    return pdfFile;
}

Outcome<QString> PagePrinter::print(const PrintedPage& page)
{
    return run(page.documentName, [&](QPrinter& printer) { return draw(printer, page); });
}

Outcome<QString> PagePrinter::printText(const QString& jobName, const QStringList& lines)
{
    return run(jobName, [&](QPrinter& printer) { return drawText(printer, lines); });
}

Outcome<QString> PagePrinter::printPages(const QString& jobName,
                                         const std::function<bool(QPrinter&)>& draw)
{
    return run(jobName, draw);
}

Outcome<QString> PagePrinter::printPicture(const QString& jobName, const QSizeF& size,
                                           const std::function<void(QPainter&)>& paint)
{
    return run(jobName, [&](QPrinter& printer) {
        printer.setPageOrientation(size.width() > size.height() ? QPageLayout::Landscape
                                                                : QPageLayout::Portrait);
        QPainter painter(&printer);
        if (!painter.isActive() || size.isEmpty())
            return false;
        const double scale =
            std::min(printer.width() / size.width(), printer.height() / size.height());
        painter.translate((printer.width() - size.width() * scale) / 2,
                          (printer.height() - size.height() * scale) / 2);
        painter.scale(scale, scale);
        paint(painter);
        return painter.end();
    });
}

bool PagePrinter::draw(QPrinter& printer, const PrintedPage& page)
{
    QPainter painter(&printer);
    if (!painter.isActive())
        return false;
    // Page units are ten-thousandths of the printable area.
    const double xScale = printer.width() / 10000.0;
    const double yScale = printer.height() / 10000.0;
    QFont font(page.fontFace);
    if (page.fontPoints > 0)
        font.setPointSize(page.fontPoints);
    font.setStyleHint(QFont::TypeWriter, QFont::PreferAntialias);
    painter.setFont(font);
    painter.setPen(Qt::black);
    const int ascent = painter.fontMetrics().ascent();
    for (const PlacedLine& line : page.lines) {
        // The line's top-left corner stands at its position; drawText wants the baseline.
        painter.drawText(QPoint(static_cast<int>(std::lround(line.x * xScale)),
                                static_cast<int>(std::lround(line.y * yScale)) + ascent),
                         line.text);
    }
    return painter.end();
}

bool PagePrinter::drawText(QPrinter& printer, const QStringList& lines)
{
    QPainter painter(&printer);
    if (!painter.isActive())
        return false;
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPointSize(10);
    painter.setFont(font);
    painter.setPen(Qt::black);
    // A teletype: every character in a cell of 1/12 inch, wrapped at the edge.
    const double cell = printer.resolution() / 12.0;
    const int perLine = std::max(1, static_cast<int>(printer.width() / cell));
    const int lineHeight = painter.fontMetrics().lineSpacing();
    const int ascent = painter.fontMetrics().ascent();
    int y = 0;
    const auto put = [&](const QString& text) {
        if (y + lineHeight > printer.height()) {
            printer.newPage();
            y = 0;
        }
        for (int i = 0; i < text.size(); ++i)
            painter.drawText(QPointF(i * cell, y + ascent), QString(text.at(i)));
        y += lineHeight;
    };
    for (const QString& line : lines) {
        if (line.isEmpty())
            put(line);
        for (qsizetype start = 0; start < line.size(); start += perLine)
            put(line.mid(start, perLine));
    }
    return painter.end();
}
