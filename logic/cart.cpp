#include "logic/cart.h"

#include "core/database.h"
#include "core/text_ops.h"
#include "logic/amount_words.h"
#include "logic/price_tiers.h"

#include <cmath>

namespace {

double number(const QString& text)
{
    return text::textToNumber(text);
}

double rounded(const QString& text)
{
    return text::roundHalfEven(text::textToNumber(text));
}

QString written(double value)
{
    return text::numberToText(value);
}

// The price box takes the whole part of the stored price.
QString wholePart(const QString& price)
{
    return written(std::floor(number(price)));
}

} // namespace

std::optional<CartProduct> findProduct(Database& db, Side side, const QString& code)
{
    // Prepared once and reused: this runs on every keystroke in the code box.
    const QString sql = QStringLiteral("select nama, satuan, ") + sideInfo(side).priceColumn +
                        QStringLiteral(", diskon, FunctSQL FROM barang where kode=?");
    std::optional<CartProduct> found;
    db.query(sql, {code}, [&](const QStringList& row) {
        found = CartProduct{row.at(0), row.at(1), row.at(2), row.at(3), row.at(4)};
    });
    return found;
}

bool lineWithinRange(const QStringList& cells)
{
    for (const int column : {Cart::Quantity, Cart::Price, Cart::Discount, Cart::Amount}) {
        if (!(std::fabs(number(cells.value(column))) <= largestLineValue))
            return false;
    }
    return true;
}

QString lineTooLargeText(const QString& notDone)
{
    return QStringLiteral("Qty, harga, diskon atau jumlah barang melebihi ") +
           written(largestLineValue) + QStringLiteral(", ") + notDone;
}

Cart::Cart(Database& db, Side side) : m_db(db), m_side(side)
{
    const QList<int> widths = columnWidths(fullWidth);
    m_lines.setColumns({{QStringLiteral("Kode"), widths.at(Code), Qt::AlignLeft},
                        {QStringLiteral("Nama Barang"), widths.at(Name), Qt::AlignLeft},
                        {QStringLiteral("Qty"), widths.at(Quantity), Qt::AlignHCenter},
                        {QStringLiteral("Satuan"), widths.at(Unit), Qt::AlignRight},
                        {QStringLiteral("Harga"), widths.at(Price), Qt::AlignRight},
                        {QStringLiteral("Diskon"), widths.at(Discount), Qt::AlignRight},
                        {QStringLiteral("Jumlah"), widths.at(Amount), Qt::AlignRight},
                        {QStringLiteral("rumus"), 0, Qt::AlignRight}});
    reset();
}

QList<int> Cart::columnWidths(int room)
{
    const QList<int> full = {100, 250, 50, 100, 100, 100, 120};
    if (room >= fullWidth)
        return full;
    // Narrowed in proportion; the name column takes what rounding down leaves.
    QList<int> widths;
    int used = 0;
    for (const int width : full) {
        widths.append(std::max(minimumColumnWidth, width * room / fullWidth));
        used += widths.last();
    }
    widths[Name] = std::max(minimumColumnWidth, widths.at(Name) + room - used);
    return widths;
}

void Cart::fitColumns(int room)
{
    const QList<int> widths = columnWidths(room);
    QList<TableModel::Column> columns = m_lines.columns();
    bool changed = false;
    for (int column = Code; column < Tiers; ++column) {
        changed = changed || columns.at(column).width != widths.at(column);
        columns[column].width = widths.at(column);
    }
    if (changed)
        m_lines.setColumns(columns);
}

bool Cart::setParty(const Party& party)
{
    if (stored())
        return false;
    m_party = party;
    return true;
}

