#pragma once

#include <string>

namespace ixo {

// Something the installation builder had to leave out and went on without: an element whose catalogue
// model is missing, or a connection it could not make. The project keeps the records of its last build
// (the project file stores them too) so that the programs can say what is missing.
struct BuildOmission {
    enum class Kind { Element, Connection };
    Kind kind = Kind::Connection;
    std::string description; // e.g. "no free input on MultiswitchPr3 for an output of AmpliHeaderPr1"
    std::string where;       // the flat or element concerned, when there is one
};

// Records an omission in the project that owns `component` (nothing when it belongs to none).
void RecordOmission(const class TPrimerComponente* component, BuildOmission omission);

} // namespace ixo
