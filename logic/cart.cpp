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

Outcome<std::optional<CartProduct>> findProduct(Database& db, Side side, const QString& code)
{
    // Prepared once and reused: this runs on every keystroke in the code box.
    const QString sql = QStringLiteral("select nama, satuan, ") + sideInfo(side).priceColumn +
                        QStringLiteral(", diskon, FunctSQL FROM barang where kode=?");
    std::optional<CartProduct> found;
    if (!db.query(sql, {code}, [&](const QStringList& row) {
            found = CartProduct{row.at(0), row.at(1), row.at(2), row.at(3), row.at(4)};
        }))
        return db.failure();
    return found;
}

Cart::Cart(Database& db, Side side) : m_db(db), m_side(side)
{
    reset();
}

QList<DocumentLine> Cart::documentLines() const
{
    return {m_lines.cbegin(), m_lines.cend()};
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
        const Outcome<std::optional<CartProduct>> product = findProduct(m_db, m_side, code);
        if (!product)
            return product.failure();
        if (!*product)
            return Taken::Nothing;
        fillEntry(**product);
        return Taken::EntryFilled;
    }

    // Barcode mode: a scan adds a line or raises the quantity of the first
    // line with this code, then leaves the code box empty for the next scan.
    m_scanQuantity = 0;
    if (code.isEmpty())
        return Taken::Nothing;
    for (int row = 0; row < m_lines.size(); ++row) {
        if (m_lines.at(row).code != code)
            continue;
        m_tierText.clear();
        CartLine line = m_lines.at(row);
        const double quantity = text::roundHalfEven(line.quantity.value + 1);
        line.quantity = written(quantity);
        if (sideInfo(m_side).pricedByTiers && line.tiers.contains(u'|')) {
            m_tierText = line.tiers;
            m_tierDiscount = tiers::discount(quantity, line.price.text, line.tiers);
            line.discount = m_tierDiscount;
        }
        line.amount = written((line.price.value - line.discount.value) * quantity);
        m_entry.code.clear();
        if (!lineWithinRange(line))
            return Failure{lineTooLargeText(QStringLiteral("item tidak ditambahkan."))};
        m_scanQuantity = text::textToInt(line.quantity.text);
        m_lines[row] = line;
        m_scannedRow = row;
        recalculate();
        return Taken::LineIncreased;
    }
    m_tierDiscount.clear();
    m_tierText.clear();
    const Outcome<std::optional<CartProduct>> found = findProduct(m_db, m_side, code);
    if (!found)
        return found.failure();
    const std::optional<CartProduct>& product = *found;
    if (!product)
        return Taken::Nothing; // the code box keeps its text: the next character extends it
    // The first amount comes from the unrounded price.
    CartLine line;
    line.code = code;
    line.name = product->name;
    line.quantity = QStringLiteral("1");
    line.unit = product->unit;
    line.price = wholePart(product->price);
    line.discount = product->discount;
    line.amount = written(number(product->price) - number(product->discount));
    line.tiers = product->tiers;
    m_entry.code.clear();
    if (!lineWithinRange(line))
        return Failure{lineTooLargeText(QStringLiteral("item tidak ditambahkan."))};
    m_lines.append(line);
    m_scannedRow = int(m_lines.size()) - 1;
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

CartLine Cart::entryLine() const
{
    return {m_entry.line(), m_tierText};
}

Outcome<bool> Cart::commitEntry()
{
    if (stored() || m_entry.code.isEmpty() || m_entry.code != m_foundCode)
        return false;
    const CartLine line = entryLine();
    if (!lineWithinRange(line))
        return Failure{lineTooLargeText(QStringLiteral("item tidak ditambahkan."))};
    if (m_entry.code == m_editingCode && m_editingRow >= 0 && m_editingRow < m_lines.size()) {
        m_lines[m_editingRow] = line;
    } else {
        // Outside barcode mode a code already in the cart gets a line of its own.
        m_lines.append(line);
    }
    recalculate();
    m_entry = Entry{};
    m_foundCode.clear();
    m_changingLine = false;
    return true;
}

bool Cart::loadLine(int row)
{
    if (stored() || m_barcodeMode || row < 0 || row >= m_lines.size())
        return false;
    const CartLine line = m_lines.at(row);
    (void)takeCode(line.code); // outside barcode mode it only fills the entry row
    m_foundCode = line.code;   // a line keeps its code even if the product is gone
    m_editingCode = line.code;
    m_editingRow = row;
    m_changingLine = true;
    // The line's stored values win over the product's current ones.
    m_entry.name = line.name;
    m_entry.quantity = line.quantity.text;
    m_entry.unit = line.unit;
    m_entry.price = line.price.text;
    m_entry.discount = line.discount.text;
    m_entry.amount = line.amount.text;
    m_tierText = line.tiers;
    m_scanQuantity = text::textToInt(line.quantity.text);
    return true;
}

void Cart::recalculate()
{
    double sum = 0;
    for (const CartLine& line : m_lines)
        sum = text::roundHalfEven(sum + line.amount.value);
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
