#pragma once

#include "builder/elementos_red.h"
#include "building/escalera.h"
#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "catalogue/almacen_elementos.h"
#include "editing/edit_journal.h"
#include "editing/edit_refusal.h"
#include "levels/calculo_niveles.h"
#include "model/alimentador.h"
#include "model/ampli_header.h"
#include "model/antena.h"
#include "model/cabecera_terrestre.h"
#include "model/cable_tv.h"
#include "model/disecq.h"
#include "model/lin_amp.h"
#include "model/multiswitch.h"
#include "model/parts_catalogue.h"
#include "model/repartidor.h"
#include "model/toma_tv.h"

#include <algorithm>
#include <exception>
#include <new>
#include <vector>

// The steps the network edits share: copies of catalogue models, connections moved and bypassed,
// partners, supplies and injectors, the fit of a replacement and walks up and down the lines.
namespace ixo::edit_support {

constexpr double kShortLink = 0.5; // new short links, metres
constexpr int kWalkLimit = 100000; // a cabled loop never makes a walk endless
bool Refuse(EditRefusal* why, std::string reason);

TComponenteBase* ElementOf(const TPin* pin);

std::int32_t ConnectorOf(const TCableTV* cable);

int PositionIn(const TComponenteBase* element);

// The classes whose copies an edit may make.
bool IsCopyable(const TPrimerComponente& element);

// A copy of prototype owned by owner, for the classes whose copies an edit may make.
TComponenteBase* CopyOf(const TPCLectorFichero* prototype, TPrimerComponente* owner);

TComponenteBase* CopyOfModel(const Tproyecto& project, std::int32_t family, std::int32_t number,
                             TPrimerComponente* owner);

// An element of class T read from its class's table (kind) with that element number; null when the
// record cannot be read.
template <typename T> T* FromTable(TPrimerComponente* owner, int kind, std::int32_t number) {
    try {
        return TComponenteBase::CreateFromCatalogue<T>(owner, number, DefaultTableOfKind(kind));
    } catch (const std::bad_alloc&) {
        throw; // not a record that cannot be read
    } catch (const std::exception&) {
        return nullptr;
    }
}

// A riser amplifier of the catalogue (location 1, not for inside a flat): the models a line amplifier is
// made of, whatever class their family gives their prototypes.
constexpr std::int32_t kRiserLocation = 1;
bool IsRiserAmplifier(const TAmpliBase& amplifier);

// The element that replaces old: a copy of prototype, or for a line amplifier a line amplifier made
// from the riser amplifier's record (as an inserted one is).
TComponenteBase* ReplacementOf(const TComponenteBase& old, const TPCLectorFichero& prototype,
                               TPrimerComponente* owner);

// Creates through make and records the creation; null when nothing was made.
template <typename T, typename Maker> T* Make(EditJournal& journal, Maker make) {
    T* made = make();
    if (made != nullptr) {
        journal.Created(*made);
    }
    return made;
}

bool Join(EditJournal& journal, TPin& ours, TPin& theirs, TCableTV* cable, double metres);

// Joins pin q to the first free pin of element's list kind with that letter (any letter for a
// splitter when none has it). False when no pin is free.
bool JoinToFree(EditJournal& journal, TPin& q, TComponenteBase& element, PinKind kind, char letter,
                TCableTV* cable, double metres, bool anyLetterForSplitter);

void MoveConnectionsOfKind(EditJournal& journal, TComponenteBase& old, TComponenteBase& replacement,
                           PinKind kind);

void MoveConnections(EditJournal& journal, TComponenteBase* old, TComponenteBase* replacement);

std::vector<TPin*> ConnectedPeers(const TComponenteBase& element, PinKind kind);

bool BypassAll(EditJournal& journal, TComponenteBase& element);

void BypassInjector(EditJournal& journal, TComponenteBase& injector);

TCBFT* PartnerOf(const TComponenteBase* element, bool triple);

void LinkPartners(EditJournal& journal, TComponenteBase* first, TComponenteBase* second,
                  TComponenteBase* third);

void TakeContainer(EditJournal& journal, TComponenteBase& element, TPrimerComponente* container);

// The feeders of elements (each once).
std::vector<TCBFT*> FeedersOf(std::initializer_list<TComponenteBase*> elements);

// A supply for element: a copy of the supply model, feeding it and in its container.
TFUENTE* SupplyFor(EditJournal& journal, TFUENTE* supply, TComponenteBase& element);

TFUENTE* BuiltInSupply(EditJournal& journal, TComponenteBase* element);

// The built-in supplies of an amplifier and its partners, each listed right after its amplifier.
void AddBuiltInSupplies(EditJournal& journal, TComponenteBase* amp, TComponenteBase* n2, TComponenteBase* n3);

void AddSupplies(Tproyecto& project, EditJournal& journal, TComponenteBase* ms, TComponenteBase* n2,
                 TComponenteBase* n3);

TComponenteBase* TerrestrialSplitter(const Tproyecto& project, const tplanta& headend);

void AddInjectors(Tproyecto& project, EditJournal& journal, TComponenteBase* ms, TComponenteBase* n2,
                  TComponenteBase* n3);

bool IsTerminal(const TMultiswitch& ms);

bool CanReplaceOutlet(const TTomaTV& old, const TTomaTV& replacement, EditRefusal* why);

bool PinsFit(const TComponenteBase& old, const TComponenteBase& replacement, EditRefusal* why);

std::int32_t Consumption(const TMultiswitch& ms);

bool CanReplace(const TComponenteBase& old, const TComponenteBase& replacement, EditRefusal* why);

TComponenteBase* Upstream(const TComponenteBase& element);

TComponenteBase* Downstream(const TComponenteBase& element);

std::vector<TPin*> ConnectedPins(const TComponenteBase& element, PinKind kind);

// Moves the upstream connections of element's inputs to amp's inputs, then joins element's inputs
// from amp's outputs of the same letters with a short floor cable.
void MoveInputs(EditJournal& journal, TComponenteBase& element, TComponenteBase& amp, TCableTV* floorCable);

// A line amplifier takes every connected input of the element and of its partners: for each letter, as
// many inputs and outputs as the element has inputs of that letter connected (a free pin would cut the
// element off from what fed it).
bool LineAmplifierFits(const TComponenteBase& element, const TAmpliBase& model, EditRefusal* why);

void InsertAt(EditJournal& journal, TComponenteBase* element, TComponenteBase* listed, int position);

TCBFT* FeederOf(TComponenteBase* element);

// Frees an amplifier's partner (after its bypass) with its feeder.
void FreeWithFeeder(Tproyecto& project, EditJournal& journal, TComponenteBase& element);

bool Rollback(EditJournal& journal, EditRefusal* why, std::string reason);

} // namespace ixo::edit_support
