#include "project_file_test_support.h"

#include "builder/instalacion.h"
#include "building/escalera.h"
#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "model/componente_base.h"
#include "model/padre_tv.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

namespace ixo::test {
namespace {

// A small project with its whole installation built and calculated.
std::unique_ptr<Tproyecto> SmallBuiltProject() {
    BuildingShape shape;
    shape.outlets = 1;
    std::unique_ptr<Tproyecto> project = MakeProject(shape);
    EXPECT_GT(ConstruirInstalacion(*project), 0);
    return project;
}

const FileBytes& SmallFile() {
    static const FileBytes bytes = [] { return ProjectFileBytes(*SmallBuiltProject()); }();
    return bytes;
}

// The offset of the first occurrence of text in bytes (the test fails when there is none).
std::size_t Find(const FileBytes& bytes, std::string_view text, std::size_t from = 0) {
    auto found =
        std::search(bytes.begin() + static_cast<std::ptrdiff_t>(from), bytes.end(), text.begin(), text.end(),
                    [](std::uint8_t a, char b) { return a == static_cast<std::uint8_t>(b); });
    if (found == bytes.end()) {
        ADD_FAILURE() << text << " not found";
        return 0;
    }
    return static_cast<std::size_t>(found - bytes.begin());
}

void PutInt32(FileBytes& bytes, std::size_t at, std::int32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<std::uint8_t>(static_cast<std::uint32_t>(value) >> (8 * i));
    }
}

OpenResult ResultOf(const FileBytes& bytes) {
    OpenedProject opened = Open(bytes);
    EXPECT_EQ(opened.project != nullptr, opened.result == OpenResult::Ok);
    return opened.result;
}

TEST(ProjectFileCorruption, TruncationAtEveryRecordBoundaryFails) {
    const FileBytes& file = SmallFile();
    ASSERT_EQ(ResultOf(file), OpenResult::Ok);
    const std::vector<std::size_t> offsets = RecordOffsets(file);
    ASSERT_GT(offsets.size(), 20u);
    EXPECT_EQ(ResultOf(FileBytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(offsets[0]))),
              OpenResult::NothingRead);
    for (std::size_t k = 1; k < offsets.size(); ++k) {
        for (std::size_t cut : {offsets[k] - 4, offsets[k] - 1, offsets[k], offsets[k] + 1, offsets[k] + 9}) {
            const FileBytes truncated(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(cut));
            ASSERT_EQ(ResultOf(truncated), OpenResult::NotAProject) << "cut at " << cut;
        }
    }
    EXPECT_EQ(ResultOf(FileBytes(file.begin(), file.end() - 1)), OpenResult::NotAProject);
}

TEST(ProjectFileCorruption, HugeOrNegativeCountsAndLengthsFail) {
    const FileBytes& file = SmallFile();
    const std::vector<std::size_t> offsets = RecordOffsets(file);
    const std::size_t rootCount = offsets[1] - 4;
    for (std::int32_t count : {0x7FFFFFFF, -1, 100000}) {
        FileBytes bad = file;
        PutInt32(bad, rootCount, count);
        EXPECT_EQ(ResultOf(bad), OpenResult::NotAProject) << count;
    }
    const std::size_t block = Find(file, "DatosPinbase") + 12 + 1; // the int32 length after the tag
    for (std::int32_t length : {0x7FFFFFF0, -5, 3}) {
        FileBytes bad = file;
        PutInt32(bad, block, length);
        EXPECT_EQ(ResultOf(bad), OpenResult::NotAProject) << length;
    }
    FileBytes badString = file;
    badString[Find(file, "TPF0", offsets[1]) + 4] = 0xFF; // a class name running past its stream
    EXPECT_EQ(ResultOf(badString), OpenResult::NotAProject);
}

