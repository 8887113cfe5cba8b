#include "model/ftransf.h"

#include "common/ascii_case.h"

#include "common/binary_stream.h"
#include "model/script_numbers.h"
#include "model/stream_text.h"

#include <algorithm>
#include <cctype>
#include <utility>

namespace ixo {
namespace {

constexpr std::string_view kBlockStart = "ECUACIONES";
constexpr std::string_view kBlockEnd = "FINECUACIONES";
// An entry takes at least its int32 size, the key's length byte, the table's int32 size, length byte
// and int32 row count.
constexpr std::size_t kMinEntrySize = 4 + 1 + 4 + 1 + 4;

std::string Key(std::string_view text) {
    return CutToCharacters(text, TFTransf::kKeyLength);
}

// The key of text as a view of its first kKeyLength characters (a character being a UTF-8 lead byte
// and its continuation bytes), the same cut Key makes but without a copy: lookups run for every pin of
// every push of a level run.
std::string_view KeyView(std::string_view text) {
    std::size_t end = 0;
    for (std::size_t characters = 0; end < text.size() && characters < TFTransf::kKeyLength; ++characters) {
        ++end;
        while (end < text.size() && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) {
            ++end;
        }
    }
    return text.substr(0, end);
}

} // namespace

TFTransf::TFTransf(const TFTransf& other) : TPrimerObjeto(other) {
    CopyFrom(other);
}

TFTransf& TFTransf::operator=(const TFTransf& other) {
    if (this != &other) {
        TFTransf copy(other);
        m_entries = std::move(copy.m_entries);
        ForgetResolved();
    }
    return *this;
}

LevelVector TFTransf::ParseRowText(std::string_view text) {
    LevelVector gains;
    for (double& value : gains.band) {
        value = ParseScriptDecimal(FirstField(text), "a transfer row");
        if (!DropFirstField(text)) {
            text = {};
        }
    }
    return gains;
}

void TFTransf::AddRow(std::string_view inputKey, std::string_view outputKey, std::string_view text) {
    TArrDin row{ParseRowText(text), Key(outputKey)};
    ForgetResolved();
    TMatriz* table = MutableTable(Key(inputKey));
    if (table == nullptr) {
        auto created = std::make_unique<TMatriz>();
        created->InputKey = Key(inputKey);
        table = created.get();
        m_entries.push_back({created->InputKey, std::move(created)});
    }
    table->Rows.push_back(std::move(row));
}

bool TFTransf::SetRow(std::string_view inputKey, std::string_view outputKey, const LevelVector& gains) {
    TMatriz* table = MutableTable(KeyView(inputKey));
    TArrDin* row = table != nullptr ? table->FindRow(KeyView(outputKey)) : nullptr;
    if (row == nullptr) {
        return false;
    }
    row->Gains = gains;
    ForgetResolved();
    return true;
}

bool TFTransf::HasRow(std::string_view inputKey, std::string_view outputKey) const {
    const TMatriz* table = FindTable(KeyView(inputKey));
    return table != nullptr && table->FindRow(KeyView(outputKey)) != nullptr;
}

TFTransf::LookupResult TFTransf::Lookup(std::string_view inputKey, std::string_view outputKey,
                                        LevelVector& gains) const {
    const TArrDin* row = nullptr;
    const LookupResult result = Resolve(inputKey, outputKey, row);
    if (result == LookupResult::Found) {
        gains = row->Gains;
    } else if (result == LookupResult::NoRow) {
        gains = LevelVector::Filled(-1.0);
    }
    return result;
}

TFTransf::LookupResult TFTransf::Resolve(std::string_view inputKey, std::string_view outputKey,
                                         const TArrDin*& row) const {
    const auto result = [&row](const TArrDin* found, bool hasTable) {
        row = found;
        return found != nullptr ? LookupResult::Found
               : hasTable       ? LookupResult::NoRow
                                : LookupResult::NoTable;
    };
    // Keys of two bytes are already cut (two bytes hold at most two characters), so the pair packs
    // exactly; other lengths, rare, are looked up without memory.
    const bool packable = inputKey.size() == kKeyLength && outputKey.size() == kKeyLength;
    std::uint32_t keys = 0;
    if (packable) {
        keys = static_cast<std::uint32_t>(static_cast<unsigned char>(inputKey[0])) |
               static_cast<std::uint32_t>(static_cast<unsigned char>(inputKey[1])) << 8 |
               static_cast<std::uint32_t>(static_cast<unsigned char>(outputKey[0])) << 16 |
               static_cast<std::uint32_t>(static_cast<unsigned char>(outputKey[1])) << 24;
        for (std::size_t scanned = 0, i = m_nextResolved; scanned < m_resolvedCount; ++scanned) {
            const ResolvedPair& pair = m_resolved[i];
            i = i + 1 == m_resolvedCount ? 0 : i + 1;
            if (pair.keys == keys) {
                m_nextResolved = i;
                return result(pair.row, pair.hasTable);
            }
        }
    }
    const TMatriz* table = FindTable(KeyView(inputKey));
    const TArrDin* found = table != nullptr ? table->FindRow(KeyView(outputKey)) : nullptr;
    if (packable && m_resolvedCount < kResolvedCapacity) {
        m_resolved[m_resolvedCount++] = {keys, found, table != nullptr};
        m_nextResolved = 0;
    }
    return result(found, table != nullptr);
}

void TFTransf::CopyFrom(const TFTransf& source) {
    std::vector<Entry> copies;
    copies.reserve(source.m_entries.size());
    for (const Entry& entry : source.m_entries) {
        copies.push_back({entry.key, CloneAs(*entry.table)});
    }
    ForgetResolved();
    for (Entry& entry : copies) {
        m_entries.push_back(std::move(entry));
    }
}

const TMatriz* TFTransf::FindTable(std::string_view inputKey) const {
    for (const Entry& entry : m_entries) {
        if (EqualsIgnoringAsciiCase(entry.key, inputKey)) {
            return entry.table.get();
        }
    }
    return nullptr;
}

TMatriz* TFTransf::MutableTable(std::string_view inputKey) {
    return const_cast<TMatriz*>(std::as_const(*this).FindTable(inputKey));
}

void TFTransf::FillFromKeyList(std::vector<std::string>& keyList) {
    auto start = std::find(keyList.begin(), keyList.end(), kBlockStart);
    if (start == keyList.end()) {
        return;
    }
    auto line = std::next(start);
    if (line != keyList.end() && *line == kBlockEnd) {
        return;
    }
    for (; line != keyList.end() && *line != kBlockEnd; ++line) {
        std::string_view text = *line;
        std::size_t equals = text.find('=');
        std::size_t slash = text.substr(0, equals).find('/');
        if (equals == std::string_view::npos || slash == std::string_view::npos) {
            throw ScriptError("transfer line '" + *line + "' is not <input>/<output>=<gains>");
        }
        AddRow(text.substr(0, slash), text.substr(slash + 1, equals - slash - 1), text.substr(equals + 1));
    }
    if (line == keyList.end()) {
        throw ScriptError("the transfer block opened by ECUACIONES has no FINECUACIONES");
    }
    keyList.erase(start, std::next(line));
}

void TFTransf::WriteToStream(BinaryWriter& writer) const {
    writer.WriteInt32(static_cast<std::int32_t>(m_entries.size()));
    for (const Entry& entry : m_entries) {
        WriteSizedShortText32(writer, entry.key);
        entry.table->WriteToStream(writer);
    }
}

void TFTransf::ReadFromStream(BinaryReader& reader) {
    std::size_t count = reader.ReadCount(kMinEntrySize, "transfer tables");
    std::vector<Entry> entries;
    entries.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        Entry entry{ReadSizedShortText32(reader), std::make_unique<TMatriz>()};
        entry.table->ReadFromStream(reader);
        entries.push_back(std::move(entry));
    }
    m_entries = std::move(entries);
    ForgetResolved();
}

} // namespace ixo
