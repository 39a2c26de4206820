#pragma once

#include "core/outcome.h"
#include "logic/printed_page.h"

#include <QDir>
#include <QSizeF>
#include <QString>
#include <QStringList>

#include <functional>

class QPainter;
class QPrinter;

// Draws pages on the system's default printer (through CUPS). With no
// printer set up, the page is written as a PDF into the struk/ folder of the
// shop, under the job's name with a counter, never over an earlier file.
// A print gives the PDF file written instead of printing (empty when the
// page reached the printer), or why nothing could be printed or written.
class PagePrinter final
{
public:
    // `printerName` empty: no printer, every page goes to a PDF file.
    explicit PagePrinter(const QDir& shopFolder, QString printerName = defaultPrinterName());

    // The printer named by TOKO_PRINTER ("none": no printer), else the
    // system's default printer; empty when there is none.
    static QString defaultPrinterName();

    // A page of text lines placed in page units.
    Outcome<QString> print(const PrintedPage& page);
    // Plain text lines as a teletype prints them: fixed pitch, 10 points,
    // 12 characters per inch, long lines wrapped, a new page when full.
    Outcome<QString> printText(const QString& jobName, const QStringList& lines);
    // Pages that `draw` lays out itself (paper size included), such as labels.
    Outcome<QString> printPages(const QString& jobName, const std::function<bool(QPrinter&)>& draw);
    // A picture `size` units wide and high that `paint` draws, scaled to fit
    // the page and centred; the page turned to landscape when it is wider
    // than high.
    Outcome<QString> printPicture(const QString& jobName, const QSizeF& size,
                                  const std::function<void(QPainter&)>& paint);

    // The drawing itself, on a printer already set up (also for the preview);
    // false when the printer could not be painted on.
    static bool draw(QPrinter& printer, const PrintedPage& page);
    static bool drawText(QPrinter& printer, const QStringList& lines);

    // The PDF file for a job with no printer: struk/<name>_<n>.pdf, where the
    // name keeps letters, digits, spaces, "_" and "-" and n is the first
    // number not used yet.
    static QString pdfPathFor(const QDir& shopFolder, const QString& jobName);

private:
    template <typename Draw> Outcome<QString> run(const QString& jobName, Draw draw);

    QDir m_shopFolder;
    QString m_printerName;
};
