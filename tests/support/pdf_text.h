#pragma once

#include <QProcess>
#include <QStandardPaths>
#include <QString>

// The words of a PDF as pdftotext -layout reads them, runs of spaces made
// one (the reader guesses spaces from glyph positions: compare words, not
// widths). Null when pdftotext is not installed.
inline QString pdfWords(const QString& pdf)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (pdftotext.isEmpty())
        return {};
    QProcess reader;
    reader.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    reader.waitForFinished(30000);
    return QString::fromUtf8(reader.readAllStandardOutput()).simplified();
}
