#include "cli/catalogue_commands.h"

#include "catalogue/almacen_elementos.h"
#include "catalogue/catalogo.h"
#include "catalogue/catalogue_elements.h"
#include "catalogue/catalogue_lookups.h"
#include "catalogue/catalogue_validation.h"
#include "catalogue/element_kinds.h"
#include "catalogue/table_open_scope.h"
#include "cli/cli_app.h"

#include <iomanip>
#include <memory>
#include <optional>
#include <ostream>

namespace ixo::cli {
namespace {

// The catalogue tables of the --catalogue folder, checked as start-up checks them.
class OpenTables {
public:
    explicit OpenTables(const std::filesystem::path& directory)
        : m_owner(TPrimerComponente::CreateRoot<TPrimerComponente>()) {
        OpenedCatalogue opened = OpenCatalogue(m_owner.get(), directory);
        m_tables = opened.Tables;
        m_check = opened.Check;
        m_directory = directory;
    }
    bool Usable() const { return m_tables != nullptr && m_check.Passed; }
    std::string ErrorText() const { return CatalogueErrorMessage(m_directory, m_check); }
    TCatalogo& Tables() const { return *m_tables; }

private:
    std::unique_ptr<TPrimerComponente> m_owner;
    TCatalogo* m_tables = nullptr;
    CatalogueCheck m_check;
    std::filesystem::path m_directory;
};

std::optional<std::int32_t> IntegerOption(const CommandContext& context, std::string_view name,
                                          std::string_view what) {
    auto text = context.Option(name);
    if (!text) {
        return std::nullopt;
    }
    return ParseIntegerArgument(*text, what);
}

bool ReportUnusable(const CommandContext& context, const OpenTables& tables) {
    if (tables.Usable()) {
        return false;
    }
    context.err << kProgramName << ": " << tables.ErrorText() << "\n";
    return true;
}

void PrintFamily(std::ostream& out, const TSelFamilia& family) {
    out << std::setw(7) << family.Familia << "  " << std::left << std::setw(14) << family.Tabla << std::right
        << std::setw(5) << family.Grupo << "  " << (family.Obsoleta() ? "OBS  " : "     ")
        << family.NombreFamilia << "\n";
}

// Every family of the family file, in file order.
std::vector<TSelFamilia> AllFamilies(TCatalogo& catalogue) {
    std::vector<TSelFamilia> families;
    TTablaFamilia* table = catalogue.Familias();
    TableOpenScope scope(table);
    if (!scope.Active()) {
        return families;
    }
    table->First();
    while (!table->Eof() && table->ReadRecord() > 0) {
        families.emplace_back(table->Buffer());
    }
    return families;
}

int ListFamilies(const CommandContext& context) {
    const auto block = IntegerOption(context, "--block", "FAMILY");
    const std::int32_t group = IntegerOption(context, "--group", "GROUP").value_or(0);
    const bool showObsolete = context.Option("--obsolete").has_value();
    OpenTables tables(context.Options().catalogueDirectory);
    if (ReportUnusable(context, tables)) {
        return kExitUsage;
    }
    std::vector<TSelFamilia> families;
    if (block) {
        families = FamiliesOfBlock(tables.Tables(), *block, group, context.Option("--exact").has_value(),
                                   showObsolete);
    } else {
        for (TSelFamilia& family : AllFamilies(tables.Tables())) {
            if ((group == 0 || family.Grupo == group) && (showObsolete || !family.Obsoleta())) {
                families.push_back(std::move(family));
            }
        }
    }
    context.out << "FAMILY  TABLE         GROUP       NAME\n";
    for (const TSelFamilia& family : families) {
        PrintFamily(context.out, family);
    }
    return kExitSuccess;
}

// The integer value of the script key OBSOLETO (default 0).
bool IsObsoleteScript(const std::string& script) {
    for (std::size_t start = 0; start < script.size();) {
        std::size_t end = script.find('\n', start);
        std::string_view line(script.data() + start,
                              (end == std::string::npos ? script.size() : end) - start);
        if (line.starts_with("OBSOLETO=")) {
            return line.substr(9, 1) == "1";
        }
        start = end == std::string::npos ? script.size() : end + 1;
    }
    return false;
}

int ListModels(const CommandContext& context) {
    const std::int32_t family = ParseIntegerArgument(context.Arguments().front(), "FAMILY");
    const bool showObsolete = context.Option("--obsolete").has_value();
    OpenTables tables(context.Options().catalogueDirectory);
    if (ReportUnusable(context, tables)) {
        return kExitUsage;
    }
    const std::string tableName = FamilyTable(tables.Tables(), family);
    TTablaCompoScript* table = tableName.empty() ? nullptr : TableByName(tables.Tables(), tableName);
    if (table == nullptr) {
        throw UsageError(tableName.empty()
                             ? "family " + std::to_string(family) + " is not in the catalogue"
                             : "family " + std::to_string(family) + " names the unknown table " + tableName);
    }
    context.out << "# " << family << " " << FamilyName(tables.Tables(), family) << " (" << tableName << ")\n";
    context.out << "INDICE  MODEL                 ARTICLE     DESCRIPTION\n";
    TableOpenScope scope(table);
    table->First();
    while (scope.Active() && !table->Eof() && table->ReadRecord() > 0) {
        TRECConScript record;
        table->GetRecord(record);
        const bool obsolete = IsObsoleteScript(record.Script);
        if (record.Familia != family || (obsolete && !showObsolete)) {
            continue;
        }
        const ArticleInfo article = ArticleOf(tables.Tables(), record.Modelo);
        context.out << std::setw(6) << record.Indice << "  " << std::left << std::setw(22) << record.Modelo
                    << std::setw(12) << (article.Codigo.empty() ? "-" : article.Codigo) << std::right
                    << (obsolete ? "(obsolete) " : "") << record.Descripcion << "\n";
    }
    return kExitSuccess;
}

// Loads every prototype of the catalogue as the programs do at start-up and reports what could not be
// made: a catalogue with a malformed script still opens, without that model.
int CheckStore(const CommandContext& context) {
    OpenTables tables(context.Options().catalogueDirectory);
    if (ReportUnusable(context, tables)) {
        return kExitUsage;
    }
    const std::vector<CatalogueProblem> problems = ValidateCatalogue(tables.Tables());
    InitialiseElementModel();
    auto owner = TPrimerComponente::CreateRoot<TPrimerComponente>();
    auto* store = TPrimerComponente::Create<TalmacenElementos>(owner.get(), tables.Tables());
    context.out << "Catalogue: " << context.Options().catalogueDirectory.string() << "\n";
    context.out << "KIND  TABLE           PROTOTYPES\n";
    std::size_t total = 0;
    for (int kind = 0; kind < kKindCount; ++kind) {
        const std::size_t count = store->ListOfKind(kind)->Count();
        total += count;
        context.out << std::setw(4) << kind << "  " << std::left << std::setw(16) << KindName(kind)
                    << std::right << std::setw(10) << count << "\n";
    }
    context.out << "Families: " << store->Families().size() << ", prototypes: " << total
                << ", records skipped: " << store->SkippedRecordCount() << "\n";
    for (const TalmacenElementos::SkippedRecord& skipped : store->SkippedRecords()) {
        context.out << "skipped: " << KindName(skipped.Kind) << " record " << skipped.Indice << " ("
                    << skipped.ClassName << "): " << skipped.Reason << "\n";
    }
    for (const CatalogueProblem& problem : problems) {
        context.out << "damaged: " << ProblemText(problem) << "\n";
    }
    return store->SkippedRecordCount() == 0 && problems.empty() ? kExitSuccess : kExitFailure;
}

} // namespace

void AddCatalogueCommands(CommandRegistry& registry) {
    Command families = MakeCommand({"catalogue", "families"},
                                   "list the catalogue's families (of one block with --block)", ListFamilies);
    families.options = {
        {"--block", "FAMILY", "only the block of 500 family numbers that holds FAMILY"},
        {"--exact", "", "with --block: a special family stands for itself only"},
        {"--group", "G", "only families whose group is G (0: all)"},
        {"--obsolete", "", "list obsolete families too"},
    };
    registry.Add(std::move(families));

    Command models = MakeCommand({"catalogue", "models"}, "list the models of a family", ListModels);
    models.argumentsSyntax = "FAMILY";
    models.minArguments = 1;
    models.maxArguments = 1;
    models.options = {{"--obsolete", "", "list obsolete models too"}};
    registry.Add(std::move(models));

    registry.Add(MakeCommand({"catalogue", "check"},
                             "load every model of the catalogue and list the records that cannot be used "
                             "(exit 1 when there are some)",
                             CheckStore));
}

} // namespace ixo::cli
