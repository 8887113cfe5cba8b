#pragma once

#include "common/binary_stream.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ixo {

class TPrimerComponente;

// The custom binary data of a component: named blocks written after its published properties. A
// class announces each block with a reader, a writer and whether it has data to write now; the project
// file writer and reader drive these (the writer skips blocks without data).
class BinaryPropertyFiler {
public:
    using ReadProc = std::function<void(BinaryReader&)>;
    using WriteProc = std::function<void(BinaryWriter&)>;

    virtual ~BinaryPropertyFiler() = default;
    virtual void DefineBinaryProperty(std::string_view name, const ReadProc& read, const WriteProc& write,
                                      bool hasData) = 0;
};

struct BinaryPropertyData {
    std::string name;
    std::vector<std::uint8_t> bytes;
};

// The blocks that component writes now, in definition order.
std::vector<BinaryPropertyData> WriteBinaryProperties(TPrimerComponente& component);
// The same without a copy of each block: onBlock gets each block's name and its writing procedure, to
// run on the writer of the whole stream.
using BinaryBlockVisitor =
    std::function<void(std::string_view name, const BinaryPropertyFiler::WriteProc& write)>;
void VisitBinaryProperties(TPrimerComponente& component, const BinaryBlockVisitor& onBlock);
// Reads bytes into the block of that name; false when the component defines no such block. The block
// must consume all its bytes (StreamError otherwise).
bool ReadBinaryProperty(TPrimerComponente& component, std::string_view name,
                        std::span<const std::uint8_t> bytes);

} // namespace ixo
