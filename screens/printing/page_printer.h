#pragma once

#include "logic/printed_page.h"

#include <QDir>
#include <QString>
#include <QStringList>

class QPrinter;

// Where a print went: to a printer, or into a PDF file when there is none.
struct PrintOutcome {
    bool printed = false; // reached the default printer
    QString pdfFile;      // the file written instead, when there is no printer
    QString error;        // nothing could be printed or written
};

// Draws pages on the system's default printer (through CUPS). With no
// printer set up, the page is written as a PDF into the struk/ folder of the
// shop, under the job's name with a counter, never over an earlier file.
class PagePrinter final
{
public:
    // `printerName` empty: no printer, every page goes to a PDF file.
    explicit PagePrinter(const QDir& shopFolder, QString printerName = defaultPrinterName());

    // The printer named by TOKO_PRINTER ("none": no printer), else the
    // system's default printer; empty when there is none.
    static QString defaultPrinterName();

    // A page of text lines placed in page units.
    PrintOutcome print(const PrintedPage& page);
    // Plain text lines as a teletype prints them: fixed pitch, 10 points,
    // 12 characters per inch, long lines wrapped, a new page when full.
    PrintOutcome printText(const QString& jobName, const QStringList& lines);

    // The drawing itself, on a printer already set up (also for the preview);
    // false when the printer could not be painted on.
    static bool draw(QPrinter& printer, const PrintedPage& page);
    static bool drawText(QPrinter& printer, const QStringList& lines);

    // The PDF file for a job with no printer: struk/<name>_<n>.pdf, where the
    // name keeps letters, digits, spaces, "_" and "-" and n is the first
    // number not used yet.
    static QString pdfPathFor(const QDir& shopFolder, const QString& jobName);

private:
    template <typename Draw> PrintOutcome run(const QString& jobName, Draw draw);

    QDir m_shopFolder;
    QString m_printerName;
};
