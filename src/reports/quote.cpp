#include "reports/quote.h"

#include "reports/document_writer.h"
#include "reports/report_csv.h"

#include <charconv>
#include <cmath>
#include <cstdio>
#include <ostream>

namespace ixo {
namespace {

constexpr std::string_view kHeader[] = {"code", "description", "unit price", "currency"};
constexpr std::string_view kLabourHeader = "labour quantity";

std::string Trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

std::string Lower(std::string text) {
    for (char& c : text) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return text;
}

[[noreturn]] void Fail(std::size_t line, const std::string& what) {
    throw PriceListError("line " + std::to_string(line) + ": " + what);
}

// A field as a message shows it: control characters as '?', and a long one cut after kMaxShownField
// characters (not inside a UTF-8 sequence) with its length, so that a damaged file of one huge field does
// not fill the screen.
std::string Shown(std::string_view field) {
    std::string_view head = field;
    if (head.size() > kMaxShownField) {
        std::size_t cut = kMaxShownField;
        while (cut > 0 && (static_cast<unsigned char>(field[cut]) & 0xC0) == 0x80) {
            --cut;
        }
        head = field.substr(0, cut);
    }
    std::string shown;
    for (const char c : head) {
        const auto byte = static_cast<unsigned char>(c);
        shown += byte < 0x20 || byte == 0x7F ? '?' : c;
    }
    if (head.size() < field.size()) {
        shown += "... (" + std::to_string(field.size()) + " bytes)";
    }
    return shown;
}

constexpr std::string_view kColumnNames[] = {"article code", "description", "unit price", "currency",
                                             "labour quantity"};

// A NUL byte or another control character in a field is damage, not text: an article code holding one
// would never match the catalogue's and would print as garbage.
void RefuseControlCharacters(const std::vector<std::string>& fields, std::size_t line) {
    for (std::size_t column = 0; column < fields.size() && column < std::size(kColumnNames); ++column) {
        for (const char c : fields[column]) {
            const auto byte = static_cast<unsigned char>(c);
            if ((byte < 0x20 && c != '\t') || byte == 0x7F) {
                char code[8];
                std::snprintf(code, sizeof code, "0x%02X", byte);
                Fail(line, "the " + std::string(kColumnNames[column]) + " '" + Shown(fields[column]) +
                               "' holds a control character (byte " + code + ")");
            }
        }
    }
}

// The fields of one CSV line; quotes group a field and "" inside them is a quote.
std::vector<std::string> Fields(std::string_view line, std::size_t number) {
    std::vector<std::string> fields;
    std::string field;
    bool quoted = false;
    bool wasQuoted = false;
    for (std::size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (quoted) {
            if (c == '"' && i + 1 < line.size() && line[i + 1] == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"' && Trimmed(field).empty()) {
            quoted = true;
            wasQuoted = true;
            field.clear();
        } else if (c == ',') {
            fields.push_back(wasQuoted ? field : Trimmed(field));
            field.clear();
            wasQuoted = false;
        } else {
            field += c;
        }
    }
    if (quoted) {
        Fail(number, "a quoted field is not closed");
    }
    fields.push_back(wasQuoted ? field : Trimmed(field));
    return fields;
}

std::optional<double> Number(std::string text) {
    for (char& c : text) {
        if (c == ',') {
            c = '.';
        }
    }
    double value = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), value);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size() ||
        !std::isfinite(value)) {
        return std::nullopt;
    }
    return value + 0.0; // "-0" is 0: no "-0.00" in the quote
}

// The amount of a line in cents, or nothing past kMaxQuoteCents (where a double no longer holds every
// cent and the conversion to 64 bits could overflow).
std::optional<std::int64_t> Cents(double amount) {
    const double cents = std::round(amount * 100.0);
    if (!std::isfinite(cents) || std::fabs(cents) > static_cast<double>(kMaxQuoteCents)) {
        return std::nullopt;
    }
    return static_cast<std::int64_t>(cents);
}

std::string Quantity(double value) {
    char text[64];
    if (value == std::floor(value)) {
        std::snprintf(text, sizeof text, "%.0f", value);
    } else {
        std::snprintf(text, sizeof text, "%.1f", value);
    }
    return text;
}

// Two decimals, or four for a price finer than the cent (a cable's price per metre).
std::string Price(double value) {
    char text[64];
    const bool cents = std::fabs(value * 100.0 - std::round(value * 100.0)) < 1e-6;
    std::snprintf(text, sizeof text, cents ? "%.2f" : "%.4f", value);
    return text;
}

} // namespace

