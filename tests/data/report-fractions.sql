-- Two months of a shop that sells by weight: forty products whose cost
-- prices have cents; sales of one to five lines in tenths, quarters and
-- eighths of a kilo, with lines of a product no longer kept and discounts:
-- 372 in May 2024 (1,115 lines), 24 in June; in May a return and cash in and
-- out with cents.
with recursive p(i) as (select 1 union all select i + 1 from p where i < 40)
insert into barang (kode, nama, kategori, stock, satuan, hpp, hargajual)
select printf('C%02d', i), 'Curah ' || i, 'Curah', 100, 'kg',
       (95000 + i * 13730 + (i % 3) * 7) / 100.0, 1200 + i * 170
from p;
with recursive n(i) as (select 1 union all select i + 1 from n where i < 396),
l(i, j) as (select i, 1 from n union all select i, j + 1 from l where j < 1 + i % 5)
insert into itempenjualan (Kode, KodeBarang, NamaBarang, Qty, Satuan, Harga, Diskon, Jumlah)
select printf('JL-5%04d', i), printf('C%02d', k), 'Curah ' || k, q, 'kg', h, 0, q * h
from (select i, j, 1 + (i * 7 + j * 13) % 41 as k,
             case (i + j) % 4 when 0 then ((i * j) % 20 + 1) / 10.0
                              when 1 then ((i + j) % 10 + 1) / 4.0
                              when 2 then ((i * 3 + j) % 8 + 1) / 8.0
                              else (i + j) % 3 + 1 end as q,
             (120000 + ((i * 7 + j * 13) % 41) * 17050) / 100.0 as h
      from l);
with recursive n(i) as (select 1 union all select i + 1 from n where i < 396)
insert into transaksi (Kode, Ref, Tanggal, KodeSP, Jumlah, Potongan, Tunai, Piutang, JatuhTempo, Ket, Nota, Tax, Operator)
select k, 'Masuk', day, 'PL-00000', j, d, j - d, 0, day, 'Penjualan', '-', 0, 'admin'
from (select printf('JL-5%04d', i) as k,
             case when i <= 372 then printf('2024-05-%02d', 1 + (i - 1) / 12)
                  else printf('2024-06-%02d', 1 + (i - 373) / 2) end as day,
             (select sum(Jumlah) from itempenjualan where Kode = printf('JL-5%04d', i)) as j,
             case when i % 9 = 0 then 150.5 else 0 end as d
      from n);
insert into transaksi (Kode, Ref, Tanggal, KodeSP, Jumlah, Potongan, Tunai, Piutang, Hutang, JatuhTempo, Ket, Nota, Tax, Operator) values
('KM-51', 'Masuk', '2024-05-10', '-', NULL, NULL, '250000.25', NULL, NULL, NULL, 'Terima dari Pak RT', 'sewa lapak', 0, 'admin'),
('RJ-52', 'Keluar', '2024-05-12', 'PL-00001', '3412.65', NULL, '3412.65', NULL, NULL, NULL, 'Retur dari Bu Siti', '-', 0, 'admin'),
('KK-53', 'Keluar', '2024-05-20', '-', NULL, NULL, '125000.75', NULL, NULL, NULL, 'Dibayar Kepada PLN', 'listrik', 0, 'admin');
