-- The shop database on a server: the same ten tables as a shop file, read
-- and written by the same statements. Created only by toko-initdb.
-- Texts compare and sort by code point ("C"), as in a shop file, whatever
-- the server's language. Numbers are double precision: a file's arithmetic.
-- The document tables number their rows as they are stored (urutan): the
-- order a file keeps by its rowid, which decides payments, returns and the
-- cash book.

create extension if not exists pg_trgm;

create table barang (
    kode      text collate "C" primary key not null,
    jenis     text collate "C",
    nama      text collate "C",
    kategori  text collate "C",
    stock     double precision,
    satuan    text collate "C",
    hpp       double precision,
    hargajual double precision,
    diskon    double precision,
    barcode   text collate "C",
    FunctSQL  text collate "C"
);

create table pelanggan (
    kode    text collate "C" primary key not null,
    nama    text collate "C",
    alamat  text collate "C",
    kontak  text collate "C",
    catatan text collate "C"
);

create table supplier (
    kode    text collate "C" primary key not null,
    nama    text collate "C",
    alamat  text collate "C",
    kontak  text collate "C",
    catatan text collate "C"
);

create table transaksi (
    Kode       text collate "C" primary key not null,
    Ref        text collate "C",
    Tanggal    text collate "C",
    KodeSP     text collate "C",
    Potongan   double precision,
    Tax        double precision,
    Jumlah     double precision,
    Operator   text collate "C",
    Tunai      double precision,
    Piutang    double precision,
    Hutang     double precision,
    JatuhTempo text collate "C",
    Ket        text collate "C",
    Nota       text collate "C",
    urutan     bigserial not null
);

create table itempenjualan (
    Kode       text collate "C",
    KodeBarang text collate "C",
    NamaBarang text collate "C",
    Qty        double precision,
    Satuan     text collate "C",
    Harga      double precision,
    Diskon     double precision,
    Jumlah     double precision,
    kodeSP     text collate "C",
    urutan     bigserial not null
);

create table itempembelian (
    Kode       text collate "C",
    KodeBarang text collate "C",
    NamaBarang text collate "C",
    Qty        double precision,
    Satuan     text collate "C",
    Harga      double precision,
    Diskon     double precision,
    Jumlah     double precision,
    kodeSP     text collate "C",
    urutan     bigserial not null
);

create table itemreturjual (
    Kode       text collate "C",
    KodeBarang text collate "C",
    NamaBarang text collate "C",
    Qty        double precision,
    Satuan     text collate "C",
    Harga      double precision,
    Diskon     double precision,
    Jumlah     double precision,
    urutan     bigserial not null
);

create table itemreturbeli (
    Kode       text collate "C",
    KodeBarang text collate "C",
    NamaBarang text collate "C",
    Qty        double precision,
    Satuan     text collate "C",
    Harga      double precision,
    Diskon     double precision,
    Jumlah     double precision,
    urutan     bigserial not null
);

create table itemkoreksi (
    Kode       text collate "C",
    Tanggal    text collate "C",
    KodeBarang text collate "C",
    NamaBarang text collate "C",
    QtyDb      double precision,
    QtyReal    double precision,
    SelisihQty double precision,
    Keterangan text collate "C",
    Operator   text collate "C",
    urutan     bigserial not null
);

-- "User" is a word of the server's SQL: the statements quote it.
create table useradmin (
    "User"   text collate "C" primary key not null,
    Password text collate "C"
);

-- A number as the text a search by part of a text reads in it, and indexes.
create function teks_angka(double precision) returns text
    language sql immutable parallel safe as 'select $1::text';

create index barang_kategori on barang (kategori);
-- Product search by part of a text: trigram indexes serve ILIKE.
create index barang_kode_teks on barang using gin (kode gin_trgm_ops);
create index barang_barcode_teks on barang using gin (barcode gin_trgm_ops);
create index barang_nama_teks on barang using gin (nama gin_trgm_ops);
create index barang_kategori_teks on barang using gin (kategori gin_trgm_ops);
create index barang_hargajual_teks on barang using gin (teks_angka(hargajual) gin_trgm_ops);
create index barang_hpp_teks on barang using gin (teks_angka(hpp) gin_trgm_ops);

create index transaksi_nomor on transaksi (substr(Kode, 4, 14));
create index transaksi_tanggal on transaksi (Tanggal);
create index transaksi_bulan on transaksi (substr(Tanggal, 1, 7));
create index transaksi_pihak on transaksi (KodeSP, Piutang, Hutang);
create index transaksi_kas on transaksi (Ref, Tanggal, Tunai);

-- With what the month reports read of each line, so that they never visit the rows.
create index itempenjualan_kode on itempenjualan (Kode) include (KodeBarang, NamaBarang, Qty, Jumlah);
create index itempembelian_kode on itempembelian (Kode);
create index itempenjualan_pihak on itempenjualan (kodeSP, KodeBarang, NamaBarang);
create index itempembelian_pihak on itempembelian (kodeSP, KodeBarang, NamaBarang);
create index itemreturjual_kode on itemreturjual (Kode);
create index itemreturbeli_kode on itemreturbeli (Kode);

create index itemkoreksi_nomor on itemkoreksi (substr(Kode, 4, 14));
create index itemkoreksi_kode on itemkoreksi (Kode);
create index itemkoreksi_bulan on itemkoreksi (substr(Tanggal, 1, 7));

-- What a shop file gets beside its own indexes at every open, for the same
-- statements: the open receivables and payables, their parties' sums, the
-- cost prices read without the wide product rows, and the cash book's
-- opening balance.
create index transaksi_piutang on transaksi (Kode) where Piutang > 0;
create index transaksi_hutang on transaksi (Kode) where Hutang > 0;
create index transaksi_piutang_terbuka on transaksi (KodeSP, Jumlah, Potongan, Tunai, Piutang)
    where Piutang > 0;
create index transaksi_hutang_terbuka on transaksi (KodeSP, Jumlah, Potongan, Tunai, Hutang)
    where Hutang > 0;
create index barang_hpp on barang (kode, hpp);
