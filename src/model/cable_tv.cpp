#include "model/cable_tv.h"

#include "common/binary_stream.h"
#include "model/binary_property.h"
#include "model/parts_catalogue.h"
#include "model/script_numbers.h"
#include "model/stream_text.h"

#include <string>

namespace ixo {
namespace {

constexpr std::size_t kReferenciaLength = 30;

// "PDC": flag;code;second value;first value. The first value is the rest of the text, 0 when unreadable.
TPasocorriente ParsePdc(std::string_view text) {
    if (text.empty()) {
        throw ScriptError("the cable has no PDC key");
    }
    TPasocorriente data;
    std::string_view rest = text;
    auto next = [&rest](bool required) {
        std::string_view field = FirstField(rest);
        if (!DropFirstField(rest)) {
            if (required) {
                throw ScriptError("PDC has fewer than three fields");
            }
            rest = {};
        }
        return field;
    };
    data.Flag = static_cast<std::uint8_t>(ParseScriptInteger(next(true), "PDC"));
    data.Codigo = ParseScriptInteger(next(true), "PDC");
    data.Valor2 = ParseScriptDecimal(next(false), "PDC");
    data.Valor1 = TryParseScriptDecimal(rest).value_or(0.0);
    return data;
}

} // namespace

IXO_DEFINE_COMPONENT_CLASS(TCableTVBase, TPCLectorFichero)
IXO_DEFINE_COMPONENT_CLASS(TCableTV, TCableTVBase)

TPrimerComponente* TCableTVBase::Clone(TPrimerComponente* owner) const {
    auto* copy = Create<TCableTVBase>(owner);
    copy->CopyIdentityFrom(*this);
    copy->CopyCableBaseFrom(*this);
    return copy;
}

void TCableTVBase::CopyCableBaseFrom(const TCableTVBase& prototype) {
    Exterior = prototype.Exterior;
    RadioCurvatura = prototype.RadioCurvatura;
    Diametro = prototype.Diametro;
    Referencia = prototype.Referencia;
}

TCableTV::TCableTV(TPrimerComponente* owner) : TCableTVBase(owner) {
    Tabla = DefaultTableOfKind(kKind);
}

TCableTV* TCableTV::CreateFromCatalogue(TPrimerComponente* owner, std::int32_t number,
                                        TTablaCompoScript* table) {
    if (table == nullptr) {
        table = DefaultTableOfKind(kKind);
    }
    TRECConScript record = ReadCatalogueRecord(table, number);
    auto* cable = Create<TCableTV>(owner);
    try {
        cable->ReadRecord(record, number, table);
    } catch (...) {
        Destroy(cable);
        throw;
    }
    return cable;
}

TCableTV* TCableTV::CreateFromRecord(TPrimerComponente* owner, const TRECConScript& record,
                                     TTablaCompoScript* table) {
    auto* cable = Create<TCableTV>(owner);
    try {
        cable->ReadRecord(record, record.Indice, table);
    } catch (...) {
        Destroy(cable);
        throw;
    }
    return cable;
}

void TCableTV::ReadRecord(const TRECConScript& record, std::int32_t number, TTablaCompoScript* table) {
    Tabla = table;
    LoadRecord(record);
    if (record.Indice == number) {
        ReadKeys();
    }
    ClearScript();
}

void TCableTV::ReadKeys() {
    m_pasoCorriente = ParsePdc(ReadKey("PDC", ""));
    Diametro = ReadDecimalKey("DIAMETROEXT", "0");
    Referencia = CutToCharacters(std::to_string(Indice), kReferenciaLength);
    RadioCurvatura = ReadIntegerKey("RMCURVATURA", "0");
    Exterior = ReadBooleanKey("EXTERIOR", "0");
    m_coefficients = ReadVector(ReadKey("ECUACION", ""), true);
    Tipoconector = ReadIntegerKey("TIPOCONECTOR", "1");
    NumCables = ReadIntegerKey("NUMCABLES", "1");
}

TCableTV* TCableTV::CreateCopy(TPrimerComponente* owner, const TCableTV& prototype) {
    return static_cast<TCableTV*>(prototype.Clone(owner));
}

TPrimerComponente* TCableTV::Clone(TPrimerComponente* owner) const {
    auto* copy = Create<TCableTV>(owner);
    TRECConScript record;
    record.Indice = Indice;
    record.Familia = Familia;
    record.Modelo = Modelo;
    record.Descripcion = Descripcion;
    copy->LoadRecord(record);
    copy->Tabla = Tabla;
    copy->Obsoleto = Obsoleto;
    copy->CopyCableBaseFrom(*this);
    copy->InteriorVivienda = InteriorVivienda;
    copy->m_pasoCorriente = m_pasoCorriente;
    copy->m_coefficients = m_coefficients;
    copy->Tipoconector = Tipoconector;
    copy->NumCables = NumCables;
    return copy;
}

bool TCableTV::Reload(std::int32_t number) {
    TTablaCompoScript* table = Tabla != nullptr ? Tabla : DefaultTableOfKind(kKind);
    TRECConScript record = ReadCatalogueRecord(table, number);
    if (record.Indice == -1 && record.Script.empty()) {
        return false;
    }
    Tabla = table;
    LoadRecord(record);
    CleanScript();
    ReadKeys();
    ClearScript();
    return true;
}

void TCableTV::WriteEcuacion(BinaryWriter& writer) const {
    WriteLevelVector(writer, m_coefficients);
}

void TCableTV::ReadEcuacion(BinaryReader& reader) {
    m_coefficients = LevelVector();
    m_coefficients = ReadLevelVector(reader);
}

void TCableTV::DefineProperties(BinaryPropertyFiler& filer) {
    TCableTVBase::DefineProperties(filer);
    filer.DefineBinaryProperty(
        "Ecuacion", [this](BinaryReader& reader) { ReadEcuacion(reader); },
        [this](BinaryWriter& writer) { WriteEcuacion(writer); }, true);
    filer.DefineBinaryProperty(
        "PasodeCorriente", [this](BinaryReader& reader) { m_pasoCorriente = ReadPasocorriente(reader); },
        [this](BinaryWriter& writer) { WritePasocorriente(writer, m_pasoCorriente); }, true);
}

} // namespace ixo
