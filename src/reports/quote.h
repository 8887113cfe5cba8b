#pragma once

#include "reports/lista_materiales.h"

#include <cstdint>
#include <iosfwd>
#include <map>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace ixo {

class DocumentWriter;

// A price list: one article per row of a CSV file with the header
//   code,description,unit price,currency[,labour quantity]
// Unit prices use a decimal point (a decimal comma inside a quoted field is taken too); every row has
// the same currency. A row with a labour quantity is a labour (or other extra) line the quote always
// carries: a number, "outlets" or "flats" (that many of the project's). Fields may be quoted with '"'.
struct PriceEntry {
    std::string code;
    std::string description;
    double unitPrice = 0;
    std::optional<std::string> labourQuantity; // the fifth column, when given
    std::size_t line = 0;                      // the row's line in the file, for messages
};

// Bounds of what a price list may hold: far above any real article, low enough that every line total
// and the sum of a quote stay exact in cents.
inline constexpr double kMaxUnitPrice = 1e9;
inline constexpr double kMaxLabourQuantity = 1e6;
// The largest amount a quote line or total carries, in cents: 2^53 - 1, below which every whole number of
// cents is exact in a double.
inline constexpr std::int64_t kMaxQuoteCents = 9007199254740991;
// A refused field is shown in a message with at most this many characters, then "...".
inline constexpr std::size_t kMaxShownField = 40;

struct PriceList {
    std::string currency;
    std::map<std::string, PriceEntry> articles; // by article code
    std::vector<PriceEntry> labour;             // labour rows in file order
};

// A price list that cannot be read: the message names the line and what is wrong with it.
class PriceListError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads a price list; throws PriceListError ("line 4: unit price 'abc' is not a number"). A field with a
// control character (a NUL byte, a line break inside quotes) is refused, as are prices above
// kMaxUnitPrice and labour quantities above kMaxLabourQuantity.
PriceList ReadPriceList(std::string_view text);

// One line of the quote. Amounts in hundredths of the currency (cents), each line rounded half away
// from zero, so that the total is the sum of the printed lines.
struct QuoteLine {
    std::string code;
    std::string description;
    double quantity = 0;
    std::string unit; // "pcs", "m" or "h"/"" for labour as given
    double unitPrice = 0;
    std::int64_t totalCents = 0;
    bool labour = false;
};

struct Quote {
    std::string currency;
    std::vector<QuoteLine> lines;
    // Materials without a price (their code, or "(no code) <model>" without an article code): listed,
    // never priced.
    std::vector<std::string> missing;
    std::int64_t totalCents = 0;
    bool Complete() const { return missing.empty(); }
};

// Joins the list of materials to the prices by article code and adds the labour lines. A line total or
// the total past kMaxQuoteCents throws PriceListError naming the price list's line.
Quote MakeQuote(const std::vector<TElementoRec>& materials, const PriceList& prices, int outlets, int flats);

// "1234.50"; never "-0.00".
std::string Money(std::int64_t cents);

// The quote as a document: heading, table of lines, total, the materials without price.
void EscribirPresupuesto(DocumentWriter& writer, const Quote& quote, std::string_view projectName);

// The quote as CSV: code,description,quantity,unit,unit price,total,currency; then the total row and a
// "missing" row per material without price.
void WriteQuoteCsv(std::ostream& out, const Quote& quote);

} // namespace ixo