std::string Money(std::int64_t cents) {
    const bool negative = cents < 0; // a zero is never "-0.00"

    const std::uint64_t magnitude =
        negative ? 0 - static_cast<std::uint64_t>(cents) : static_cast<std::uint64_t>(cents);
    char text[64];
    std::snprintf(text, sizeof text, "%s%llu.%02llu", negative ? "-" : "",
                  static_cast<unsigned long long>(magnitude / 100),
                  static_cast<unsigned long long>(magnitude % 100));
    return text;
}

PriceList ReadPriceList(std::string_view text) {
    PriceList list;
    std::size_t number = 0;
    bool headerSeen = false;
    bool withLabour = false;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        ++number;
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (number == 1 && line.starts_with("\xEF\xBB\xBF")) {
            line.remove_prefix(3); // a byte order mark
        }
        if (Trimmed(line).empty()) {
            continue;
        }
        const std::vector<std::string> fields = Fields(line, number);
        RefuseControlCharacters(fields, number);
        if (!headerSeen) {
            const bool four = fields.size() == 4;
            const bool five = fields.size() == 5 && Lower(fields[4]) == kLabourHeader;
            bool matches = four || five;
            for (std::size_t i = 0; matches && i < 4; ++i) {
                matches = Lower(fields[i]) == kHeader[i];
            }
            if (!matches) {
                Fail(number, "the header must be 'code,description,unit price,currency' (and optionally "
                             "',labour quantity')");
            }
            headerSeen = true;
            withLabour = five;
            continue;
        }
        const std::size_t expected = withLabour ? 5 : 4;
        if (fields.size() != expected) {
            Fail(number,
                 std::to_string(fields.size()) + " columns, " + std::to_string(expected) + " expected");
        }
        PriceEntry entry;
        entry.line = number;
        entry.code = fields[0];
        entry.description = fields[1];
        if (entry.code.empty()) {
            Fail(number, "the article code is empty");
        }
        const std::optional<double> price = Number(fields[2]);
        if (!price || *price < 0) {
            Fail(number, "unit price '" + Shown(fields[2]) + "' is not a number of 0 or more");
        }
        if (*price > kMaxUnitPrice) {
            Fail(number, "unit price " + Shown(fields[2]) + " is above the largest a price list takes (" +
                             Money(Cents(kMaxUnitPrice).value_or(0)) + ")");
        }
        entry.unitPrice = *price;
        const std::string& currency = fields[3];
        if (currency.empty()) {
            Fail(number, "the currency is empty");
        }
        if (list.currency.empty()) {
            list.currency = currency;
        } else if (currency != list.currency) {
            Fail(number, "currency " + Shown(currency) + " differs from " + Shown(list.currency) +
                             " of the lines before");
        }
        if (withLabour && !fields[4].empty()) {
            const std::string quantity = Lower(fields[4]);
            const std::optional<double> value = Number(quantity);
            if (quantity != "outlets" && quantity != "flats" && (!value || *value < 0)) {
                Fail(number,
                     "labour quantity '" + Shown(fields[4]) + "' is not a number, 'outlets' or 'flats'");
            }
            if (value && *value > kMaxLabourQuantity) {
                Fail(number, "labour quantity " + Shown(fields[4]) +
                                 " is above the largest a price list takes (" + Quantity(kMaxLabourQuantity) +
                                 ")");
            }
            entry.labourQuantity = quantity;
            list.labour.push_back(std::move(entry));
            continue;
        }
        if (list.articles.contains(entry.code)) {
            Fail(number, "article " + Shown(entry.code) + " is priced twice");
        }
        list.articles.emplace(entry.code, std::move(entry));
    }
    if (!headerSeen) {
        throw PriceListError("line 1: the price list is empty (a header line is needed)");
    }
    return list;
}

namespace {

// Prices the line and adds it to the quote; a line total or a total past kMaxQuoteCents is refused with
// the price list's line, never wrapped round.
void AddLine(Quote& quote, QuoteLine line, const PriceEntry& price) {
    const std::optional<std::int64_t> cents = Cents(line.quantity * line.unitPrice);
    const auto refuse = [&](std::string_view what) {
        Fail(price.line, "article " + Shown(line.code) + ": " + Quantity(line.quantity) + " " + line.unit +
                             " at " + Price(line.unitPrice) + " " + std::string(what) + " (at most " +
                             Money(kMaxQuoteCents) + ")");
    };
    if (!cents) {
        refuse("give a line total too large for a quote");
    }
    line.totalCents = *cents;
    std::int64_t total = 0;
    if (__builtin_add_overflow(quote.totalCents, line.totalCents, &total) || total > kMaxQuoteCents) {
        refuse("take the total past the largest a quote carries");
    }
    quote.totalCents = total;
    quote.lines.push_back(std::move(line));
}

} // namespace

