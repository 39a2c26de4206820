-- May 2024 of a shop that sells by weight: forty products whose cost prices
-- have quarters of a rupiah, 372 sales of one to five lines (1,115 lines) in
-- eighths, quarters and halves of a kilo at prices with quarters, lines of a
-- product no longer kept, discounts of 150.5, a return and cash in and out
-- with fractions. Every figure is a sum of binary fractions, so it is the
-- same in whatever order the lines are added.
with recursive p(i) as (select 1 union all select i + 1 from p where i < 40)
insert into barang (kode, nama, kategori, stock, satuan, hpp, hargajual)
select 'C' || substr(cast(100 + i as text), 2), 'Curah ' || i, 'Curah', 100, 'kg', (3800 + i * 549 + i % 4) / 4.0,
       1200 + i * 170
from p;
with recursive n(i) as (select 1 union all select i + 1 from n where i < 372),
l(i, j) as (select i, 1 from n union all select i, j + 1 from l where j < 1 + i % 5)
insert into itempenjualan (Kode, KodeBarang, NamaBarang, Qty, Satuan, Harga, Diskon, Jumlah)
select 'JL-5' || substr(cast(10000 + i as text), 2), 'C' || substr(cast(100 + k as text), 2), 'Curah ' || k, q, 'kg', h, 0, q * h
from (select i, j, 1 + (i * 7 + j * 13) % 41 as k,
             case (i + j) % 4 when 0 then ((i * 3 + j * 5) % 20 + 1) / 8.0
                              when 1 then ((i * j) % 11 + 1) / 4.0
                              when 2 then ((i * 3 + j) % 8 + 1) / 2.0
                              else (i + j) % 3 + 1 end as q,
             (4800 + ((i * 7 + j * 13) % 41) * 682 + (i + j) % 4) / 4.0 as h
      from l) as s;
with recursive n(i) as (select 1 union all select i + 1 from n where i < 372)
insert into transaksi (Kode, Ref, Tanggal, KodeSP, Jumlah, Potongan, Tunai, Piutang, JatuhTempo, Ket, Nota, Tax, Operator)
select k, 'Masuk', day, 'PL-00000', j, d, j - d, 0, day, 'Penjualan', '-', 0, 'admin'
from (select 'JL-5' || substr(cast(10000 + i as text), 2) as k, '2024-05-' || substr(cast(101 + (i - 1) / 12 as text), 2) as day,
             (select sum(Jumlah) from itempenjualan where Kode = 'JL-5' || substr(cast(10000 + i as text), 2)) as j,
             case when i % 9 = 0 then 150.5 else 0 end as d
      from n) as s;
insert into transaksi (Kode, Ref, Tanggal, KodeSP, Jumlah, Potongan, Tunai, Piutang, Hutang, JatuhTempo, Ket, Nota, Tax, Operator) values
('KM-51', 'Masuk', '2024-05-10', '-', NULL, NULL, '250000.25', NULL, NULL, NULL, 'Terima dari Pak RT', 'sewa lapak', 0, 'admin'),
('RB-52', 'Masuk', '2024-05-11', 'SP-001', '0', NULL, '1250.5', NULL, NULL, NULL, 'Retur ke CV Sumber Rejeki', '-', 0, 'admin'),
('RJ-53', 'Keluar', '2024-05-12', 'PL-00001', '3412.75', NULL, '3412.75', NULL, NULL, NULL, 'Retur dari Bu Siti', '-', 0, 'admin'),
('KK-54', 'Keluar', '2024-05-20', '-', NULL, NULL, '125000.75', NULL, NULL, NULL, 'Dibayar Kepada PLN', 'listrik', 0, 'admin');
