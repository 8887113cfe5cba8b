#pragma once

#include <cstdint>

namespace ixo {

// The installation defaults kept in the settings file: distances, the catalogue family and model chosen
// for every role, and the headend signal levels. A new project copies the whole record into its
// preferences, so the fields are in the same order and carry the same names as the preferences'
// settings block. Families are catalogue family numbers, models are catalogue `Indice` numbers.
//
// A default-constructed record is all zero (false for the flag): that is the state of the global record
// at start-up, before the settings file is read. DefaultSettings() gives the built-in defaults that a
// read applies to every key missing from the file.
struct SettingsRecord {
    double DistanciaEscaleras = 0;            // m between two adjacent stairs
    double DistanciaPlantas = 0;              // m between two floors
    double DistanciaTomas = 0;                // m between the outlets of a flat
    std::int32_t Viv_FamiliaTomasES = 0;      // star (end) outlets in flats
    std::int32_t Viv_FamiliaTomascascada = 0; // cascade outlets in flats
    std::int32_t Viv_FamiliaRepartidores = 0; // splitters of star flats
    std::int32_t Viv_ModeloCable = 0;         // flat cable model
    std::int32_t Viv_FamiliaCable = 0;        // flat cable family
    std::int32_t DIs_DModeloCable = 0;        // riser cable model
    std::int32_t DIs_DFamiliaCable = 0;       // riser cable family
    std::int32_t DIs_FModeloCable = 0;        // floor cable model
    std::int32_t DIs_FFamiliaCable = 0;       // floor cable family
    std::int32_t Dis_FAMMSCAS = 0;            // cascadable floor multiswitches
    std::int32_t ConInyector = 0;             // power at the end of a cascade: 0 supply, 1 injector
    std::int32_t DIS_MODELOINYECTOR = 0;      // power injector model
    std::int32_t DIS_FAMILIAINYECTOR = 0;     // power injector family
    std::int32_t DIS_MODELOFUENTE = 0;        // power supply model
    std::int32_t DIS_FAMILIAFUENTE = 0;       // power supply family
    std::int32_t DIS_HDISModeloCable = 0;     // trunk cable model (headend to the stairs)
    std::int32_t DIS_HDISFamiliaCable = 0;    // trunk cable family
    std::int32_t DIS_Final_CAscada = 0;       // model column (0 or 1) of the last switch of a cascade
    std::int32_t HD_HModeloCable = 0;         // headend cable model
    std::int32_t HD_HFamiliaCable = 0;        // headend cable family
    std::int32_t HD_FAMMS4POL = 0;            // headend multiswitches, 4 polarities
    std::int32_t HD_FAMMS8POL = 0;            // headend multiswitches, 8 polarities
    std::int32_t HD_ModeloParabola = 0;       // dish model
    std::int32_t HD_FamiliaParabola = 0;      // dish family
    std::int32_t HD_ModeloAmpFi = 0;          // headend satellite IF amplifier model
    std::int32_t HD_FamiliaAmpFi = 0;         // headend satellite IF amplifier family
    std::int32_t HD_FAM_REP_CAB = 0;          // headend splitters
    double LV_TERR = 0;                       // terrestrial level at the headend input, dBµV
    double LV_FI = 0;                         // satellite IF level at the LNB outputs, dBµV
    bool HD_ICTERR = false;                   // the headend has a terrestrial amplifier
    std::int32_t Viv_FamiliaAmplificador = 0; // in-flat amplifiers: edited and stored, read by nothing
    std::int32_t HD_FAMMS16POL = 0;           // headend multiswitches, 16 polarities
    std::int32_t DIS_FAMILIAMS16POL = 0;      // floor multiswitches, 16 polarities
    std::int32_t HD_ModeloAmpFi16 = 0;        // amplifier model for 16-polarity lines
    std::int32_t HD_FamiliaAmpFi16 = 0;       // amplifier family for 16-polarity lines
    std::int32_t DIS_FAMILIAMS8POL = 0;       // floor multiswitches, 8 polarities
    std::int32_t HD_ModeloAmpFI8 = 0;         // amplifier model for 8-polarity lines
    std::int32_t HD_FamiliaAmpFI8 = 0;        // amplifier family for 8-polarity lines

    bool operator==(const SettingsRecord&) const = default;
};

// The built-in defaults, used for every key the settings file lacks.
SettingsRecord DefaultSettings();

} // namespace ixo
