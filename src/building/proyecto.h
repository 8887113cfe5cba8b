#pragma once

#include "building/build_omission.h"
#include "building/named_list.h"
#include "building/signal_quality.h"
#include "model/primer_componente.h"

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace ixo {

class TEscalera;
class TPadreTV;
class TalmacenElementos;
class TpreferenciasProyecto;
class tplanta;
class Tvivienda;

// A project: the building (stairs, floors and flats, owned by Edificio), the network outside the flats
// (owned by RedTV), the preferences, the title block and the state of the last calculation. Object paths
// start here.
class Tproyecto : public TPrimerComponente {
    IXO_COMPONENT_CLASS(Tproyecto)
public:
    static constexpr std::string_view kNombreFicheroPorDefecto = "Project1.XPJ";

    explicit Tproyecto(TPrimerComponente* owner);
    ~Tproyecto() override;

    bool Modificado = true;           // cleared after a successful save
    std::string NombreFichero;        // project file name
    bool Abierto = false;             // read from a file
    bool finalizadocalculoTV = false; // built and calculated: the outlet check may run
    bool ConErrores = false;          // the last check found outlets out of limits
    bool cajetinvisible = true;       // title block shown
    double Altocajetin = 30.0;        // title block height
    double AnchoCajetin = 90.0;       // title block width

    // Called once per stair created by CrearEstructura (the progress display), when set.
    std::function<void()> AvanzarProgreso;

    // The element store the project takes its models from (not owned; may be null in tests).
    TalmacenElementos* Almacen() const { return m_almacen; }
    void SetAlmacen(TalmacenElementos* almacen);

    NamedList<TEscalera>& Escaleras() { return m_escaleras; }
    const NamedList<TEscalera>& Escaleras() const { return m_escaleras; }

    // What the last build left out (see BuildOmission); a project file keeps them.
    std::vector<BuildOmission>& Omissions() { return m_omissions; }
    const std::vector<BuildOmission>& Omissions() const { return m_omissions; }

    // The sources' quality and the chosen standard (see SignalQuality); a project file keeps them.
    SignalQuality& Quality() { return m_quality; }
    const SignalQuality& Quality() const { return m_quality; }

    const std::vector<std::string>& Datosproyecto() const { return m_datosproyecto; }
    void SetDatosproyecto(const std::vector<std::string>& lines) { m_datosproyecto = lines; }

    TpreferenciasProyecto& Preferencias() const { return *m_preferencias; }
    // Reading a project file: preferences read as another component owned by the project become the
    // project's (the former stay owned and go with the project).
    void AdoptarPreferencias(TpreferenciasProyecto* preferencias);
    TPrimerComponente& Edificio() const { return *m_edificio; }
    TPadreTV& RedTV() const { return *m_redTV; }

    // A new project after the wizard: title-block defaults, the cable list, then the structure.
    void IniciarProyecto();
    // Creates the stairs, their floors (and the headend floor) and the flats of every floor.
    void CrearEstructura();
    // The title block of a new project: ten lines, the fourth being today's date.
    void DatosProyectoPorDefecto();

    // The headend floor: the first stair (in order) having one, scanned from its top floor; or null.
    tplanta* PlantaCabecera() const;
    int NumEscalerasConViviendas() const;
    // Every flat of the building in component order.
    NamedList<Tvivienda> ListaViviendas() const;
    // The default file name in a projects folder: the folder without trailing separators, "/",
    // "Project1.XPJ".
    static std::string NombreFicheroEn(std::string_view projectsDirectory);

    bool IsPathRoot() const override { return true; }
    TPrimerComponente* Clone(TPrimerComponente* owner) const override;

protected:
    void AfterConstruction() override;
    void Notification(TPrimerComponente* removed) override;

private:
    TalmacenElementos* m_almacen = nullptr; // not owned
    NamedList<TEscalera> m_escaleras{this};
    std::vector<std::string> m_datosproyecto;
    TpreferenciasProyecto* m_preferencias = nullptr; // owned as components
    TPrimerComponente* m_edificio = nullptr;
    TPadreTV* m_redTV = nullptr;
    std::vector<BuildOmission> m_omissions;
    SignalQuality m_quality;
};

// The project a component belongs to (itself or the nearest owner that is one), or null.
Tproyecto* ProyectoDe(const TPrimerComponente* component);

} // namespace ixo
