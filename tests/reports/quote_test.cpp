#include "reports/quote.h"

#include "reports/recording_writer.h"

#include <gtest/gtest.h>

#include <sstream>

namespace ixo {
namespace {

TElementoRec Material(std::string code, std::string name, double quantity, TipoMaterial kind) {
    TElementoRec line;
    line.Codigo = std::move(code);
    line.Nombre = std::move(name);
    line.Cantidad = quantity;
    line.Tipo = kind;
    return line;
}

std::string ErrorOf(std::string_view text) {
    try {
        (void)ReadPriceList(text);
    } catch (const PriceListError& error) {
        return error.what();
    }
    return "no error";
}

TEST(PriceList, ReadsArticlesAndLabour) {
    const PriceList list = ReadPriceList("\xEF\xBB\xBF"
                                         "Code,Description,Unit price,Currency,Labour quantity\r\n"
                                         "720020,\"End outlet, 2 connectors\",3.80,EUR,\r\n"
                                         "731024,Cable 6.8 mm,\"0,455\",EUR,\r\n"
                                         "\n"
                                         "LAB-OUT,Per outlet,12.50,EUR,outlets\r\n");
    EXPECT_EQ(list.currency, "EUR");
    ASSERT_EQ(list.articles.size(), 2u);
    EXPECT_EQ(list.articles.at("720020").description, "End outlet, 2 connectors");
    EXPECT_DOUBLE_EQ(list.articles.at("731024").unitPrice, 0.455);
    ASSERT_EQ(list.labour.size(), 1u);
    EXPECT_EQ(list.labour[0].labourQuantity, "outlets");
}

TEST(PriceList, BadInputNamesTheLine) {
    EXPECT_EQ(ErrorOf(""), "line 1: the price list is empty (a header line is needed)");
    EXPECT_EQ(ErrorOf("code,price\n"), "line 1: the header must be 'code,description,unit price,currency' "
                                       "(and optionally ',labour quantity')");
    EXPECT_EQ(ErrorOf("code,description,unit price,currency\n1,a,2.0\n"), "line 2: 3 columns, 4 expected");
    EXPECT_EQ(ErrorOf("code,description,unit price,currency\n1,a,two,EUR\n"),
              "line 2: unit price 'two' is not a number of 0 or more");
    EXPECT_EQ(ErrorOf("code,description,unit price,currency\n1,a,-2,EUR\n"),
              "line 2: unit price '-2' is not a number of 0 or more");
    EXPECT_EQ(ErrorOf("code,description,unit price,currency\n1,a,2,EUR\n\n2,b,3,GBP\n"),
              "line 4: currency GBP differs from EUR of the lines before");
    EXPECT_EQ(ErrorOf("code,description,unit price,currency\n1,a,2,EUR\n1,b,3,EUR\n"),
              "line 3: article 1 is priced twice");
    EXPECT_EQ(ErrorOf("code,description,unit price,currency\n,a,2,EUR\n"),
              "line 2: the article code is empty");
    EXPECT_EQ(ErrorOf("code,description,unit price,currency\n1,\"a,2,EUR\n"),
              "line 2: a quoted field is not closed");
    EXPECT_EQ(ErrorOf("code,description,unit price,currency,labour quantity\nL,a,2,EUR,lots\n"),
              "line 2: labour quantity 'lots' is not a number, 'outlets' or 'flats'");
}

// 32 outlets at 3.80 = 121.60; 368 m of cable at 0.455 = 167.44; labour 32 x 12.50 = 400.00 and 1 x 240 =
// 240.00. Total 929.04. The splitter has no price and the load no article code: both listed, not priced.
TEST(Quote, JoinsByCodeAndListsWhatHasNoPrice) {
    const PriceList prices = ReadPriceList("code,description,unit price,currency,labour quantity\n"
                                           "720020,End outlet,3.80,EUR,\n"
                                           "731024,Cable 6.8 mm,0.455,EUR,\n"
                                           "LAB-OUT,Per outlet,12.50,EUR,outlets\n"
                                           "LAB-HE,Headend,240,EUR,1\n");
    const std::vector<TElementoRec> materials = {
        Material("710002", "RP-2", 16, TipoMaterial::Elemento),
        Material("720020", "TF-2", 32, TipoMaterial::Elemento),
        Material("731024", "CX-68", 368, TipoMaterial::Cable),
        Material("", "FCF", 3, TipoMaterial::Elemento),
        Material("", "PAU-1", 16, TipoMaterial::NoMaterial),
    };
    const Quote quote = MakeQuote(materials, prices, 32, 16);
    ASSERT_EQ(quote.lines.size(), 4u);
    EXPECT_EQ(quote.lines[0].totalCents, 12160);
    EXPECT_EQ(quote.lines[1].totalCents, 16744);
    EXPECT_EQ(quote.lines[1].unit, "m");
    EXPECT_TRUE(quote.lines[2].labour);
    EXPECT_EQ(quote.lines[2].quantity, 32);
    EXPECT_EQ(quote.lines[2].totalCents, 40000);
    EXPECT_EQ(quote.lines[3].totalCents, 24000);
    EXPECT_EQ(quote.totalCents, 92904);
    EXPECT_EQ(Money(quote.totalCents), "929.04");
    EXPECT_FALSE(quote.Complete());
    EXPECT_EQ(quote.missing, (std::vector<std::string>{"710002 RP-2: 16 pcs", "(no code) FCF: 3 pcs"}));

    std::ostringstream csv;
    WriteQuoteCsv(csv, quote);
    EXPECT_NE(csv.str().find("731024,Cable 6.8 mm,368,m,0.4550,167.44,EUR\n"), std::string::npos)
        << csv.str();
    EXPECT_NE(csv.str().find(",Total of the priced lines (incomplete),,,,929.04,EUR\n"), std::string::npos);
    EXPECT_NE(csv.str().find("missing,710002 RP-2: 16 pcs,,,,,\n"), std::string::npos);
}

TEST(Quote, TheDocumentShowsTheTotalAndTheMissingPrices) {
    const PriceList prices =
        ReadPriceList("code,description,unit price,currency\n720020,End outlet,3.80,EUR\n");
    const Quote quote = MakeQuote({Material("720020", "TF-2", 2, TipoMaterial::Elemento),
                                   Material("710002", "RP-2", 1, TipoMaterial::Elemento)},
                                  prices, 2, 1);
    RecordingWriter writer;
    EscribirPresupuesto(writer, quote, "house.XPJ");
    const std::string text = writer.PlainText();
    EXPECT_NE(text.find("Quote"), std::string::npos);
    EXPECT_NE(text.find("7.60 EUR"), std::string::npos) << text;
    EXPECT_NE(text.find("Materials without a price (not in the total):"), std::string::npos) << text;
    EXPECT_NE(text.find("- 710002 RP-2: 1 pcs"), std::string::npos) << text;
}

std::string QuoteErrorOf(const std::vector<TElementoRec>& materials, std::string_view prices) {
    try {
        (void)MakeQuote(materials, ReadPriceList(prices), 0, 0);
    } catch (const PriceListError& error) {
        return error.what();
    }
    return "no error";
}

constexpr std::string_view kPriceHeader = "code,description,unit price,currency\n";

TEST(PriceList, RefusesPricesAndQuantitiesPastTheBounds) {
    EXPECT_EQ(ErrorOf(std::string(kPriceHeader) + "1,a,1e15,EUR\n"),
              "line 2: unit price 1e15 is above the largest a price list takes (1000000000.00)");
    EXPECT_EQ(ErrorOf("code,description,unit price,currency,labour quantity\nL,a,2,EUR,1e300\n"),
              "line 2: labour quantity 1e300 is above the largest a price list takes (1000000)");
    EXPECT_NO_THROW((void)ReadPriceList(std::string(kPriceHeader) + "1,a,1000000000,EUR\n"));
}

// 1e7 m at the largest unit price is 1e18 cents, past what a quote line can carry exactly; two lines
// that each fit can still sum past it. Both are refused with the price list's line, never wrapped round.
TEST(Quote, RefusesALineOrATotalTooLargeToCarry) {
    EXPECT_EQ(QuoteErrorOf({Material("C", "cable", 1e7, TipoMaterial::Cable)},
                           std::string(kPriceHeader) + "X,x,1,EUR\nC,cable,1000000000,EUR\n"),
              "line 3: article C: 10000000 m at 1000000000.00 give a line total too large for a quote "
              "(at most 90071992547409.91)");
    const std::string prices = std::string(kPriceHeader) + "A,a,1000000000,EUR\nB,b,1000000000,EUR\n";
    const std::vector<TElementoRec> large = {Material("A", "a", 60000, TipoMaterial::Cable),
                                             Material("B", "b", 60000, TipoMaterial::Cable)};
    EXPECT_EQ(QuoteErrorOf(large, prices),
              "line 3: article B: 60000 m at 1000000000.00 take the total past the largest a quote "
              "carries (at most 90071992547409.91)");
    const Quote fits = MakeQuote({large[0]}, ReadPriceList(prices), 0, 0);
    EXPECT_EQ(Money(fits.totalCents), "60000000000000.00");
}

TEST(PriceList, RefusesControlCharactersAndShowsLongFieldsCut) {
    EXPECT_EQ(ErrorOf(std::string(kPriceHeader) + std::string("72\0"
                                                              "020,a,1,EUR\n",
                                                              14)),
              "line 2: the article code '72?020' holds a control character (byte 0x00)");
    const std::string huge(1 << 20, '7');
    const std::string message = ErrorOf(std::string(kPriceHeader) + "1,a," + huge + ",EUR\n");
    EXPECT_EQ(message, "line 2: unit price '" + std::string(kMaxShownField, '7') +
                           "... (1048576 bytes)' is not a number of 0 or more");
}

TEST(Quote, AZeroIsNeverNegative) {
    const Quote quote = MakeQuote({Material("A", "a", 3, TipoMaterial::Elemento)},
                                  ReadPriceList(std::string(kPriceHeader) + "A,a,-0,EUR\n"), 0, 0);
    std::ostringstream csv;
    WriteQuoteCsv(csv, quote);
    EXPECT_EQ(csv.str().find("-0"), std::string::npos) << csv.str();
    EXPECT_NE(csv.str().find("A,a,3,pcs,0.00,0.00,EUR\n"), std::string::npos) << csv.str();
    EXPECT_EQ(Money(0), "0.00");
    EXPECT_EQ(Money(-5), "-0.05");
}

} // namespace
} // namespace ixo
