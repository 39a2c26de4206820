-- A month of documents of every kind around 2024-03-07 on the demo shop: a
-- discounted credit sale overdue, one due today, a walk-in sale with a line
-- of a product no longer kept, a sale paid off since, a sale of a customer
-- no longer kept, the next month's first day, a leap day, returns, cash in
-- and out with halves, purchases on credit (one walk-in), a category with a
-- quote, and the cost of rice changed after it was sold.
insert into transaksi (Kode, Ref, Tanggal, KodeSP, Jumlah, Potongan, Tunai, Piutang, Hutang, JatuhTempo, Ket, Nota, Tax, Operator) values
('KM-01', 'Masuk', '2024-03-02', '-', NULL, NULL, '100000.5', NULL, NULL, NULL, 'Terima dari Pak RT', 'sewa lapak', 0, 'admin'),
('RB-03', 'Masuk', '2024-03-03', 'SP-001', '0', NULL, '50000.5', NULL, NULL, NULL, 'Retur ke CV Sumber Rejeki', '-', 0, 'admin'),
('BL-02', 'Keluar', '2024-03-04', 'SP-001', '62000', '0', '0', '0', '62000', '2024-03-06', 'Pembelian', '-', 0, 'admin'),
('JL-04', 'Masuk', '2024-03-05', 'PL-00001', '137000', '7000', '100000', '30000', NULL, '2024-03-06', 'Penjualan', '-', 0, 'admin'),
('JL-06', 'Masuk', '2024-03-06', 'PL-00002', '15002.5', '0', '0', '15002.5', NULL, '2024-03-07', 'Penjualan', '-', 0, 'admin'),
('JL-13', 'Masuk', '2024-03-06', 'PL-00099', '5000', '0', '0', '5000', NULL, '2024-03-06', 'Penjualan', '-', 0, 'admin'),
('JL-05', 'Masuk', '2024-03-07', 'PL-00000', '47000', '0', '50000', '0', NULL, '2024-03-07', 'Penjualan', '-', 0, 'admin'),
('BL-14', 'Keluar', '2024-03-07', 'SP-00000', '20000', '0', '15000', '0', '5000', '2024-03-07', 'Pembelian', '-', 0, 'admin'),
('JL-12', 'Masuk', '2024-03-01', 'PL-00003', '10000', '0', '5000', '0', NULL, '2024-03-02', 'Penjualan', '-', 0, 'admin'),
('RJ-07', 'Keluar', '2024-03-10', 'PL-00001', '16000', NULL, '16000', NULL, NULL, NULL, 'Retur dari Bu Siti', '-', 0, 'admin'),
('KK-08', 'Keluar', '2024-03-15', '-', NULL, NULL, '25000.5', NULL, NULL, NULL, 'Dibayar Kepada PLN', 'listrik', 0, 'admin'),
('PI-11', 'Masuk', '2024-03-20', 'PL-00003', NULL, NULL, '5000', NULL, NULL, NULL, 'Pembayaran Piutang', 'Bayar Piutang', 0, 'admin'),
('JL-09', 'Masuk', '2024-04-01', 'PL-00002', '68500', '0', '68500', '0', NULL, '2024-04-01', 'Penjualan', '-', 0, 'admin'),
('JL-10', 'Masuk', '2024-02-29', 'PL-00003', '14000', '0', '14000', '0', NULL, '2024-02-29', 'Penjualan', '-', 0, 'admin');
insert into itempenjualan (Kode, KodeBarang, NamaBarang, Qty, Harga, Jumlah, Satuan, Diskon) values
('JL-04', '1001', 'Beras Pandan Wangi 5 kg', '2', '68500', '137000', 'pcs', 0),
('JL-06', '2001', 'Mi Goreng Pedas', '5', '3000.5', '15002.5', 'pcs', 0),
('JL-13', '3002', 'Teh Celup isi 25', '1', '5000', '5000', 'pcs', 0),
('JL-05', '2001', 'Mi Instan Goreng', '10', '3200', '32000', 'pcs', 0),
('JL-05', '9999', 'Barang Lama', '3', '5000', '15000', 'pcs', 0),
('JL-12', '4001', 'Sabun Mandi Batang', '2', '5000', '10000', 'pcs', 0),
('JL-09', '1001', 'Beras Pandan Wangi 5 kg', '1', '68500', '68500', 'pcs', 0),
('JL-10', '3001', 'Air Mineral 600 ml', '4', '3500', '14000', 'pcs', 0);
update barang set hpp=60000 where kode='1001';
insert into barang (kode, nama, kategori, stock, satuan) values ('K3','Bolu','Kue ''Bu Ani''',10,'pcs'), ('K1','Lapis','Kue ''Bu Ani''',0,'pcs'), ('K4','Nastar','Kue ''Bu Ani''',12,'toples'), ('K2','Putu','Kue ''Bu Ani''',3,'pcs'), ('K5','Lilin','Lainnya',1,'pcs');
