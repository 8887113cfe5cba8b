#include "model/alimentador.h"

#include "model/parts_catalogue.h"

#include <algorithm>

namespace ixo {

IXO_DEFINE_COMPONENT_CLASS(Talimentador, TCBFT)
IXO_DEFINE_COMPONENT_CLASS(TFUENTE, Talimentador)
IXO_DEFINE_COMPONENT_CLASS(TInyector, Talimentador)

Talimentador::Talimentador(TPrimerComponente* owner) : TCBFT(owner) {
    Tabla = DefaultTableOfKind(kKind);
}

Talimentador::Talimentador(TPrimerComponente* owner, const Talimentador& prototype)
    : TCBFT(owner, prototype), Corriente(prototype.Corriente), Tension(prototype.Tension) {}

Talimentador::~Talimentador() {
    ClearFed();
}

void Talimentador::ReadRecord(const TRECConScript& record, std::int32_t number, TTablaCompoScript* table) {
    TCBFT::ReadRecord(record, number, table);
    Tension = ReadDecimalKey("TENSION", "0");
    Corriente = ReadDecimalKey("CORRIENTE", "0");
}

bool Talimentador::AddFed(TCBFT* element) {
    if (element == nullptr || element == this) {
        return false; // a feeder does not feed itself
    }
    if (auto* before = dynamic_cast<Talimentador*>(element->Feeder()); before != nullptr && before != this) {
        before->ForgetFed(element);
    }
    auto found = std::find_if(m_fed.begin(), m_fed.end(),
                              [element](const FedEntry& entry) { return entry.Element == element; });
    if (found == m_fed.end()) {
        m_fed.push_back({element->Name(), nullptr});
        found = std::prev(m_fed.end());
    }
    Attach(*found, *element);
    return true;
}

void Talimentador::Attach(FedEntry& entry, TCBFT& element) {
    entry.Element = &element;
    entry.Name = element.Name();
    element.SetFeeder(this); // the element watches this feeder, and the watch is mutual
}

void Talimentador::ClearFed() {
    std::vector<FedEntry> fed = std::move(m_fed);
    m_fed.clear();
    for (const FedEntry& entry : fed) {
        if (entry.Element != nullptr && entry.Element->Feeder() == this) {
            entry.Element->SetFeeder(nullptr);
        }
    }
}

void Talimentador::ForgetFed(TCBFT* fed) {
    std::erase_if(m_fed, [fed](const FedEntry& entry) { return entry.Element == fed; });
}

void Talimentador::Notification(TPrimerComponente* removed) {
    TCBFT::Notification(removed);
    if (removed != nullptr) {
        std::erase_if(m_fed, [removed](const FedEntry& entry) {
            return static_cast<const TPrimerComponente*>(entry.Element) == removed;
        });
    }
}

std::vector<std::string> Talimentador::FedNames() const {
    std::vector<std::string> names;
    names.reserve(m_fed.size());
    for (const FedEntry& entry : m_fed) {
        names.push_back(entry.Element != nullptr ? entry.Element->Name() : entry.Name);
    }
    return names;
}

void Talimentador::SetFedNames(const std::vector<std::string>& names) {
    ClearFed();
    for (const std::string& name : names) {
        m_fed.push_back({name, nullptr});
    }
}

void Talimentador::AttachFedByName(const TPrimerComponente& scope) {
    for (FedEntry& entry : m_fed) {
        if (entry.Element != nullptr) {
            continue;
        }
        auto* element = dynamic_cast<TCBFT*>(scope.FindComponent(entry.Name));
        if (element != nullptr && element != this) {
            if (auto* before = dynamic_cast<Talimentador*>(element->Feeder());
                before != nullptr && before != this) {
                before->ForgetFed(element);
            }
            Attach(entry, *element);
        }
    }
}

TPrimerComponente* Talimentador::Clone(TPrimerComponente* owner) const {
    return Create<Talimentador>(owner, *this);
}

TPrimerComponente* TFUENTE::Clone(TPrimerComponente* owner) const {
    return Create<TFUENTE>(owner, *this);
}

TPrimerComponente* TInyector::Clone(TPrimerComponente* owner) const {
    return Create<TInyector>(owner, *this);
}

} // namespace ixo
