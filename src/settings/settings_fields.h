#pragma once

#include <cstdint>

namespace ixo {

// The kind of a settings value. A flag is stored as an integer and is true when that integer is greater
// than 0.
enum class SettingKind { Distance, Integer, Family, Level, Flag };

template <SettingKind> struct SettingValueType;
template <> struct SettingValueType<SettingKind::Distance> { using type = double; };
template <> struct SettingValueType<SettingKind::Level> { using type = double; };
template <> struct SettingValueType<SettingKind::Integer> { using type = std::int32_t; };
template <> struct SettingValueType<SettingKind::Family> { using type = std::int32_t; };
template <> struct SettingValueType<SettingKind::Flag> { using type = bool; };

// The settings block, declared once: the settings record, its built-in defaults, the keys of the settings
// file with their read and write order, the copy into a project's preferences and the published
// properties that store it in a project are all made from this list. One line per field:
//
//   X(kind, Member, Section, "KEY", default, stored, readAt, writeAt, "description")
//
// - kind: Distance (m) and Level (dBµV) are doubles, Integer and Family (a catalogue family number) an
//   int32, Flag a bool;
// - Member: the field of the settings record and of the preferences, and the name of its published
//   property; the lines are in the record's declared order, which is the order of the properties;
// - Section and "KEY": where the settings file keeps it (Section names a kSection... constant);
// - default: the built-in value, taken for a key the settings file lacks;
// - stored: 1 when a project stores the field (the in-flat amplifier family is not stored);
// - readAt: the field's place in the order the keys are read; writeAt: its place among its section's keys
// when the file is written;
// - description: what the value is, in the user's words (written as a comment above the key).
//
// Families are catalogue family numbers, models are catalogue `Indice` numbers.
// clang-format off
#define IXO_SETTINGS_FIELDS(X) \
    X(Distance, DistanciaEscaleras, Distance, "D_STAIR", 15, 1, 0, 0, "distance between two adjacent stairs, m") \
    X(Distance, DistanciaPlantas, Distance, "D_FLOOR", 3, 1, 1, 1, "distance between two floors, m") \
    X(Distance, DistanciaTomas, Distance, "D_OUTLET", 5, 1, 2, 2, "distance between the outlets of a flat, m") \
    X(Family, Viv_FamiliaTomasES, Apartments, "OUTLETS_FAM", 5, 1, 3, 0, "family of the star (end) outlets in flats") \
    X(Family, Viv_FamiliaTomascascada, Apartments, "OUTLETS_CASCADE_FAM", 4, 1, 4, 2, "family of the cascade outlets in flats") \
    X(Family, Viv_FamiliaRepartidores, Apartments, "SPLITTER_FAM", 1002, 1, 5, 1, "family of the splitters of star flats") \
    X(Integer, Viv_ModeloCable, Apartments, "CABLE_MODEL", 24, 1, 6, 3, "flat cable model") \
    X(Family, Viv_FamiliaCable, Apartments, "CABLE_FAM", 9001, 1, 7, 4, "flat cable family") \
    X(Integer, DIs_DModeloCable, Distribution, "CABLE_MODEL_DISTRIBUTION", 30, 1, 9, 0, "riser cable model") \
    X(Family, DIs_DFamiliaCable, Distribution, "CABLE_FAM_DISTRIBUTION", 9001, 1, 10, 1, "riser cable family") \
    X(Integer, DIs_FModeloCable, Distribution, "CABLE_MODEL_FLOOR", 24, 1, 11, 2, "floor cable model") \
    X(Family, DIs_FFamiliaCable, Distribution, "CABLE_FAM_FLOOR", 9001, 1, 12, 3, "floor cable family") \
    X(Family, Dis_FAMMSCAS, Distribution, "FAM_MS_CAS", 5001, 1, 13, 4, "family of the cascadable floor multiswitches (4 and 12 polarities)") \
    X(Integer, ConInyector, Distribution, "INJECTOR", 1, 1, 18, 9, "power at the end of a cascade: 0 power supply, 1 injector") \
    X(Integer, DIS_MODELOINYECTOR, Distribution, "INJECTOR_MODEL", 200, 1, 14, 5, "power injector model") \
    X(Family, DIS_FAMILIAINYECTOR, Distribution, "INJECTOR_FAM", 7500, 1, 15, 6, "power injector family") \
    X(Integer, DIS_MODELOFUENTE, Distribution, "PS_MODEL", 2, 1, 16, 7, "power supply model") \
    X(Family, DIS_FAMILIAFUENTE, Distribution, "PS_FAM", 7000, 1, 17, 8, "power supply family") \
    X(Integer, DIS_HDISModeloCable, Distribution, "CABLE_MODEL_HD", 26, 1, 19, 10, "trunk cable model (headend to the stairs)") \
    X(Family, DIS_HDISFamiliaCable, Distribution, "CABLE_FAM_HD", 9001, 1, 20, 11, "trunk cable family (headend to the stairs)") \
    X(Integer, DIS_Final_CAscada, Distribution, "FINALCASCADEEL", 0, 1, 21, 12, "model column (0 or 1) of the last multiswitch of a cascade") \
    X(Integer, HD_HModeloCable, Header, "CABLE_MODEL_HEADER", 24, 1, 22, 0, "headend cable model") \
    X(Family, HD_HFamiliaCable, Header, "CABLE_FAM_HEADER", 9001, 1, 23, 1, "headend cable family") \
    X(Family, HD_FAMMS4POL, Header, "FAM_MS_4POL", 5012, 1, 24, 2, "family of the headend multiswitches, 4 polarities") \
    X(Family, HD_FAMMS8POL, Header, "FAM_MS_8POL", 5023, 1, 25, 3, "family of the headend multiswitches, 8 polarities") \
    X(Integer, HD_ModeloParabola, Header, "OFFSET_ANTENA_MODEL", 10, 1, 27, 4, "dish model") \
    X(Family, HD_FamiliaParabola, Header, "OFFSET_ANTENA_FAM", 3510, 1, 28, 5, "dish family") \
    X(Integer, HD_ModeloAmpFi, Header, "IF_AMPL_MODEL", 1, 1, 29, 6, "headend satellite IF amplifier model") \
    X(Family, HD_FamiliaAmpFi, Header, "IF_AMPL_FAM", 4925, 1, 30, 7, "headend satellite IF amplifier family") \
    X(Family, HD_FAM_REP_CAB, Header, "SPLITTER_SERIE_HD", 1002, 1, 34, 8, "family of the headend splitters") \
    X(Level, LV_TERR, HeaderLevel, "LV_TERR", 100, 1, 33, 1, "terrestrial level at the headend input, dBµV") \
    X(Level, LV_FI, HeaderLevel, "LV_FI", 80, 1, 32, 0, "satellite IF level at the LNB outputs, dBµV") \
    X(Flag, HD_ICTERR, Header, "TERRESTRIAL_AMP", 1, 1, 31, 9, "the headend has a terrestrial amplifier: 1 yes, 0 no") \
    X(Family, Viv_FamiliaAmplificador, Apartments, "AMP_FAM", 39000, 0, 8, 5, "family of in-flat amplifiers (kept, not used by the builder)") \
    X(Family, HD_FAMMS16POL, Header, "FAM_MS_16_POL", 5030, 1, 26, 10, "family of the headend multiswitches, 16 polarities") \
    X(Family, DIS_FAMILIAMS16POL, Header, "FAM_DIS_MS_16", 5100, 1, 35, 11, "family of the floor multiswitches, 16 polarities") \
    X(Integer, HD_ModeloAmpFi16, Header, "IND_AMP_HM_16", 1000, 1, 36, 12, "amplifier model of 16-polarity lines") \
    X(Family, HD_FamiliaAmpFi16, Header, "FAM_AMP_HD_16", 4950, 1, 37, 13, "amplifier family of 16-polarity lines") \
    X(Family, DIS_FAMILIAMS8POL, Header, "FAM_DIS_MS_8", 5200, 1, 38, 14, "family of the floor multiswitches, 8 polarities") \
    X(Integer, HD_ModeloAmpFI8, Header, "IND_AMP_HM_8", 2000, 1, 39, 15, "amplifier model of 8-polarity lines") \
    X(Family, HD_FamiliaAmpFI8, Header, "FAM_AMP_HD_8", 41000, 1, 40, 16, "amplifier family of 8-polarity lines")
// clang-format on

} // namespace ixo
