#pragma once

#include <string>
#include <vector>

namespace ixo {

class TCatalogo;

// Something in the catalogue's files that the tables would read without a word but that no real
// catalogue holds: a damaged or emptied index file reads as records of nonsense or as no record at all.
struct CatalogueProblem {
    std::string file; // the index file, e.g. "Tomas.bd"
    int record = 0;   // 1-based record number; 0 for the file as a whole
    std::string text;
};

// Checks every record of the element tables and of "Familias.bd": a table without records, an Indice
// below 0 or given twice in a table, a family number that "Familias.bd" does not list, a script key that
// is not "@@INIRECOD_<Indice>@@" or that the script file does not hold, a model name that is empty or
// holds control characters; a family listed twice or without a table name. An empty result means the
// catalogue is sound. The tables are left closed.
std::vector<CatalogueProblem> ValidateCatalogue(TCatalogo& catalogue);

// "Tomas.bd record 3: ..." or "Tomas.bd: ...".
std::string ProblemText(const CatalogueProblem& problem);

} // namespace ixo
