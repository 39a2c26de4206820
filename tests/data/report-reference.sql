-- The reports' statements in their plain form, each under "-- <name>": values
-- spliced between quotes ({month}, {category}, {threshold}, {kind}, {from},
-- {to}), SQLite's own date, parties joined with inner join. The supplier side
-- replaces "pelanggan" by "supplier" and "piutang" by "hutang".
-- turnover
Select itemPenjualan.kodebarang, itempenjualan.namabarang, sum(itempenjualan.jumlah) from itempenjualan join transaksi on itempenjualan.kode=transaksi.kode where transaksi.ref='Masuk' and substr(transaksi.tanggal,1,7)='{month}' group by itempenjualan.kodebarang
-- today
Select itemPenjualan.kodebarang, itempenjualan.namabarang, (Select barang.hpp from barang where barang.kode=itemPenjualan.kodebarang) as HP, itempenjualan.harga, sum(itempenjualan.qty), sum(itempenjualan.qty)*(Select barang.hpp from barang where barang.kode=itemPenjualan.kodebarang), sum(itempenjualan.jumlah), sum(itempenjualan.jumlah)-(sum(itempenjualan.qty)*(Select barang.hpp from barang where barang.kode=itemPenjualan.kodebarang)) from itempenjualan join transaksi on itempenjualan.kode=transaksi.kode where transaksi.ref='Masuk' and transaksi.tanggal=date('now') group by itempenjualan.kodebarang
-- lowstock
select kode, nama, stock, satuan FROM barang where kategori='{category}' and stock<{threshold} Order By Kode
-- debts
select transaksi.tanggal, pelanggan.Nama, pelanggan.alamat, transaksi.kode, transaksi.jumlah-transaksi.potongan, transaksi.tunai, transaksi.jatuhtempo, Case when date('now')>transaksi.jatuhtempo Then 'Ya' Else 'Tidak' End FROM transaksi inner join pelanggan on transaksi.kodesp=pelanggan.kode where transaksi.piutang>0 and substr(transaksi.kode,1,3)='{kind}'
-- counter
select transaksi.tanggal, pelanggan.Nama, pelanggan.alamat, transaksi.kode, transaksi.jumlah-transaksi.potongan, transaksi.tunai, transaksi.jatuhtempo, Case when date('now')>transaksi.jatuhtempo and transaksi.piutang>0 Then 'Ya' Else 'Tidak' End FROM transaksi inner join pelanggan on transaksi.kodesp=pelanggan.kode where substr(transaksi.kode,1,3)='{kind}' and transaksi.tanggal between '{from}' and '{to}' Order By transaksi.tanggal
-- paid
select transaksi.tanggal, pelanggan.Nama, pelanggan.alamat, transaksi.kode, transaksi.jumlah-transaksi.potongan, transaksi.jumlah-transaksi.piutang, transaksi.jatuhtempo, Case when date('now')>transaksi.jatuhtempo and transaksi.piutang>0 Then 'Ya' Else 'Tidak' End FROM transaksi inner join pelanggan on transaksi.kodesp=pelanggan.kode where substr(transaksi.kode,1,3)='{kind}' and transaksi.tanggal between '{from}' and '{to}' Order By transaksi.tanggal
