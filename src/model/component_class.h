#pragma once

#include <string_view>

namespace ixo {

class TPrimerComponente;

// Run-time class information of a component class: its name, its base class and, for classes that
// the project reader recreates, a factory. Each class owns one static instance (see IXO_COMPONENT_CLASS).
struct ComponentClass {
    std::string_view name;
    const ComponentClass* parent = nullptr;

    bool InheritsFrom(const ComponentClass& other) const {
        for (const ComponentClass* c = this; c != nullptr; c = c->parent) {
            if (c == &other) {
                return true;
            }
        }
        return false;
    }
};

} // namespace ixo

// Declares the class information of a component class: a static StaticClass(), the virtual ClassInfo()
// and DeclaredClass, which lets TPrimerComponente::As refuse at compile time a class without its own
// information (it would inherit its base's and pass the check for any object of the base).
#define IXO_COMPONENT_CLASS(ClassName)                                                                       \
public:                                                                                                      \
    using DeclaredClass = ClassName;                                                                         \
    static const ::ixo::ComponentClass& StaticClass();                                                       \
    const ::ixo::ComponentClass& ClassInfo() const override {                                                \
        return StaticClass();                                                                                \
    }                                                                                                        \
                                                                                                             \
private:

// Defines StaticClass() of a component class derived from Base.
#define IXO_DEFINE_COMPONENT_CLASS(ClassName, Base)                                                          \
    const ::ixo::ComponentClass& ClassName::StaticClass() {                                                  \
        static const ::ixo::ComponentClass info{#ClassName, &Base::StaticClass()};                           \
        return info;                                                                                         \
    }