Outcome<Cart::Taken> Cart::takeCode(const QString& code)
{
    m_scannedRow = -1;
    if (stored())
        return Taken::Nothing;
    m_entry.code = code;
    if (!m_barcodeMode) {
        m_tierDiscount.clear();
        if (code.isEmpty())
            return Taken::Nothing;
        const std::optional<CartProduct> product = findProduct(m_db, m_side, code);
        if (!product)
            return Taken::Nothing;
        fillEntry(*product);
        return Taken::EntryFilled;
    }

    // Barcode mode: a scan adds a line or raises the quantity of the first
    // line with this code, then leaves the code box empty for the next scan.
    m_scanQuantity = 0;
    if (code.isEmpty())
        return Taken::Nothing;
    for (int row = 0; row < m_lines.rowCount(); ++row) {
        if (m_lines.cell(row, Code) != code)
            continue;
        m_tierText.clear();
        const double quantity = text::roundHalfEven(number(m_lines.cell(row, Quantity)) + 1);
        QStringList cells = m_lines.row(row);
        cells[Quantity] = written(quantity);
        const QString price = cells.value(Price);
        const QString lineTiers = cells.value(Tiers);
        if (sideInfo(m_side).pricedByTiers && lineTiers.contains(u'|')) {
            m_tierText = lineTiers;
            m_tierDiscount = tiers::discount(quantity, price, lineTiers);
            cells[Discount] = m_tierDiscount;
        }
        cells[Amount] = written((number(price) - number(cells.value(Discount))) * quantity);
        m_entry.code.clear();
        if (!lineWithinRange(cells))
            return Failure{lineTooLargeText(QStringLiteral("item tidak ditambahkan."))};
        m_scanQuantity = text::textToInt(cells.value(Quantity));
        for (const int column : {Quantity, Discount, Amount})
            m_lines.setCell(row, column, cells.value(column));
        m_scannedRow = row;
        recalculate();
        return Taken::LineIncreased;
    }
    m_tierDiscount.clear();
    m_tierText.clear();
    const std::optional<CartProduct> product = findProduct(m_db, m_side, code);
    if (!product)
        return Taken::Nothing; // the code box keeps its text: the next character extends it
    // The first amount comes from the unrounded price.
    const QStringList cells = {code,
                               product->name,
                               QStringLiteral("1"),
                               product->unit,
                               wholePart(product->price),
                               product->discount,
                               written(number(product->price) - number(product->discount)),
                               product->tiers};
    m_entry.code.clear();
    if (!lineWithinRange(cells))
        return Failure{lineTooLargeText(QStringLiteral("item tidak ditambahkan."))};
    m_lines.appendRow(cells);
    m_scannedRow = m_lines.rowCount() - 1;
    recalculate();
    return Taken::LineAdded;
}

void Cart::fillEntry(const CartProduct& product)
{
    m_foundCode = m_entry.code;
    m_entry.name = product.name;
    m_entry.unit = product.unit;
    m_entry.price = wholePart(product.price);
    m_entry.discount = product.discount;
    m_tierText = sideInfo(m_side).pricedByTiers ? product.tiers : QString();
    setQuantity(QStringLiteral("1"));
}

void Cart::setName(const QString& name)
{
    if (!stored())
        m_entry.name = name;
}

void Cart::setUnit(const QString& unit)
{
    if (!stored())
        m_entry.unit = unit;
}

void Cart::setAmount(const QString& amount)
{
    if (!stored())
        m_entry.amount = amount;
}

void Cart::setQuantity(const QString& quantity)
{
    if (stored())
        return;
    m_entry.quantity = quantity;
    // Purchases are charged the cost price at every quantity.
    if (sideInfo(m_side).pricedByTiers && !m_tierText.isEmpty())
        m_entry.discount = tiers::discount(rounded(quantity), m_entry.price, m_tierText);
    updateAmount();
}

void Cart::setPrice(const QString& price)
{
    if (stored())
        return;
    m_entry.price = price;
    updateAmount();
}

void Cart::setDiscount(const QString& discount)
{
    if (stored())
        return;
    m_entry.discount = discount;
    updateAmount();
}

void Cart::updateAmount()
{
    // Line amounts are never rounded.
    m_entry.amount =
        written((number(m_entry.price) - number(m_entry.discount)) * number(m_entry.quantity));
}

void Cart::writeLine(int row)
{
    const QStringList cells = {m_entry.code,  m_entry.name,     m_entry.quantity, m_entry.unit,
                               m_entry.price, m_entry.discount, m_entry.amount,   m_tierText};
    for (int column = 0; column < ColumnCount; ++column)
        m_lines.setCell(row, column, cells.at(column));
}

