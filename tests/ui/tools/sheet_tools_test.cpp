#include "building/planta.h"
#include "building/vivienda.h"
#include "model/cable_tv.h"
#include "model/lin_amp.h"
#include "model/multiswitch.h"
#include "model/pin.h"
#include "model/toma_tv.h"
#include "schematic/sheet.h"
#include "schematic/wire.h"
#include "ui/catalogue_explorer/catalogue_explorer_dialog.h"
#include "ui/design_window_fixture.h"
#include "ui/dialogs/flat_dialog.h"
#include "ui/dialogs/length_dialog.h"
#include "ui/errors/error_list_window.h"
#include "ui/options/options_commands.h"
#include "ui/sheet/sheet_presenter.h"
#include "ui/sheet/sheet_view.h"
#include "ui/sheet/zoom_steps.h"
#include "ui/tools/sheet_tools.h"

#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>

namespace ixo {
namespace {

class SheetToolsTest : public test::DesignWindowTest {
protected:
    // The first wire carrying a cable into an element that is not a DiSEqC switch, with its end pin.
    Tgraflinea* CableWire() const {
        const TpadreGraficosMS& schematic = *window->Schematic();
        for (std::size_t i = 0; i < schematic.ObjectCount(); ++i) {
            auto* wire = dynamic_cast<Tgraflinea*>(schematic.Object(i));
            if (wire != nullptr && dynamic_cast<TCableTV*>(wire->Element()) != nullptr &&
                wire->TargetPin() != nullptr && wire->TargetPin()->Owner() != nullptr &&
                wire->TargetPin()->Owner()->ClassName() != "TDISECQ") {
                return wire;
            }
        }
        return nullptr;
    }
    // The next explorer is taken with the model it offers, which is kept in offered.
    void TakeTheOfferedModel() {
        Answer<CatalogueExplorerDialog>([this](CatalogueExplorerDialog& explorer) {
            offered = {explorer.ChosenFamily(), explorer.ChosenIndice()};
            explorer.accept();
        });
    }
    std::pair<std::int32_t, std::int32_t> offered{0, 0};

