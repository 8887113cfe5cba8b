#include "model/pc_lector_fichero.h"

#include "common/ascii_case.h"

#include "model/parts_catalogue.h"
#include "model/script_numbers.h"

#include <algorithm>
#include <cctype>

namespace ixo {
namespace {} // namespace

IXO_DEFINE_COMPONENT_CLASS(TPCLectorFichero, TPrimerComponente)

std::vector<std::string> SplitScriptLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.emplace_back(text.substr(start));
            break;
        }
        lines.emplace_back(text.substr(start, end - start));
        start = end + ((text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n') ? 2 : 1);
    }
    return lines;
}

void TPCLectorFichero::LoadRecord(const TRECConScript& record) {
    Indice = record.Indice;
    Familia = record.Familia;
    Modelo = record.Modelo;
    Descripcion = record.Descripcion;
    m_keyList = SplitScriptLines(record.Script);
}

bool TPCLectorFichero::HasRecord(std::int32_t indice) const {
    const PartsCatalogue* catalogue = GetPartsCatalogue();
    if (Tabla == nullptr || catalogue == nullptr) {
        return false;
    }
    TRECConScript record = catalogue->RecordByIndice(Tabla, indice);
    return record.Indice != -1 || !record.Script.empty();
}

void TPCLectorFichero::CleanScript() {
    std::erase_if(m_keyList, [](const std::string& line) {
        return line.empty() || line.find('[') != std::string::npos;
    });
}

std::string TPCLectorFichero::ReadKey(std::string_view name, std::string_view defaultValue) {
    for (auto line = m_keyList.begin(); line != m_keyList.end(); ++line) {
        std::size_t separator = line->find('=');
        if (separator == std::string::npos ||
            !EqualsIgnoringAsciiCase(std::string_view(*line).substr(0, separator), name)) {
            continue;
        }
        std::string value = line->substr(separator + 1);
        m_keyList.erase(line);
        return value.empty() ? std::string(defaultValue) : value;
    }
    return std::string(defaultValue);
}

std::int32_t TPCLectorFichero::ReadIntegerKey(std::string_view name, std::string_view defaultValue) {
    return ParseScriptInteger(ReadKey(name, defaultValue), name);
}

double TPCLectorFichero::ReadDecimalKey(std::string_view name, std::string_view defaultValue) {
    return ParseScriptDecimal(ReadKey(name, defaultValue), name);
}

bool TPCLectorFichero::ReadBooleanKey(std::string_view name, std::string_view defaultValue) {
    return ReadIntegerKey(name, defaultValue) != 0;
}

void TPCLectorFichero::ReadObsoleto() {
    Obsoleto = ReadBooleanKey("OBSOLETO", "0");
}

void TPCLectorFichero::ClearScript() {
    m_keyList.clear();
}

double TPCLectorFichero::ReadNumber(std::string_view text) {
    return TryParseScriptDecimal(FirstField(text)).value_or(0.0);
}

LevelVector TPCLectorFichero::ReadVector(std::string_view text, bool percent) {
    LevelVector vector;
    for (double& value : vector.band) {
        value = ReadNumber(text);
        DropFirstField(text);
        if (percent) {
            value /= 100.0;
        }
    }
    return vector;
}

TPrimerComponente* TPCLectorFichero::Clone(TPrimerComponente* owner) const {
    auto* copy = Create<TPCLectorFichero>(owner);
    copy->CopyIdentityFrom(*this);
    return copy;
}

void TPCLectorFichero::CopyIdentityFrom(const TPCLectorFichero& prototype) {
    Familia = prototype.Familia;
    Indice = prototype.Indice;
    Modelo = prototype.Modelo;
    Tabla = prototype.Tabla;
    Obsoleto = prototype.Obsoleto;
}

} // namespace ixo
