#pragma once

#include "building/proyecto.h"
#include "common/binary_stream.h"
#include "levels/calculo_niveles.h"
#include "model/component_path.h"
#include "model/pin.h"
#include "persistence/component_stream.h"
#include "persistence/project_file.h"
#include "support/project_fixture.h"

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace ixo::test {

using FileBytes = std::vector<std::uint8_t>;

// A project of the demo catalogue, calculated as a built project is (finalizadocalculoTV set, levels
// run), so that opening its file changes nothing that is stored.
inline std::unique_ptr<Tproyecto> CalculatedProject(const BuildingShape& shape) {
    std::unique_ptr<Tproyecto> project = MakeProject(shape);
    project->finalizadocalculoTV = true;
    Recalcular(*project);
    return project;
}

inline OpenedProject Open(std::span<const std::uint8_t> bytes) {
    return ReadProjectBytes(bytes, "memory.XPJ", &DemoStore());
}

// Every component of the tree below root (pre-order), root included.
inline void ForEachComponent(TPrimerComponente& root, const std::function<void(TPrimerComponente&)>& visit) {
    visit(root);
    for (TPrimerComponente* child : root.Components()) {
        ForEachComponent(*child, visit);
    }
}

// The offsets at which the component records of a project file start, and the file's length.
inline std::vector<std::size_t> RecordOffsets(const FileBytes& bytes) {
    std::vector<std::size_t> offsets;
    BinaryReader in(bytes);
    in.ReadInt32();
    in.ReadCountedString();
    in.ReadCountedString();
    in.ReadCountedString();
    std::function<void()> record = [&] {
        offsets.push_back(in.Position());
        ReadComponentStream(in);
        const std::int32_t count = in.ReadInt32();
        for (std::int32_t i = 0; i < count; ++i) {
            record();
        }
    };
    record();
    return offsets;
}

// A header in the file's layout.
inline FileBytes HeaderBytes(std::int32_t format, std::string_view tag, std::string_view version) {
    BinaryWriter out;
    out.WriteInt32(format);
    out.WriteCountedString(tag);
    out.WriteCountedString(version);
    out.WriteCountedString("");
    return out.TakeBytes();
}

// The file's bytes after its header.
inline FileBytes TreeBytes(const FileBytes& file) {
    BinaryReader in(file);
    in.ReadInt32();
    in.ReadCountedString();
    in.ReadCountedString();
    in.ReadCountedString();
    return FileBytes(file.begin() + static_cast<std::ptrdiff_t>(in.Position()), file.end());
}

} // namespace ixo::test
