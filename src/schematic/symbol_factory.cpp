#include "schematic/symbol_factory.h"

#include "model/alimentador.h"
#include "model/ampli_header.h"
#include "model/antena.h"
#include "model/cabecera_terrestre.h"
#include "model/disecq.h"
#include "model/especial.h"
#include "model/lin_amp.h"
#include "model/multiswitch.h"
#include "model/repartidor.h"
#include "model/toma_tv.h"
#include "schematic/schematic.h"
#include "schematic/stacked_figure.h"
#include "schematic/symbols.h"

namespace ixo {

namespace {

std::unique_ptr<TBaseGrafMS> MakeSymbol(TComponenteBase* element) {
    auto* cbft = element->Is<TCBFT>() ? static_cast<TCBFT*>(element) : nullptr;
    const bool triple =
        cbft != nullptr && cbft->DoublePartner() != nullptr && cbft->TriplePartner() != nullptr;
    const bool twin = cbft != nullptr && cbft->DoublePartner() != nullptr;
    if (element->Is<TTomaTV>()) {
        return MakeGraphic<TgrafToma>(element);
    }
    if (element->Is<TRepartidor>()) {
        return MakeGraphic<TgrafRepartidor>(element);
    }
    if (element->Is<TMultiswitch>()) {
        if (triple) {
            return MakeGraphic<TgrafTripleMs>(cbft);
        }
        if (twin) {
            return MakeGraphic<TgrafdobleMs>(cbft);
        }
        return MakeGraphic<TgrafMS>(element);
    }
    if (element->Is<TDISECQ>()) {
        return MakeGraphic<TgrafDisecQ>(element);
    }
    if (element->Is<TIFT>()) {
        return MakeGraphic<TgrafIFT>(element);
    }
    if (element->Is<TInyector>()) {
        return MakeGraphic<TGrafInyector>(element);
    }
    if (element->Is<TLinAmp>()) {
        if (static_cast<TLinAmp*>(element)->interiorviv) {
            return MakeGraphic<TgrafAmpliInterior>(element);
        }
        if (triple) {
            return MakeGraphic<TgrafTripleamplin>(cbft);
        }
        if (twin) {
            return MakeGraphic<Tgrafdobleamplin>(cbft);
        }
        return MakeGraphic<TGrafampLin>(element);
    }
    if (element->Is<TAmpliHeader>()) {
        return MakeGraphic<TgrafAmpliheader>(element);
    }
    if (element->Is<Tantena>()) {
        return MakeGraphic<TgrafParabola>(element);
    }
    if (element->Is<TCabeceraTerrestre>()) {
        return MakeGraphic<TgrafCabeceraTerrestre>(element);
    }
    if (element->Is<TFUENTE>()) {
        if (triple) {
            return MakeGraphic<TgrafTripleFuente>(cbft);
        }
        if (twin) {
            return MakeGraphic<TgrafdobleFuente>(cbft);
        }
        return MakeGraphic<TgrafFuente>(element);
    }
    return nullptr;
}

} // namespace

TBaseGrafMS* CreateSymbolFor(TpadreGraficosMS& schematic, TComponenteBase* element) {
    if (element == nullptr) {
        return nullptr;
    }
    std::unique_ptr<TBaseGrafMS> symbol = MakeSymbol(element);
    return symbol != nullptr ? schematic.Adopt(std::move(symbol)) : nullptr;
}

} // namespace ixo
