#pragma once

#include "model/element_record.h"
#include "model/level_vector.h"
#include "model/primer_componente.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ixo {

class TTablaCompoScript;

// The catalogue-backed element: its catalogue identity and the table of its kind. Every network element
// derives from it.
//
// While an element is built from its catalogue record the record's script sits in the key list, one
// "KEY=value" line per entry. Reading a key consumes its line, so a key present twice yields its values
// in turn. Numbers in scripts are written with a decimal comma; several values are separated by ";".
class TPCLectorFichero : public TPrimerComponente {
    IXO_COMPONENT_CLASS(TPCLectorFichero)
public:
    explicit TPCLectorFichero(TPrimerComponente* owner) : TPrimerComponente(owner) {}

    std::int32_t Familia = 0;
    std::int32_t Indice = 0;
    std::string Descripcion;
    std::string Modelo;
    TTablaCompoScript* Tabla = nullptr; // not owned
    bool Obsoleto = false;

    // Takes the identity from a catalogue record and its script into the key list.
    void LoadRecord(const TRECConScript& record);
    // True when the element's table holds a record for that number (read through the installed
    // PartsCatalogue); false without table or catalogue.
    bool HasRecord(std::int32_t indice) const;

    // Removes every empty line and every line holding "[" (section headers) from the key list.
    void CleanScript();
    // The value of the first line whose name (the text before "=") equals name without regard to case;
    // defaultValue when there is none or its value is empty. A line found is consumed either way.
    std::string ReadKey(std::string_view name, std::string_view defaultValue);
    // ReadKey converted; a value that is not a number raises ScriptError.
    std::int32_t ReadIntegerKey(std::string_view name, std::string_view defaultValue);
    double ReadDecimalKey(std::string_view name, std::string_view defaultValue);
    // An integer key: non-zero is true.
    bool ReadBooleanKey(std::string_view name, std::string_view defaultValue);
    // Obsoleto := key "OBSOLETO" (default "0").
    void ReadObsoleto();
    // Empties the key list; every catalogue constructor ends with it.
    void ClearScript();

    // The number before the first ";" of text (all of it without ";"); 0 when it cannot be read.
    static double ReadNumber(std::string_view text);
    // Eight values taken from text in turn with ReadNumber, dropping the text up to and including its
    // first ";" after each; once no ";" is left the last number repeats. An empty text gives zeros.
    // With percent, every value is divided by 100.
    static LevelVector ReadVector(std::string_view text, bool percent);

    std::vector<std::string>& KeyList() { return m_keyList; }
    const std::vector<std::string>& KeyList() const { return m_keyList; }

    // A copy carries the catalogue identity and table, not the description nor the key list.
    TPrimerComponente* Clone(TPrimerComponente* owner) const override;

protected:
    void CopyIdentityFrom(const TPCLectorFichero& prototype);

private:
    std::vector<std::string> m_keyList;
};

// The lines of a script text: breaks at CR LF, CR or LF; a break at the very end adds no empty line.
std::vector<std::string> SplitScriptLines(std::string_view text);

} // namespace ixo
