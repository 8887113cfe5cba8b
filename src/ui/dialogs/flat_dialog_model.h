#pragma once

// The rules of the flat dialog: what it shows for a flat (caption, outlets, distribution, name) and what
// it hands back (outlets 1 to 8, star or cascade, a name of at most 6 characters, whether every flat of
// the building changes). Nothing out of range reaches the caller: OK needs an outlets and a
// distribution item.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace ixo {

class Tvivienda;

class FlatDialogModel {
public:
    static constexpr int kOutletItems = 8;
    static constexpr std::size_t kMaxNameLength = 6;
    static constexpr std::string_view kCaption = "Flat characteristics";

    struct Choice {
        std::int32_t outlets = 1;
        std::int32_t distribution = 0; // 0 star, 1 cascade
        std::string name;
        bool applyToAll = false;
    };

    // SetFlat: caption with the flat's name; the outlets item of Numtomas (0, or a number beyond the
    // items, selects nothing); the distribution item of Topologia; the flat's name.
    void SetFlat(std::string_view name, std::int32_t outlets, std::int32_t distribution);
    void SetFlat(const Tvivienda& flat);

    const std::string& Caption() const { return m_caption; }
    int OutletsIndex() const { return m_outletsIndex; }
    int DistributionIndex() const { return m_distributionIndex; }
    const std::string& Name() const { return m_name; }
    bool ApplyToAll() const { return m_applyToAll; }

    void ChooseOutlets(int index);
    void ChooseDistribution(int index);
    // The name edit keeps at most 6 characters.
    void SetName(std::string_view name);
    void SetApplyToAll(bool all) { m_applyToAll = all; }

    // OK: the choice, or nothing while no outlets or distribution item is selected.
    std::optional<Choice> Accept() const;

private:
    std::string m_caption = std::string(kCaption);
    int m_outletsIndex = -1;
    int m_distributionIndex = -1;
    std::string m_name;
    bool m_applyToAll = false;
};

} // namespace ixo
