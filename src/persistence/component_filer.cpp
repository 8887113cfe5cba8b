#include "persistence/component_filer.h"

#include "common/ascii_case.h"
#include "common/text_encoding.h"
#include "model/binary_property.h"
#include "model/primer_componente.h"
#include "persistence/published_properties.h"

#include <limits>

namespace ixo {
namespace {

void WriteProperty(ComponentStreamWriter& writer, const PublishedProperty& property,
                   const PropertyValue& value) {
    switch (property.kind) {
    case PropertyKind::Integer:
    case PropertyKind::Byte:
        writer.WriteInteger(property.name, std::get<std::int64_t>(value));
        break;
    case PropertyKind::Char:
        writer.WriteChar(property.name, static_cast<char>(std::get<std::int64_t>(value)));
        break;
    case PropertyKind::Boolean:
        writer.WriteBoolean(property.name, std::get<bool>(value));
        break;
    case PropertyKind::Float:
        if (std::get<double>(value) != 0.0) {
            writer.WriteFloat(property.name, std::get<double>(value));
        }
        break;
    case PropertyKind::String:
        if (!std::get<std::string>(value).empty()) {
            writer.WriteString(property.name, std::get<std::string>(value));
        }
        break;
    case PropertyKind::StringList:
        if (!std::get<std::vector<std::string>>(value).empty()) {
            writer.WriteStringList(property.name, std::get<std::vector<std::string>>(value));
        }
        break;
    case PropertyKind::Reference:
        if (!std::get<std::string>(value).empty()) {
            writer.WriteIdentifier(property.name, std::get<std::string>(value));
        }
        break;
    }
}

[[noreturn]] void WrongValue(const PublishedProperty& property) {
    throw StreamError("wrong value for property " + property.name);
}

std::int64_t IntegerIn(const PublishedProperty& property, const StreamValue& value, std::int64_t low,
                       std::int64_t high) {
    if (!value.IsInteger() || value.integer < low || value.integer > high) {
        WrongValue(property);
    }
    return value.integer;
}

PropertyValue Convert(const PublishedProperty& property, const StreamValue& value) {
    switch (property.kind) {
    case PropertyKind::Integer:
        return IntegerIn(property, value, std::numeric_limits<std::int32_t>::min(),
                         std::numeric_limits<std::int32_t>::max());
    case PropertyKind::Byte:
        return IntegerIn(property, value, 0, 255);
    case PropertyKind::Char: {
        const std::string single = value.IsString() ? Utf8ToCp1252(value.text) : std::string();
        if (single.size() != 1) {
            WrongValue(property);
        }
        return static_cast<std::int64_t>(static_cast<unsigned char>(single[0]));
    }
    case PropertyKind::Boolean:
        if (!value.IsBoolean()) {
            WrongValue(property);
        }
        return value.tag == ValueTag::True;
    case PropertyKind::Float:
        if (value.tag == ValueTag::Extended) {
            return value.real;
        }
        if (value.IsInteger()) {
            return static_cast<double>(value.integer);
        }
        WrongValue(property);
    case PropertyKind::String:
        if (!value.IsString()) {
            WrongValue(property);
        }
        return value.text;
    case PropertyKind::StringList: {
        if (value.tag != ValueTag::List) {
            WrongValue(property);
        }
        std::vector<std::string> items;
        for (const StreamValue& item : value.items) {
            if (!item.IsString()) {
                WrongValue(property);
            }
            items.push_back(item.text);
        }
        return items;
    }
    case PropertyKind::Reference:
        if (value.tag != ValueTag::Ident && value.tag != ValueTag::Nil) {
            WrongValue(property);
        }
        return value.text;
    }
    WrongValue(property);
}

bool EndsWithStringsSuffix(std::string_view stored) {
    return stored.size() > kStringsSuffix.size() &&
           EqualsIgnoringAsciiCase(stored.substr(stored.size() - kStringsSuffix.size()), kStringsSuffix);
}

// The published property a stored name stands for: "<list>.Strings" for a string list, the plain name
// for every other kind.
const PublishedProperty* FindStored(const ComponentClass& cls, std::string_view stored) {
    const PublishedPropertyTable& table = PublishedPropertyTable::Instance();
    if (EndsWithStringsSuffix(stored)) {
        const PublishedProperty* list =
            table.Find(cls, stored.substr(0, stored.size() - kStringsSuffix.size()));
        return list != nullptr && list->kind == PropertyKind::StringList ? list : nullptr;
    }
    const PublishedProperty* plain = table.Find(cls, stored);
    return plain != nullptr && plain->kind != PropertyKind::StringList ? plain : nullptr;
}

// A stored name split once: "<list>.Strings" names a string list, any other name a property of another
// kind.
struct StoredName {
    explicit StoredName(std::string_view stored)
        : isList(EndsWithStringsSuffix(stored)),
          base(isList ? stored.substr(0, stored.size() - kStringsSuffix.size()) : stored) {}
    bool isList;
    std::string_view base;
};

// Whether a stored name stands for property (what FindStored would answer, when the property is the
// one its name finds). Writers store the names as declared, so an exact comparison nearly always decides.
bool StoredNameOf(const PublishedProperty& property, const StoredName& stored) {
    if ((property.kind == PropertyKind::StringList) != stored.isList ||
        property.name.size() != stored.base.size()) {
        return false;
    }
    return property.name == stored.base || EqualsIgnoringAsciiCase(property.name, stored.base);
}

// Finds the properties of one record. A writer stores a class's properties in declaration order
// (skipping empty ones), so each stored name is first looked for just past the last one found; the
// name index answers only what comes out of order. Reading a project looks up every value, and this
// spares hashing nearly all of them.
class StoredPropertyFinder {
public:
    explicit StoredPropertyFinder(const ComponentClass& cls)
        : m_class(cls), m_ordered(PublishedPropertyTable::Instance().PropertiesOf(cls)),
          m_foundByName(PublishedPropertyTable::Instance().FoundByNameOf(cls)) {}

