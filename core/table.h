#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <Qt>

// Rows of text as logic hands them to a screen or an export: each column's
// caption and alignment (the export writes the alignment as a letter), then
// the rows, each cell a text as it is shown. No pixel widths, fonts or
// colours: those belong to the screen that shows it.
struct Table {
    struct Column {
        QString caption;
        Qt::Alignment alignment = Qt::AlignLeft;
    };
    QList<Column> columns;
    QList<QStringList> rows;
};
