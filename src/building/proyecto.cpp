#include "building/proyecto.h"

#include "building/escalera.h"
#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/vivienda.h"
#include "catalogue/almacen_elementos.h"
#include "model/padre_tv.h"
#include "settings/settings_file.h"

#include <ctime>
#include <utility>

namespace ixo {

IXO_DEFINE_COMPONENT_CLASS(Tproyecto, TPrimerComponente)

Tproyecto* ProyectoDe(const TPrimerComponente* component) {
    for (const TPrimerComponente* c = component; c != nullptr; c = c->Owner()) {
        if (c->Is<Tproyecto>()) {
            return const_cast<Tproyecto*>(static_cast<const Tproyecto*>(c));
        }
    }
    return nullptr;
}

Tproyecto::Tproyecto(TPrimerComponente* owner)
    : TPrimerComponente(owner), NombreFichero(NombreFicheroEn(DefaultProjectDirectory())) {}

void Tproyecto::AfterConstruction() {
    TPrimerComponente::AfterConstruction();
    m_preferencias = Create<TpreferenciasProyecto>(this);
    m_preferencias->SetName("Preferencias");
    m_edificio = Create<TPrimerComponente>(this);
    m_edificio->SetName("Edificio");
    m_redTV = Create<TPadreTV>(this);
    m_redTV->SetName("RedTV");
}

Tproyecto::~Tproyecto() {
    m_datosproyecto.clear();
    Modificado = false;
    m_escaleras.Clear();
    // The cable kinds go first: each is watched by every pin laid with it (a hundred thousand in a large
    // building). Freed now, each pin is told once and later leaves nothing; freed last, every pin would
    // first leave the kind's large watcher table, and the table's big block would be returned only
    // after millions of small blocks, when the allocator must sort them all out before taking it back.
    if (m_preferencias != nullptr) {
        m_preferencias->FreeCables();
    }
    if (m_redTV != nullptr) {
        Destroy(std::exchange(m_redTV, nullptr));
    }
    if (m_edificio != nullptr) {
        Destroy(std::exchange(m_edificio, nullptr));
    }
    if (m_preferencias != nullptr) {
        Destroy(std::exchange(m_preferencias, nullptr));
    }
}

void Tproyecto::Notification(TPrimerComponente* removed) {
    TPrimerComponente::Notification(removed);
    m_escaleras.RemoveObject(removed);
    if (removed == m_almacen) {
        m_almacen = nullptr;
    }
}

void Tproyecto::AdoptarPreferencias(TpreferenciasProyecto* preferencias) {
    if (preferencias != nullptr && preferencias->Owner() == this) {
        m_preferencias = preferencias;
    }
}

void Tproyecto::SetAlmacen(TalmacenElementos* almacen) {
    m_almacen = almacen;
    if (almacen != nullptr) {
        FreeNotification(almacen);
    }
}

std::string Tproyecto::NombreFicheroEn(std::string_view projectsDirectory) {
    while (!projectsDirectory.empty() &&
           (projectsDirectory.back() == '/' || projectsDirectory.back() == '\\')) {
        projectsDirectory.remove_suffix(1);
    }
    return std::string(projectsDirectory) + "/" + std::string(kNombreFicheroPorDefecto);
}

void Tproyecto::DatosProyectoPorDefecto() {
    std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char date[16] = {};
    std::strftime(date, sizeof date, "%d/%m/%Y", &local);
    m_datosproyecto = {"Author: ", "", "Date:   ", date, "Revision: ", "", "Title: ", "", "", ""};
}

void Tproyecto::IniciarProyecto() {
    DatosProyectoPorDefecto();
    m_preferencias->CrearListaCables(m_almacen);
    CrearEstructura();
}

void Tproyecto::CrearEstructura() {
    const TpreferenciasProyecto& preferencias = *m_preferencias;
    for (int i = 0; i < preferencias.Nverticales; ++i) {
        auto* escalera = Create<TEscalera>(m_edificio);
        escalera->ErroresEscalera().Proyecto = this;
        m_escaleras.Add(escalera);
        escalera->AnadirPlantas(preferencias.Nplantas);
        int floors = static_cast<int>(escalera->ListaPlantas().Count());
        for (int f = 0; f < floors; ++f) {
            tplanta* planta = escalera->ListaPlantas().Object(static_cast<std::size_t>(f));
            for (std::int32_t n = preferencias.ViviendasEn(i, f, floors); n > 0; --n) {
                planta->NuevaVivienda();
            }
        }
        if (preferencias.VertHeader == i + 1) {
            escalera->AnadirPlantas(1);
            tplanta* cabecera = escalera->ListaPlantas().Object(escalera->ListaPlantas().Count() - 1);
            cabecera->HeaderPl = true;
        }
        if (AvanzarProgreso) {
            AvanzarProgreso();
        }
    }
}

tplanta* Tproyecto::PlantaCabecera() const {
    for (const auto& entry : m_escaleras) {
        if (tplanta* planta = entry.Object != nullptr ? entry.Object->PlantaCabecera() : nullptr) {
            return planta;
        }
    }
    return nullptr;
}

int Tproyecto::NumEscalerasConViviendas() const {
    int count = 0;
    for (const auto& entry : m_escaleras) {
        if (entry.Object != nullptr && entry.Object->UltimaPlantaConViviendas() != nullptr) {
            ++count;
        }
    }
    return count;
}

NamedList<Tvivienda> Tproyecto::ListaViviendas() const {
    NamedList<Tvivienda> flats;
    for (TPrimerComponente* component : m_edificio->Components()) {
        if (component->Is<Tvivienda>()) {
            flats.Add(static_cast<Tvivienda*>(component));
        }
    }
    return flats;
}

TPrimerComponente* Tproyecto::Clone(TPrimerComponente* owner) const {
    return Create<Tproyecto>(owner);
}

} // namespace ixo
