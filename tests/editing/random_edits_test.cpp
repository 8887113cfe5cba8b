#include "editing/network_edits.h"

#include "catalogue/almacen_elementos.h"
#include "editing_test_support.h"
#include "levels/comprobacion_tomas.h"
#include "levels/niveles_tomas.h"
#include "model/ampli_header.h"
#include "model/antena.h"
#include "model/lin_amp.h"
#include "model/multiswitch.h"
#include "model/potenciometro.h"
#include "model/toma_tv.h"

#include <gtest/gtest.h>

#include <random>

namespace ixo::test {
namespace {

// Line amplifiers of the demo catalogue (AL-5, AL-17, AL-9, AL-9R, AL-4S) and an unknown number.
constexpr std::int32_t kLineAmplifiers[] = {100, 1000, 2000, 2100, 4100, 9999};

class RandomEdits : public EditingFixture, public ::testing::WithParamInterface<BuildingShape> {
protected:
    template <typename T> T* Pick(const std::vector<T*>& list) {
        if (list.empty()) {
            return nullptr;
        }
        return list[std::uniform_int_distribution<std::size_t>(0, list.size() - 1)(m_random)];
    }
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_random); }

    // A model of the element's own family (or of a family of the same store kind), by chance.
    std::int32_t OtherModel(const TComponenteBase& element, std::int32_t& family) {
        family = element.Familia;
        const auto items = Store().ElementsOfFamily(family);
        if (items.empty()) {
            return element.Indice;
        }
        return items[static_cast<std::size_t>(Below(static_cast<int>(items.size())))].Object.Indice();
    }

    NetworkEditor::Edit RandomEdit() {
        Tproyecto& p = *project;
        switch (Below(10)) {
        case 0:
        case 1: {
            TComponenteBase* element = Pick(NetworkElements(p));
            if (element == nullptr) {
                return {};
            }
            std::int32_t family = 0;
            const std::int32_t number = OtherModel(*element, family);
            return [&p, element, number, family](EditJournal& j) {
                return ReplaceElement(p, *element, number, family, j);
            };
        }
        case 2: {
            TMultiswitch* ms = Pick(ElementsOfClass<TMultiswitch>(p));
            const std::int32_t number = kLineAmplifiers[Below(6)];
            if (ms == nullptr) {
                return {};
            }
            return [&p, ms, number](EditJournal& j) { return InsertLineAmplifier(p, *ms, number, j); };
        }
        case 3: {
            TLinAmp* amp = Pick(ElementsOfClass<TLinAmp>(p));
            if (amp == nullptr) {
                return {};
            }
            return [&p, amp](EditJournal& j) { return RemoveLineAmplifier(p, *amp, j); };
        }
        case 4: {
            TComponenteBase* element = Pick(NetworkElements(p));
            TPin* pin = element != nullptr
                            ? element->FirstConnectedPin(Below(2) == 0 ? PinKind::Input : PinKind::Output)
                            : nullptr;
            const double metres = 0.5 + Below(40);
            if (pin == nullptr) {
                return {};
            }
            return [pin, metres](EditJournal& j) {
                SetConnectionLength(*pin, metres, j);
                return true;
            };
        }
        case 5: {
            if (Below(2) == 0) {
                TAmpliHeader* amp = Pick(ElementsOfClass<TAmpliHeader>(p));
                if (amp == nullptr) {
                    return {};
                }
                return [&p, amp](EditJournal& j) { return RemoveHeadendAmplifier(p, *amp, j); };
            }
            TMultiswitch* ms = Pick(ElementsOfClass<TMultiswitch>(p));
            const bool headendFloor = Below(2) == 0;
            if (ms == nullptr) {
                return {};
            }
            return [&p, ms, headendFloor](EditJournal& j) {
                return InsertHeadendAmplifiers(p, *ms, 1, 4925, headendFloor, j);
            };
        }
        case 6: {
            TMultiswitch* ms = Pick(ElementsOfClass<TMultiswitch>(p));
            if (ms == nullptr) {
                return {};
            }
            return [&p, ms](EditJournal& j) { return RemoveHeadendAmplifiersOf(p, *ms, j); };
        }
        case 7: {
            if (Below(8) != 0) {
                return {};
            }
            const std::int32_t outlets = 1 + Below(4);
            const std::int32_t topology = Below(2);
            return
                [&p, outlets, topology](EditJournal& j) { return ApplyToAllFlats(p, outlets, topology, j); };
        }
        case 8: {
            // An amplifier inside a flat, or one taken out again.
            if (Below(2) == 0) {
                TLinAmp* amp = Pick(ElementsOfClass<TLinAmp>(p));
                if (amp == nullptr || FlatOf(*amp) == nullptr) {
                    return {};
                }
                return [&p, amp](EditJournal& j) { return RemoveFlatAmplifier(p, *amp, j); };
            }
            std::vector<Tvivienda*> flats;
            for (const auto& entry : p.ListaViviendas()) {
                flats.push_back(entry.Object);
            }
            Tvivienda* flat = Pick(flats);
            const std::int32_t model = 101 + Below(2);
            if (flat == nullptr) {
                return {};
            }
            return [&p, flat, model](EditJournal& j) {
                return InsertFlatAmplifier(p, *flat, model, kFlatAmplifierFamily, j);
            };
        }
        default: {
            const int kind = Below(5);
            const std::int32_t numbers[] = {24, 26, 30, 32, 20};
            const std::int32_t number = numbers[Below(5)];
            return [&p, kind, number](EditJournal& j) { return ChangeCableModel(p, kind, number, j); };
        }
        }
    }

