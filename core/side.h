#pragma once

#include <QString>

// Which side a two-sided screen serves: customers and sales, or suppliers and
// purchases.
enum class Side { Sales, Purchase };

// Every fact that differs between the two sides, in one place. Statements
// splice only the identifiers held here; screens take a Side and read the
// rest from this table.
struct SideInfo {
    // Document kinds of the shared sequence.
    QString documentKind; // "JL" / "BL"
    QString returnKind;   // "RJ" / "RB"
    QString paymentKind;  // "PI" / "HU"
    QString documentRef;  // transaksi.Ref of the document: "Masuk" / "Keluar"

    // Tables and columns.
    QString lineTable;       // lines of a sale or purchase
    QString returnLineTable; // lines of a return
    QString partyTable;      // "pelanggan" / "supplier"
    QString priceColumn;     // the product's price on this side
    QString debtColumn;      // "Piutang" / "Hutang" in transaksi

    // Parties.
    QString partyPrefix;      // "PL-" / "SP-"
    int masterCodeDigits;     // digits of a code made on the master screen
    QString partyWord;        // "Pelanggan" / "Supplier", as messages name the party
    QString partyCodeCaption; // the code's row in the cashier's party panel
    QString noPartyText;      // a save or a search without a party
    QString masterTitle;      // the master screen's caption
    QString newPartyTab;      // the picker's page for a new party

    // Texts of the cashier and the stored documents.
    QString cashierTitle;
    QString cashierForm; // form name: window class FORM_TOKO_<form>_CLASS
    QString saveQuestion;
    QString printQuestion;
    QString shortfallCaption; // "Kurang " / "Kurang", as each cashier spells it
    QString debtWord;         // what stays open: "Piutang" / "Hutang"
    QString documentNote;     // transaksi.Ket starts with it, the party's name follows
    QString priceCaption;     // the price column of the product search

    // Reports of this side.
    QString debtReportHeading; // "Laporan Piutang" / "Laporan Hutang"
    QString debtListTitle;     // the debt report's web page
    QString documentListTitle; // heading, caption and web page of the list of documents
    // The returns screen.
    QString returnTitle;     // "Retur Penjualan" / "Retur Pembelian"
    QString returnWord;      // the kind of return in its saved message
    QString returnRef;       // transaksi.Ref of a return: "Keluar" / "Masuk"
    QString returnNote;      // Nota and Ket of a return, the party's name follows
    QString returnListTitle; // the printed list: "DATA RETUR " + this + the party's name

    // Purchases are entered product after product from one open search.
    bool searchStaysOpen;
    // Quantity price tiers reprice sale lines only.
    bool pricedByTiers;

    // The payment of open debts: the screen's title, and the Ket and Nota of
    // the stored payment (its Ref is documentRef: the money moves as the
    // documents it pays did).
    QString paymentTitle; // "Form Piutang" / "Form Hutang"
    QString paymentNote;  // Ket starts with it, the party's name follows
    QString paymentNota;
};

const SideInfo& sideInfo(Side side);
