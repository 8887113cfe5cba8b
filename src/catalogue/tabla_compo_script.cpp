#include "catalogue/tabla_compo_script.h"

#include "common/byte_io.h"

#include <system_error>

namespace ixo {
namespace {

// The index file name with everything from its last "." removed, + ".sb".
std::string ScriptFileNameOf(const std::string& indexFileName) {
    return indexFileName.substr(0, indexFileName.rfind('.')) + ".sb";
}

} // namespace

IXO_DEFINE_COMPONENT_CLASS(TTablaCompoScript, TComumTabla)

void TTablaCompoScript::SetFileName(const std::filesystem::path& path) {
    if (Active()) {
        return;
    }
    TComumTabla::SetFileName(path);
    m_scriptFileName = ScriptFileNameOf(FileName());
    ClearBuffer();
}

void TTablaCompoScript::Open() {
    if (Active() || !OpenIndex()) {
        return;
    }
    if (!m_scripts.Load(ScriptFilePath())) {
        CloseIndex();
        m_active = false;
    }
}

void TTablaCompoScript::Close() {
    if (Active()) {
        m_scripts.Unload();
    }
    TComumTabla::Close();
}

std::int32_t TTablaCompoScript::ReadRecord() {
    if (Eof()) {
        ClearBuffer();
        m_recNo = Active() && m_index.Count() > 0 ? m_index.Count() - 1 : 0;
        return -1;
    }
    if (m_state != State::Browsing) {
        return -1;
    }
    m_recNo = m_index.Position();
    auto bytes = m_index.ReadNext();
    m_buffer = DecodeElementRecord(bytes->first<kElementRecordSize>());
    m_hasRecord = true;
    auto lines = m_scripts.LinesOf(m_buffer.ClaveScript);
    m_scriptLines.assign(lines.begin(), lines.end());
    return 1;
}

bool TTablaCompoScript::FilesExist() const {
    std::error_code error;
    return TComumTabla::FilesExist() && std::filesystem::is_regular_file(ScriptFilePath(), error);
}

std::int32_t TTablaCompoScript::FindByKey(std::int32_t indice) {
    return FindRecord(
        [indice](std::span<const std::uint8_t> bytes) { return ReadInt32LE(bytes, 0) == indice; });
}

void TTablaCompoScript::GetRecord(TRECConScript& record) const {
    record = m_buffer;
    record.Script.clear();
    for (const std::string& line : m_scriptLines) {
        record.Script += line;
        record.Script += "\r\n";
    }
}

std::string TTablaCompoScript::ReadScript(std::string_view key) const {
    return Active() ? m_scripts.TextOf(key) : std::string();
}

void TTablaCompoScript::ClearBuffer() {
    m_buffer = TRECConScript{};
    m_hasRecord = false;
    m_scriptLines.clear();
}

} // namespace ixo