    // The first symbol standing for an element of class T.
    template <typename T> HitResult FirstSymbolOf() const {
        const TpadreGraficosMS& schematic = *window->Schematic();
        for (std::size_t i = 0; i < schematic.ObjectCount(); ++i) {
            const TPrimerComponente* element = schematic.Object(i)->Element();
            if (element != nullptr && element->Is<T>()) {
                return HitResult{true, schematic.Object(i), nullptr, {}};
            }
        }
        return {};
    }
    template <typename T> std::size_t CountOf() const {
        std::size_t count = 0;
        const TpadreGraficosMS& schematic = *window->Schematic();
        for (std::size_t i = 0; i < schematic.ObjectCount(); ++i) {
            const TPrimerComponente* element = schematic.Object(i)->Element();
            count += element != nullptr && element->Is<T>() ? 1 : 0;
        }
        return count;
    }
    // A floor multiswitch below the headend floor.
    HitResult FloorMultiswitch() const {
        const TpadreGraficosMS& schematic = *window->Schematic();
        for (std::size_t i = 0; i < schematic.ObjectCount(); ++i) {
            TBaseGrafMS* object = schematic.Object(i);
            auto* multiswitch =
                object->Element() != nullptr ? object->Element()->As<TMultiswitch>() : nullptr;
            auto* floor = multiswitch != nullptr ? dynamic_cast<tplanta*>(multiswitch->Container()) : nullptr;
            if (floor != nullptr && !floor->HeaderPl && multiswitch->Nderivaciones >= 1 &&
                multiswitch->Nsalidas >= 1) {
                return HitResult{true, object, nullptr, {}};
            }
        }
        return {};
    }
};

TEST_F(SheetToolsTest, ChoosingTheActiveToolAgainTurnsEveryToolOff) {
    SheetTools& tools = window->Tools();
    EXPECT_EQ(tools.Current(), SheetTools::None);
    window->Action(QStringLiteral("Anivel"))->trigger();
    EXPECT_EQ(tools.Current(), SheetTools::Levels);
    EXPECT_TRUE(window->Action(QStringLiteral("Anivel"))->isChecked());
    window->Action(QStringLiteral("AInsert"))->trigger();
    EXPECT_EQ(tools.Current(), SheetTools::AddAmplifier);
    EXPECT_FALSE(window->Action(QStringLiteral("Anivel"))->isChecked());
    window->Action(QStringLiteral("AInsert"))->trigger();
    EXPECT_EQ(tools.Current(), SheetTools::None);
    for (const char* name : {"Aruler", "Anivel", "Aedit", "AInsert", "Amamp", "AAmpReg"}) {
        EXPECT_FALSE(window->Action(QString::fromLatin1(name))->isChecked()) << name;
        EXPECT_TRUE(window->Action(QString::fromLatin1(name))->isEnabled()) << name;
    }
    // The sheet's pop-up menu: the six tools, a separator and PAN.
    const QList<QAction*> menu = window->SheetMenu()->actions();
    ASSERT_EQ(menu.size(), 8);
    EXPECT_EQ(menu[0], window->Action(QStringLiteral("Aruler")));
    EXPECT_TRUE(menu[6]->isSeparator());
    EXPECT_EQ(menu[7], window->Action(QStringLiteral("Encuadre")));
}

TEST_F(SheetToolsTest, ACableLengthChangedIsUndoneAndRedone) {
    Tgraflinea* wire = CableWire();
    ASSERT_NE(wire, nullptr);
    TPin* pin = wire->TargetPin();
    const double before = pin->MetrosCable;
    const double metres = before + 25.5;
    const LevelVector levelsBefore = pin->Levels();
    Answer<LengthDialog>([metres](LengthDialog& dialog) {
        dialog.Edit()->setText(QString::number(metres));
        dialog.accept();
    });
    window->Tools().ChangeLengthAt(HitResult{true, wire, nullptr, {}});
    ASSERT_DOUBLE_EQ(pin->MetrosCable, metres);
    ASSERT_NE(pin->Peer(), nullptr);
    EXPECT_DOUBLE_EQ(pin->Peer()->MetrosCable, metres);
    // The level at the pin fell by the cable's loss over the added metres.
    EXPECT_LT(pin->Levels()[7], levelsBefore[7]);
    EXPECT_TRUE(window->Action(QStringLiteral("AUndo"))->isEnabled());
    window->Undo();
    EXPECT_DOUBLE_EQ(pin->MetrosCable, before);
    EXPECT_DOUBLE_EQ(pin->Levels()[7], levelsBefore[7]);
    window->Redo();
    EXPECT_DOUBLE_EQ(pin->MetrosCable, metres);
    EXPECT_TRUE(errors.empty());
}

TEST_F(SheetToolsTest, ACancelledDialogChangesNothing) {
    Tgraflinea* wire = CableWire();
    ASSERT_NE(wire, nullptr);
    const double before = wire->TargetPin()->MetrosCable;
    Answer<LengthDialog>([](LengthDialog& dialog) {
        dialog.Edit()->setText(QStringLiteral("99"));
        dialog.reject();
    });
    window->Tools().ChangeLengthAt(HitResult{true, wire, nullptr, {}});
    EXPECT_DOUBLE_EQ(wire->TargetPin()->MetrosCable, before);
    EXPECT_FALSE(window->Action(QStringLiteral("AUndo"))->isEnabled());
}

TEST_F(SheetToolsTest, ALineAmplifierIsAddedThroughTheExplorerAndRemovedAgain) {
    const HitResult multiswitch = FloorMultiswitch();
    ASSERT_NE(multiswitch.object, nullptr);
    const std::size_t before = CountOf<TLinAmp>();
    // The user picks the 5-line AL-5 (4002/100), which cannot take the 8 polarities of this building's
    // multiswitch inputs: the network refuses it, the window says why and nothing changes.
    Answer<CatalogueExplorerDialog>([](CatalogueExplorerDialog& explorer) {
        explorer.Prepare(4002, 0, 100);
        explorer.accept();
    });
    window->Tools().AddAmplifierAt(multiswitch);
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_TRUE(errors.front().contains(QStringLiteral("AL-5 has 4 lines"))) << errors.front().toStdString();
    EXPECT_EQ(CountOf<TLinAmp>(), before);
    EXPECT_FALSE(window->Action(QStringLiteral("AUndo"))->isEnabled());
    errors.clear();
    // The explorer opens at the 8-polarity line family's model, the 9-line AL-9 (41000/2000), taken as
    // offered.
    TakeTheOfferedModel();
    window->Tools().AddAmplifierAt(multiswitch);
    EXPECT_EQ(offered, std::make_pair(41000, 2000));
    ASSERT_TRUE(errors.empty()) << errors.front().toStdString();
    EXPECT_EQ(CountOf<TLinAmp>(), before + 1);
    window->Undo();
    EXPECT_EQ(CountOf<TLinAmp>(), before);
    window->Redo();
    ASSERT_EQ(CountOf<TLinAmp>(), before + 1);
    // The remove tool on the new amplifier.
    window->Tools().RemoveAmplifierAt(FirstSymbolOf<TLinAmp>());
    EXPECT_EQ(CountOf<TLinAmp>(), before);
}

TEST_F(SheetToolsTest, AnAmplifierInsideAFlatIsAddedOnAnOutletOnceAndRemovedAgain) {
    const HitResult outlet = FirstSymbolOf<TTomaTV>();
    ASSERT_NE(outlet.object, nullptr);
    const std::size_t before = CountOf<TLinAmp>();
    TakeTheOfferedModel();
    window->Tools().AddAmplifierAt(outlet);
    ASSERT_TRUE(errors.empty()) << errors.front().toStdString();
    EXPECT_EQ(offered, std::make_pair(39000, 101));
    ASSERT_EQ(CountOf<TLinAmp>(), before + 1);
    window->Undo();
    EXPECT_EQ(CountOf<TLinAmp>(), before);
    window->Redo();
    ASSERT_EQ(CountOf<TLinAmp>(), before + 1);
    // The same flat takes no second amplifier: no explorer opens and nothing changes. (The schematic was
    // rebuilt by the edit: the outlet's symbol is looked up again.)
    const HitResult again = FirstSymbolOf<TTomaTV>();
    ASSERT_NE(again.object, nullptr);
    bool explorerShown = false;
    Answer<CatalogueExplorerDialog>([&](CatalogueExplorerDialog& explorer) {
        explorerShown = true;
        explorer.reject();
    });
    window->Tools().AddAmplifierAt(again);
    QApplication::processEvents();
    EXPECT_FALSE(explorerShown);
    EXPECT_EQ(CountOf<TLinAmp>(), before + 1);
    // The remove tool on it; undone and redone.
    window->Tools().RemoveAmplifierAt(FirstSymbolOf<TLinAmp>());
    EXPECT_EQ(CountOf<TLinAmp>(), before);
    window->Undo();
    EXPECT_EQ(CountOf<TLinAmp>(), before + 1);
    window->Redo();
    EXPECT_EQ(CountOf<TLinAmp>(), before);
}

TEST_F(SheetToolsTest, AFlatChangedWithTheFlatDialogIsOneStep) {
    const TpadreGraficosMS& schematic = *window->Schematic();
    TBaseGrafMS* frame = nullptr;
    for (std::size_t i = 0; i < schematic.ObjectCount() && frame == nullptr; ++i) {
        if (dynamic_cast<Tvivienda*>(schematic.Object(i)->Element()) != nullptr) {
            frame = schematic.Object(i);
        }
    }
    ASSERT_NE(frame, nullptr);
    auto* flat = dynamic_cast<Tvivienda*>(frame->Element());
    const std::int32_t outlets = flat->Numtomas();
    Answer<FlatDialog>([](FlatDialog& dialog) {
        dialog.Outlets()->setCurrentIndex(0); // one outlet
        dialog.accept();
    });
    window->Tools().EditComponentAt(HitResult{true, frame, nullptr, {}});
    ASSERT_TRUE(errors.empty()) << errors.front().toStdString();
    EXPECT_EQ(flat->Numtomas(), 1);
    window->Undo();
    EXPECT_EQ(flat->Numtomas(), outlets);
    window->Redo();
    EXPECT_EQ(flat->Numtomas(), 1);
}

TEST_F(SheetToolsTest, TheErrorListOnViewFollowsAnEdit) {
    window->ShowErrorList();
    Tgraflinea* wire = CableWire();
    ASSERT_NE(wire, nullptr);
    Answer<LengthDialog>([](LengthDialog& dialog) {
        dialog.Edit()->setText(QStringLiteral("400"));
        dialog.accept();
    });
    window->Tools().ChangeLengthAt(HitResult{true, wire, nullptr, {}});
    EXPECT_EQ(window->ErrorList()->Rows().OutletCount(), window->OutletsOutOfLimits());
    window->Undo();
    EXPECT_EQ(window->ErrorList()->Rows().OutletCount(), window->OutletsOutOfLimits());
}

TEST_F(SheetToolsTest, ACableGetsAnotherModelThroughTheExplorerInOneStep) {
    Tgraflinea* wire = CableWire();
    ASSERT_NE(wire, nullptr);
    auto* cable = dynamic_cast<TCableTV*>(wire->Element());
    const std::int32_t before = cable->Indice;
    // Cancel changes nothing.
    bool opened = false;
    Answer<CatalogueExplorerDialog>([&opened](CatalogueExplorerDialog& explorer) {
        opened = true;
        explorer.reject();
    });
    window->Tools().EditComponentAt(HitResult{true, wire, nullptr, {}});
    EXPECT_TRUE(opened);
    EXPECT_EQ(cable->Indice, before);
    EXPECT_FALSE(window->Action(QStringLiteral("AUndo"))->isEnabled());
    // The user picks another model of the cable's family.
    std::int32_t chosen = before;
    Answer<CatalogueExplorerDialog>([&chosen](CatalogueExplorerDialog& explorer) {
        QTreeWidget* models = explorer.ModelList();
        const int shown = explorer.Model().SelectedModel();
        for (int i = 0; i < models->topLevelItemCount(); ++i) {
            if (i != shown) {
                models->setCurrentItem(models->topLevelItem(i));
                break;
            }
        }
        explorer.accept();
        chosen = explorer.ChosenIndice();
    });
    window->Tools().EditComponentAt(HitResult{true, wire, nullptr, {}});
    ASSERT_NE(chosen, before) << "the cable's family has a single model";
    ASSERT_TRUE(errors.empty()) << errors.front().toStdString();
    EXPECT_EQ(cable->Indice, chosen);
    window->Undo();
    EXPECT_EQ(cable->Indice, before);
    EXPECT_FALSE(window->Action(QStringLiteral("AUndo"))->isEnabled());
    window->Redo();
    EXPECT_EQ(cable->Indice, chosen);
}

// A double click on the sheet, as the surface receives it.
void DoubleClick(QWidget& surface, QPoint point) {
    QMouseEvent click(QEvent::MouseButtonDblClick, QPointF(point), surface.mapToGlobal(QPointF(point)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&surface, &click);
}

TEST_F(SheetToolsTest, ADoubleClickInTheTitleBlockAsksForTheProjectInformation) {
    int asked = 0;
    window->Options().runDialog = [&asked](QDialog&) {
        ++asked;
        return static_cast<int>(QDialog::Rejected);
    };
    window->Sheet().ZoomAll();
    window->Sheet().FinishRefining();
    QApplication::processEvents();
    QWidget& surface = *window->View()->Surface();
    // The title block stands in the bottom right corner of the printable area, inside a margin far
    // narrower than half the block: the middle of the block's size in from that corner is in it.
    const ViewResult& layout = window->Sheet().Layout();
    const TitleBlockPx size =
        TitleBlockSize(window->Sheet().Content(surface.logicalDpiX(), layout.sheetZoom));
    ASSERT_GT(size.width, 10);
    const QPoint inside(layout.printable.right - size.width / 2, layout.printable.bottom - size.height / 2);
    ASSERT_TRUE(surface.rect().contains(inside));
    EXPECT_TRUE(window->Sheet().PointInTitleBlock(inside));
    DoubleClick(surface, inside);
    EXPECT_EQ(asked, 1);
    // Just inside the printable area's top left corner nothing is drawn: no question, no dialog.
    const QPoint outside(layout.printable.left + 3, layout.printable.top + 3);
    ASSERT_FALSE(window->Sheet().HitTest(outside).hit);
    EXPECT_FALSE(window->Sheet().PointInTitleBlock(outside));
    DoubleClick(surface, outside);
    EXPECT_EQ(asked, 1);
    // With the title block hidden the same point is the sheet's, not the block's.
    window->Project()->cajetinvisible = false;
    window->Sheet().NeedLayout();
    window->Sheet().Repaint();
    EXPECT_FALSE(window->Sheet().PointInTitleBlock(inside));
    if (!window->Sheet().HitTest(inside).hit) {
        DoubleClick(surface, inside);
        EXPECT_EQ(asked, 1);
    }
}

// The README's cascade building: each flat's feed is drawn from the riser's DiSEqC switch to the flat's
// first outlet, through the flat's entry.
class CascadeSheetToolsTest : public SheetToolsTest {
protected:
    WizardResults Building() const override { return test::CascadeBuilding(); }
    Tgraflinea* FlatFeedWire() const {
        const TpadreGraficosMS& schematic = *window->Schematic();
        for (std::size_t i = 0; i < schematic.ObjectCount(); ++i) {
            auto* wire = dynamic_cast<Tgraflinea*>(schematic.Object(i));
            if (wire != nullptr && dynamic_cast<TCableTV*>(wire->Element()) != nullptr &&
                wire->TargetPin() != nullptr && wire->TargetPin()->Peer() != wire->SourcePin()) {
                return wire;
            }
        }
        return nullptr;
    }
};

TEST_F(CascadeSheetToolsTest, TheLengthDialogShowsTheLengthOnTheWireAndReturnAcceptsIt) {
    Tgraflinea* wire = FlatFeedWire();
    ASSERT_NE(wire, nullptr);
    const double before = wire->SourcePin()->MetrosCable;
    ASSERT_GT(before, 0.0);
    QString shown;
    Answer<LengthDialog>([&shown](LengthDialog& dialog) {
        shown = dialog.Edit()->text();
        dialog.Edit()->setText(QStringLiteral("35"));
        QTest::keyClick(dialog.Edit(), Qt::Key_Return);
    });
    window->Tools().ChangeLengthAt(HitResult{true, wire, nullptr, {}});
    EXPECT_EQ(shown.toDouble(), before) << shown.toStdString();
    ASSERT_TRUE(errors.empty()) << errors.front().toStdString();
    EXPECT_DOUBLE_EQ(wire->SourcePin()->MetrosCable, 35.0);
    ASSERT_NE(wire->SourcePin()->Peer(), nullptr);
    EXPECT_DOUBLE_EQ(wire->SourcePin()->Peer()->MetrosCable, 35.0);
    EXPECT_EQ(wire->Hint.rfind("35.0 m ", 0), 0u) << wire->Hint;
    // Undo makes the schematic again (the wire goes); the pin stays.
    TPin* feed = wire->SourcePin();
    window->Undo();
    EXPECT_DOUBLE_EQ(feed->MetrosCable, before);
}

TEST_F(CascadeSheetToolsTest, TheHintUnderAStillPointerFollowsAnEdit) {
    Tgraflinea* wire = FlatFeedWire();
    ASSERT_NE(wire, nullptr);
    // The pointer rests half way along a segment of the wire (the hit test places the objects on the
    // view, so that their points are the view's).
    window->Sheet().ChooseZoomStep(ZoomStepIndex(100));
    window->Sheet().FinishRefining();
    window->Sheet().CentreOn(*wire);
    QApplication::processEvents();
    (void)window->Sheet().HitTest(QPoint(0, 0));
    std::optional<QPoint> onWire;
    for (std::size_t i = 0; i + 1 < wire->Points().size() && !onWire; ++i) {
        const Point a = wire->Points()[i];
        const Point b = wire->Points()[i + 1];
        const QPoint middle((a.x + b.x) / 2, (a.y + b.y) / 2);
        if (window->Sheet().HitTest(middle).object == wire) {
            onWire = middle;
        }
    }
    ASSERT_TRUE(onWire.has_value());
    QWidget* surface = window->View()->Surface();
    QMouseEvent move(QEvent::MouseMove, QPointF(*onWire), surface->mapToGlobal(QPointF(*onWire)),
                     Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(surface, &move);
    ASSERT_TRUE(window->statusBar()->currentMessage().contains(QStringLiteral(" m ")))
        << window->statusBar()->currentMessage().toStdString();
    Answer<LengthDialog>([](LengthDialog& dialog) {
        dialog.Edit()->setText(QStringLiteral("42"));
        dialog.accept();
    });
    window->Tools().ChangeLengthAt(HitResult{true, wire, nullptr, {}});
    EXPECT_TRUE(window->statusBar()->currentMessage().startsWith(QStringLiteral("42.0 m ")))
        << window->statusBar()->currentMessage().toStdString();
}

} // namespace
} // namespace ixo