TEST(ProjectFileCorruption, WrongTagsUnknownClassesAndPropertiesFail) {
    const FileBytes& file = SmallFile();
    const std::size_t numero = Find(file, "Numero_Interno", RecordOffsets(file)[1]) + 14;
    for (std::uint8_t tag : {0, 5, 6, 8, 11, 14, 17, 21, 255}) {
        FileBytes bad = file;
        bad[numero] = tag;
        EXPECT_EQ(ResultOf(bad), OpenResult::NotAProject) << int(tag);
    }
    FileBytes unknownClass = file;
    unknownClass[Find(file, "\x07TTomaTV") + 7] = 'X';
    EXPECT_EQ(ResultOf(unknownClass), OpenResult::NotAProject);
    FileBytes objectClass = file; // a registered value object is not a component
    const std::size_t padre = Find(file, "\x08TPadreTV");
    std::copy_n("TConector", 8, objectClass.begin() + static_cast<std::ptrdiff_t>(padre + 1));
    EXPECT_EQ(ResultOf(objectClass), OpenResult::NotAProject);
    FileBytes unknownProperty = file;
    unknownProperty[Find(file, "Familia") + 1] = 'u';
    EXPECT_EQ(ResultOf(unknownProperty), OpenResult::NotAProject);
    FileBytes unknownBinary = file;
    unknownBinary[Find(file, "DatosPinbase") + 1] = 'u';
    EXPECT_EQ(ResultOf(unknownBinary), OpenResult::NotAProject);
}

// A project file whose network container holds a chain of containers depth deep.
FileBytes NestedFile(int depth) {
    std::unique_ptr<Tproyecto> project = MakeProject({});
    TPrimerComponente* at = &project->RedTV();
    for (int i = 0; i < depth; ++i) {
        at = TPrimerComponente::Create<TPadreTV>(at);
    }
    return ProjectFileBytes(*project);
}

TEST(ProjectFileCorruption, NestingIsBounded) {
    EXPECT_EQ(ResultOf(NestedFile(kMaxTreeDepth - 3)), OpenResult::Ok);
    EXPECT_EQ(ResultOf(NestedFile(kMaxTreeDepth + 5)), OpenResult::NotAProject);
}

std::string ReasonOf(const FileBytes& bytes) {
    const OpenedProject opened = Open(bytes);
    EXPECT_EQ(opened.result, OpenResult::NotAProject);
    return opened.problem;
}