Outcome<> Cart::commitEntry()
{
    if (stored() || m_entry.code.isEmpty() || m_entry.code != m_foundCode)
        return Failure{};
    const QStringList cells = {m_entry.code,  m_entry.name,     m_entry.quantity, m_entry.unit,
                               m_entry.price, m_entry.discount, m_entry.amount};
    if (!lineWithinRange(cells))
        return Failure{lineTooLargeText(QStringLiteral("item tidak ditambahkan."))};
    if (m_entry.code == m_editingCode && m_editingRow >= 0 && m_editingRow < m_lines.rowCount()) {
        writeLine(m_editingRow);
    } else {
        // Outside barcode mode a code already in the cart gets a line of its own.
        m_lines.appendRow(QStringList(ColumnCount));
        writeLine(m_lines.rowCount() - 1);
    }
    recalculate();
    m_entry = Entry{};
    m_foundCode.clear();
    m_changingLine = false;
    return {};
}

bool Cart::loadLine(int row)
{
    if (stored() || m_barcodeMode || row < 0 || row >= m_lines.rowCount())
        return false;
    const QStringList cells = m_lines.row(row);
    (void)takeCode(cells.value(Code)); // outside barcode mode it only fills the entry row
    m_foundCode = cells.value(Code);   // a line keeps its code even if the product is gone
    m_editingCode = cells.value(Code);
    m_editingRow = row;
    m_changingLine = true;
    // The line's stored values win over the product's current ones.
    m_entry.name = cells.value(Name);
    m_entry.quantity = cells.value(Quantity);
    m_entry.unit = cells.value(Unit);
    m_entry.price = cells.value(Price);
    m_entry.discount = cells.value(Discount);
    m_entry.amount = cells.value(Amount);
    m_tierText = cells.value(Tiers);
    m_scanQuantity = text::textToInt(cells.value(Quantity));
    return true;
}

void Cart::recalculate()
{
    double sum = 0;
    for (int row = 0; row < m_lines.rowCount(); ++row)
        sum = text::roundHalfEven(sum + number(m_lines.cell(row, Amount)));
    m_totals.gross = written(sum);
    m_totals.net = written(sum);
    // Every change of the cart starts the payment again from nothing.
    setPaid(QStringLiteral("0"));
    m_totals.bigFigure = written(sum);
    m_totals.words = amount::wordsOf(sum);
}

void Cart::setDiscountPercent(const QString& percent)
{
    if (stored())
        return;
    m_totals.discountPercent = percent;
    applyDiscountAndPayment(false);
}

void Cart::setPaid(const QString& paid)
{
    if (stored())
        return;
    m_totals.paid = paid;
    applyDiscountAndPayment(true);
}

void Cart::applyDiscountAndPayment(bool payment)
{
    const double total = rounded(m_totals.gross);
    const double percent = rounded(m_totals.discountPercent);
    // The product is a whole number formed exactly before it is divided.
    const auto product = static_cast<long double>(percent) * static_cast<long double>(total);
    const double discount = text::roundHalfEven(static_cast<double>(product / 100));
    const double net = total - discount;
    m_totals.discountAmount = written(discount);
    m_totals.net = written(net);

    const double paid = rounded(m_totals.paid);
    if (net <= paid) {
        m_totals.change = written(paid - net);
        m_totals.changeCaption = QStringLiteral("Kembali");
    } else {
        m_totals.change = written(net - paid);
        m_totals.changeCaption = sideInfo(m_side).shortfallCaption;
    }
    const double shown = payment ? paid : net;
    if (payment)
        m_totals.paidCovers = net <= paid;
    m_totals.bigFigure = written(shown);
    m_totals.words = amount::wordsOf(shown);
}

void Cart::reset()
{
    m_stored = false;
    m_lines.clear();
    m_entry = Entry{};
    m_foundCode.clear();
    const QString caption = m_side == Side::Sales || m_totals.changeCaption.isEmpty()
                                ? sideInfo(m_side).shortfallCaption
                                : m_totals.changeCaption;
    m_totals = Totals{};
    // The purchase screen leaves its caption as the last payment wrote it.
    m_totals.changeCaption = caption;
    m_totals.paidCovers = true; // nothing to pay yet
    m_totals.words = amount::wordsOf(0.0);
    m_editingCode.clear();
    m_editingRow = -1;
    m_changingLine = false;
    m_scannedRow = -1;
    m_party = parties::walkIn(m_side);
}
