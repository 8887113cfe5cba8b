#include "persistence/project_file.h"

#include "building/preferencias_proyecto.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "common/binary_stream.h"
#include "common/file_contents.h"
#include "common/file_replace.h"
#include "common/text_encoding.h"
#include "common/version.h"
#include "levels/calculo_niveles.h"
#include "model/class_registry.h"
#include "persistence/component_filer.h"
#include "persistence/component_stream.h"
#include "persistence/persisted_classes.h"
#include "persistence/project_attach.h"
#include "persistence/stored_omissions.h"
#include "persistence/stored_quality.h"

#include <iterator>
#include <new>
#include <optional>
#include <system_error>

namespace ixo {
namespace {

// The most satellite polarities an installation carries (four dishes of four polarities). The outlet
// check that opening runs tries every polarity on every flat, so a larger stored count is refused rather
// than run.
constexpr std::int32_t kMaxPolarities = 16;

// The smallest component record: signature, two empty names, the two closing zeros, a child count.
constexpr std::size_t kMinRecordSize = 4 + 1 + 1 + 2 + 4;

void WriteRecord(TPrimerComponente& component, BinaryWriter& out) {
    WriteComponentStream(component, out);
    out.WriteInt32(static_cast<std::int32_t>(component.ComponentCount()));
    for (TPrimerComponente* child : component.Components()) {
        WriteRecord(*child, out);
    }
}

constexpr std::size_t kReservedBytesPerComponent = 512;

std::size_t CountComponents(const TPrimerComponente& component) {
    std::size_t count = 1;
    for (const TPrimerComponente* child : component.Components()) {
        count += CountComponents(*child);
    }
    return count;
}

// Reads the properties of a component stream into component; a flat does not rebuild itself while its
// stored shape is being set.
void ReadRecordInto(BinaryReader& in, TPrimerComponente& component, const ComponentStreamHeader& header) {
    auto* flat = component.As<Tvivienda>();
    const bool rebuildable = flat != nullptr && flat->Reconstruible;
    if (flat != nullptr) {
        flat->Reconstruible = false;
    }
    ReadComponentProperties(in, component, header);
    if (flat != nullptr) {
        flat->Reconstruible = rebuildable;
    }
}

// The component a child record is read into: the parent's component of that name (one its constructor
// made), or a new component of the record's class owned by the parent, made for the record.
TPrimerComponente& ChildFor(TPrimerComponente& parent, const ComponentStreamHeader& header) {
    if (TPrimerComponente* existing = parent.FindComponent(header.name)) {
        return *existing;
    }
    TPrimerComponente* created =
        ClassRegistry::Instance().CreateStoredComponent(header.className, &parent, header.name);
    if (created == nullptr) {
        throw StreamError("unknown class " + header.className + " in the project file");
    }
    return *created;
}

struct Header {
    std::int32_t format = 0;
    std::string tag;
    std::string version;
    std::string reserved;
};

Header ReadHeader(BinaryReader& in) {
    Header header;
    header.format = in.ReadInt32();
    header.tag = in.ReadCountedString();
    header.version = Cp1252ToUtf8(in.ReadCountedString());
    header.reserved = in.ReadCountedString();
    return header;
}

bool SamePath(const std::filesystem::path& a, const std::filesystem::path& b) {
    std::error_code error;
    if (std::filesystem::exists(a, error) && std::filesystem::exists(b, error)) {
        return std::filesystem::equivalent(a, b, error);
    }
    return a.lexically_normal() == b.lexically_normal();
}

// Stored numbers that set how much work the open does must be plausible.
void CheckPlausible(const Tproyecto& project) {
    const std::int32_t polarities = project.Preferencias().Npolaridades;
    if (polarities < 0 || polarities > kMaxPolarities) {
        throw StreamError("implausible number of polarities " + std::to_string(polarities));
    }
}

OpenedProject Failed(OpenResult result, std::string version = {}, std::string problem = {}) {
    OpenedProject opened;
    opened.result = result;
    opened.version = std::move(version);
    opened.problem = std::move(problem);
    return opened;
}

} // namespace

std::filesystem::path BackupPath(const std::filesystem::path& path) {
    std::filesystem::path backup = path;
    backup.replace_extension(kBackupExtension);
    return backup;
}

std::vector<std::uint8_t> ProjectFileBytes(Tproyecto& project) {
    BinaryWriter out;
    // A component takes about 400 bytes (pins, elements with their tables): room for all of them at
    // once spares copying a project of tens of megabytes as it grows. Room never written costs nothing.
    out.Reserve(kReservedBytesPerComponent * CountComponents(project));
    out.WriteInt32(kProjectFormat);
    out.WriteCountedString(kProjectTag);
    out.WriteCountedString(Utf8ToCp1252(ProgramVersion()));
    // Empty without omissions and without a chosen standard or source quality.
    out.WriteCountedString(EncodeReservedString(project.Omissions(), project.Quality()));
    WriteRecord(project, out);
    return out.TakeBytes();
}

bool SaveProject(Tproyecto& project, const std::filesystem::path& path) {
    project.NombreFichero = path.string();
    try {
        const std::vector<std::uint8_t> bytes = ProjectFileBytes(project);
        const std::string_view contents(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        const std::filesystem::path backup = BackupPath(path);
        // A project saved under its own backup name keeps no backup. Otherwise the file replaced becomes
        // the backup once the new one is complete and in place: a failed or killed save keeps both.
        const bool saved = SamePath(backup, path) ? ReplaceFileContents(path, contents)
                                                  : ReplaceFileKeepingBackup(path, contents, backup);
        if (!saved) {
            return false;
        }
    } catch (const std::bad_alloc&) {
        throw; // not a fault of the file or the disk
    } catch (const std::exception& error) {
        SetLastFileError(error.what());
        return false;
    }
    project.Modificado = false;
    return true;
}

namespace {

// A fault of one record, already named: the records that own it pass it on unchanged.
class RecordError : public StreamError {
public:
    using StreamError::StreamError;
};

std::string OwnerText(const TPrimerComponente& parent) {
    return parent.Name().empty() ? std::string(parent.ClassName()) : parent.Name();
}

} // namespace

void ReadChildren(BinaryReader& in, TPrimerComponente& parent, Tproyecto& project, int depth) {
    if (depth >= kMaxTreeDepth) {
        throw RecordError("the components under " + OwnerText(parent) + " are nested too deep (more than " +
                          std::to_string(kMaxTreeDepth) + " levels)");
    }
    std::size_t count = 0;
    try {
        count = in.ReadCount(kMinRecordSize, "components");
    } catch (const StreamError& error) {
        throw RecordError("the count of the components of " + OwnerText(parent) + " at byte " +
                          std::to_string(in.Position()) + ": " + error.what());
    }
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t start = in.Position();
        std::optional<ComponentStreamHeader> header;
        try {
            header = ReadComponentStreamHeader(in);
            TPrimerComponente& child = ChildFor(parent, *header);
            ReadRecordInto(in, child, *header);
            AttachReadComponent(child, project);
            ReadChildren(in, child, project, depth + 1);
            child.Loaded();
        } catch (const RecordError&) {
            throw;
        } catch (const StreamError& error) {
            const std::string record = header ? "record " + header->className + " '" + header->name + "'"
                                              : "component " + std::to_string(i + 1) + " of " +
                                                    std::to_string(count) + " of " + OwnerText(parent);
            throw RecordError(record + " at byte " + std::to_string(start) + ": " + error.what());
        }
    }
}

OpenedProject ReadProjectBytes(std::span<const std::uint8_t> bytes, const std::filesystem::path& path,
                               TalmacenElementos* store, const SchematicRebuild& rebuildSchematic) {
    RegisterPersistedClasses();
    BinaryReader in(bytes);
    Header header;
    try {
        header = ReadHeader(in);
    } catch (const StreamError& error) {
        return Failed(OpenResult::NotAProject, {}, std::string("the header cannot be read: ") + error.what());
    }
    if (header.tag != kProjectTag) {
        return Failed(OpenResult::NotAProject, {},
                      "the header does not begin with the format number and the product tag " +
                          std::string(kProjectTag));
    }
    if (header.format >= kFirstNewerProjectFormat) {
        return Failed(OpenResult::NewerFormat, header.version);
    }
    if (!NextIsComponentStream(in)) {
        return Failed(OpenResult::NothingRead, header.version);
    }
    try {
        OpenedProject opened;
        opened.version = header.version;
        opened.project = TPrimerComponente::CreateRoot<Tproyecto>();
        Tproyecto& project = *opened.project;
        project.SetAlmacen(store);
        const std::size_t rootStart = in.Position();
        try {
            const ComponentStreamHeader root = ReadComponentStreamHeader(in);
            project.SetName(root.name);
            ReadComponentProperties(in, project, root);
        } catch (const StreamError& error) {
            throw RecordError("the project record at byte " + std::to_string(rootStart) + ": " +
                              error.what());
        }
        project.NombreFichero = path.string();
        std::string problem;
        std::optional<ReservedContents> reserved = DecodeReservedString(header.reserved, &problem);
        if (!reserved) {
            throw RecordError("the file's header cannot be read: " + problem);
        }
        project.Omissions() = std::move(reserved->omissions);
        project.Quality() = std::move(reserved->quality);
        ReadChildren(in, project, project, 0);
        AttachFloorElements(project);
        AttachFeedersOfRed(project);
        CheckPlausible(project);
        project.finalizadocalculoTV = true;
        Recalcular(project);
        // Seam: the main window rebuilds the schematic of the opened project here.
        if (rebuildSchematic) {
            rebuildSchematic(project);
        }
        project.Abierto = true;
        opened.result = OpenResult::Ok;
        return opened;
    } catch (const std::bad_alloc&) {
        throw; // not a fault of the file
    } catch (const std::exception& error) {
        return Failed(OpenResult::NotAProject, header.version, error.what());
    }
}

OpenedProject OpenProject(const std::filesystem::path& path, TalmacenElementos* store,
                          const SchematicRebuild& rebuildSchematic) {
    // One read of the whole file (a byte-wise copy through stream iterators took a tenth of an open).
    FileContents contents;
    if (!contents.Read(path)) {
        return Failed(OpenResult::NotAProject, {}, "the file cannot be read: " + contents.Error());
    }
    return ReadProjectBytes(contents.Bytes(), path, store, rebuildSchematic);
}

} // namespace ixo
