#pragma once

#include "common/binary_stream.h"
#include "common/function_ref.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ixo {

// The binary component streaming format of project files. One component stream is: the signature
// "TPF0", the class name and the component name (each a length byte and characters), a list of
// properties (each a short-string name and a tagged value), a zero byte ending the property list and a
// zero byte ending the child list (always empty: the project file frames children itself).
inline constexpr std::string_view kComponentSignature = "TPF0";

// The value tags of the format.
enum class ValueTag : std::uint8_t {
    Null = 0, // end of a list
    List = 1, // values until a Null
    Int8 = 2,
    Int16 = 3,
    Int32 = 4,
    Extended = 5, // 80-bit float
    String = 6,   // length byte, single-byte characters
    Ident = 7,    // length byte, characters
    False = 8,
    True = 9,
    Binary = 10,  // int32 length, bytes
    LString = 12, // int32 length, single-byte characters
    Nil = 13,
    WString = 18, // int32 character count, UTF-16LE
    Int64 = 19,
    Utf8String = 20, // int32 byte count, UTF-8
};

// A value as read: its tag and, by kind, its payload. Text of every string tag is converted to UTF-8
// (single-byte strings are Windows-1252); identifiers are kept as read (ASCII names).
struct StreamValue {
    ValueTag tag = ValueTag::Nil;
    std::int64_t integer = 0;
    double real = 0.0;
    std::string text;
    std::vector<std::uint8_t> bytes;
    std::vector<StreamValue> items; // of a list

    bool IsInteger() const;
    bool IsString() const;
    bool IsBoolean() const { return tag == ValueTag::False || tag == ValueTag::True; }
};

struct StreamProperty {
    std::string name;
    StreamValue value;
};

// The class and component names that open a component stream.
struct ComponentStreamHeader {
    std::string className;
    std::string name;
};

// One component stream as read.
struct ComponentStreamRecord {
    std::string className;
    std::string name;
    std::vector<StreamProperty> properties;
};

// Writes one component stream property by property. Names and identifiers are written as given
// (they are ASCII); string values follow the format's rule: a string holding a non-ASCII character as
// UTF-8 (tag 20), otherwise a short string under 256 characters, else a long string.
class ComponentStreamWriter {
public:
    explicit ComponentStreamWriter(BinaryWriter& out) : m_out(out) {}

    // Signature, class name and component name.
    void Begin(std::string_view className, std::string_view componentName);
    // An integer in the narrowest of 8, 16 and 32 bits that holds it (64 beyond).
    void WriteInteger(std::string_view name, std::int64_t value);
    void WriteBoolean(std::string_view name, bool value);
    // A char property: a one-character string.
    void WriteChar(std::string_view name, char value);
    void WriteFloat(std::string_view name, double value);
    void WriteString(std::string_view name, std::string_view utf8);
    // A string list: the property "<name>.Strings", a list of strings.
    void WriteStringList(std::string_view name, const std::vector<std::string>& items);
    void WriteIdentifier(std::string_view name, std::string_view identifier);
    void WriteBinary(std::string_view name, std::span<const std::uint8_t> bytes);
    // A binary block that fill writes straight into the stream (its length is set after).
    void WriteBinary(std::string_view name, const std::function<void(BinaryWriter&)>& fill);
    // The end of the property list and the empty child list.
    void End();

    // The tagged value alone (also used inside lists).
    void WriteIntegerValue(std::int64_t value);
    void WriteStringValue(std::string_view utf8);

private:
    void WriteName(std::string_view name);

    BinaryWriter& m_out;
};

// Reads one component stream. Every length and count is checked against the bytes left and lists may
// nest at most kMaxListDepth deep; malformed data, an unknown tag or a non-empty child list raise
// StreamError.
ComponentStreamRecord ReadComponentStream(BinaryReader& in);

// The same in two steps, for a reader that applies each property as it comes (a project holds millions
// of them, and a record of each would be built only to be thrown away): the signature and the names,
// then every property and the closing bytes. The value handed to onProperty is one object reused from
// property to property (valid during the call); the name is a view into the bytes read.
using StreamPropertyVisitor = FunctionRef<void(std::string_view name, const StreamValue& value)>;
ComponentStreamHeader ReadComponentStreamHeader(BinaryReader& in);
void ReadComponentStreamProperties(BinaryReader& in, const ComponentStreamHeader& header,
                                   StreamPropertyVisitor onProperty);
// True when the next bytes are the signature (nothing is consumed).
bool NextIsComponentStream(const BinaryReader& in);

inline constexpr int kMaxListDepth = 8;

// The string-list property suffix.
inline constexpr std::string_view kStringsSuffix = ".Strings";

} // namespace ixo
