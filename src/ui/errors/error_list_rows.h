#pragma once

// The rows of the error level list, without widgets: every outlet out of limits after the last check
// (the stairs' error lists, stairs in order, records in the order found), then the powering problems
// and the overdriven pins that the status bar counts. The texts are made when a row is shown, so that a
// list of thousands of outlets costs one small record per row.
#include "building/comprueba_errores.h"
#include "design/overdrive_check.h"
#include "design/power_check.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace ixo {

class TComponenteBase;
class TPin;
class Tproyecto;

// An RGB colour of a row's error text.
struct RowColour {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const RowColour&) const = default;
};

class ErrorListRows {
public:
    enum class Kind { Outlet, Powering, Overdrive };
    static constexpr int kColumns = 5;

    // The columns' captions: "Outlet", "Flat", "Floor", "Stair", "Error".
    static const std::array<const char*, kColumns>& Captions();

    // The rows of project (none without one); powering and overdrive: the design checks' findings, as
    // the status bar counted them.
    void Fill(const Tproyecto* project, std::vector<PowerProblem> powering,
              std::vector<OverdriveProblem> overdrive);
    void Clear();

    std::size_t Count() const { return m_outlets.size() + m_powering.size() + m_overdrive.size(); }
    std::size_t OutletCount() const { return m_outlets.size(); }
    Kind KindOf(std::size_t row) const;
    // The column texts of a row (row < Count()).
    std::array<std::string, kColumns> Texts(std::size_t row) const;
    // The colour of the Error column: black, plus blue 128 for "<MIN" and red 255 for ">MAX"; the
    // design problems in maroon.
    RowColour ErrorColour(std::size_t row) const;

    // What a double click on a row locates: the outlet and its first tap pin, the unpowered or
    // overloaded element, the overdriven element and pin. Null pins when the element has none.
    const TComponenteBase* ElementOf(std::size_t row) const;
    const TPin* PinOf(std::size_t row) const;
    // Locating needs a built and calculated project.
    bool CanLocate() const;

    // The error text of an outlet's record: ">MAX(TER:a SAT:b)" and "<MIN(TER:c SAT:d)", one decimal.
    static std::string ErrorText(const TNodoInfo& record);

private:
    const Tproyecto* m_project = nullptr;
    std::vector<TNodoInfo> m_outlets;
    std::vector<PowerProblem> m_powering;
    std::vector<OverdriveProblem> m_overdrive;
};

} // namespace ixo
