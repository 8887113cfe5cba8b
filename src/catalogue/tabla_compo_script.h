#pragma once

#include "catalogue/comum_tabla.h"
#include "catalogue/records.h"
#include "catalogue/script_file.h"

#include <string>
#include <vector>

namespace ixo {

// An element table: the index file of 236-byte element records and the ".sb" text file of their
// scripts (the index file name with its extension replaced by ".sb", in the same directory). Both are
// read when the table opens; the script file is indexed once, so each record's script is found without
// scanning the file.
class TTablaCompoScript : public TComumTabla {
    IXO_COMPONENT_CLASS(TTablaCompoScript)
public:
    explicit TTablaCompoScript(TPrimerComponente* owner) : TComumTabla(owner, kElementRecordSize) {}

    void SetFileName(const std::filesystem::path& path) override;
    // Opens the index file and then the script file; when the script file cannot be read the table
    // stays closed.
    void Open() override;
    void Close() override;
    // Reads the record at the position into the buffer and loads its script. At the end of the file it
    // empties the buffer and the script instead (RecNo := the last record, 0 when closed or empty) and
    // returns -1.
    std::int32_t ReadRecord() override;
    bool FilesExist() const override;

    // The number of the record with that Indice, or -1 (see TComumTabla::FindRecord). The buffer and
    // the script are not touched.
    std::int32_t FindByKey(std::int32_t indice);
    // Copies the buffer and the current script (every line followed by CR LF) into record.
    void GetRecord(TRECConScript& record) const;
    // The script that follows the first line containing key, every line followed by CR LF; empty when
    // closed or when no line contains the key.
    std::string ReadScript(std::string_view key) const;

    // The record read last (its Script field stays empty; the script is in ScriptLines()).
    const TRECConScript& Buffer() const { return m_buffer; }
    // Whether the buffer holds a record (false before the first read and after reading past the end).
    bool HasRecord() const { return m_hasRecord; }
    const std::vector<std::string>& ScriptLines() const { return m_scriptLines; }
    const std::string& ScriptFileName() const { return m_scriptFileName; }
    // The script file as found on disk (see FindFileIgnoringCase), or directory + ScriptFileName().
    std::filesystem::path ScriptFilePath() const { return FindInDirectory(m_scriptFileName); }

private:
    void ClearBuffer();

    std::string m_scriptFileName;
    ScriptFile m_scripts;
    TRECConScript m_buffer;
    bool m_hasRecord = false;
    std::vector<std::string> m_scriptLines;
};

} // namespace ixo
