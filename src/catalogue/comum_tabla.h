#pragma once

#include "catalogue/index_file.h"
#include "model/primer_componente.h"

#include <cstdint>
#include <filesystem>
#include <string>

namespace ixo {

// The common base of the catalogue tables: one index file of fixed-size records, read in the manner
// of a file of records (Open, First, then ReadRecord until Eof). The index file is read into memory
// when the table opens; a trailing partial record is ignored.
//
// Nothing here raises to its caller: a file that is missing or cannot be read leaves the table closed,
// after which Eof is true and every read returns -1.
class TComumTabla : public TPrimerComponente {
    IXO_COMPONENT_CLASS(TComumTabla)
public:
    // The table's state; editing states exist in the catalogue format but are never entered here.
    enum class State { Browsing = 0, Editing = 1, Inserting = 2 };

    explicit TComumTabla(TPrimerComponente* owner) : TComumTabla(owner, 0) {}

    // Only while closed. A path with a directory part sets the directory and the file name, a bare
    // name only the file name.
    virtual void SetFileName(const std::filesystem::path& path);
    // -1 at the end of the file or when not browsing; the base table has no records.
    virtual std::int32_t ReadRecord() { return -1; }
    virtual void Open();
    virtual void Close();
    // When open and 0 <= n < RecordCount(): browse and position at record n, RecNo := n.
    virtual void Seek(std::int32_t n);
    // Whether the index file is at its end; true when closed.
    virtual bool Eof() const;
    // RecNo := 0 and, when open, Seek(0).
    virtual void First();
    virtual bool FilesExist() const;
    // FilesExist, then Open: true when the table is empty or its first record reads; closes the table.
    virtual bool IsReadable();

    // The number of records when open, -1 otherwise.
    virtual std::int32_t RecordCount() const { return Active() ? m_index.Count() : -1; }

    bool Active() const { return m_active; }
    std::int32_t RecNo() const { return m_recNo; }
    State GetState() const { return m_state; }
    const std::string& FileName() const { return m_fileName; }
    const std::filesystem::path& Directory() const { return m_directory; }
    // Directory + file name as set.
    std::filesystem::path FullPath() const { return m_directory / m_fileName; }
    // The index file as found on disk (see FindFileIgnoringCase), or FullPath() when it does not exist.
    std::filesystem::path IndexFilePath() const;

protected:
    TComumTabla(TPrimerComponente* owner, std::size_t recordSize)
        : TPrimerComponente(owner), m_index(recordSize) {}

    // Loads the index file; true on success (the table is then Active, which is what Open callers ask).
    bool OpenIndex();
    void CloseIndex();
    std::filesystem::path FindInDirectory(const std::string& name) const;

    // The browsing read of the fixed-record tables: -1 at the end of the file or when not browsing;
    // otherwise RecNo := the current position and one record is read: 0 when the read fails, else 1
    // after the record's bytes went to store.
    template <typename Store> std::int32_t ReadRecordInto(Store store) {
        if (Eof() || m_state != State::Browsing) {
            return -1;
        }
        m_recNo = m_index.Position();
        auto bytes = m_index.ReadNext();
        if (!bytes.has_value()) {
            return 0;
        }
        store(*bytes);
        return 1;
    }

    // The search behind FindByKey and FindByModel: only when open; reads from record 0 until a record
    // satisfies matches and returns its number, or -1. The state and RecNo are kept; the file is left
    // positioned after the record read last.
    template <typename Matches> std::int32_t FindRecord(Matches matches) {
        if (!m_active) {
            return -1;
        }
        m_index.SetPosition(0);
        while (auto bytes = m_index.ReadNext()) {
            if (matches(*bytes)) {
                return m_index.Position() - 1;
            }
        }
        return -1;
    }

    IndexFile m_index;
    std::int32_t m_recNo = 0;
    State m_state = State::Browsing;
    bool m_active = false;

private:
    std::string m_fileName;
    std::filesystem::path m_directory;
};

} // namespace ixo
