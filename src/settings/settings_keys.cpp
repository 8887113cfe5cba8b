#include "settings/settings_keys.h"

#include "settings/ini_values.h"

#include <array>

namespace ixo {
namespace {

using R = SettingsRecord;
using K = SettingKind;

constexpr std::string_view kDis = kSectionDistance;
constexpr std::string_view kApt = kSectionApartments;
constexpr std::string_view kDst = kSectionDistribution;
constexpr std::string_view kHdr = kSectionHeader;
constexpr std::string_view kLvl = kSectionHeaderLevel;

// The order of this table is the declared order of the record.
const std::array<SettingField, 41> kFields = {{
    {kDis, "D_STAIR", "DistanciaEscaleras", K::Distance, &R::DistanciaEscaleras},
    {kDis, "D_FLOOR", "DistanciaPlantas", K::Distance, &R::DistanciaPlantas},
    {kDis, "D_OUTLET", "DistanciaTomas", K::Distance, &R::DistanciaTomas},
    {kApt, "OUTLETS_FAM", "Viv_FamiliaTomasES", K::Integer, &R::Viv_FamiliaTomasES},
    {kApt, "OUTLETS_CASCADE_FAM", "Viv_FamiliaTomascascada", K::Integer, &R::Viv_FamiliaTomascascada},
    {kApt, "SPLITTER_FAM", "Viv_FamiliaRepartidores", K::Integer, &R::Viv_FamiliaRepartidores},
    {kApt, "CABLE_MODEL", "Viv_ModeloCable", K::Integer, &R::Viv_ModeloCable},
    {kApt, "CABLE_FAM", "Viv_FamiliaCable", K::Integer, &R::Viv_FamiliaCable},
    {kDst, "CABLE_MODEL_DISTRIBUTION", "DIs_DModeloCable", K::Integer, &R::DIs_DModeloCable},
    {kDst, "CABLE_FAM_DISTRIBUTION", "DIs_DFamiliaCable", K::Integer, &R::DIs_DFamiliaCable},
    {kDst, "CABLE_MODEL_FLOOR", "DIs_FModeloCable", K::Integer, &R::DIs_FModeloCable},
    {kDst, "CABLE_FAM_FLOOR", "DIs_FFamiliaCable", K::Integer, &R::DIs_FFamiliaCable},
    {kDst, "FAM_MS_CAS", "Dis_FAMMSCAS", K::Integer, &R::Dis_FAMMSCAS},
    {kDst, "INJECTOR", "ConInyector", K::Integer, &R::ConInyector},
    {kDst, "INJECTOR_MODEL", "DIS_MODELOINYECTOR", K::Integer, &R::DIS_MODELOINYECTOR},
    {kDst, "INJECTOR_FAM", "DIS_FAMILIAINYECTOR", K::Integer, &R::DIS_FAMILIAINYECTOR},
    {kDst, "PS_MODEL", "DIS_MODELOFUENTE", K::Integer, &R::DIS_MODELOFUENTE},
    {kDst, "PS_FAM", "DIS_FAMILIAFUENTE", K::Integer, &R::DIS_FAMILIAFUENTE},
    {kDst, "CABLE_MODEL_HD", "DIS_HDISModeloCable", K::Integer, &R::DIS_HDISModeloCable},
    {kDst, "CABLE_FAM_HD", "DIS_HDISFamiliaCable", K::Integer, &R::DIS_HDISFamiliaCable},
    {kDst, "FINALCASCADEEL", "DIS_Final_CAscada", K::Integer, &R::DIS_Final_CAscada},
    {kHdr, "CABLE_MODEL_HEADER", "HD_HModeloCable", K::Integer, &R::HD_HModeloCable},
    {kHdr, "CABLE_FAM_HEADER", "HD_HFamiliaCable", K::Integer, &R::HD_HFamiliaCable},
    {kHdr, "FAM_MS_4POL", "HD_FAMMS4POL", K::Integer, &R::HD_FAMMS4POL},
    {kHdr, "FAM_MS_8POL", "HD_FAMMS8POL", K::Integer, &R::HD_FAMMS8POL},
    {kHdr, "OFFSET_ANTENA_MODEL", "HD_ModeloParabola", K::Integer, &R::HD_ModeloParabola},
    {kHdr, "OFFSET_ANTENA_FAM", "HD_FamiliaParabola", K::Integer, &R::HD_FamiliaParabola},
    {kHdr, "IF_AMPL_MODEL", "HD_ModeloAmpFi", K::Integer, &R::HD_ModeloAmpFi},
    {kHdr, "IF_AMPL_FAM", "HD_FamiliaAmpFi", K::Integer, &R::HD_FamiliaAmpFi},
    {kHdr, "SPLITTER_SERIE_HD", "HD_FAM_REP_CAB", K::Integer, &R::HD_FAM_REP_CAB},
    {kLvl, "LV_TERR", "LV_TERR", K::Level, &R::LV_TERR},
    {kLvl, "LV_FI", "LV_FI", K::Level, &R::LV_FI},
    {kHdr, "TERRESTRIAL_AMP", "HD_ICTERR", K::Flag, &R::HD_ICTERR},
    {kApt, "AMP_FAM", "Viv_FamiliaAmplificador", K::Integer, &R::Viv_FamiliaAmplificador},
    {kHdr, "FAM_MS_16_POL", "HD_FAMMS16POL", K::Integer, &R::HD_FAMMS16POL},
    {kHdr, "FAM_DIS_MS_16", "DIS_FAMILIAMS16POL", K::Integer, &R::DIS_FAMILIAMS16POL},
    {kHdr, "IND_AMP_HM_16", "HD_ModeloAmpFi16", K::Integer, &R::HD_ModeloAmpFi16},
    {kHdr, "FAM_AMP_HD_16", "HD_FamiliaAmpFi16", K::Integer, &R::HD_FamiliaAmpFi16},
    {kHdr, "FAM_DIS_MS_8", "DIS_FAMILIAMS8POL", K::Integer, &R::DIS_FAMILIAMS8POL},
    {kHdr, "IND_AMP_HM_8", "HD_ModeloAmpFI8", K::Integer, &R::HD_ModeloAmpFI8},
    {kHdr, "FAM_AMP_HD_8", "HD_FamiliaAmpFI8", K::Integer, &R::HD_FamiliaAmpFI8},
}};

// The distances come first: a distance that cannot be read stops the read, leaving every later field as
// it was.
constexpr std::array<std::string_view, 41> kReadOrder = {
    "D_STAIR",
    "D_FLOOR",
    "D_OUTLET",
    "OUTLETS_FAM",
    "OUTLETS_CASCADE_FAM",
    "SPLITTER_FAM",
    "CABLE_MODEL",
    "CABLE_FAM",
    "AMP_FAM",
    "CABLE_MODEL_DISTRIBUTION",
    "CABLE_FAM_DISTRIBUTION",
    "CABLE_MODEL_FLOOR",
    "CABLE_FAM_FLOOR",
    "FAM_MS_CAS",
    "INJECTOR_MODEL",
    "INJECTOR_FAM",
    "PS_MODEL",
    "PS_FAM",
    "INJECTOR",
    "CABLE_MODEL_HD",
    "CABLE_FAM_HD",
    "FINALCASCADEEL",
    "CABLE_MODEL_HEADER",
    "CABLE_FAM_HEADER",
    "FAM_MS_4POL",
    "FAM_MS_8POL",
    "FAM_MS_16_POL",
    "OFFSET_ANTENA_MODEL",
    "OFFSET_ANTENA_FAM",
    "IF_AMPL_MODEL",
    "IF_AMPL_FAM",
    "TERRESTRIAL_AMP",
    "LV_FI",
    "LV_TERR",
    "SPLITTER_SERIE_HD",
    "FAM_DIS_MS_16",
    "IND_AMP_HM_16",
    "FAM_AMP_HD_16",
    "FAM_DIS_MS_8",
    "IND_AMP_HM_8",
    "FAM_AMP_HD_8",
};

constexpr std::array<std::string_view, 3> kWriteDistance = {"D_STAIR", "D_FLOOR", "D_OUTLET"};

// SPLITTER_FAM comes second: the key is stored once, where it first appeared in the section.
constexpr std::array<std::string_view, 6> kWriteApartments = {
    "OUTLETS_FAM", "SPLITTER_FAM", "OUTLETS_CASCADE_FAM", "CABLE_MODEL", "CABLE_FAM", "AMP_FAM"};

constexpr std::array<std::string_view, 13> kWriteDistribution = {"CABLE_MODEL_DISTRIBUTION",
                                                                 "CABLE_FAM_DISTRIBUTION",
                                                                 "CABLE_MODEL_FLOOR",
                                                                 "CABLE_FAM_FLOOR",
                                                                 "FAM_MS_CAS",
                                                                 "INJECTOR_MODEL",
                                                                 "INJECTOR_FAM",
                                                                 "PS_MODEL",
                                                                 "PS_FAM",
                                                                 "INJECTOR",
                                                                 "CABLE_MODEL_HD",
                                                                 "CABLE_FAM_HD",
                                                                 "FINALCASCADEEL"};

constexpr std::array<std::string_view, 17> kWriteHeader = {
    "CABLE_MODEL_HEADER", "CABLE_FAM_HEADER", "FAM_MS_4POL",   "FAM_MS_8POL",       "OFFSET_ANTENA_MODEL",
    "OFFSET_ANTENA_FAM",  "IF_AMPL_MODEL",    "IF_AMPL_FAM",   "SPLITTER_SERIE_HD", "TERRESTRIAL_AMP",
    "FAM_MS_16_POL",      "FAM_DIS_MS_16",    "IND_AMP_HM_16", "FAM_AMP_HD_16",     "FAM_DIS_MS_8",
    "IND_AMP_HM_8",       "FAM_AMP_HD_8"};

constexpr std::array<std::string_view, 2> kWriteHeaderLevel = {"LV_FI", "LV_TERR"};

const std::array<SettingsSection, 5> kWriteOrder = {{
    {kSectionDistance, kWriteDistance},
    {kSectionApartments, kWriteApartments},
    {kSectionDistribution, kWriteDistribution},
    {kSectionHeader, kWriteHeader},
    {kSectionHeaderLevel, kWriteHeaderLevel},
}};

struct ValueText {
    std::string operator()(double R::*member) const { return FormatIniDecimal(record.*member); }
    std::string operator()(std::int32_t R::*member) const { return std::to_string(record.*member); }
    std::string operator()(bool R::*member) const { return record.*member ? "1" : "0"; }
    const SettingsRecord& record;
};

} // namespace

std::span<const SettingField> SettingFields() {
    return kFields;
}

const SettingField* FindSettingField(std::string_view key) {
    for (const SettingField& field : kFields) {
        if (field.key == key) {
            return &field;
        }
    }
    return nullptr;
}

std::span<const std::string_view> SettingsReadOrder() {
    return kReadOrder;
}

std::span<const SettingsSection> SettingsWriteOrder() {
    return kWriteOrder;
}

std::string SettingValueText(const SettingsRecord& record, const SettingField& field) {
    return std::visit(ValueText{record}, field.member);
}

} // namespace ixo
