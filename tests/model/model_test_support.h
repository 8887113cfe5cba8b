#pragma once

#include "common/binary_stream.h"
#include "model/parts_catalogue.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string_view>
#include <vector>

namespace ixo::test {

using ByteVector = std::vector<std::uint8_t>;

// Expected bytes are spelled out by hand in the tests; these only append them.
inline void Append(ByteVector& out, std::initializer_list<int> bytes) {
    for (int b : bytes) {
        out.push_back(static_cast<std::uint8_t>(b));
    }
}
inline void AppendText(ByteVector& out, std::string_view text) {
    out.insert(out.end(), text.begin(), text.end());
}
// A double given by its IEEE-754 bit pattern, little-endian.
inline void AppendDoubleBits(ByteVector& out, std::uint64_t bits, int times = 1) {
    for (int t = 0; t < times; ++t) {
        for (int i = 0; i < 8; ++i) {
            out.push_back(static_cast<std::uint8_t>(bits >> (8 * i)));
        }
    }
}
inline constexpr std::uint64_t kBitsZero = 0x0000000000000000;
inline constexpr std::uint64_t kBitsHalf = 0x3FE0000000000000;     // 0.5
inline constexpr std::uint64_t kBitsTwo = 0x4000000000000000;      // 2.0
inline constexpr std::uint64_t kBitsMinus3p5 = 0xC00C000000000000; // -3.5
inline constexpr std::uint64_t kBits4000 = 0x40AF400000000000;     // 4000.0
inline constexpr std::uint64_t kBits12p25 = 0x4028800000000000;    // 12.25

// Every proper prefix of a valid sample must be refused with StreamError (and, under the sanitizers,
// without reading past it).
template <typename ReadFn> void ExpectEveryTruncationFails(const ByteVector& bytes, ReadFn read) {
    for (std::size_t size = 0; size < bytes.size(); ++size) {
        ByteVector prefix(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size));
        BinaryReader reader(prefix);
        EXPECT_THROW(read(reader), StreamError) << "prefix of " << size << " of " << bytes.size() << " bytes";
    }
}

// A connector and load table held in memory.
class FakePartsCatalogue : public PartsCatalogue {
public:
    FakePartsCatalogue() {
        AddConnector(1, "CON-1", 'F', 'H');
        AddConnector(5, "F-5", 'F', 'M');
        TCarga load;
        load.Indice = 1;
        load.Familia = 4000;
        load.Modelo = "CARGA-75";
        loads[1] = load;
    }
    void AddConnector(std::int32_t indice, std::string modelo, char tipo, char sexo) {
        TConector connector;
        connector.Indice = indice;
        connector.Familia = 3000;
        connector.Modelo = std::move(modelo);
        connector.Tipo = tipo;
        connector.Sexo = sexo;
        connectors[indice] = connector;
    }
    const TConector* ConnectorByIndice(std::int32_t indice) const override {
        auto found = connectors.find(indice);
        return found == connectors.end() ? nullptr : &found->second;
    }
    const TCarga* LoadByIndice(std::int32_t indice) const override {
        auto found = loads.find(indice);
        return found == loads.end() ? nullptr : &found->second;
    }
    TRECConScript RecordByIndice(TTablaCompoScript* table, std::int32_t indice) const override {
        TRECConScript record;
        record.Indice = -1;
        auto found = records.find(indice);
        if (table == recordTable && found != records.end()) {
            record = found->second;
        }
        return record;
    }

    std::map<std::int32_t, TConector> connectors;
    std::map<std::int32_t, TCarga> loads;
    TTablaCompoScript* recordTable = nullptr;
    std::map<std::int32_t, TRECConScript> records;
};

} // namespace ixo::test