    const PublishedProperty* Find(std::string_view stored) {
        const StoredName split(stored);
        for (std::size_t i = m_next; i < m_ordered.size(); ++i) {
            if (m_foundByName[i] && StoredNameOf(*m_ordered[i], split)) {
                m_next = i + 1;
                return m_ordered[i];
            }
        }
        return FindStored(m_class, stored);
    }

private:
    const ComponentClass& m_class;
    const std::vector<const PublishedProperty*>& m_ordered;
    const std::vector<bool>& m_foundByName;
    std::size_t m_next = 0;
};

void ApplyStoredProperty(TPrimerComponente& component, StoredPropertyFinder& finder,
                         std::string_view className, std::string_view name, const StreamValue& value) {
    if (value.tag == ValueTag::Binary) {
        if (!ReadBinaryProperty(component, name, value.bytes)) {
            throw StreamError("unknown binary property " + std::string(name));
        }
        return;
    }
    const PublishedProperty* property = finder.Find(name);
    if (property == nullptr) {
        throw StreamError("unknown property " + std::string(name) + " of " + std::string(className));
    }
    property->set(component, Convert(*property, value));
}

void CheckStreamClass(const TPrimerComponente& component, std::string_view className) {
    if (!EqualsIgnoringAsciiCase(component.ClassName(), className)) {
        throw StreamError("stream of class " + std::string(className) + " read into a " +
                          std::string(component.ClassName()));
    }
}

} // namespace

void WriteComponentStream(TPrimerComponente& component, BinaryWriter& out) {
    const PublishedPropertyTable& table = PublishedPropertyTable::Instance();
    if (!table.IsDeclared(component.ClassInfo())) {
        throw StreamError("no published properties declared for " + std::string(component.ClassName()));
    }
    ComponentStreamWriter writer(out);
    writer.Begin(component.ClassName(), component.Name());
    for (const PublishedProperty* property : table.PropertiesOf(component.ClassInfo())) {
        WriteProperty(writer, *property, property->get(component));
    }
    VisitBinaryProperties(component,
                          [&writer](std::string_view name, const BinaryPropertyFiler::WriteProc& write) {
                              writer.WriteBinary(name, write);
                          });
    writer.End();
}

void ApplyComponentRecord(TPrimerComponente& component, const ComponentStreamRecord& record) {
    CheckStreamClass(component, record.className);
    StoredPropertyFinder finder(component.ClassInfo());
    for (const StreamProperty& stored : record.properties) {
        ApplyStoredProperty(component, finder, record.className, stored.name, stored.value);
    }
}

void ReadComponentProperties(BinaryReader& in, TPrimerComponente& component,
                             const ComponentStreamHeader& header) {
    CheckStreamClass(component, header.className);
    StoredPropertyFinder finder(component.ClassInfo());
    ReadComponentStreamProperties(in, header, [&](std::string_view name, const StreamValue& value) {
        ApplyStoredProperty(component, finder, header.className, name, value);
    });
}

} // namespace ixo
