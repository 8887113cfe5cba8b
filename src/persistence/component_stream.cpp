#include "persistence/component_stream.h"

#include "common/extended_float.h"
#include "common/text_encoding.h"

#include <algorithm>
#include <limits>

namespace ixo {
namespace {

bool IsAscii(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

void AppendUtf8(std::string& out, std::uint32_t code) {
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (code >> 6)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0 | (code >> 12)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xF0 | (code >> 18)));
        out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
}

// UTF-16LE code units to UTF-8; an unpaired surrogate becomes U+FFFD.
std::string Utf16ToUtf8(std::span<const std::uint8_t> bytes) {
    std::string out;
    const std::size_t count = bytes.size() / 2;
    auto unit = [&](std::size_t i) -> std::uint32_t { return bytes[2 * i] | (bytes[2 * i + 1] << 8); };
    for (std::size_t i = 0; i < count; ++i) {
        std::uint32_t code = unit(i);
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < count && unit(i + 1) >= 0xDC00 &&
            unit(i + 1) <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (unit(i + 1) - 0xDC00);
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;
        }
        AppendUtf8(out, code);
    }
    return out;
}

// Well-formed UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<unsigned char>(text[i]);
        int extra = 0;
        std::uint32_t code = 0;
        if (lead < 0x80) {
            ++i;
            continue;
        } else if ((lead & 0xE0) == 0xC0) {
            extra = 1;
            code = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            extra = 2;
            code = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            extra = 3;
            code = lead & 0x07;
        } else {
            return false;
        }
        if (i + static_cast<std::size_t>(extra) >= text.size()) {
            return false;
        }
        for (int k = 1; k <= extra; ++k) {
            const auto next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            code = (code << 6) | (next & 0x3F);
        }
        static constexpr std::uint32_t kMinimum[] = {0, 0x80, 0x800, 0x10000};
        if (code < kMinimum[extra] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        i += static_cast<std::size_t>(extra) + 1;
    }
    return true;
}

std::string_view TextOf(std::span<const std::uint8_t> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

std::size_t ReadLength32(BinaryReader& in, std::size_t unit, std::string_view what) {
    return in.ReadCount(unit, what);
}

void ReadValue(BinaryReader& in, StreamValue& value, int depth);

void ReadListItems(BinaryReader& in, StreamValue& list, int depth) {
    if (depth >= kMaxListDepth) {
        throw StreamError("lists nested too deep in a component stream");
    }
    while (true) {
        if (in.AtEnd()) {
            throw StreamError("component stream ends inside a list");
        }
        BinaryReader peek = in;
        if (peek.ReadUInt8() == static_cast<std::uint8_t>(ValueTag::Null)) {
            in.ReadUInt8();
            return;
        }
        ReadValue(in, list.items.emplace_back(), depth + 1);
    }
}

// Reads one tagged value into value, whatever it held before (its buffers are reused).
void ReadValue(BinaryReader& in, StreamValue& value, int depth) {
    value.tag = static_cast<ValueTag>(in.ReadUInt8());
    value.integer = 0;
    value.real = 0.0;
    value.text.clear();
    value.bytes.clear();
    value.items.clear();
    switch (value.tag) {
    case ValueTag::List:
        ReadListItems(in, value, depth);
        break;
    case ValueTag::Int8:
        value.integer = in.ReadInt8();
        break;
    case ValueTag::Int16:
        value.integer = in.ReadInt16();
        break;
    case ValueTag::Int32:
        value.integer = in.ReadInt32();
        break;
    case ValueTag::Int64: {
        const auto low = static_cast<std::uint32_t>(in.ReadInt32());
        const auto high = static_cast<std::uint32_t>(in.ReadInt32());
        value.integer = static_cast<std::int64_t>((static_cast<std::uint64_t>(high) << 32) | low);
        break;
    }
    case ValueTag::Extended: {
        ExtendedBytes bytes{};
        auto raw = in.ReadBytes(bytes.size());
        std::copy(raw.begin(), raw.end(), bytes.begin());
        value.real = ExtendedToDouble(bytes);
        break;
    }
    case ValueTag::String:
        AssignCp1252AsUtf8(value.text, TextOf(in.ReadBytes(in.ReadUInt8())));
        break;
    case ValueTag::LString:
        AssignCp1252AsUtf8(value.text, TextOf(in.ReadBytes(ReadLength32(in, 1, "long string"))));
        break;
    case ValueTag::WString:
        value.text = Utf16ToUtf8(in.ReadBytes(2 * ReadLength32(in, 2, "wide string")));
        break;
    case ValueTag::Utf8String:
        value.text.assign(TextOf(in.ReadBytes(ReadLength32(in, 1, "UTF-8 string"))));
        if (!IsValidUtf8(value.text)) {
            throw StreamError("malformed UTF-8 string in a component stream");
        }
        break;
    case ValueTag::Ident:
        value.text.assign(TextOf(in.ReadBytes(in.ReadUInt8())));
        break;
    case ValueTag::Binary: {
        auto raw = in.ReadBytes(ReadLength32(in, 1, "binary block"));
        value.bytes.assign(raw.begin(), raw.end());
        break;
    }
    case ValueTag::False:
    case ValueTag::True:
    case ValueTag::Nil:
        break;
    case ValueTag::Null:
    default:
        throw StreamError("unknown value tag " + std::to_string(static_cast<int>(value.tag)) +
                          " in a component stream");
    }
}

// The value read into, one for record after record (a project holds a hundred thousand), so its text and
// byte buffers are allocated once; a record read while another one is (none is today) takes its own.
class ReusedStreamValue {
public:
    ReusedStreamValue() : m_value(t_inUse ? m_own : t_shared), m_usesShared(!t_inUse) { t_inUse = true; }
    ~ReusedStreamValue() {
        if (m_usesShared) {
            t_inUse = false;
        }
    }
    ReusedStreamValue(const ReusedStreamValue&) = delete;
    ReusedStreamValue& operator=(const ReusedStreamValue&) = delete;

    StreamValue& Get() { return m_value; }

private:
    static thread_local StreamValue t_shared;
    static thread_local bool t_inUse;
    StreamValue m_own;
    StreamValue& m_value;
    bool m_usesShared;
};

thread_local StreamValue ReusedStreamValue::t_shared;
thread_local bool ReusedStreamValue::t_inUse = false;

} // namespace

