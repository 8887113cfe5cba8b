#include "design/design_result_text.h"

#include "common/decimal_text.h"
#include "design/auto_design.h"

#include <cmath>
#include <ostream>
#include <sstream>

namespace ixo {

std::vector<std::string> ControlChangeLines(const std::vector<ControlChange>& changes) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < changes.size();) {
        const ControlChange& change = changes[i];
        // Controls of one element that share a caption and moved alike make one line naming their
        // sliders; one that moved otherwise gets a line of its own.
        std::string sliders = change.slider;
        std::size_t next = i + 1;
        for (; next < changes.size(); ++next) {
            const ControlChange& other = changes[next];
            if (other.element != change.element || other.control != change.control ||
                OneDecimalText(other.before) != OneDecimalText(change.before) ||
                OneDecimalText(other.after) != OneDecimalText(change.after) || other.slider.empty()) {
                break;
            }
            sliders += ", " + other.slider;
        }
        lines.push_back(change.element + " (" + change.model + ") " + change.control +
                        (sliders.empty() ? "" : " " + sliders) + ": " + OneDecimalText(change.before) + " " +
                        change.unit + " -> " + OneDecimalText(change.after) + " " + change.unit);
        i = next;
    }
    return lines;
}

namespace {

std::string MarginText(double margin) {
    return std::isfinite(margin) ? OneDecimalText(margin) + " dB" : std::string("none checked");
}

} // namespace

void WriteDesignResult(std::ostream& out, const DesignResult& result, std::string_view editsUndo) {
    out << "Design: worst margin " << OneDecimalText(result.marginBefore) << " dB -> "
        << OneDecimalText(result.marginAfter) << " dB (" << result.edits << " edit(s), " << editsUndo
        << ")\n";
    out << "Controls changed: " << result.changes.size() << "\n";
    for (const std::string& line : ControlChangeLines(result.changes)) {
        out << "  " << line << "\n";
    }
    if (!result.replacements.empty()) {
        out << "Headend amplifiers replaced: " << result.replacements.size() << "\n";
        for (const std::string& replacement : result.replacements) {
            out << "  " << replacement << "\n";
        }
    }
    for (const std::string& cable : result.cables) {
        out << "Cable changed: " << cable << "\n";
    }
    if (!result.ends.empty()) {
        out << "Riser ends changed: " << result.ends.size() << "\n";
        for (const std::string& end : result.ends) {
            out << "  " << end << "\n";
        }
    }
    if (!result.grades.empty()) {
        out << "Tap grades changed: " << result.grades.size() << "\n";
        for (const std::string& grade : result.grades) {
            out << "  " << grade << "\n";
        }
    }
    out << "Amplifiers inserted: " << result.amplifiers.size() << "\n";
    for (const AmplifierInsertion& insertion : result.amplifiers) {
        out << "  " << insertion.amplifier << " (" << insertion.model << ") in front of "
            << insertion.inFrontOf << ", " << insertion.place << "\n";
    }
    if (!result.supplies.empty()) {
        out << "Supplies added: " << result.supplies.size() << "\n";
        for (const std::string& supply : result.supplies) {
            out << "  " << supply << "\n";
        }
    }
    for (const std::string& refusal : result.refusals) {
        out << "  not inserted: " << refusal << "\n";
    }
    out << "Worst margin per criterion: terrestrial outlets " << MarginText(result.terrestrialMargin)
        << ", satellite outlets " << MarginText(result.satelliteMargin) << ", element maxima "
        << MarginText(result.maximaMargin) << "\n";
    for (const std::string& budget : result.budgets) {
        out << "  Binding budget: " << budget << "\n";
    }
    if (!result.unserved.empty()) {
        out << "Outlets that cannot be served: " << result.unserved.size() << "\n";
        for (const UnservedOutlet& outlet : result.unserved) {
            out << "  " << outlet.place << ": " << outlet.reason << "\n";
        }
    }
}

std::string DesignResultText(const DesignResult& result, std::string_view editsUndo) {
    std::ostringstream text;
    WriteDesignResult(text, result, editsUndo);
    return text.str();
}

} // namespace ixo
