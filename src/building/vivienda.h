#pragma once

#include "building/named_list.h"
#include "model/primer_componente.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace ixo {

class TCableTV;
class TComponenteBase;
class TPadreTV;
class TRepartidor;
class Tentradaviv;
class TpreferenciasProyecto;
class TalmacenElementos;
class tplanta;

// The model of outlet i of a cascade (i = 0 is the last outlet of the chain, the one farthest from the
// entry), given the OrdenCascada of the models sorted ascending: the first model whose order is greater
// than i, or the last model when none is. sortedOrders must not be empty.
std::size_t CascadeModelIndex(const std::vector<std::int32_t>& sortedOrders, std::int32_t i);

// A flat: its entry element (what the floor network feeds) and its own small distribution, in signal
// order in ETV: the in-flat amplifier if any, then either one splitter feeding one outlet per output
// (star) or a chain of outlets (cascade). The flat's elements are owned by its container.
class Tvivienda : public TPrimerComponente {
    IXO_COMPONENT_CLASS(Tvivienda)
public:
    static constexpr std::int32_t kEstrella = 0;
    static constexpr std::int32_t kCascada = 1;
    static constexpr double kMetrosAmplificador = 0.5; // cable from the in-flat amplifier onwards

    explicit Tvivienda(TPrimerComponente* owner);
    ~Tvivienda() override;

    std::string Nombreplanta;         // component name of its floor
    std::string NombreViv;            // "FL" + Numero_Interno
    std::int32_t ModeloAmpliInt = 0;  // model of the in-flat amplifier
    std::int32_t FamiliaAmpliInt = 0; // family of the in-flat amplifier
    bool Reconstruible = false;       // writing Numtomas or Topologia rebuilds the flat

    std::int32_t Topologia() const { return m_topologia; }
    std::int32_t Numtomas() const { return m_numtomas; }
    // Store the value and, when Reconstruible, rebuild the flat.
    void SetTopologia(std::int32_t topologia);
    void SetNumtomas(std::int32_t numtomas);

    tplanta* Planta() const { return m_planta; }
    // Moves the flat to floor (null: to no floor), keeping the floors' flat lists right.
    void AsignarPlanta(tplanta* planta);

    NamedList<TComponenteBase>& ETV() { return m_etv; }
    const NamedList<TComponenteBase>& ETV() const { return m_etv; }
    void SetETV(const NamedList<TComponenteBase>& list);
    Tentradaviv* Entrada() const { return m_entrada; }
    TPadreTV* Contenedor() const { return m_contenedor; }
    // Reading a project file: entrada (read under the flat) becomes the flat's entry and the entry the
    // flat had is freed.
    void AdoptarEntrada(Tentradaviv* entrada);

    // True when ETV holds a line amplifier.
    bool AmplificadorInterior() const;
    // The first splitter of ETV and its position, or (null, -1).
    std::pair<TRepartidor*, int> PrimerRepartidor() const;

    // Frees the distribution (keeping an in-flat amplifier) and builds it again for Topologia and
    // Numtomas.
    void Reconstruir();
    void ConstruirCascada();
    void ConstruirEstrella();

    // Puts a line amplifier of that catalogue model between the entry and what it feeds; false when the
    // flat has one already, the model is not in the catalogue, the flat has no elements or the entry
    // feeds nothing.
    [[nodiscard]] bool InsertarAmplificador(std::int32_t model, std::int32_t family);
    // Takes element (an element of ETV with at most one connected input and output) out of the chain
    // and joins its neighbours with the cable that fed it; only while the flat has an amplifier.
    [[nodiscard]] bool QuitarAmplificador(TComponenteBase* element);

    TPrimerComponente* Clone(TPrimerComponente* owner) const override;
    void Loaded() override;

protected:
    void AfterConstruction() override;
    void Notification(TPrimerComponente* removed) override;

private:
    // The entry of a new flat in a project: the first entry model of the catalogue.
    void MakeDefaultEntry();
    // Records in the project that no outlet of `family` could be made for this flat.
    void RecordMissingOutlets(std::int32_t family) const;
    const TpreferenciasProyecto* Preferencias() const;
    const TalmacenElementos* Almacen() const;
    TCableTV* CableVivienda() const;
    void PutFront(TComponenteBase* element);
    void ConnectEntry();

    std::int32_t m_topologia = 0;
    std::int32_t m_numtomas = 0;
    tplanta* m_planta = nullptr; // not owned
    NamedList<TComponenteBase> m_etv{this};
    Tentradaviv* m_entrada = nullptr; // owned by the container
    TPadreTV* m_contenedor = nullptr; // owned as a component
};

} // namespace ixo
