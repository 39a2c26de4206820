#pragma once

#include "core/config_files.h"
#include "core/outcome.h"
#include "core/table.h"

#include <QByteArray>
#include <QDir>
#include <QList>
#include <QString>
#include <QStringList>

class AppContext;

// Handing a list to one of the two export libraries, which turn it into a
// web page (webtable) or a spreadsheet (sheettable) in laporan/ of the shop
// folder.
namespace exporting {

enum class Format { WebPage, Spreadsheet };

// The caption of every box an export shows.
QString caption();
// "webtable" or "sheettable".
QString libraryName(Format format);
// What the libraries' files end with: "html" or "xlsx".
QString fileExtension(Format format);

// A list as it goes out: the columns shown on screen in their order, with
// the widths the screen gives them; a column of width 0 is the screen's own
// store (the price tiers of a product) and the reader never saw it, so it
// stays home. A column without a width is 100 pixels wide, as on screen.
struct ExportTable {
    QString title;
    ShopIdentity shop;
    QStringList headers;
    QString alignments; // one letter a column: l, r or c
    QList<int> widths;
    QList<QStringList> rows; // each has exactly one cell a column
};

ExportTable exportTableOf(const QString& title, const Table& list, const QList<int>& widths,
                          const ShopIdentity& shop);

// The texts sData gets, in UTF-8. webtable: meta (title;name;address;letters),
// header (headers joined with ";") and data (rows joined with ";", cells with
// ","). sheettable: the header line and the rows as lines joined with ";",
// cells joined with "," after "." is dropped and "," becomes "-".
struct WebTexts {
    QByteArray meta;
    QByteArray header;
    QByteArray data;
};
WebTexts webTexts(const ExportTable& table);
QByteArray sheetData(const ExportTable& table);

// Where a library is looked for, in order: beside the program (a build
// folder), in toko's own library folder where it is installed, then by its
// bare name on the system's library path.
QStringList libraryCandidates(Format format);

// The title as a file name: no folder separators, no characters that other
// systems refuse, no leading dot, at most 80 characters; "Laporan" when
// nothing is left.
QString safeFileTitle(const QString& title);

// Creates a new empty file `folder`/<safe title>-<n>.<extension> with the
// lowest n that is free, making the folder when needed; an existing file is
// never touched. The path, or why no file could be made.
Outcome<QString> reserveReportFile(const QDir& folder, const QString& title,
                                   const QString& extension);

// Loads the first of `candidates` that loads and hands it the table: through
// toko_export_v1 into a new file in `reportFolder` when the library has it,
// else through sData. The written file, or an empty text when sData decided
// where its file goes. Nothing is written when the library or both functions
// are missing, and a half-written file is removed.
Outcome<QString> exportTable(Format format, const ExportTable& table, const QDir& reportFolder,
                             const QStringList& candidates);

// The usual call: `list` with its columns' `widths` under `title`, into
// laporan/ of the shop folder.
Outcome<QString> exportTable(Format format, const QString& title, const Table& list,
                             const QList<int>& widths, const AppContext& context);

} // namespace exporting
