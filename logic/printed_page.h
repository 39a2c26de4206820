#pragma once

#include <QList>
#include <QString>

// One printed page as text lines placed in page units: x in ten-thousandths
// of the printable width, y in ten-thousandths of the printable height. The
// receipts of sizes 1 to 3 and the payment vouchers are built as such pages
// and drawn by the page printer.
struct PlacedLine {
    int x = 0;
    int y = 0;
    QString text;

    friend bool operator==(const PlacedLine&, const PlacedLine&) = default;
};

struct PrintedPage {
    QString documentName; // the title of the print job
    QString fontFace;
    int fontPoints = 12;
    QList<PlacedLine> lines;

    // The texts of the lines in order, for reading a layout at a glance.
    QStringList texts() const
    {
        QStringList all;
        for (const PlacedLine& line : lines)
            all.append(line.text);
        return all;
    }
};
