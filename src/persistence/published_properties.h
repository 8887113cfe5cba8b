#pragma once

#include "model/component_class.h"

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <variant>
#include <vector>

namespace ixo {

class TPrimerComponente;

// The kinds of published property a component class stores in its component stream.
enum class PropertyKind {
    Integer, // int32
    Byte,    // uint8, stored as an integer
    Char,    // one single-byte character, stored as a one-character string
    Boolean,
    Float,      // double, stored as an 80-bit extended float
    String,     // UTF-8 text
    StringList, // stored as "<name>.Strings"
    Reference,  // a component reference, stored as an identifier
};

// A property value: integers (Integer, Byte, Char) as int64, Boolean as bool, Float as double, String
// and Reference as text, StringList as its strings.
using PropertyValue = std::variant<std::int64_t, bool, double, std::string, std::vector<std::string>>;

// One published property of a class: its stored name and kind, and how to get and set it on a
// component of the class (or of a class derived from it).
struct PublishedProperty {
    std::string name;
    PropertyKind kind = PropertyKind::Integer;
    std::function<PropertyValue(const TPrimerComponente&)> get;
    std::function<void(TPrimerComponente&, const PropertyValue&)> set;
};

// Declares the published properties one class adds, in declaration order.
template <typename T> class PropertyDeclarer {
public:
    explicit PropertyDeclarer(std::vector<PublishedProperty>& out) : m_out(out) {}

    // A property read and written through two functions on the class.
    template <typename Value, typename Get, typename Set>
    PropertyDeclarer& Accessor(std::string name, PropertyKind kind, Get get, Set set) {
        m_out.push_back(PublishedProperty{std::move(name), kind,
                                          [get](const TPrimerComponente& c) -> PropertyValue {
                                              return PropertyValue(
                                                  static_cast<Value>(get(static_cast<const T&>(c))));
                                          },
                                          [set](TPrimerComponente& c, const PropertyValue& v) {
                                              set(static_cast<T&>(c), std::get<Value>(v));
                                          }});
        return *this;
    }
    PropertyDeclarer& Integer(std::string name, std::int32_t T::*field) {
        return Accessor<std::int64_t>(
            std::move(name), PropertyKind::Integer, [field](const T& o) { return o.*field; },
            [field](T& o, std::int64_t v) { o.*field = static_cast<std::int32_t>(v); });
    }
    PropertyDeclarer& Byte(std::string name, std::uint8_t T::*field) {
        return Accessor<std::int64_t>(
            std::move(name), PropertyKind::Byte, [field](const T& o) { return o.*field; },
            [field](T& o, std::int64_t v) { o.*field = static_cast<std::uint8_t>(v); });
    }
    PropertyDeclarer& Char(std::string name, char T::*field) {
        return Accessor<std::int64_t>(
            std::move(name), PropertyKind::Char,
            [field](const T& o) { return static_cast<unsigned char>(o.*field); },
            [field](T& o, std::int64_t v) { o.*field = static_cast<char>(v); });
    }
    PropertyDeclarer& Boolean(std::string name, bool T::*field) {
        return Accessor<bool>(
            std::move(name), PropertyKind::Boolean, [field](const T& o) { return o.*field; },
            [field](T& o, bool v) { o.*field = v; });
    }
    PropertyDeclarer& Float(std::string name, double T::*field) {
        return Accessor<double>(
            std::move(name), PropertyKind::Float, [field](const T& o) { return o.*field; },
            [field](T& o, double v) { o.*field = v; });
    }
    PropertyDeclarer& String(std::string name, std::string T::*field) {
        return Accessor<std::string>(
            std::move(name), PropertyKind::String, [field](const T& o) { return o.*field; },
            [field](T& o, const std::string& v) { o.*field = v; });
    }
    PropertyDeclarer& StringList(std::string name, std::vector<std::string> T::*field) {
        return Accessor<std::vector<std::string>>(
            std::move(name), PropertyKind::StringList, [field](const T& o) { return o.*field; },
            [field](T& o, const std::vector<std::string>& v) { o.*field = v; });
    }

private:
    std::vector<PublishedProperty>& m_out;
};

// The published properties of every persisted component class, each class declaring only those it adds
// to its base's. A class that adds none is still declared, so that a class missing from the table can be
// told from a class without properties of its own.
class PublishedPropertyTable {
public:
    // The table of the system's classes (built on first use).
    static const PublishedPropertyTable& Instance();

    template <typename T> PropertyDeclarer<T> Declare() {
        return PropertyDeclarer<T>(m_own[&T::StaticClass()]);
    }

    bool IsDeclared(const ComponentClass& cls) const { return m_own.contains(&cls); }
    // The properties of cls with those of its bases first, in declaration order.
    const std::vector<const PublishedProperty*>& PropertiesOf(const ComponentClass& cls) const;
    // The property of cls with that stored name (letter case ignored), or null.
    const PublishedProperty* Find(const ComponentClass& cls, std::string_view name) const;
    // For each place of PropertiesOf(cls): whether Find answers that property for its name (false only
    // for a name declared again further along the class chain).
    const std::vector<bool>& FoundByNameOf(const ComponentClass& cls) const;

private:
    // Makes the name index and the ordered list of every declared class (its properties and its
    // bases'); the table is complete then.
    void IndexNames();

    // Names hashed and compared without regard to ASCII case, looked up by view (no copy per lookup).
    struct NameHash {
        using is_transparent = void;
        std::size_t operator()(std::string_view name) const;
    };
    struct NameEqual {
        using is_transparent = void;
        bool operator()(std::string_view a, std::string_view b) const;
    };
    using NameIndex = std::unordered_map<std::string, const PublishedProperty*, NameHash, NameEqual>;

    std::map<const ComponentClass*, std::vector<PublishedProperty>> m_own;
    // Per declared class, its properties and its bases' by name (the first declared wins, as a search
    // from the class up to its bases finds it): reading a project looks up every value.
    std::map<const ComponentClass*, NameIndex> m_byName;
    // Per declared class, what PropertiesOf answers (writing a project asks for every component).
    std::map<const ComponentClass*, std::vector<const PublishedProperty*>> m_inOrder;
    std::map<const ComponentClass*, std::vector<bool>> m_foundByName;
};

// The declarations of the element classes and of the building classes.
void DeclareModelProperties(PublishedPropertyTable& table);
void DeclareBuildingProperties(PublishedPropertyTable& table);

// The identifier a component reference is stored as: the referenced component's name and ".Owner".
std::string ReferenceIdentifier(const TPrimerComponente* referenced);

} // namespace ixo
