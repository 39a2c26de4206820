-- The shop database: ten tables. Created only by toko-initdb; the program
-- itself reads and writes rows and never changes a table.
-- Numeric columns are NUMERIC so that quoted numbers are stored as numbers
-- and 3 reads back as "3", never "3.0".

CREATE TABLE barang (
    kode      TEXT PRIMARY KEY NOT NULL,
    jenis     TEXT,
    nama      TEXT,
    kategori  TEXT,
    stock     NUMERIC,
    satuan    TEXT,
    hpp       NUMERIC,
    hargajual NUMERIC,
    diskon    NUMERIC,
    barcode   TEXT,
    FunctSQL  TEXT
) WITHOUT ROWID;

CREATE TABLE pelanggan (
    kode    TEXT PRIMARY KEY NOT NULL,
    nama    TEXT,
    alamat  TEXT,
    kontak  TEXT,
    catatan TEXT
) WITHOUT ROWID;

CREATE TABLE supplier (
    kode    TEXT PRIMARY KEY NOT NULL,
    nama    TEXT,
    alamat  TEXT,
    kontak  TEXT,
    catatan TEXT
) WITHOUT ROWID;

CREATE TABLE transaksi (
    Kode       TEXT PRIMARY KEY NOT NULL,
    Ref        TEXT,
    Tanggal    TEXT,
    KodeSP     TEXT,
    Potongan   NUMERIC,
    Tax        NUMERIC,
    Jumlah     NUMERIC,
    Operator   TEXT,
    Tunai      NUMERIC,
    Piutang    NUMERIC,
    Hutang     NUMERIC,
    JatuhTempo TEXT,
    Ket        TEXT,
    Nota       TEXT
);

CREATE TABLE itempenjualan (
    Kode       TEXT,
    KodeBarang TEXT,
    NamaBarang TEXT,
    Qty        NUMERIC,
    Satuan     TEXT,
    Harga      NUMERIC,
    Diskon     NUMERIC,
    Jumlah     NUMERIC,
    kodeSP     TEXT
);

CREATE TABLE itempembelian (
    Kode       TEXT,
    KodeBarang TEXT,
    NamaBarang TEXT,
    Qty        NUMERIC,
    Satuan     TEXT,
    Harga      NUMERIC,
    Diskon     NUMERIC,
    Jumlah     NUMERIC,
    kodeSP     TEXT
);

CREATE TABLE itemreturjual (
    Kode       TEXT,
    KodeBarang TEXT,
    NamaBarang TEXT,
    Qty        NUMERIC,
    Satuan     TEXT,
    Harga      NUMERIC,
    Diskon     NUMERIC,
    Jumlah     NUMERIC
);

CREATE TABLE itemreturbeli (
    Kode       TEXT,
    KodeBarang TEXT,
    NamaBarang TEXT,
    Qty        NUMERIC,
    Satuan     TEXT,
    Harga      NUMERIC,
    Diskon     NUMERIC,
    Jumlah     NUMERIC
);

CREATE TABLE itemkoreksi (
    Kode       TEXT,
    Tanggal    TEXT,
    KodeBarang TEXT,
    NamaBarang TEXT,
    QtyDb      NUMERIC,
    QtyReal    NUMERIC,
    SelisihQty NUMERIC,
    Keterangan TEXT,
    Operator   TEXT
);

-- User names compare exactly: "admin" and "Admin" are two users.
CREATE TABLE useradmin (
    User     TEXT PRIMARY KEY NOT NULL COLLATE BINARY,
    Password TEXT
);

-- The product lookup by code on every keystroke uses the primary key of barang.
-- Minimum-stock report: the category tree and the products of one category.
CREATE INDEX barang_kategori ON barang (kategori);

-- Next document number of every kind: order by substr(kode,4,14) desc limit 1.
CREATE INDEX transaksi_nomor ON transaksi (substr(Kode, 4, 14));
-- Day count of the cashiers, today's sales, and the date ranges of the reports.
CREATE INDEX transaksi_tanggal ON transaksi (Tanggal);
-- Month reports: where substr(tanggal,1,7) = a month.
CREATE INDEX transaksi_bulan ON transaksi (substr(Tanggal, 1, 7));
-- Open debts of one customer or supplier: payments, returns, the party lists.
CREATE INDEX transaksi_pihak ON transaksi (KodeSP, Piutang, Hutang);
-- Cash book: money in or out before a month, summed without touching the table.
CREATE INDEX transaksi_kas ON transaksi (Ref, Tanggal, Tunai);

-- Lines of one sale: its receipt, and the month reports' join on kode.
CREATE INDEX itempenjualan_kode ON itempenjualan (Kode);
-- Lines of one purchase: its receipt, and the purchase reports' join on kode.
CREATE INDEX itempembelian_kode ON itempembelian (Kode);
-- Bought-items picker of the sales return: one customer's products, grouped.
CREATE INDEX itempenjualan_pihak ON itempenjualan (kodeSP, KodeBarang, NamaBarang);
-- Bought-items picker of the purchase return: one supplier's products, grouped.
CREATE INDEX itempembelian_pihak ON itempembelian (kodeSP, KodeBarang, NamaBarang);
-- Lines of one sales return: the profit report's returned goods.
CREATE INDEX itemreturjual_kode ON itemreturjual (Kode);
-- Lines of one purchase return.
CREATE INDEX itemreturbeli_kode ON itemreturbeli (Kode);

-- Next stock-correction number: order by substr(kode,4,14) desc limit 1.
CREATE INDEX itemkoreksi_nomor ON itemkoreksi (substr(Kode, 4, 14));
-- Lines of one stock correction, shown when its node is chosen.
CREATE INDEX itemkoreksi_kode ON itemkoreksi (Kode);
-- The stock correction screen's month tree: where substr(tanggal,1,7) = a month.
CREATE INDEX itemkoreksi_bulan ON itemkoreksi (substr(Tanggal, 1, 7));
