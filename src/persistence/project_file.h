#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace ixo {

class BinaryReader;
class TPrimerComponente;
class TalmacenElementos;
class Tproyecto;

// The project file (".XPJ"): a header (int32 format number, counted strings: product tag, version text
// of the program that wrote it, a reserved string: empty, or the parts the build left out when there
// are some, see stored_omissions.h), then the project's component tree: each
// component's stream followed by the int32 number of components it owns and their records, depth first.
inline constexpr std::int32_t kProjectFormat = 222;
inline constexpr std::int32_t kFirstNewerProjectFormat = 223; // this number and above: a newer program's
inline constexpr std::string_view kProjectTag = "Ixo";
inline constexpr std::string_view kProjectExtension = ".XPJ";
inline constexpr std::string_view kBackupExtension = ".BAK";
// Owners nest at most this deep below the project (the deepest real path is about six).
inline constexpr int kMaxTreeDepth = 32;

// The results of OpenProject (the numbers are the format's result codes).
enum class OpenResult : int {
    Ok = 1,
    NotAProject = -1, // not a project of this system, unreadable, or failed after the root was read
    NewerFormat = -2, // written by a newer format: the version text says which program
    NothingRead = -3, // the file has no project component
};

struct OpenedProject {
    OpenResult result = OpenResult::NotAProject;
    std::string version;                // the version text of the file's header, when it was read
    std::unique_ptr<Tproyecto> project; // only on success
    // Why the file was refused, when the reader can say (e.g. which record and what was wrong).
    std::string problem;
};

// Called on a project just read, before it is marked open: where the main window builds the schematic
// of the opened project and keeps it as its Schematic. The core has no schematic; without a callback
// nothing is built.
using SchematicRebuild = std::function<void(Tproyecto&)>;

// The whole file content of a project.
std::vector<std::uint8_t> ProjectFileBytes(Tproyecto& project);

// Saves the project at path: NombreFichero := path; the new content is written to a file beside the
// target that replaces it only once complete, and the file it replaces (if any) then becomes the backup
// beside it (path without its extension + ".BAK", replacing an older backup; failures of the backup
// are ignored, and a path that is its own backup name gets none). A failed or killed save leaves the
// previous file and the previous backup untouched. On success Modificado := false. False on any failure
// (LastFileError says why).
[[nodiscard]] bool SaveProject(Tproyecto& project, const std::filesystem::path& path);

// The backup name of a project file: the path without its extension + ".BAK".
std::filesystem::path BackupPath(const std::filesystem::path& path);

// Opens a project file: checks the header, reads the tree into a new project using store, attaches the
// objects read to their lists and owners, reconnects the pins, marks the installation calculated and
// recalculates it, rebuilds the schematic through the callback and sets Abierto. Modificado stays true.
// Every failure of the file is a result with its reason; nothing read is kept on failure. Running out of
// memory is not a fault of the file: std::bad_alloc is passed on to the caller.
[[nodiscard]] OpenedProject OpenProject(const std::filesystem::path& path, TalmacenElementos* store,
                                        const SchematicRebuild& rebuildSchematic = {});
// The same from the bytes of a file (NombreFichero := path).
[[nodiscard]] OpenedProject ReadProjectBytes(std::span<const std::uint8_t> bytes,
                                             const std::filesystem::path& path, TalmacenElementos* store,
                                             const SchematicRebuild& rebuildSchematic = {});

// Reads the child count of parent and the records of its children (and theirs), attaching each child as
// it is read. depth is parent's depth below the project. StreamError on malformed data, an unknown
// class or property, or nesting deeper than kMaxTreeDepth; its message names the record (class and name,
// or its place under its owner when even those could not be read) and the byte where it starts.
void ReadChildren(BinaryReader& in, TPrimerComponente& parent, Tproyecto& project, int depth);

} // namespace ixo
