#include "ui/tools/sheet_tools.h"

#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "editing/edit_journal.h"
#include "editing/network_editor.h"
#include "editing/network_edits.h"
#include "model/ampli_base.h"
#include "model/ampli_header.h"
#include "model/antena.h"
#include "model/cabecera_terrestre.h"
#include "model/cable_tv.h"
#include "model/cbft.h"
#include "model/disecq.h"
#include "model/lin_amp.h"
#include "model/multiswitch.h"
#include "model/pin.h"
#include "schematic/wire.h"
#include "ui/dialogs/flat_dialog.h"
#include "ui/dialogs/input_level_dialog.h"
#include "ui/dialogs/length_dialog.h"
#include "ui/project/open_design.h"

#include <QAction>

namespace ixo {
namespace {

TComponenteBase* ElementOf(const HitResult& hit) {
    return hit.object != nullptr ? dynamic_cast<TComponenteBase*>(hit.object->Element()) : nullptr;
}

bool IsDiseqcInput(const TPin* pin) {
    return pin != nullptr && pin->Kind() == PinKind::Input && pin->Owner() != nullptr &&
           pin->Owner()->Is<TDISECQ>();
}

} // namespace

SheetTools::SheetTools(QWidget& parent, OpenDesign& design, std::vector<QAction*> tools, Windows windows)
    : m_parent(parent), m_design(design), m_tools(std::move(tools)), m_windows(std::move(windows)) {}

void SheetTools::Select(int tool) {
    m_current = tool == m_current ? None : tool;
    for (std::size_t i = 0; i < m_tools.size(); ++i) {
        m_tools[i]->setChecked(static_cast<int>(i) + 1 == m_current);
    }
}

void SheetTools::Dispatch(const HitResult& hit) {
    switch (m_current) {
    case ChangeLength:
        ChangeLengthAt(hit);
        break;
    case Levels:
        ShowLevelsAt(hit);
        break;
    case EditComponent:
        EditComponentAt(hit);
        break;
    case AddAmplifier:
        AddAmplifierAt(hit);
        break;
    case RemoveAmplifier:
        RemoveAmplifierAt(hit);
        break;
    case Regulate:
        RegulateAt(hit);
        break;
    default:
        break;
    }
}

bool SheetTools::Edit(const std::function<bool(EditJournal&, std::string& why)>& edit, bool levelsOnly) {
    if (m_design.editor == nullptr) {
        return false;
    }
    std::string why;
    if (!m_design.editor->Apply([&](EditJournal& journal) { return edit(journal, why); })) {
        m_windows.showError(why.empty() ? QStringLiteral("The network refused the change.")
                                        : QString::fromStdString(why));
        return false;
    }
    if (levelsOnly && m_windows.levelsChanged) {
        m_windows.levelsChanged();
    } else {
        m_windows.refreshAfterEdit();
    }
    return true;
}

void SheetTools::ChangeLengthAt(const HitResult& hit) {
    auto* wire = dynamic_cast<Tgraflinea*>(hit.object);
    if (wire == nullptr || dynamic_cast<TCableTV*>(wire->Element()) == nullptr) {
        return;
    }
    // The feeding end's pin holds the length the label shows; the receiving end may be an outlet behind
    // the flat's entry, whose own connection is a different (zero-length) one.
    TPin* pin = wire->SourcePin();
    // A DiSEqC switch's inputs take the lengths of their dish cables as built.
    if (pin == nullptr || IsDiseqcInput(pin) || IsDiseqcInput(pin->Peer())) {
        return;
    }
    LengthDialog dialog(&m_parent);
    dialog.SetLength(pin->MetrosCable);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const double metres = dialog.Length();
    Edit(
        [&](EditJournal& journal, std::string&) {
            SetConnectionLength(*pin, metres, journal);
            return true;
        },
        true);
}

void SheetTools::ShowLevelsAt(const HitResult& hit) {
    if (hit.elementPin != nullptr && m_windows.showLevels) {
        m_windows.showLevels(*hit.elementPin);
    }
}

void SheetTools::EditComponentAt(const HitResult& hit) {
    if (hit.object == nullptr || m_design.project == nullptr) {
        return;
    }
    Tproyecto& project = *m_design.project;
    if (auto* flat = dynamic_cast<Tvivienda*>(hit.object->Element())) {
        FlatDialog dialog(&m_parent);
        dialog.SetFlat(*flat);
        if (dialog.exec() != QDialog::Accepted) {
            return;
        }
        const std::optional<FlatDialogModel::Choice> choice = dialog.Model().Accept();
        if (!choice) {
            return;
        }
        m_windows.closeLevels();
        Edit([&](EditJournal& journal, std::string& why) {
            journal.Set(*flat, flat->NombreViv, choice->name);
            const bool done =
                choice->applyToAll
                    ? ApplyToAllFlats(project, choice->outlets, choice->distribution, journal)
                    : ApplyToFlat(project, *flat, choice->outlets, choice->distribution, journal);
            if (!done) {
                why = "The flat could not be rebuilt with " + std::to_string(choice->outlets) + " outlets.";
            }
            return done;
        });
        return;
    }
    TComponenteBase* element = ElementOf(hit);
    if (element == nullptr || !m_windows.chooseModel) {
        return;
    }
    if (auto* cable = element->As<TCableTV>()) {
        (void)cable; // the cable models are chosen for the whole project (Configuration)
        return;
    }
    auto* device = element->As<TCBFT>();
    if (device == nullptr) {
        return;
    }
    const std::int32_t group = device->Is<TMultiswitch>() ? m_windows.familyGroup(device->Familia) : 0;
    const std::optional<Choice> chosen = m_windows.chooseModel(device->Familia, device->Indice, group, true);
    if (!chosen) {
        return;
    }
    m_windows.closeLevels();
    Edit([&](EditJournal& journal, std::string& why) {
        EditRefusal refusal;
        const bool done = ReplaceElement(project, *device, chosen->indice, chosen->family, journal, &refusal);
        why = refusal.reason;
        return done;
    });
}

void SheetTools::AddAmplifierAt(const HitResult& hit) {
    TComponenteBase* element = ElementOf(hit);
    if (element == nullptr || m_design.project == nullptr || !m_windows.chooseModel) {
        return;
    }
    Tproyecto& project = *m_design.project;
    const auto& preferences = project.Preferencias();
    // Headend amplifiers for the dishes feeding a multiswitch without both taps and outputs.
    if (auto* multiswitch = element->As<TMultiswitch>();
        multiswitch != nullptr && !(multiswitch->Nderivaciones >= 1 && multiswitch->Nsalidas >= 1)) {
        const auto chosen =
            m_windows.chooseModel(preferences.HD_FamiliaAmpFi, preferences.HD_ModeloAmpFi, 0, true);
        if (chosen) {
            Edit([&](EditJournal& journal, std::string& why) {
                EditRefusal refusal;
                const bool done = InsertHeadendAmplifiers(project, *element, chosen->indice, chosen->family,
                                                          false, journal, &refusal);
                why = refusal.reason;
                return done;
            });
        }
        return;
    }
    // A line amplifier in front of an element on a floor other than the headend's.
    auto* device = element->As<TCBFT>();
    auto* floor = device != nullptr ? dynamic_cast<tplanta*>(device->Container()) : nullptr;
    if (floor == nullptr || floor->HeaderPl || device->Is<TDISECQ>()) {
        return;
    }
    const bool cascade5005 = preferences.Dis_FAMMSCAS == 5005;
    const auto chosen =
        cascade5005 ? m_windows.chooseModel(4103, 4100, 0, true) : m_windows.chooseModel(4002, 100, 0, false);
    if (!chosen) {
        return;
    }
    Edit([&](EditJournal& journal, std::string& why) {
        EditRefusal refusal;
        const bool done = InsertLineAmplifier(project, *element, chosen->indice, journal, &refusal);
        why = refusal.reason;
        return done;
    });
}

void SheetTools::RemoveAmplifierAt(const HitResult& hit) {
    TComponenteBase* element = ElementOf(hit);
    if (element == nullptr || m_design.project == nullptr) {
        return;
    }
    Tproyecto& project = *m_design.project;
    const auto refused = [](EditRefusal& refusal, std::string& why, bool done) {
        why = refusal.reason;
        return done;
    };
    if (element->Is<TAmpliHeader>()) {
        TPin* output = element->FirstConnectedPin(PinKind::Output);
        TPin* peer = output != nullptr ? output->Peer() : nullptr;
        auto* multiswitch =
            peer != nullptr && peer->Owner() != nullptr ? peer->Owner()->As<TMultiswitch>() : nullptr;
        if (project.Preferencias().TipoDistribucionCab != 0 && multiswitch != nullptr) {
            Edit([&](EditJournal& journal, std::string& why) {
                EditRefusal refusal;
                return refused(refusal, why,
                               RemoveHeadendAmplifiersOf(project, *multiswitch, journal, &refusal));
            });
            return;
        }
        Edit([&](EditJournal& journal, std::string& why) {
            EditRefusal refusal;
            return refused(refusal, why, RemoveHeadendAmplifier(project, *element, journal, &refusal));
        });
        return;
    }
    if (element->Is<TLinAmp>()) {
        Edit([&](EditJournal& journal, std::string& why) {
            EditRefusal refusal;
            return refused(refusal, why, RemoveLineAmplifier(project, *element, journal, &refusal));
        });
    }
}

void SheetTools::RegulateAt(const HitResult& hit) {
    TComponenteBase* element = ElementOf(hit);
    if (element == nullptr) {
        return;
    }
    if (element->Is<TCabeceraTerrestre>() || element->Is<Tantena>()) {
        m_windows.closeLevels();
        EditInputLevels(*element);
        return;
    }
    const auto* multiswitch = element->As<TMultiswitch>();
    if ((element->Is<TAmpliBase>() ||
         (multiswitch != nullptr && (multiswitch->Conpot || multiswitch->TieneAttTer))) &&
        m_windows.regulate) {
        m_windows.closeLevels();
        m_windows.regulate(*element);
    }
}

void SheetTools::EditInputLevels(TComponenteBase& element) {
    InputLevelDialog dialog(&m_parent);
    auto* dish = element.As<Tantena>();
    auto* headend = element.As<TCabeceraTerrestre>();
    if (dish != nullptr) {
        dialog.SetDishLevels(dish->InputLevels());
    } else if (headend != nullptr) {
        dialog.SetHeadendLevels(headend->NivelTerr());
    } else {
        return;
    }
    if (dialog.exec() != QDialog::Accepted || dialog.Levels().empty()) {
        return;
    }
    const std::vector<LevelVector> levels = dialog.Levels();
    Edit(
        [&](EditJournal& journal, std::string&) {
            if (dish != nullptr) {
                const std::vector<LevelVector> before = dish->InputLevels();
                journal.Record([dish, before] { dish->SetInputLevelList(before); },
                               [dish, levels] { dish->SetInputLevelList(levels); });
                dish->SetInputLevelList(levels);
            } else {
                const LevelVector before = headend->NivelTerr();
                const LevelVector after = levels.front();
                journal.Record([headend, before] { headend->SetNivelTerr(before); },
                               [headend, after] { headend->SetNivelTerr(after); });
                headend->SetNivelTerr(after);
            }
            return true;
        },
        true);
}

} // namespace ixo
