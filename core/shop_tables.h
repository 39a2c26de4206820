#pragma once

// The shop's ten tables and the columns the program reads and writes, as a
// backup, a restore and a copy between a file and a server take them. Names
// as the statements write them: "User" keeps its capital, which a server
// needs once the name is quoted.
namespace shoptables {

struct Table {
    const char* name;
    const char* columns; // separated by spaces
    const char* numbers; // the number columns among them
    bool documents;      // stored order matters: a file's rowid, a server's urutan
};

inline constexpr Table all[] = {
    {"barang", "kode jenis nama kategori stock satuan hpp hargajual diskon barcode functsql",
     "stock hpp hargajual diskon", false},
    {"pelanggan", "kode nama alamat kontak catatan", "", false},
    {"supplier", "kode nama alamat kontak catatan", "", false},
    {"transaksi",
     "kode ref tanggal kodesp potongan tax jumlah operator tunai piutang hutang jatuhtempo ket "
     "nota",
     "potongan tax jumlah tunai piutang hutang", true},
    {"itempenjualan", "kode kodebarang namabarang qty satuan harga diskon jumlah kodesp",
     "qty harga diskon jumlah", true},
    {"itempembelian", "kode kodebarang namabarang qty satuan harga diskon jumlah kodesp",
     "qty harga diskon jumlah", true},
    {"itemreturjual", "kode kodebarang namabarang qty satuan harga diskon jumlah",
     "qty harga diskon jumlah", true},
    {"itemreturbeli", "kode kodebarang namabarang qty satuan harga diskon jumlah",
     "qty harga diskon jumlah", true},
    {"itemkoreksi",
     "kode tanggal kodebarang namabarang qtydb qtyreal selisihqty keterangan operator",
     "qtydb qtyreal selisihqty", true},
    {"useradmin", "User password", "", false},
};

} // namespace shoptables
