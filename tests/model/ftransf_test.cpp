#include "model/ftransf.h"
#include "model/script_numbers.h"
#include "model_test_support.h"

#include <gtest/gtest.h>

#include <string>

namespace ixo {
namespace {

using test::Append;
using test::AppendDoubleBits;
using test::ByteVector;

constexpr const char* kMinus3p5 = "-3,5;-3,5;-3,5;-3,5;-3,5;-3,5;-3,5;-3,5";
constexpr const char* kTwo = "2;2;2;2;2;2;2;2";
constexpr const char* kHalf = "0,5;0,5;0,5;0,5;0,5;0,5;0,5;0,5";

TEST(TransferRows, RowTextNeedsEightNumbers) {
    LevelVector gains = TFTransf::ParseRowText("-3,8;-3,9;-4;-4,2;-4,5;-4,8;-5;-5,3");
    EXPECT_EQ(gains, (LevelVector{{-3.8, -3.9, -4.0, -4.2, -4.5, -4.8, -5.0, -5.3}}));
    EXPECT_EQ(TFTransf::ParseRowText("1;2;3;4;5;6;7;8;99"), (LevelVector{{1, 2, 3, 4, 5, 6, 7, 8}}));
    EXPECT_THROW(TFTransf::ParseRowText("1;2;3;4;5;6;7"), ScriptError);
    EXPECT_THROW(TFTransf::ParseRowText("1;2;3;4;x;6;7;8"), ScriptError);
    EXPECT_THROW(TFTransf::ParseRowText(""), ScriptError);

    TFTransf transfer;
    EXPECT_THROW(transfer.AddRow("EA", "SA", "1;2"), ScriptError);
    EXPECT_TRUE(transfer.Entries().empty());
}

TEST(TransferLookup, RowMissingTableMissingAndCase) {
    TFTransf transfer;
    transfer.AddRow("EA", "SA", kMinus3p5);
    LevelVector gains = LevelVector::Filled(9.0);
    EXPECT_EQ(transfer.Lookup("ea", "SA", gains), TFTransf::LookupResult::Found);
    EXPECT_EQ(gains, LevelVector::Filled(-3.5));
    // The output key is matched exactly.
    EXPECT_EQ(transfer.Lookup("EA", "sa", gains), TFTransf::LookupResult::NoRow);
    EXPECT_EQ(gains, LevelVector::Filled(-1.0));
    EXPECT_FALSE(transfer.HasRow("EA", "sa"));
    EXPECT_TRUE(transfer.HasRow("Ea", "SA"));
    // No table for the input key: the caller's vector stays as it was.
    gains = LevelVector::Filled(9.0);
    EXPECT_EQ(transfer.Lookup("EB", "SA", gains), TFTransf::LookupResult::NoTable);
    EXPECT_EQ(gains, LevelVector::Filled(9.0));
    // Longer keys are cut to two characters.
    EXPECT_EQ(transfer.Lookup("EAX", "SAY", gains), TFTransf::LookupResult::Found);
}

TEST(TransferLookup, TwoRowsForOnePairTheFirstWinsAndSetRowChangesOnlyIt) {
    TFTransf transfer;
    transfer.AddRow("EA", "SA", kTwo);
    transfer.AddRow("EA", "SA", kHalf);
    LevelVector gains;
    transfer.Lookup("EA", "SA", gains);
    EXPECT_EQ(gains, LevelVector::Filled(2.0));
    EXPECT_TRUE(transfer.SetRow("EA", "SA", LevelVector::Filled(7.0)));
    const TMatriz* table = transfer.FindTable("EA");
    ASSERT_NE(table, nullptr);
    ASSERT_EQ(table->Rows.size(), 2u);
    EXPECT_EQ(table->Rows[0].Gains, LevelVector::Filled(7.0));
    EXPECT_EQ(table->Rows[1].Gains, LevelVector::Filled(0.5));
    // SetRow never creates a row.
    EXPECT_FALSE(transfer.SetRow("EA", "SB", LevelVector()));
    EXPECT_FALSE(transfer.SetRow("EC", "SA", LevelVector()));
    EXPECT_EQ(table->Rows.size(), 2u);
    EXPECT_EQ(transfer.Entries().size(), 1u);
}

TEST(TransferBlock, LinesGroupByInputKey) {
    std::vector<std::string> keys{"OBSOLETO=0",
                                  "ECUACIONES",
                                  std::string("EA/SA=") + kMinus3p5,
                                  std::string("ea/SB=") + kTwo,
                                  std::string("EB/SA=") + kHalf,
                                  "FINECUACIONES",
                                  "CONSUMO=0"};
    TFTransf transfer;
    transfer.FillFromKeyList(keys);
    EXPECT_EQ(keys, (std::vector<std::string>{"OBSOLETO=0", "CONSUMO=0"}));
    ASSERT_EQ(transfer.Entries().size(), 2u);
    EXPECT_EQ(transfer.Entries()[0].key, "EA");
    ASSERT_EQ(transfer.Entries()[0].table->Rows.size(), 2u);
    EXPECT_EQ(transfer.Entries()[0].table->Rows[1].OutputKey, "SB");
    EXPECT_EQ(transfer.Entries()[1].key, "EB");
    EXPECT_EQ(transfer.Entries()[1].table->Rows.size(), 1u);
}

TEST(TransferBlock, EmptyAbsentAndUnterminatedBlocks) {
    std::vector<std::string> empty{"ECUACIONES", "FINECUACIONES", "X=1"};
    TFTransf transfer;
    transfer.FillFromKeyList(empty);
    EXPECT_EQ(empty.size(), 3u); // an empty block is left in place
    EXPECT_TRUE(transfer.Entries().empty());

    std::vector<std::string> none{"X=1"};
    transfer.FillFromKeyList(none);
    EXPECT_EQ(none.size(), 1u);

    std::vector<std::string> last{"X=1", "ECUACIONES"};
    EXPECT_THROW(transfer.FillFromKeyList(last), ScriptError);
    std::vector<std::string> open{"ECUACIONES", std::string("EA/SA=") + kTwo};
    EXPECT_THROW(transfer.FillFromKeyList(open), ScriptError);
    std::vector<std::string> shortRow{"ECUACIONES", "EA/SA=1;2;3", "FINECUACIONES"};
    EXPECT_THROW(transfer.FillFromKeyList(shortRow), ScriptError);
    std::vector<std::string> malformed{"ECUACIONES", "EASA=1", "FINECUACIONES"};
    EXPECT_THROW(transfer.FillFromKeyList(malformed), ScriptError);
}

TEST(TransferCopy, CopyFromAppendsDeepCopies) {
    TFTransf source;
    source.AddRow("EA", "SA", kTwo);
    TFTransf target;
    target.AddRow("EB", "SB", kHalf);
    target.CopyFrom(source);
    ASSERT_EQ(target.Entries().size(), 2u);
    source.SetRow("EA", "SA", LevelVector::Filled(-9.0));
    LevelVector gains;
    target.Lookup("EA", "SA", gains);
    EXPECT_EQ(gains, LevelVector::Filled(2.0));
    target.Clear();
    EXPECT_TRUE(target.Entries().empty());
}

// EA: rows SA (-3.5) and SB (2.0); EB: row SA (0.5).
TFTransf SampleTransfer() {
    TFTransf transfer;
    transfer.AddRow("EA", "SA", kMinus3p5);
    transfer.AddRow("EA", "SB", kTwo);
    transfer.AddRow("EB", "SA", kHalf);
    return transfer;
}

ByteVector SampleTransferBytes() {
    ByteVector bytes{0x02, 0x00, 0x00, 0x00};                // two entries
    Append(bytes, {0x03, 0x00, 0x00, 0x00, 0x02, 'E', 'A'}); // entry key
    Append(bytes, {0x03, 0x00, 0x00, 0x00, 0x02, 'E', 'A'}); // table key
    Append(bytes, {0x02, 0x00, 0x00, 0x00});                 // two rows
    Append(bytes, {0x03, 0x00, 0x02, 'S', 'A'});
    AppendDoubleBits(bytes, test::kBitsMinus3p5, 8);
    Append(bytes, {0x03, 0x00, 0x02, 'S', 'B'});
    AppendDoubleBits(bytes, test::kBitsTwo, 8);
    Append(bytes, {0x03, 0x00, 0x00, 0x00, 0x02, 'E', 'B'});
    Append(bytes, {0x03, 0x00, 0x00, 0x00, 0x02, 'E', 'B'});
    Append(bytes, {0x01, 0x00, 0x00, 0x00});
    Append(bytes, {0x03, 0x00, 0x02, 'S', 'A'});
    AppendDoubleBits(bytes, test::kBitsHalf, 8);
    return bytes;
}

TEST(TransferStream, BytesBothWays) {
    BinaryWriter writer;
    SampleTransfer().WriteToStream(writer);
    EXPECT_EQ(writer.Bytes(), SampleTransferBytes());

    ByteVector bytes = SampleTransferBytes();
    BinaryReader reader(bytes);
    TFTransf read;
    read.AddRow("EC", "SC", kTwo); // replaced whole by reading
    read.ReadFromStream(reader);
    EXPECT_TRUE(reader.AtEnd());
    EXPECT_FALSE(read.HasRow("EC", "SC"));
    LevelVector gains;
    EXPECT_EQ(read.Lookup("eb", "SA", gains), TFTransf::LookupResult::Found);
    EXPECT_EQ(gains, LevelVector::Filled(0.5));
    BinaryWriter again;
    read.WriteToStream(again);
    EXPECT_EQ(again.Bytes(), bytes);

    BinaryWriter empty;
    TFTransf().WriteToStream(empty);
    EXPECT_EQ(empty.Bytes(), (ByteVector{0, 0, 0, 0}));
}

TEST(TransferStream, TruncatedOrAbsurdDataIsRefusedAndLeavesTheFunction) {
    test::ExpectEveryTruncationFails(SampleTransferBytes(), [](BinaryReader& reader) {
        TFTransf transfer;
        transfer.ReadFromStream(reader);
    });

    TFTransf kept = SampleTransfer();
    auto refuse = [&](ByteVector bytes) {
        BinaryReader reader(bytes);
        EXPECT_THROW(kept.ReadFromStream(reader), StreamError);
        EXPECT_EQ(kept.Entries().size(), 2u);
    };
    ByteVector hugeEntries = SampleTransferBytes();
    hugeEntries[3] = 0x7F; // 0x7F000002 entries
    refuse(hugeEntries);
    ByteVector negativeRows = SampleTransferBytes();
    negativeRows[21] = 0xFF; // row count of the first table -> 0xFF000002, negative
    refuse(negativeRows);
    ByteVector keySize = SampleTransferBytes();
    keySize[4] = 0x00; // entry key size 0
    refuse(keySize);
    ByteVector bigKey = SampleTransferBytes();
    bigKey[5] = 0x10; // entry key size 0x1003
    refuse(bigKey);
}

// Lookup remembers the rows it has resolved; every change of the tables must show in the next lookup.
TEST(TransferLookupMemory, EveryChangeOfTheTablesShowsInTheNextLookup) {
    TFTransf transfer;
    LevelVector gains = LevelVector::Filled(9.0);
    EXPECT_EQ(transfer.Lookup("EA", "SA", gains), TFTransf::LookupResult::NoTable);
    EXPECT_EQ(gains, LevelVector::Filled(9.0));

    // A table appears for the input key: the pair remembered without a table now has its row.
    transfer.AddRow("EA", "SB", kHalf);
    EXPECT_EQ(transfer.Lookup("EA", "SA", gains), TFTransf::LookupResult::NoRow);
    EXPECT_EQ(gains, LevelVector::Filled(-1.0));
    transfer.AddRow("EA", "SA", kTwo);
    EXPECT_EQ(transfer.Lookup("EA", "SA", gains), TFTransf::LookupResult::Found);
    EXPECT_EQ(gains, LevelVector::Filled(2.0));

    // Many more rows: the rows move in memory; the remembered pairs still give their own gains.
    EXPECT_EQ(transfer.Lookup("EA", "SB", gains), TFTransf::LookupResult::Found);
    for (char key = 'C'; key <= 'Z'; ++key) {
        transfer.AddRow("EA", std::string{'S', key}, kMinus3p5);
    }
    EXPECT_EQ(transfer.Lookup("EA", "SA", gains), TFTransf::LookupResult::Found);
    EXPECT_EQ(gains, LevelVector::Filled(2.0));
    EXPECT_EQ(transfer.Lookup("EA", "SB", gains), TFTransf::LookupResult::Found);
    EXPECT_EQ(gains, LevelVector::Filled(0.5));
    EXPECT_EQ(transfer.Lookup("EA", "SZ", gains), TFTransf::LookupResult::Found);
    EXPECT_EQ(gains, LevelVector::Filled(-3.5));

    // New gains for a row looked up before (an amplifier's control moved).
    EXPECT_TRUE(transfer.SetRow("ea", "SA", LevelVector::Filled(7.25)));
    EXPECT_EQ(transfer.Lookup("EA", "SA", gains), TFTransf::LookupResult::Found);
    EXPECT_EQ(gains, LevelVector::Filled(7.25));
    // The same pair asked in other letter case is its own remembered pair with the same row.
    EXPECT_EQ(transfer.Lookup("eA", "SA", gains), TFTransf::LookupResult::Found);
    EXPECT_EQ(gains, LevelVector::Filled(7.25));

    // Replaced by assignment, by reading and by clearing.
    TFTransf other;
    other.AddRow("EA", "SA", kMinus3p5);
    transfer = other;
    EXPECT_EQ(transfer.Lookup("EA", "SA", gains), TFTransf::LookupResult::Found);
    EXPECT_EQ(gains, LevelVector::Filled(-3.5));
    EXPECT_EQ(transfer.Lookup("EA", "SB", gains), TFTransf::LookupResult::NoRow);

    ByteVector bytes = SampleTransferBytes(); // EA: SA -3.5, SB 2.0; EB: SA 0.5
    BinaryReader reader(bytes);
    EXPECT_EQ(transfer.Lookup("EB", "SA", gains), TFTransf::LookupResult::NoTable);
    transfer.ReadFromStream(reader);
    EXPECT_EQ(transfer.Lookup("EA", "SB", gains), TFTransf::LookupResult::Found);
    EXPECT_EQ(gains, LevelVector::Filled(2.0));
    EXPECT_EQ(transfer.Lookup("EB", "SA", gains), TFTransf::LookupResult::Found);
    EXPECT_EQ(gains, LevelVector::Filled(0.5));

    transfer.Clear();
    gains = LevelVector::Filled(9.0);
    EXPECT_EQ(transfer.Lookup("EA", "SB", gains), TFTransf::LookupResult::NoTable);
    EXPECT_EQ(gains, LevelVector::Filled(9.0));

    // Copies appended: a pair without a table finds the copied one.
    transfer.CopyFrom(other);
    EXPECT_EQ(transfer.Lookup("EA", "SA", gains), TFTransf::LookupResult::Found);
    EXPECT_EQ(gains, LevelVector::Filled(-3.5));
}

// A copy starts with its own memory: changing the copy leaves the original's lookups as they were.
TEST(TransferLookupMemory, CopiesDoNotShareResolvedRows) {
    TFTransf original = SampleTransfer();
    LevelVector gains;
    EXPECT_EQ(original.Lookup("EA", "SA", gains), TFTransf::LookupResult::Found);
    TFTransf copy(original);
    EXPECT_TRUE(copy.SetRow("EA", "SA", LevelVector::Filled(1.5)));
    EXPECT_EQ(copy.Lookup("EA", "SA", gains), TFTransf::LookupResult::Found);
    EXPECT_EQ(gains, LevelVector::Filled(1.5));
    EXPECT_EQ(original.Lookup("EA", "SA", gains), TFTransf::LookupResult::Found);
    EXPECT_EQ(gains, LevelVector::Filled(-3.5));
    // Keys of other lengths are cut and looked up as before.
    EXPECT_EQ(original.Lookup("E", "SA", gains), TFTransf::LookupResult::NoTable);
    EXPECT_EQ(original.Lookup("EAQ", "SBQ", gains), TFTransf::LookupResult::Found);
    EXPECT_EQ(gains, LevelVector::Filled(2.0));
}

// More pairs than are remembered: each still finds its own row, in any order, before and after a change.
TEST(TransferLookupMemory, ManyPairsEachFindTheirOwnRow) {
    TFTransf transfer;
    for (char key = 'A'; key <= 'T'; ++key) {
        // Row S<key> of table EA gains (key - 'A') dB in every band.
        const std::string gain = std::to_string(key - 'A');
        std::string text = gain;
        for (int band = 1; band < 8; ++band) {
            text += ";" + gain;
        }
        transfer.AddRow("EA", std::string{'S', key}, text);
    }
    LevelVector gains;
    for (int round = 0; round < 3; ++round) {
        for (char key = 'T'; key >= 'A'; key -= (round == 1 ? 3 : 1)) {
            ASSERT_EQ(transfer.Lookup("EA", std::string{'S', key}, gains), TFTransf::LookupResult::Found);
            EXPECT_EQ(gains, LevelVector::Filled(key - 'A')) << "round " << round << " key " << key;
        }
        for (char key = 'A'; key <= 'T'; ++key) {
            ASSERT_EQ(transfer.Lookup("EA", std::string{'S', key}, gains), TFTransf::LookupResult::Found);
            EXPECT_EQ(gains, LevelVector::Filled(key - 'A')) << "round " << round << " key " << key;
        }
    }
    EXPECT_EQ(transfer.Lookup("EA", "SZ", gains), TFTransf::LookupResult::NoRow);
    EXPECT_TRUE(transfer.SetRow("EA", "SB", LevelVector::Filled(-6.0)));
    EXPECT_TRUE(transfer.SetRow("EA", "ST", LevelVector::Filled(-7.0)));
    EXPECT_EQ(transfer.Lookup("EA", "SB", gains), TFTransf::LookupResult::Found);
    EXPECT_EQ(gains, LevelVector::Filled(-6.0));
    EXPECT_EQ(transfer.Lookup("EA", "ST", gains), TFTransf::LookupResult::Found);
    EXPECT_EQ(gains, LevelVector::Filled(-7.0));
    EXPECT_EQ(transfer.Lookup("EA", "SC", gains), TFTransf::LookupResult::Found);
    EXPECT_EQ(gains, LevelVector::Filled(2.0));
}

} // namespace
} // namespace ixo