bool StreamValue::IsInteger() const {
    return tag == ValueTag::Int8 || tag == ValueTag::Int16 || tag == ValueTag::Int32 ||
           tag == ValueTag::Int64;
}

bool StreamValue::IsString() const {
    return tag == ValueTag::String || tag == ValueTag::LString || tag == ValueTag::WString ||
           tag == ValueTag::Utf8String;
}

void ComponentStreamWriter::Begin(std::string_view className, std::string_view componentName) {
    m_out.WriteBytes(kComponentSignature);
    m_out.WriteShortString(className);
    m_out.WriteShortString(componentName);
}

void ComponentStreamWriter::WriteName(std::string_view name) {
    m_out.WriteShortString(name);
}

void ComponentStreamWriter::WriteIntegerValue(std::int64_t value) {
    if (value >= std::numeric_limits<std::int8_t>::min() &&
        value <= std::numeric_limits<std::int8_t>::max()) {
        m_out.WriteUInt8(static_cast<std::uint8_t>(ValueTag::Int8));
        m_out.WriteInt8(static_cast<std::int8_t>(value));
    } else if (value >= std::numeric_limits<std::int16_t>::min() &&
               value <= std::numeric_limits<std::int16_t>::max()) {
        m_out.WriteUInt8(static_cast<std::uint8_t>(ValueTag::Int16));
        m_out.WriteInt16(static_cast<std::int16_t>(value));
    } else if (value >= std::numeric_limits<std::int32_t>::min() &&
               value <= std::numeric_limits<std::int32_t>::max()) {
        m_out.WriteUInt8(static_cast<std::uint8_t>(ValueTag::Int32));
        m_out.WriteInt32(static_cast<std::int32_t>(value));
    } else {
        m_out.WriteUInt8(static_cast<std::uint8_t>(ValueTag::Int64));
        const auto bits = static_cast<std::uint64_t>(value);
        m_out.WriteInt32(static_cast<std::int32_t>(static_cast<std::uint32_t>(bits)));
        m_out.WriteInt32(static_cast<std::int32_t>(static_cast<std::uint32_t>(bits >> 32)));
    }
}

void ComponentStreamWriter::WriteStringValue(std::string_view utf8) {
    if (!IsAscii(utf8)) {
        m_out.WriteUInt8(static_cast<std::uint8_t>(ValueTag::Utf8String));
        m_out.WriteCountedString(utf8);
    } else if (utf8.size() < 256) {
        m_out.WriteUInt8(static_cast<std::uint8_t>(ValueTag::String));
        m_out.WriteShortString(utf8);
    } else {
        m_out.WriteUInt8(static_cast<std::uint8_t>(ValueTag::LString));
        m_out.WriteCountedString(utf8);
    }
}

void ComponentStreamWriter::WriteInteger(std::string_view name, std::int64_t value) {
    WriteName(name);
    WriteIntegerValue(value);
}

