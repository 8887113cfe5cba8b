#include "model/binary_property.h"

#include "model/primer_componente.h"

namespace ixo {
namespace {

class WritingFiler : public BinaryPropertyFiler {
public:
    explicit WritingFiler(const BinaryBlockVisitor& onBlock) : m_onBlock(onBlock) {}
    void DefineBinaryProperty(std::string_view name, const ReadProc& /*read*/, const WriteProc& write,
                              bool hasData) override {
        if (hasData) {
            m_onBlock(name, write);
        }
    }

private:
    const BinaryBlockVisitor& m_onBlock;
};

class ReadingFiler : public BinaryPropertyFiler {
public:
    ReadingFiler(std::string_view name, std::span<const std::uint8_t> bytes) : m_name(name), m_bytes(bytes) {}
    void DefineBinaryProperty(std::string_view name, const ReadProc& read, const WriteProc& /*write*/,
                              bool /*hasData*/) override {
        if (found || name != m_name) {
            return;
        }
        found = true;
        BinaryReader reader(m_bytes);
        read(reader);
        reader.ExpectEnd(m_name);
    }
    bool found = false;

private:
    std::string m_name;
    std::span<const std::uint8_t> m_bytes;
};

} // namespace

void VisitBinaryProperties(TPrimerComponente& component, const BinaryBlockVisitor& onBlock) {
    WritingFiler filer(onBlock);
    component.DefineProperties(filer);
}

std::vector<BinaryPropertyData> WriteBinaryProperties(TPrimerComponente& component) {
    std::vector<BinaryPropertyData> written;
    VisitBinaryProperties(component,
                          [&written](std::string_view name, const BinaryPropertyFiler::WriteProc& write) {
                              BinaryWriter writer;
                              write(writer);
                              written.push_back({std::string(name), writer.TakeBytes()});
                          });
    return written;
}

bool ReadBinaryProperty(TPrimerComponente& component, std::string_view name,
                        std::span<const std::uint8_t> bytes) {
    ReadingFiler filer(name, bytes);
    component.DefineProperties(filer);
    return filer.found;
}

} // namespace ixo
