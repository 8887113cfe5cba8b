#pragma once

#include <cstdint>
#include <vector>

namespace ixo {

class EditJournal;
class LevelSample;
struct DesignResult;
class TAmpliBase;
class TLinAmp;
class TPotenciometroBase8;
class Tproyecto;
class Tvivienda;

// A flat amplifier the design puts in a flat: the flat and the catalogue model, and the flat's amplifier
// the model replaces (null: the flat has none yet).
struct FlatAmplification {
    Tvivienda* flat = nullptr;
    const TAmpliBase* model = nullptr;
    TLinAmp* replaces = nullptr;
};

// The flats whose outlets stay below their minimum once the network in front of them is designed, each
// with an amplifier for inside a flat (family kFlatAmplifierFamily): where the feed to the flat runs
// from an element at its input maximum (a headend multiswitch feeding the flats in a star) or the flat's
// own splitters and cascade outlets lose more than the window between the limits, no control upstream
// can lift the flat, and only gain inside it can.
//
// For each flat without an amplifier whose outlets fall short somewhere: the shortfall and the headroom
// of each band (the most any of its outlets lacks to its minimum, the least any has left to its maximum);
// the current models whose lowest gain exceeds the headroom by no more than headroomSlack dB (what the
// regulation upstream may take out: the multiswitch's satellite gain, the headend's level) and whose full
// gain comes within target dB of the shortfall at every band (what it may make up), of them the one of least
// full gain that covers it with target dB to spare, else the one of most. A flat no model fits gets
// none (no gain inside it would bring it near its limits). A flat whose amplifier of that family is in
// and still leaves outlets short is weighed the same way for a model of more full gain in its place, its
// need and headroom taken without the gain the amplifier gives now (one of less gain at its highest
// setting cannot do better). In the order of the project's flats.
[[nodiscard]] std::vector<FlatAmplification>
PlanFlatAmplifiers(const Tproyecto& project, const LevelSample& sample, double target, double headroomSlack);

// The adjustable controls of the amplifiers now in the planned flats (of the flat amplifier family).
[[nodiscard]] std::vector<TPotenciometroBase8*>
FlatAmplifierControls(const Tproyecto& project, const std::vector<FlatAmplification>& plan);

// Puts the planned amplifier in its flat (in place of the one it replaces), with a supply, and enters it
// in result's amplifiers and supplies (a replacement takes the place of the entries of the one it
// replaces). False when the editor refused it.
bool PutFlatAmplifier(Tproyecto& project, const FlatAmplification& planned, EditJournal& journal,
                      DesignResult& result);

} // namespace ixo