    std::mt19937 m_random{20261209};
};

TEST_P(RandomEdits, KeepTheNetworkConsistentAndSaveAndReopenWithTheSameLevels) {
    BuildNetwork(GetParam());
    editor = std::make_unique<NetworkEditor>(*project, 1000);
    editor->SetRecalculateAfterEdits(false);
    editor->Recalculate();
    const auto built = ProjectFileBytes(*project);
    constexpr int kSteps = 2000;
    int applied = 0;
    int undone = 0;
    for (int step = 0; step < kSteps; ++step) {
        const int choice = Below(10);
        if (choice < 2) {
            undone += editor->Undo() ? 1 : 0;
        } else if (choice < 3) {
            (void)editor->Redo();
        } else if (NetworkEditor::Edit edit = RandomEdit()) {
            applied += editor->Apply(edit) ? 1 : 0;
        }
        const NetworkCheck check = CheckNetwork(*project);
        ASSERT_TRUE(check.Ok()) << "step " << step << "\n" << Problems(check);
        if (step % 50 == 0) {
            editor->Recalculate();
        }
    }
    EXPECT_GT(applied, kSteps / 5);
    EXPECT_GT(undone, kSteps / 20);
    editor->Recalculate();
    const auto levels = NivelesDeTomas(*project);
    const auto bytes = ProjectFileBytes(*project);
    OpenedProject reopened = ReadProjectBytes(bytes, "memory.XPJ", &DemoStore());
    ASSERT_EQ(reopened.result, OpenResult::Ok);
    EXPECT_TRUE(CheckNetwork(*reopened.project).Ok());
    const auto reopenedLevels = NivelesDeTomas(*reopened.project);
    ASSERT_EQ(reopenedLevels.size(), levels.size());
    for (std::size_t i = 0; i < levels.size(); ++i) {
        for (std::size_t band = 0; band < kBandCount; ++band) {
            EXPECT_NEAR(reopenedLevels[i].Peor[band], levels[i].Peor[band], 1e-9) << i << " band " << band;
        }
    }
    // Undo all the way back gives the project as built, byte for byte.
    while (editor->Undo()) {
    }
    EXPECT_TRUE(CheckNetwork(*project).Ok());
    editor->Recalculate();
    EXPECT_EQ(ProjectFileBytes(*project), built);
}

// The editor recalculates every level but checks only the stairs an edit reached: the outlets' levels,
// the stored project and every stair's error records equal those of a full recalculation and check.
TEST_P(RandomEdits, CheckingOnlyTheStairsReachedEqualsAFullCheck) {
    BuildNetwork(GetParam());
    auto errorRecords = [this] {
        std::vector<std::vector<std::string>> records;
        for (const auto& stair : project->Escaleras()) {
            std::vector<std::string> texts;
            const TCompruebaErrores& errors = stair.Object->ErroresEscalera();
            for (std::size_t i = 0; i < errors.Count(); ++i) {
                texts.push_back(errors[i].Toma->Name() + " " + TextoError(errors[i]));
            }
            records.push_back(std::move(texts));
        }
        return records;
    };
    int checked = 0;
    for (int step = 0; step < 150; ++step) {
        const int choice = Below(10);
        bool moved = false;
        if (choice < 2) {
            moved = editor->Undo();
        } else if (choice < 3) {
            moved = editor->Redo();
        } else if (NetworkEditor::Edit edit = RandomEdit()) {
            moved = editor->Apply(edit);
        }
        if (!moved) {
            continue;
        }
        const auto bytes = ProjectFileBytes(*project);
        const auto records = errorRecords();
        const bool withErrors = project->ConErrores;
        editor->Recalculate();
        ASSERT_EQ(ProjectFileBytes(*project), bytes) << "step " << step;
        ASSERT_EQ(errorRecords(), records) << "step " << step;
        ASSERT_EQ(project->ConErrores, withErrors) << "step " << step;
        ++checked;
    }
    EXPECT_GT(checked, 50);
}

INSTANTIATE_TEST_SUITE_P(EveryLayout, RandomEdits,
                         ::testing::Values(Shape(1, 2, 2, 2, 4, 0), Shape(2, 3, 2, 2, 4, 1),
                                           Shape(1, 3, 2, 3, 12, 1, 1), Shape(2, 2, 2, 1, 16, 1),
                                           Shape(1, 2, 1, 2, 8, 1)),
                         [](const ::testing::TestParamInfo<BuildingShape>& info) {
                             const BuildingShape& s = info.param;
                             return "Stairs" + std::to_string(s.stairs) + "Floors" +
                                    std::to_string(s.floors) + "Polarities" + std::to_string(s.polarities) +
                                    (s.headendDistribution == 0 ? "FromHeadend" : "Trunk") +
                                    (s.topology == 1 ? "CascadeFlats" : "StarFlats");
                         });

} // namespace
} // namespace ixo::test