void ComponentStreamWriter::WriteBoolean(std::string_view name, bool value) {
    WriteName(name);
    m_out.WriteUInt8(static_cast<std::uint8_t>(value ? ValueTag::True : ValueTag::False));
}

void ComponentStreamWriter::WriteChar(std::string_view name, char value) {
    WriteName(name);
    m_out.WriteUInt8(static_cast<std::uint8_t>(ValueTag::String));
    m_out.WriteUInt8(1);
    m_out.WriteUInt8(static_cast<std::uint8_t>(value));
}

void ComponentStreamWriter::WriteFloat(std::string_view name, double value) {
    WriteName(name);
    m_out.WriteUInt8(static_cast<std::uint8_t>(ValueTag::Extended));
    const ExtendedBytes bytes = DoubleToExtended(value);
    m_out.WriteBytes(std::span<const std::uint8_t>(bytes));
}

void ComponentStreamWriter::WriteString(std::string_view name, std::string_view utf8) {
    WriteName(name);
    WriteStringValue(utf8);
}

void ComponentStreamWriter::WriteStringList(std::string_view name, const std::vector<std::string>& items) {
    WriteName(std::string(name) + std::string(kStringsSuffix));
    m_out.WriteUInt8(static_cast<std::uint8_t>(ValueTag::List));
    for (const std::string& item : items) {
        WriteStringValue(item);
    }
    m_out.WriteUInt8(static_cast<std::uint8_t>(ValueTag::Null));
}

void ComponentStreamWriter::WriteIdentifier(std::string_view name, std::string_view identifier) {
    WriteName(name);
    m_out.WriteUInt8(static_cast<std::uint8_t>(ValueTag::Ident));
    m_out.WriteShortString(identifier);
}

void ComponentStreamWriter::WriteBinary(std::string_view name, std::span<const std::uint8_t> bytes) {
    WriteName(name);
    m_out.WriteUInt8(static_cast<std::uint8_t>(ValueTag::Binary));
    m_out.WriteInt32(static_cast<std::int32_t>(bytes.size()));
    m_out.WriteBytes(bytes);
}

void ComponentStreamWriter::WriteBinary(std::string_view name,
                                        const std::function<void(BinaryWriter&)>& fill) {
    WriteName(name);
    m_out.WriteUInt8(static_cast<std::uint8_t>(ValueTag::Binary));
    const std::size_t lengthAt = m_out.Size();
    m_out.WriteInt32(0);
    fill(m_out);
    const std::size_t length = m_out.Size() - lengthAt - 4;
    if (length > static_cast<std::size_t>(std::numeric_limits<std::int32_t>::max())) {
        throw StreamError("binary block " + std::string(name) + " too long for an int32 length");
    }
    m_out.OverwriteInt32(lengthAt, static_cast<std::int32_t>(length));
}

void ComponentStreamWriter::End() {
    m_out.WriteUInt8(0);
    m_out.WriteUInt8(0);
}

bool NextIsComponentStream(const BinaryReader& in) {
    if (in.Remaining() < kComponentSignature.size()) {
        return false;
    }
    BinaryReader peek = in;
    return peek.ReadString(kComponentSignature.size()) == kComponentSignature;
}

ComponentStreamHeader ReadComponentStreamHeader(BinaryReader& in) {
    if (!NextIsComponentStream(in)) {
        throw StreamError("component stream signature missing");
    }
    in.ReadBytes(kComponentSignature.size());
    ComponentStreamHeader header;
    header.className = in.ReadShortString();
    header.name = in.ReadShortString();
    if (header.className.empty()) {
        throw StreamError("component stream without class name");
    }
    return header;
}

void ReadComponentStreamProperties(BinaryReader& in, const ComponentStreamHeader& header,
                                   StreamPropertyVisitor onProperty) {
    ReusedStreamValue value;
    while (true) {
        const std::uint8_t length = in.ReadUInt8();
        if (length == 0) {
            break;
        }
        const std::string_view name = TextOf(in.ReadBytes(length));
        ReadValue(in, value.Get(), 0);
        onProperty(name, value.Get());
    }
    if (in.ReadUInt8() != 0) {
        throw StreamError("component stream of " + header.name + " holds child components");
    }
}

ComponentStreamRecord ReadComponentStream(BinaryReader& in) {
    ComponentStreamHeader header = ReadComponentStreamHeader(in);
    ComponentStreamRecord record;
    ReadComponentStreamProperties(in, header, [&record](std::string_view name, const StreamValue& value) {
        record.properties.push_back(StreamProperty{std::string(name), value});
    });
    record.className = std::move(header.className);
    record.name = std::move(header.name);
    return record;
}

} // namespace ixo
