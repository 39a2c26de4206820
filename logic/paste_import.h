#pragma once

#include "core/outcome.h"
#include "core/side.h"

#include <QList>
#include <QString>
#include <QStringList>

class Database;

// Rows copied from a spreadsheet and pasted into the products master or the
// customers or suppliers master: the clipboard text cut into rows, the rows
// the screen lists before asking, the import itself and the texts that say
// what it did.
//
// The screens reach it through paste::fromClipboard (screens/masters/paste_prompt.h).
namespace paste {

// One line of the pasted text: its number in the text (1-based, blank lines
// counted, so it is the row's place in the copied block) and its fields.
struct Line {
    int number = 0;
    QStringList fields;

    friend bool operator==(const Line&, const Line&) = default;
};

// Cuts `text` into lines at CR LF, LF or CR, the last line kept even without
// a line end; only the line ends are dropped. Lines that are empty or hold
// nothing but tabs are skipped. Fields are split at tabs. In every field each
// ' becomes ` and NUL characters (which would cut the value short in the
// database) are dropped; a lone half of a surrogate pair becomes U+FFFD.
// There is no header line.
QList<Line> parse(QStringView text);

// The products list has ten columns (Kode … Barcode, and Grosir shown only),
// a customers or suppliers list five (Kode shown only, Nama … Keterangan).
inline constexpr int productColumns = 10;
inline constexpr int partyColumns = 5;

// The lines as rows of the products list: fields 1 to 10, missing ones empty,
// further ones left out.
QList<QStringList> productRows(const QList<Line>& lines);
// The lines as rows of a customers or suppliers list: fields 1 to 5.
QList<QStringList> partyRows(const QList<Line>& lines);

// A row that was not stored: its line, the product's code or the party's
// name as pasted (shortened when long) and why.
struct Refusal {
    int line = 0;
    QString label;
    QString reason;

    friend bool operator==(const Refusal&, const Refusal&) = default;
};

// What one import did.
struct Result {
    QString subject;           // how the summary names the rows: barang, Pelanggan, Supplier
    int pasted = 0;            // lines pasted
    QList<QStringList> stored; // the rows as stored, in the list's columns, pasted order
    QList<Refusal> refused;    // the rows refused, pasted order
};

// Stores the pasted products in one transaction, each row undone alone when
// refused: a code products::checkCode refuses, a code already stored or
// already taken by an earlier line of this paste, a number refused by
// products::checkNumbers, or a refusal of the database itself. Fields 1 to
// 9 go to kode, nama, kategori, stock, satuan, hpp, hargajual, diskon and
// barcode with jenis "barang"; the tiers are not written. Fails, storing
// nothing, when the transaction cannot be begun or committed.
Outcome<Result> importProducts(Database& db, const QList<Line>& lines);

// Stores the pasted customers (Side::Sales) or suppliers (Side::Purchase) in
// one transaction: fields 2 to 5 go to nama, alamat, kontak and catatan; the
// pasted code is never used. Codes count on from the number of the greatest
// document code, skipping codes already given; where that number has no room
// in the code they count on from the table's last code, as the master screen
// does. When no code is left the row is refused with the master screen's
// message. Fails, storing nothing, as importProducts does, and when the
// greatest document code cannot be read.
Outcome<Result> importParties(Database& db, Side side, const QList<Line>& lines);

// The confirmation asked before the import, and its captions.
QString questionText();
QString productsCaption();
QString partiesCaption();

// "Dari jumlah data barang 12 Item yang diimport ke database; …".
QString summaryText(const Result& result);
// The refused rows, one a line (the first 20, then how many more); empty
// when none was refused.
QString refusedText(const Result& result);
// The one box after an import: the summary, then the refused rows.
QString reportText(const Result& result);

} // namespace paste
