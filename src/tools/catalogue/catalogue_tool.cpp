#include "tools/catalogue/catalogue_tool.h"

#include "tools/catalogue/binary_catalogue_reader.h"
#include "tools/catalogue/binary_catalogue_writer.h"
#include "tools/catalogue/catalogue_source.h"
#include "tools/catalogue/file_set_io.h"
#include "tools/catalogue/text_source_reader.h"
#include "tools/catalogue/text_source_writer.h"

#include <filesystem>
#include <vector>

namespace ixo::catalogue_tool {
namespace {

constexpr const char* kUsage =
    "Usage:\n"
    "  ixo-catalogue build SRC OUT     compile the catalogue text source in SRC (families.txt,\n"
    "                                  articles.txt and one <Table>.txt per element table) into\n"
    "                                  the catalogue files (.bd and .sb) in OUT\n"
    "  ixo-catalogue dump BD_DIR OUT   write the text source of the catalogue in BD_DIR into OUT\n"
    "  ixo-catalogue --help            show this help\n"
    "Exit status: 0 done, 1 a file could not be written, 2 bad usage or bad input.\n";

void PrintWarnings(const std::vector<std::string>& warnings, std::ostream& err) {
    for (const std::string& warning : warnings) {
        err << "ixo-catalogue: warning: " << warning << '\n';
    }
}

void Build(const std::filesystem::path& sourceDir, const std::filesystem::path& outDir, std::ostream& err) {
    std::vector<std::string> warnings;
    CatalogueSource source = ReadTextSource(sourceDir, warnings);
    PrintWarnings(warnings, err);
    WriteFilesAtomically(outDir, EncodeCatalogue(source));
}

void Dump(const std::filesystem::path& catalogueDir, const std::filesystem::path& outDir, std::ostream& err) {
    std::vector<std::string> warnings;
    CatalogueSource source = ReadBinaryCatalogue(catalogueDir, warnings);
    std::vector<OutputFile> files = FormatTextSource(source, warnings);
    PrintWarnings(warnings, err);
    WriteFilesAtomically(outDir, files);
}

} // namespace

int RunCatalogueTool(std::span<const std::string> args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        out << kUsage;
        return kExitSuccess;
    }
    if (args.size() != 3 || (args[0] != "build" && args[0] != "dump")) {
        err << "ixo-catalogue: expected \"build SRC OUT\" or \"dump BD_DIR OUT\"\n" << kUsage;
        return kExitBadInput;
    }
    try {
        if (args[0] == "build") {
            Build(args[1], args[2], err);
        } else {
            Dump(args[1], args[2], err);
        }
        return kExitSuccess;
    } catch (const CatalogueError& error) {
        err << "ixo-catalogue: " << error.what() << '\n';
        return kExitBadInput;
    } catch (const FileAccessError& error) {
        err << "ixo-catalogue: " << error.what() << '\n';
        return kExitCannotWrite;
    } catch (const std::filesystem::filesystem_error& error) {
        err << "ixo-catalogue: " << error.what() << '\n';
        return kExitCannotWrite;
    }
}

} // namespace ixo::catalogue_tool