Quote MakeQuote(const std::vector<TElementoRec>& materials, const PriceList& prices, int outlets, int flats) {
    Quote quote;
    quote.currency = prices.currency;
    for (const TElementoRec& material : materials) {
        if (material.Tipo != TipoMaterial::Cable && material.Tipo != TipoMaterial::Elemento) {
            continue;
        }
        const auto found =
            material.Codigo.empty() ? prices.articles.end() : prices.articles.find(material.Codigo);
        if (found == prices.articles.end()) {
            quote.missing.push_back((material.Codigo.empty() ? "(no code) " + material.Nombre
                                                             : material.Codigo + " " + material.Nombre) +
                                    ": " + Quantity(material.Cantidad) +
                                    (material.Tipo == TipoMaterial::Cable ? " m" : " pcs"));
            continue;
        }
        QuoteLine line;
        line.code = material.Codigo;
        line.description =
            found->second.description.empty() ? material.Descripcion : found->second.description;
        line.quantity = material.Cantidad;
        line.unit = material.Tipo == TipoMaterial::Cable ? "m" : "pcs";
        line.unitPrice = found->second.unitPrice;
        AddLine(quote, std::move(line), found->second);
    }
    for (const PriceEntry& labour : prices.labour) {
        QuoteLine line;
        line.code = labour.code;
        line.description = labour.description;
        const std::string& quantity = *labour.labourQuantity;
        line.quantity = quantity == "outlets" ? outlets : quantity == "flats" ? flats : *Number(quantity);
        line.unit = quantity == "outlets" ? "outlets" : quantity == "flats" ? "flats" : "";
        line.unitPrice = labour.unitPrice;
        line.labour = true;
        AddLine(quote, std::move(line), labour);
    }
    return quote;
}

void EscribirPresupuesto(DocumentWriter& writer, const Quote& quote, std::string_view projectName) {
    writer.Reiniciar();
    writer.CabeceraPie("Quote", projectName, "Page ");
    writer.InsertarTexto("Quote\n", Atributos(14, true), true);
    writer.InsertarTexto("Project: " + std::string(projectName) + "\nPrices in " + quote.currency + "\n",
                         Atributos(10, false), true);
    writer.SetFontSize(8);
    const int rows = static_cast<int>(quote.lines.size()) + 2;
    const int table = writer.InsertarTabla(rows, 6);
    writer.AnchosColumnas(table, {2.2, 6.0, 1.6, 1.2, 2.0, 2.4});
    const char* headers[] = {"Code", "Description", "Quantity", "Unit", "Unit price", "Total"};
    for (int column = 1; column <= 6; ++column) {
        writer.TextoCelda(table, 1, column, headers[column - 1]);
        writer.FormatoCelda(table, 1, column, false, false, true);
    }
    int row = 2;
    for (const QuoteLine& line : quote.lines) {
        writer.TextoCelda(table, row, 1, line.code);
        writer.TextoCelda(table, row, 2, line.labour ? line.description + " (labour)" : line.description);
        writer.TextoCelda(table, row, 3, Quantity(line.quantity));
        writer.TextoCelda(table, row, 4, line.unit);
        writer.TextoCelda(table, row, 5, Price(line.unitPrice));
        writer.TextoCelda(table, row, 6, Money(line.totalCents));
        ++row;
    }
    writer.TextoCelda(table, row, 2, quote.Complete() ? "Total" : "Total of the priced lines (incomplete)");
    writer.TextoCelda(table, row, 6, Money(quote.totalCents) + " " + quote.currency);
    writer.FormatoCelda(table, row, 2, false, false, true);
    writer.FormatoCelda(table, row, 6, false, false, true);
    for (int column : {3, 5, 6}) {
        writer.AlineacionCeldas(table, column, Alineacion::Right, 2, rows);
    }
    writer.TrasTabla();
    writer.SetFontSize(10);
    if (!quote.missing.empty()) {
        writer.InsertarTexto("\nMaterials without a price (not in the total):\n", Atributos(11, true), true);
        for (const std::string& missing : quote.missing) {
            writer.InsertarTexto("- " + missing + "\n", Atributos(10, false), true);
        }
    }
}

void WriteQuoteCsv(std::ostream& out, const Quote& quote) {
    out << "code,description,quantity,unit,unit price,total,currency\n";
    for (const QuoteLine& line : quote.lines) {
        out << CsvField(line.code) << ","
            << CsvField(line.labour ? line.description + " (labour)" : line.description) << ","
            << Quantity(line.quantity) << "," << line.unit << "," << Price(line.unitPrice) << ","
            << Money(line.totalCents) << "," << CsvField(quote.currency) << "\n";
    }
    out << "," << (quote.Complete() ? "Total" : "Total of the priced lines (incomplete)") << ",,,,"
        << Money(quote.totalCents) << "," << CsvField(quote.currency) << "\n";
    for (const std::string& missing : quote.missing) {
        out << "missing," << CsvField(missing) << ",,,,,\n";
    }
}

} // namespace ixo
