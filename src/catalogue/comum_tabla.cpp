#include "catalogue/comum_tabla.h"

#include "catalogue/file_lookup.h"

#include <system_error>

namespace ixo {

IXO_DEFINE_COMPONENT_CLASS(TComumTabla, TPrimerComponente)

void TComumTabla::SetFileName(const std::filesystem::path& path) {
    if (m_active) {
        return;
    }
    if (path.has_parent_path()) {
        m_directory = path.parent_path();
        m_fileName = path.filename().string();
    } else {
        m_fileName = path.string();
    }
}

std::filesystem::path TComumTabla::FindInDirectory(const std::string& name) const {
    auto found = FindFileIgnoringCase(m_directory, name);
    return found.has_value() ? *found : m_directory / name;
}

std::filesystem::path TComumTabla::IndexFilePath() const {
    return FindInDirectory(m_fileName);
}

void TComumTabla::Open() {
    m_active = true;
}

void TComumTabla::Close() {
    if (m_active) {
        CloseIndex();
    }
    m_active = false;
    m_state = State::Browsing;
}

bool TComumTabla::OpenIndex() {
    if (m_fileName.empty() || !m_index.Load(IndexFilePath())) {
        return false;
    }
    m_active = true;
    m_state = State::Browsing;
    m_recNo = 0;
    return true;
}

void TComumTabla::CloseIndex() {
    m_index.Unload();
}

void TComumTabla::Seek(std::int32_t n) {
    if (m_active && n >= 0 && n < m_index.Count()) {
        m_state = State::Browsing;
        m_index.SetPosition(n);
        m_recNo = n;
    }
}

bool TComumTabla::Eof() const {
    return !m_active || m_index.AtEnd();
}

void TComumTabla::First() {
    m_recNo = 0;
    if (m_active) {
        Seek(0);
    }
}

bool TComumTabla::FilesExist() const {
    std::error_code error;
    return !m_fileName.empty() && std::filesystem::is_regular_file(IndexFilePath(), error);
}

bool TComumTabla::IsReadable() {
    if (!FilesExist()) {
        return false;
    }
    Open();
    bool readable = Active() && (Eof() || ReadRecord() > 0);
    Close();
    return readable;
}

} // namespace ixo
