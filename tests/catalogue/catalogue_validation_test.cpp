#include "catalogue/catalogue_validation.h"

#include "catalogue/catalogo.h"
#include "model/primer_componente.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

namespace ixo {
namespace {

using test::ReadFileBytes;
using test::TempDir;
using test::WriteFileBytes;

// A copy of the demo catalogue in a temporary folder, to damage.
class DamagedCatalogue : public ::testing::Test {
protected:
    void SetUp() override { std::filesystem::copy(test::DemoCatalogueDirectory(), dir / "BD"); }
    std::vector<CatalogueProblem> Validate() {
        auto owner = TPrimerComponente::CreateRoot<TPrimerComponente>();
        OpenedCatalogue opened = OpenCatalogue(owner.get(), dir / "BD");
        EXPECT_NE(opened.Tables, nullptr);
        return opened.Tables != nullptr ? ValidateCatalogue(*opened.Tables) : std::vector<CatalogueProblem>{};
    }
    static bool Has(const std::vector<CatalogueProblem>& problems, const std::string& text) {
        return std::any_of(problems.begin(), problems.end(), [&](const CatalogueProblem& p) {
            return ProblemText(p).find(text) != std::string::npos;
        });
    }
    TempDir dir;
};

TEST_F(DamagedCatalogue, TheDemoCatalogueIsSound) {
    const auto problems = Validate();
    EXPECT_TRUE(problems.empty()) << ProblemText(problems.front());
}

TEST_F(DamagedCatalogue, RandomBytesInAnIndexFileAreFoundRecordByRecord) {
    const std::string original = ReadFileBytes(dir / "BD" / "Tomas.bd");
    std::string noise(original.size(), '\0');
    std::mt19937 random(7);
    for (char& c : noise) {
        c = static_cast<char>(random());
    }
    WriteFileBytes(dir / "BD" / "Tomas.bd", noise);
    const auto problems = Validate();
    ASSERT_FALSE(problems.empty());
    for (const CatalogueProblem& problem : problems) {
        EXPECT_EQ(problem.file, "Tomas.bd");
        EXPECT_GE(problem.record, 1);
    }
    EXPECT_TRUE(Has(problems, "Tomas.bd record 1: "));
}

TEST_F(DamagedCatalogue, AnEmptiedIndexFileAndARecordGivenTwiceAreFound) {
    WriteFileBytes(dir / "BD" / "Ms.bd", "");
    const std::string splitters = ReadFileBytes(dir / "BD" / "Repartidores.bd");
    WriteFileBytes(dir / "BD" / "Repartidores.bd", splitters + splitters.substr(0, 236));
    const auto problems = Validate();
    EXPECT_TRUE(Has(problems, "Ms.bd: the file holds no record"));
    const int copied = static_cast<int>(splitters.size() / 236) + 1;
    EXPECT_TRUE(Has(problems, "Repartidores.bd record " + std::to_string(copied) + ": Indice "))
        << ProblemText(problems.back());
    EXPECT_TRUE(Has(problems, " is given twice"));
}

TEST_F(DamagedCatalogue, AScriptFileWithoutTheRecordsScriptIsFound) {
    WriteFileBytes(dir / "BD" / "Fuentes.sb", "nothing here\r\n");
    const auto problems = Validate();
    EXPECT_TRUE(Has(problems, "Fuentes.bd record 1: the script file Fuentes.sb holds no script for it"))
        << (problems.empty() ? "none" : ProblemText(problems.front()));
}

} // namespace
} // namespace ixo
