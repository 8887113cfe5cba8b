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
#include "ui/tools/amplifier_tool_rules.h"

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

void SheetTools::DoubleClickAt(const HitResult& hit, bool inTitleBlock) {
    if (!inTitleBlock) {
        EditComponentAt(hit);
    } else if (m_windows.projectInformation) {
        m_windows.projectInformation();
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
    if (!m_windows.chooseModel) {
        return;
    }
    if (auto* cable = dynamic_cast<TCableTV*>(hit.object->Element())) {
        EditCable(project, *cable);
        return;
    }
    TComponenteBase* element = ElementOf(hit);
    auto* device = element != nullptr ? element->As<TCBFT>() : nullptr;
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

void SheetTools::EditCable(Tproyecto& project, TCableTV& cable) {
    // A wire's cable is one of the project's cable kinds, shared by every connection laid with it: the
    // model chosen replaces that kind everywhere. The explorer shows every cable family.
    const auto& cables = project.Preferencias().ListaCables();
    int kind = -1;
    for (std::size_t i = 0; i < cables.Count() && kind < 0; ++i) {
        kind = cables.Object(i) == &cable ? static_cast<int>(i) : -1;
    }
    if (kind < 0) {
        return;
    }
    const std::optional<Choice> chosen = m_windows.chooseModel(cable.Familia, cable.Indice, 0, false);
    if (!chosen || chosen->indice == cable.Indice) {
        return;
    }
    m_windows.closeLevels();
    Edit([&](EditJournal& journal, std::string& why) {
        EditRefusal refusal;
        const bool done = ChangeCableModel(project, kind, chosen->indice, journal, &refusal);
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
    const AmplifierToolInsertion insertion = AmplifierToolInsertionAt(*element, project);
    if (insertion.kind == AmplifierToolInsertion::Kind::None) {
        return;
    }
    const auto chosen =
        m_windows.chooseModel(insertion.family, insertion.model, insertion.group, insertion.exact);
    if (!chosen) {
        return;
    }
    Edit([&](EditJournal& journal, std::string& why) {
        EditRefusal refusal;
        bool done = false;
        switch (insertion.kind) {
        case AmplifierToolInsertion::Kind::HeadendAmplifiers:
            done = InsertHeadendAmplifiers(project, *element, chosen->indice, chosen->family,
                                           insertion.onHeadendFloor, journal, &refusal);
            break;
        case AmplifierToolInsertion::Kind::FlatAmplifier:
            done = InsertFlatAmplifier(project, *insertion.flat, chosen->indice, chosen->family, journal,
                                       &refusal);
            break;
        case AmplifierToolInsertion::Kind::LineAmplifier:
            done = InsertLineAmplifier(project, *element, chosen->indice, journal, &refusal);
            break;
        case AmplifierToolInsertion::Kind::None:
            break;
        }
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
    const AmplifierToolRemoval removal = AmplifierToolRemovalAt(*element, project);
    if (removal.kind == AmplifierToolRemoval::Kind::None) {
        return;
    }
    Edit([&](EditJournal& journal, std::string& why) {
        EditRefusal refusal;
        bool done = false;
        switch (removal.kind) {
        case AmplifierToolRemoval::Kind::FlatAmplifier:
            done = RemoveFlatAmplifier(project, *element, journal, &refusal);
            break;
        case AmplifierToolRemoval::Kind::HeadendAmplifier:
            done = RemoveHeadendAmplifier(project, *element, journal, &refusal);
            break;
        case AmplifierToolRemoval::Kind::HeadendAmplifiersOf:
            done = RemoveHeadendAmplifiersOf(project, *removal.multiswitch, journal, &refusal);
            break;
        case AmplifierToolRemoval::Kind::LineAmplifier:
            done = RemoveLineAmplifier(project, *element, journal, &refusal);
            break;
        case AmplifierToolRemoval::Kind::None:
            break;
        }
        why = refusal.reason;
        return done;
    });
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
