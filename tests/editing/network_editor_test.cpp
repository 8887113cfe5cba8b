#include "editing/network_editor.h"

#include "building/vivienda.h"
#include "editing/network_edits.h"
#include "editing_test_support.h"
#include "model/multiswitch.h"

#include <gtest/gtest.h>

namespace ixo::test {
namespace {

class NetworkEditorTest : public EditingFixture {
protected:
    // A length edit on the first connected input of the floor multiswitch.
    NetworkEditor::Edit Length(double metres) {
        TMultiswitch* ms = ElementsOfClass<TMultiswitch>(*project).back();
        TPin* pin = ms->FirstConnectedPin(PinKind::Input);
        return [pin, metres](EditJournal& j) {
            SetConnectionLength(*pin, metres, j);
            return true;
        };
    }
    double Metres() {
        return ElementsOfClass<TMultiswitch>(*project).back()->FirstConnectedPin(PinKind::Input)->MetrosCable;
    }
};

TEST_F(NetworkEditorTest, KeepsItsStepsUpToTheLimitAndDropsTheOldest) {
    BuildNetwork(Shape(1, 1, 1, 1, 4, 1));
    editor = std::make_unique<NetworkEditor>(*project, 120);
    editor->SetRecalculateAfterEdits(false);
    editor->MarkSaved();
    const double built = Metres();
    for (int i = 1; i <= 130; ++i) {
        ASSERT_TRUE(editor->Apply(Length(i)));
    }
    EXPECT_EQ(editor->StepCount(), 120u);
    EXPECT_EQ(Metres(), 130.0);
    int undone = 0;
    while (editor->Undo()) {
        ++undone;
    }
    EXPECT_EQ(undone, 120);
    EXPECT_EQ(Metres(), 10.0); // the state after the tenth edit: the first ten are gone
    EXPECT_NE(Metres(), built);
    // The saved state left the history: the project stays modified wherever the position is.
    EXPECT_TRUE(project->Modificado);
    while (editor->Redo()) {
    }
    EXPECT_EQ(Metres(), 130.0);
    EXPECT_TRUE(project->Modificado);
}

// A group of steps undoes and redoes as one once closed; inside it, Undo takes back one try at a time.
TEST_F(NetworkEditorTest, AGroupOfStepsUndoesAndRedoesAsOne) {
    BuildNetwork(Shape(1, 1, 1, 1, 4, 1));
    const auto built = Bytes();
    const double metres = Metres();
    ASSERT_TRUE(editor->Apply(Length(5)));
    const auto beforeGroup = Bytes();
    {
        NetworkEditor::Group group(*editor);
        ASSERT_TRUE(editor->Apply(Length(6)));
        ASSERT_TRUE(editor->Apply(Length(7)));
        ASSERT_TRUE(editor->Undo()); // a try taken back inside the group: one step
        EXPECT_EQ(Metres(), 6.0);
        ASSERT_TRUE(editor->Apply(Length(8)));
        {
            NetworkEditor::Group inner(*editor); // an inner group joins the outer one
            ASSERT_TRUE(editor->Apply(Length(9)));
        }
        ASSERT_TRUE(editor->Apply(Length(10)));
    }
    ASSERT_TRUE(editor->Apply(Length(11)));
    EXPECT_EQ(editor->StepCount(), 6u);
    ASSERT_TRUE(editor->Undo());
    EXPECT_EQ(Metres(), 10.0);
    ASSERT_TRUE(editor->Undo()); // the whole group
    EXPECT_EQ(Metres(), 5.0);
    EXPECT_EQ(Bytes(), beforeGroup);
    ASSERT_TRUE(editor->Undo());
    EXPECT_EQ(Metres(), metres);
    EXPECT_EQ(Bytes(), built);
    EXPECT_FALSE(project->Modificado);
    EXPECT_FALSE(editor->CanUndo());
    ASSERT_TRUE(editor->Redo());
    ASSERT_TRUE(editor->Redo()); // the whole group again
    EXPECT_EQ(Metres(), 10.0);
    EXPECT_EQ(editor->Position(), 5u);
    ASSERT_TRUE(editor->Redo());
    EXPECT_EQ(Metres(), 11.0);
    EXPECT_FALSE(editor->Redo());
}

// A group's first step dropped with the oldest leaves the rest of the group one step.
TEST_F(NetworkEditorTest, AGroupCutByTheStepLimitStaysOneStep) {
    BuildNetwork(Shape(1, 1, 1, 1, 4, 1));
    editor = std::make_unique<NetworkEditor>(*project, 3);
    editor->SetRecalculateAfterEdits(false);
    {
        NetworkEditor::Group group(*editor);
        for (int i = 1; i <= 5; ++i) {
            ASSERT_TRUE(editor->Apply(Length(i)));
        }
    }
    EXPECT_EQ(editor->StepCount(), 3u);
    ASSERT_TRUE(editor->Undo());
    EXPECT_EQ(Metres(), 2.0); // back to what the oldest kept step started from
    EXPECT_FALSE(editor->CanUndo());
    ASSERT_TRUE(editor->Redo());
    EXPECT_EQ(Metres(), 5.0);
}

TEST_F(NetworkEditorTest, ModifiedFollowsThePositionAndANewEditDropsTheRedoSteps) {
    BuildNetwork(Shape(1, 1, 1, 1, 4, 1));
    EXPECT_FALSE(project->Modificado);
    ASSERT_TRUE(editor->Apply(Length(5)));
    ASSERT_TRUE(editor->Apply(Length(6)));
    EXPECT_TRUE(project->Modificado);
    editor->MarkSaved(); // saved at 6 m
    EXPECT_FALSE(project->Modificado);
    ASSERT_TRUE(editor->Undo());
    EXPECT_TRUE(project->Modificado);
    EXPECT_EQ(Metres(), 5.0);
    ASSERT_TRUE(editor->Redo());
    EXPECT_FALSE(project->Modificado);
    ASSERT_TRUE(editor->Undo());
    ASSERT_TRUE(editor->Apply(Length(7))); // the step to 6 m is dropped
    EXPECT_FALSE(editor->CanRedo());
    EXPECT_TRUE(project->Modificado);
    ASSERT_TRUE(editor->Undo());
    EXPECT_EQ(Metres(), 5.0);
    EXPECT_TRUE(project->Modificado); // the saved state (6 m) is no longer reachable
}

TEST_F(NetworkEditorTest, ARefusedEditLeavesNoStep) {
    BuildNetwork(Shape(1, 1, 1, 1, 4, 1));
    const auto before = Bytes();
    // An edit that changes the network, then reports failure: everything it did is rolled back.
    EXPECT_FALSE(editor->Apply([&](EditJournal& j) {
        Length(9)(j);
        TMultiswitch* ms = ElementsOfClass<TMultiswitch>(*project).back();
        j.Unlink(*ms->FirstConnectedPin(PinKind::Input));
        return false;
    }));
    EXPECT_EQ(editor->StepCount(), 0u);
    EXPECT_FALSE(project->Modificado);
    EXPECT_EQ(Bytes(), before);
    EXPECT_NETWORK_CONSISTENT(*project);
}

// A flats step records what it changed: a flat that keeps its outlets and topology records nothing, a
// flat rebuilt costs the same in a building of one flat as in one of many, and a step on every flat
// costs about as much per flat as a step on one.
TEST_F(NetworkEditorTest, AFlatsStepRecordsInProportionToTheFlatsItChanged) {
    BuildNetwork(Shape(1, 1, 1, 2, 4, 1));
    const NetworkEditor::Edit oneFlatBack = [&](EditJournal& j) {
        return ApplyToFlat(*project, *project->ListaViviendas().Object(0), 3, 0, j);
    };
    ASSERT_EQ(editor->ApplyEdit(oneFlatBack), NetworkEditor::Outcome::Done);
    const std::size_t oneFlat = editor->HistoryBytes();
    EXPECT_GT(oneFlat, 0u);
    // The same shape again: nothing to rebuild, no step.
    EXPECT_EQ(editor->ApplyEdit(oneFlatBack), NetworkEditor::Outcome::Unchanged);
    EXPECT_EQ(editor->StepCount(), 1u);

    editor.reset();
    BuildNetwork(Shape(2, 4, 2, 2, 4, 1)); // 16 flats
    ASSERT_EQ(editor->ApplyEdit(oneFlatBack), NetworkEditor::Outcome::Done);
    EXPECT_EQ(editor->HistoryBytes(), oneFlat); // one flat costs what it costs, whatever the building
    const std::size_t first = editor->HistoryBytes();
    ASSERT_EQ(editor->ApplyEdit([&](EditJournal& j) { return ApplyToAllFlats(*project, 3, 0, j); }),
              NetworkEditor::Outcome::Done);
    const std::size_t fifteen = editor->HistoryBytes() - first; // the first flat has 3 outlets already
    EXPECT_LE(fifteen, 15 * oneFlat + oneFlat / 2);
    EXPECT_GE(fifteen, 14 * oneFlat);
    EXPECT_EQ(editor->ApplyEdit([&](EditJournal& j) { return ApplyToAllFlats(*project, 3, 0, j); }),
              NetworkEditor::Outcome::Unchanged);
    // Undo and redo of the whole step give the flats back exactly.
    const auto rebuilt = Bytes();
    ASSERT_TRUE(editor->Undo());
    ASSERT_TRUE(editor->Redo());
    EXPECT_EQ(Bytes(), rebuilt);
    EXPECT_NETWORK_CONSISTENT(*project);
}

// Beyond the memory limit the oldest steps go, the newest always stays, and the editor says how many
// went.
TEST_F(NetworkEditorTest, TheHistoryIsBoundedByMemoryToo) {
    BuildNetwork(Shape(1, 2, 2, 2, 4, 1));
    editor.reset();
    // Room for about two flats steps on this building.
    std::size_t step = 0;
    {
        NetworkEditor probe(*project);
        ASSERT_TRUE(probe.Apply([&](EditJournal& j) { return ApplyToAllFlats(*project, 3, 0, j); }));
        step = probe.HistoryBytes();
        ASSERT_TRUE(probe.Undo());
    }
    editor = std::make_unique<NetworkEditor>(*project, NetworkEditor::kDefaultSteps, 2 * step + step / 2);
    editor->SetRecalculateAfterEdits(false);
    for (int i = 0; i < 6; ++i) {
        const std::int32_t outlets = i % 2 == 0 ? 3 : 2;
        ASSERT_EQ(editor->ApplyEdit([&](EditJournal& j) { return ApplyToAllFlats(*project, outlets, 0, j); }),
                  NetworkEditor::Outcome::Done);
        EXPECT_LE(editor->HistoryBytes(), editor->MaxBytes());
    }
    EXPECT_EQ(editor->StepCount(), 2u);
    EXPECT_EQ(editor->DroppedSteps(), 4u);
    EXPECT_TRUE(editor->Undo());
    EXPECT_TRUE(editor->Undo());
    EXPECT_FALSE(editor->Undo());
    EXPECT_EQ(project->ListaViviendas().Object(0)->Numtomas(), 2); // the state after the fourth step
    EXPECT_NETWORK_CONSISTENT(*project);

    // A single step larger than the limit is kept: the last edit can always be undone.
    editor = std::make_unique<NetworkEditor>(*project, NetworkEditor::kDefaultSteps, step / 2);
    ASSERT_TRUE(editor->Apply([&](EditJournal& j) { return ApplyToAllFlats(*project, 4, 0, j); }));
    EXPECT_EQ(editor->StepCount(), 1u);
    EXPECT_EQ(editor->DroppedSteps(), 0u);
}

} // namespace
} // namespace ixo::test
