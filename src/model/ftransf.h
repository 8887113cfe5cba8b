#pragma once

#include "model/level_vector.h"
#include "model/matriz.h"
#include "model/primer_objeto.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ixo {

// The transfer function of an element: for each input pin key a table giving, per output pin key, the
// gains at the eight bands. The tables describe pin classes: all pins sharing a key pair share a row.
// Input keys are matched without regard to letter case, output keys exactly; keys are cut to two
// characters.
//
// Data: int32 number of entries; per entry an int32 size (length + 1) and the entry's key as a short
// string, then the entry's table (TMatriz). Reading replaces the whole function.
class TFTransf : public TPrimerObjeto {
public:
    static constexpr std::string_view kClassName = "TFTransf";
    static constexpr std::size_t kKeyLength = 2;

    struct Entry {
        std::string key;
        std::unique_ptr<TMatriz> table;
    };

    enum class LookupResult {
        Found,   // gains := the row
        NoRow,   // the input key has a table without that output key: gains := -1.0 in every band
        NoTable, // no table for the input key: gains untouched
    };

    TFTransf() = default;
    TFTransf(const TFTransf& other);
    TFTransf& operator=(const TFTransf& other);

    // Appends a row (a table for the input key first when there is none) with the 8 numbers of text,
    // written with a decimal comma and separated by ";". A row is appended even when the table already
    // has one for that output key. Raises ScriptError, changing nothing, when text holds fewer than 8
    // numbers or one that cannot be read.
    void AddRow(std::string_view inputKey, std::string_view outputKey, std::string_view text);
    // Replaces the gains of the first matching row; false (nothing changed) when there is none.
    bool SetRow(std::string_view inputKey, std::string_view outputKey, const LevelVector& gains);
    bool HasRow(std::string_view inputKey, std::string_view outputKey) const;
    LookupResult Lookup(std::string_view inputKey, std::string_view outputKey, LevelVector& gains) const;
    // Appends deep copies of every entry of source.
    void CopyFrom(const TFTransf& source);
    void Clear() {
        m_entries.clear();
        ForgetResolved();
    }

    // Reads the block of the element's key list from a line "ECUACIONES" to a line "FINECUACIONES": each
    // line between, "<in>/<out>=<8 numbers>", gives AddRow in turn; then the block's lines, markers
    // included, are removed. An empty block is left in place. A block without end marker or a malformed
    // line raises ScriptError.
    void FillFromKeyList(std::vector<std::string>& keyList);

    // The tables are read here and changed only through the functions of this class, which forget the
    // key pairs Lookup has resolved.
    const std::vector<Entry>& Entries() const { return m_entries; }
    // The first table whose entry key equals inputKey without regard to case, or null.
    const TMatriz* FindTable(std::string_view inputKey) const;

    std::string_view ClassName() const override { return kClassName; }
    std::unique_ptr<TPrimerObjeto> Clone() const override { return std::make_unique<TFTransf>(*this); }
    void WriteToStream(BinaryWriter& writer) const override;
    // Unchanged on failure (StreamError).
    void ReadFromStream(BinaryReader& reader) override;

    // The 8 numbers of a row text; ScriptError when there are fewer or one cannot be read.
    static LevelVector ParseRowText(std::string_view text);

private:
    // A key pair Lookup has met, both keys of exactly two bytes packed into one word, and what the
    // tables give it: the row, or null when the input key has a table without that row (hasTable) or no
    // table at all. A level run asks the same few pairs for every pin it reaches; the scans of the tables
    // (input keys without regard to case) are made once per pair until the tables change. The pairs are
    // kept in place (a push allocates nothing), in the order first met, which is the order of the pins
    // a push goes through: the scan starts after the last pair found.
    struct ResolvedPair {
        std::uint32_t keys = 0;
        const TArrDin* row = nullptr;
        bool hasTable = false;
    };
    static constexpr std::size_t kResolvedCapacity = 8; // further pairs are looked up every time

    TMatriz* MutableTable(std::string_view inputKey);
    LookupResult Resolve(std::string_view inputKey, std::string_view outputKey, const TArrDin*& row) const;
    // Called by every function that changes the tables: rows may move or appear.
    void ForgetResolved() {
        m_resolvedCount = 0;
        m_nextResolved = 0;
    }

    std::vector<Entry> m_entries;
    mutable std::array<ResolvedPair, kResolvedCapacity> m_resolved{};
    mutable std::size_t m_resolvedCount = 0;
    mutable std::size_t m_nextResolved = 0; // where the next scan starts
};

} // namespace ixo