bool Holds(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

// A refused file says why: the record (class and name, or its place under its owner) with the byte it
// starts at, and what was wrong with it.
TEST(ProjectFileCorruption, ARefusedFileSaysWhichRecordAndWhatWasWrong) {
    const FileBytes& file = SmallFile();
    FileBytes unknownClass = file;
    const std::size_t outlet = Find(file, "\x07TTomaTV");
    unknownClass[outlet + 7] = 'X';
    const std::string unknown = ReasonOf(unknownClass);
    EXPECT_TRUE(Holds(unknown, "record TTomaTX '")) << unknown;
    EXPECT_TRUE(Holds(unknown, "at byte " + std::to_string(outlet - 4))) << unknown; // the signature
    EXPECT_TRUE(Holds(unknown, "unknown class TTomaTX")) << unknown;

    FileBytes unknownProperty = file;
    unknownProperty[Find(file, "Familia") + 1] = 'u';
    const std::string property = ReasonOf(unknownProperty);
    EXPECT_TRUE(Holds(property, "record ")) << property;
    EXPECT_TRUE(Holds(property, "Fumilia")) << property;

    const std::vector<std::size_t> offsets = RecordOffsets(file);
    const std::string truncated =
        ReasonOf(FileBytes(file.begin(), file.begin() + static_cast<std::ptrdiff_t>(offsets[5] + 9)));
    EXPECT_TRUE(Holds(truncated, "component ") || Holds(truncated, "record ")) << truncated;
    EXPECT_TRUE(Holds(truncated, "at byte " + std::to_string(offsets[5]))) << truncated;

    EXPECT_TRUE(Holds(ReasonOf(NestedFile(kMaxTreeDepth + 5)), "nested too deep"));
    const std::string header = ReasonOf(FileBytes(file.begin(), file.begin() + 6));
    EXPECT_TRUE(Holds(header, "the header cannot be read")) << header;
    FileBytes otherTag = file;
    otherTag[8] = 'Z'; // the first letter of the product tag
    EXPECT_TRUE(Holds(ReasonOf(otherTag), "product tag")) << ReasonOf(otherTag);
}

TEST(ProjectFileCorruption, AnImplausiblePolarityCountIsRefusedBeforeTheCheckRuns) {
    std::unique_ptr<Tproyecto> project = SmallBuiltProject();
    project->Preferencias().Npolaridades = 0x7FFFFFFF; // the check would try every one on every flat
    EXPECT_EQ(ResultOf(ProjectFileBytes(*project)), OpenResult::NotAProject);
    project->Preferencias().Npolaridades = -4;
    EXPECT_EQ(ResultOf(ProjectFileBytes(*project)), OpenResult::NotAProject);
    project->Preferencias().Npolaridades = 16;
    EXPECT_EQ(ResultOf(ProjectFileBytes(*project)), OpenResult::Ok);
}

TEST(ProjectFileCorruption, AnElementNamedTwiceInAFloorIsPlacedOnce) {
    std::unique_ptr<Tproyecto> project = SmallBuiltProject();
    tplanta* floor = nullptr;
    for (const auto& stair : project->Escaleras()) {
        for (const auto& f : stair.Object->ListaPlantas()) {
            if (!f.Object->ETV().Empty()) {
                floor = f.Object;
            }
        }
    }
    ASSERT_NE(floor, nullptr);
    const std::string name = floor->ETV().Name(0);
    floor->ETV().Add(name, nullptr);
    for (const auto& stair : project->Escaleras()) {
        for (const auto& f : stair.Object->ListaPlantas()) {
            if (f.Object != floor) {
                f.Object->ETV().Add(name, nullptr); // and in another floor
            }
        }
    }
    OpenedProject opened = Open(ProjectFileBytes(*project));
    ASSERT_EQ(opened.result, OpenResult::Ok);
    int placed = 0;
    for (const auto& stair : opened.project->Escaleras()) {
        for (const auto& f : stair.Object->ListaPlantas()) {
            for (const auto& entry : f.Object->ETV()) {
                placed += entry.Name == name && entry.Object != nullptr ? 1 : 0;
            }
        }
    }
    EXPECT_EQ(placed, 1);
    opened.project.reset(); // frees each element once
}

TEST(ProjectFileCorruption, RandomMutantsNeverCrashOrHang) {
    const FileBytes& file = SmallFile();
    std::mt19937 random(0x1C0FFEE);
    std::set<OpenResult> results;
    const int kMutants = 3000;
    for (int m = 0; m < kMutants; ++m) {
        FileBytes mutant = file;
        const int kind = static_cast<int>(random() % 4);
        const auto at = [&] { return static_cast<std::size_t>(random() % mutant.size()); };
        if (kind == 0) {
            for (int n = 1 + static_cast<int>(random() % 4); n > 0; --n) {
                mutant[at()] ^= static_cast<std::uint8_t>(1u << (random() % 8));
            }
        } else if (kind == 1) {
            mutant[at()] = static_cast<std::uint8_t>(random());
        } else if (kind == 2) {
            const std::size_t where = std::min(at(), mutant.size() - 4);
            PutInt32(mutant, where, static_cast<std::int32_t>(random()));
        } else {
            mutant.resize(at());
        }
        OpenedProject opened = Open(mutant);
        results.insert(opened.result);
        ASSERT_TRUE(opened.result == OpenResult::Ok || opened.result == OpenResult::NotAProject ||
                    opened.result == OpenResult::NewerFormat || opened.result == OpenResult::NothingRead)
            << m;
        if (opened.result == OpenResult::Ok) {
            EXPECT_NO_THROW(ProjectFileBytes(*opened.project)) << m;
        }
    }
    EXPECT_TRUE(results.contains(OpenResult::NotAProject));
}

} // namespace
} // namespace ixo::test
