#include "editing/network_editor.h"

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

} // namespace
} // namespace ixo::test
