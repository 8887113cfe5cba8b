#include "project_file_test_support.h"

#include "builder/instalacion.h"
#include "building/escalera.h"
#include "building/lista_niveles.h"
#include "building/planta.h"
#include "building/preferencias_proyecto.h"
#include "building/vivienda.h"
#include "common/file_replace.h"
#include "common/version.h"
#include "model/cable_tv.h"
#include "model/componente_base.h"
#include "model/especial.h"
#include "model/padre_tv.h"
#include "model/pin.h"
#include "persistence/project_attach.h"
#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace ixo::test {

// A component class without published properties declared: it cannot be stored.
class TSinDeclarar : public TPrimerComponente {
    IXO_COMPONENT_CLASS(TSinDeclarar)
public:
    explicit TSinDeclarar(TPrimerComponente* owner) : TPrimerComponente(owner) {}
};
IXO_DEFINE_COMPONENT_CLASS(TSinDeclarar, TPrimerComponente)

namespace {

BuildingShape Shape(int stairs, int floors, int flatsPerFloor, int outlets = 2, int topology = 0) {
    BuildingShape shape;
    shape.stairs = stairs;
    shape.floors = floors;
    shape.flatsPerFloor = flatsPerFloor;
    shape.outlets = outlets;
    shape.topology = topology;
    return shape;
}

BuildingShape UnevenShape() {
    BuildingShape shape = Shape(2, 1, 0, 4);
    shape.flats = {{0}, {3}};
    return shape;
}

FileBytes ToBytes(const std::string& text) {
    return FileBytes(text.begin(), text.end());
}

std::map<std::string, std::string> PeersByPath(Tproyecto& project) {
    std::map<std::string, std::string> peers;
    ForEachComponent(project, [&](TPrimerComponente& c) {
        if (auto* pin = dynamic_cast<TPin*>(&c)) {
            peers[ComponentPath(pin)] = pin->Peer() != nullptr ? ComponentPath(pin->Peer()) : "NO";
        }
    });
    return peers;
}

std::map<std::string, LevelVector> LevelsByPath(Tproyecto& project) {
    std::map<std::string, LevelVector> levels;
    ForEachComponent(project, [&](TPrimerComponente& c) {
        if (auto* pin = dynamic_cast<TPin*>(&c)) {
            levels[ComponentPath(pin)] = pin->Levels();
        }
    });
    return levels;
}

std::vector<std::string> AllPaths(Tproyecto& project) {
    std::vector<std::string> paths;
    ForEachComponent(project, [&](TPrimerComponente& c) {
        paths.push_back(std::string(c.ClassName()) + " " + ComponentPath(&c));
    });
    return paths;
}

class ProjectFileRoundTrip : public ::testing::TestWithParam<BuildingShape> {};

TEST_P(ProjectFileRoundTrip, OpensToTheSameProjectAndSavesTheSameBytes) {
    std::unique_ptr<Tproyecto> original = CalculatedProject(GetParam());
    const FileBytes saved = ProjectFileBytes(*original);
    OpenedProject opened = Open(saved);
    ASSERT_EQ(opened.result, OpenResult::Ok);
    ASSERT_NE(opened.project, nullptr);
    Tproyecto& project = *opened.project;
    EXPECT_EQ(opened.version, ProgramVersion());
    EXPECT_EQ(AllPaths(project), AllPaths(*original));
    EXPECT_EQ(PeersByPath(project), PeersByPath(*original));
    EXPECT_EQ(LevelsByPath(project), LevelsByPath(*original));
    EXPECT_EQ(ProjectFileBytes(project), saved);

    // The building is linked again: every list entry has its object, every flat its floor and entry.
    ASSERT_EQ(project.Escaleras().Count(), original->Escaleras().Count());
    for (const auto& stair : project.Escaleras()) {
        ASSERT_NE(stair.Object, nullptr);
        EXPECT_EQ(stair.Object->ErroresEscalera().Proyecto, &project);
        for (const auto& floor : stair.Object->ListaPlantas()) {
            ASSERT_NE(floor.Object, nullptr);
            EXPECT_EQ(floor.Object->Escalera(), stair.Object);
            for (const auto& flat : floor.Object->LViviendas()) {
                ASSERT_NE(flat.Object, nullptr);
                EXPECT_EQ(flat.Object->Planta(), floor.Object);
                EXPECT_TRUE(flat.Object->Reconstruible);
                ASSERT_NE(flat.Object->Entrada(), nullptr);
                EXPECT_EQ(flat.Object->Entrada()->Container(), flat.Object);
                for (const auto& element : flat.Object->ETV()) {
                    ASSERT_NE(element.Object, nullptr);
                    EXPECT_EQ(element.Object->Container(), flat.Object);
                }
            }
        }
    }
    for (int i = 0; i < TpreferenciasProyecto::kCableKindCount; ++i) {
        EXPECT_NE(project.Preferencias().Cable(i), nullptr) << i;
    }
    EXPECT_EQ(project.Preferencias().DisViv(), original->Preferencias().DisViv());
    EXPECT_EQ(project.Preferencias().Niveles().Count(), 2u);
}

INSTANTIATE_TEST_SUITE_P(Shapes, ProjectFileRoundTrip,
                         ::testing::Values(BuildingShape{}, Shape(2, 3, 2), Shape(1, 2, 1, 3, 1),
                                           UnevenShape()));

BuildingShape WithHeadend(BuildingShape shape, int distribution, int polarities) {
    shape.headendDistribution = distribution;
    shape.polarities = polarities;
    return shape;
}

class BuiltProjectFileRoundTrip : public ::testing::TestWithParam<BuildingShape> {};

TEST_P(BuiltProjectFileRoundTrip, OpensToTheSameNetworkAndLevels) {
    std::unique_ptr<Tproyecto> original = MakeProject(GetParam());
    ASSERT_GT(ConstruirInstalacion(*original), 0);
    const FileBytes saved = ProjectFileBytes(*original);
    OpenedProject opened = Open(saved);
    ASSERT_EQ(opened.result, OpenResult::Ok);
    Tproyecto& project = *opened.project;
    EXPECT_EQ(AllPaths(project), AllPaths(*original));
    EXPECT_EQ(PeersByPath(project), PeersByPath(*original));
    const auto levels = LevelsByPath(project);
    EXPECT_EQ(levels, LevelsByPath(*original));
    EXPECT_TRUE(
        std::any_of(levels.begin(), levels.end(), [](const auto& entry) { return entry.second[7] > 0.0; }));
    EXPECT_EQ(ProjectFileBytes(project), saved);
    // The outlet check after opening finds what a recalculation of the original finds.
    Recalcular(*original);
    EXPECT_EQ(project.ConErrores, original->ConErrores);
    // Every element of the network outside the flats is back in its floor.
    int listed = 0;
    for (const auto& stair : project.Escaleras()) {
        for (const auto& floor : stair.Object->ListaPlantas()) {
            for (const auto& element : floor.Object->ETV()) {
                ASSERT_NE(element.Object, nullptr) << element.Name;
                EXPECT_EQ(element.Object->Container(), floor.Object);
                ++listed;
            }
        }
    }
    EXPECT_GT(listed, 0);
}

INSTANTIATE_TEST_SUITE_P(Shapes, BuiltProjectFileRoundTrip,
                         ::testing::Values(BuildingShape{}, WithHeadend(Shape(2, 3, 2), 1, 4),
                                           WithHeadend(Shape(1, 3, 2, 3, 1), 1, 8),
                                           WithHeadend(Shape(2, 2, 1), 0, 16),
                                           WithHeadend(Shape(1, 4, 2), 1, 16)));

TEST(ProjectFileOpen, KeepsNonAsciiAndLongTextOfTheTitleBlock) {
    std::unique_ptr<Tproyecto> original = CalculatedProject({});
    const std::vector<std::string> lines{"Autor: Mu\xC3\xB1oz", std::string(300, 'x'), "", "Fecha"};
    original->SetDatosproyecto(lines);
    const FileBytes saved = ProjectFileBytes(*original);
    const std::string_view utf8 = "\x14\x0D\x00\x00\x00"
                                  "Autor: Mu\xC3\xB1oz";
    EXPECT_NE(std::search(saved.begin(), saved.end(), utf8.begin(), utf8.end(),
                          [](std::uint8_t a, char b) { return a == static_cast<std::uint8_t>(b); }),
              saved.end());
    OpenedProject opened = Open(saved);
    ASSERT_EQ(opened.result, OpenResult::Ok);
    EXPECT_EQ(opened.project->Datosproyecto(), lines);
}

TEST(ProjectFileOpen, SetsOpenAndKeepsModified) {
    std::unique_ptr<Tproyecto> original = CalculatedProject({});
    OpenedProject opened = Open(ProjectFileBytes(*original));
    ASSERT_EQ(opened.result, OpenResult::Ok);
    EXPECT_TRUE(opened.project->Abierto);
    EXPECT_TRUE(opened.project->Modificado);
    EXPECT_TRUE(opened.project->finalizadocalculoTV);
    EXPECT_EQ(opened.project->NombreFichero, "memory.XPJ");
    EXPECT_EQ(opened.project->Almacen(), &DemoStore());
}

TEST(ProjectFileOpen, ReadsComponentsTheConstructorsMadeIntoThemWithoutDuplicates) {
    std::unique_ptr<Tproyecto> original = CalculatedProject(Shape(1, 1, 2));
    OpenedProject opened = Open(ProjectFileBytes(*original));
    ASSERT_EQ(opened.result, OpenResult::Ok);
    Tproyecto& project = *opened.project;
    EXPECT_EQ(project.ComponentCount(), 3u); // preferences, building, network
    int preferences = 0;
    ForEachComponent(project,
                     [&](TPrimerComponente& c) { preferences += c.Is<TpreferenciasProyecto>() ? 1 : 0; });
    EXPECT_EQ(preferences, 1);
    for (TPrimerComponente* c : project.Edificio().Components()) {
        if (auto* flat = dynamic_cast<Tvivienda*>(c)) {
            EXPECT_EQ(flat->ComponentCount(), 1u); // its container only
            int entries = 0;
            ForEachComponent(*flat, [&](TPrimerComponente& x) { entries += x.Is<Tentradaviv>() ? 1 : 0; });
            EXPECT_EQ(entries, 1);
            EXPECT_EQ(flat->Entrada()->PinesENTRADA().size(), flat->Entrada()->Nentradas);
        }
    }
}

TEST(ProjectFileHeader, FollowsTheFormatRules) {
    std::unique_ptr<Tproyecto> original = CalculatedProject({});
    const FileBytes tree = TreeBytes(ProjectFileBytes(*original));
    auto with = [&](FileBytes header) {
        header.insert(header.end(), tree.begin(), tree.end());
        return header;
    };
    EXPECT_EQ(Open(with(HeaderBytes(100, "Ixo", "1.0"))).result, OpenResult::Ok);
    EXPECT_EQ(Open(with(HeaderBytes(222, "Ixo", ""))).result, OpenResult::Ok);
    OpenedProject newer = Open(with(HeaderBytes(223, "Ixo", "9.9.9")));
    EXPECT_EQ(newer.result, OpenResult::NewerFormat);
    EXPECT_EQ(newer.version, "9.9.9");
    EXPECT_EQ(newer.project, nullptr);
    EXPECT_EQ(Open(with(HeaderBytes(222, "Oxi", "0.1.0"))).result, OpenResult::NotAProject);
    EXPECT_EQ(Open(with(HeaderBytes(300, "ixo", "0.1.0"))).result, OpenResult::NotAProject); // tag first
    EXPECT_EQ(Open(HeaderBytes(222, "Ixo", "0.1.0")).result, OpenResult::NothingRead);
    FileBytes notAStream = HeaderBytes(222, "Ixo", "0.1.0");
    notAStream.push_back('X');
    EXPECT_EQ(Open(notAStream).result, OpenResult::NothingRead);
    EXPECT_EQ(Open(FileBytes{}).result, OpenResult::NotAProject);
    EXPECT_EQ(Open(FileBytes{222, 0, 0}).result, OpenResult::NotAProject);
}

TEST(ProjectFileHeader, IsWrittenAsTheFormatSays) {
    std::unique_ptr<Tproyecto> original = CalculatedProject({});
    const FileBytes bytes = ProjectFileBytes(*original);
    const FileBytes expected = HeaderBytes(222, "Ixo", "0.1.0");
    EXPECT_EQ(ProgramVersion(), "0.1.0");
    ASSERT_GT(bytes.size(), expected.size());
    EXPECT_TRUE(std::equal(expected.begin(), expected.end(), bytes.begin()));
    BinaryReader rest(std::span<const std::uint8_t>(bytes).subspan(expected.size()));
    EXPECT_EQ(ReadComponentStream(rest).className, "Tproyecto");
    EXPECT_EQ(rest.ReadInt32(), 3);
}

TEST(ProjectFileOpen, RejectsARootOfAnotherClass) {
    auto red = TPrimerComponente::CreateRoot<TPadreTV>();
    BinaryWriter tree;
    ComponentStreamWriter writer(tree);
    writer.Begin("TPadreTV", "RedTV");
    writer.End();
    tree.WriteInt32(0);
    FileBytes file = HeaderBytes(222, "Ixo", "0.1.0");
    file.insert(file.end(), tree.Bytes().begin(), tree.Bytes().end());
    EXPECT_EQ(Open(file).result, OpenResult::NotAProject);
}

TEST(ProjectFileAttach, APinStoredWithoutConnectionStaysUnconnected) {
    std::unique_ptr<Tproyecto> project = MakeProject({});
    Tvivienda* flat = project->ListaViviendas().Object(0);
    TComponenteBase* splitter = flat->ETV().Object(0);
    TPin* pin = splitter->PinesSALIDA().back();
    TPin::UnlinkPin(*pin);
    TPin* free = splitter->PinesENTRADA().front();
    TPin::UnlinkPin(*free);
    auto conexion = [](std::string_view peer, std::string_view cable) {
        BinaryWriter out;
        out.WriteCountedString(peer);
        out.WriteCountedString(cable);
        return out.TakeBytes();
    };
    auto storeAndAttach = [&](TPin& p, std::string_view peer, std::string_view cable) {
        const FileBytes data = conexion(peer, cable);
        BinaryReader reader(data);
        p.ReadConexionPin(reader);
        AttachReadComponent(p, *project);
    };
    storeAndAttach(*pin, "NO", "NO");
    EXPECT_FALSE(pin->IsConnected());
    storeAndAttach(*pin, ComponentPath(pin), ComponentPath(project->Preferencias().Cable(0))); // itself
    EXPECT_FALSE(pin->IsConnected());
    storeAndAttach(*pin, ComponentPath(free), "Proyecto=Nada");
    EXPECT_FALSE(pin->IsConnected());
    storeAndAttach(*pin, ComponentPath(project.get()) + "=Edificio",
                   ComponentPath(project->Preferencias().Cable(0)));
    EXPECT_FALSE(pin->IsConnected()); // a path to something that is not a pin
    storeAndAttach(*pin, ComponentPath(free), ComponentPath(project->Preferencias().Cable(0)));
    ASSERT_TRUE(pin->IsConnected());
    EXPECT_EQ(pin->Peer(), free);
    EXPECT_EQ(pin->Cable(), project->Preferencias().Cable(0));
}

TEST(ProjectFileSave, WritesTheFileKeepsABackupAndClearsModified) {
    TempDir dir;
    std::unique_ptr<Tproyecto> project = CalculatedProject({});
    const auto path = dir / "casa.XPJ";
    ASSERT_TRUE(SaveProject(*project, path));
    EXPECT_FALSE(project->Modificado);
    EXPECT_EQ(project->NombreFichero, path.string());
    const std::string first = ReadFileBytes(path);
    EXPECT_EQ(ToBytes(first), ProjectFileBytes(*project));
    EXPECT_FALSE(std::filesystem::exists(dir / "casa.BAK"));

    project->SetDatosproyecto({"otra"});
    project->Modificado = true;
    ASSERT_TRUE(SaveProject(*project, path));
    EXPECT_EQ(ReadFileBytes(dir / "casa.BAK"), first);
    EXPECT_NE(ReadFileBytes(path), first);

    OpenedProject opened = OpenProject(path, &DemoStore());
    ASSERT_EQ(opened.result, OpenResult::Ok);
    EXPECT_EQ(opened.project->Datosproyecto(), std::vector<std::string>{"otra"});
    EXPECT_EQ(opened.project->NombreFichero, path.string());
}

TEST(ProjectFileSave, AFileNamedLikeItsBackupIsSavedWithoutLosingIt) {
    TempDir dir;
    std::unique_ptr<Tproyecto> project = CalculatedProject({});
    const auto path = dir / "casa.BAK";
    ASSERT_TRUE(SaveProject(*project, path));
    project->SetDatosproyecto({"segunda"});
    ASSERT_TRUE(SaveProject(*project, path));
    OpenedProject opened = OpenProject(path, &DemoStore());
    ASSERT_EQ(opened.result, OpenResult::Ok);
    EXPECT_EQ(opened.project->Datosproyecto(), std::vector<std::string>{"segunda"});
    // Without an extension the backup is the name + ".BAK".
    EXPECT_EQ(BackupPath(dir / "casa"), dir / "casa.BAK");
    EXPECT_EQ(BackupPath(dir / "a.b.XPJ"), dir / "a.b.BAK");
}

// A pid that no process has: a child that has run and been waited for.
pid_t FinishedProcessId() {
    const pid_t child = ::fork();
    if (child == 0) {
        ::_exit(0);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return child;
}

std::vector<std::string> HiddenFiles(const std::filesystem::path& dir) {
    std::vector<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with(".")) {
            names.push_back(name);
        }
    }
    std::sort(names.begin(), names.end());
    return names;
}

// A save killed half-way leaves a temporary file of the project (or of its backup) behind: the next save
// removes those of processes that no longer run and keeps those of a running one; the backup is written
// through a temporary file too, so the old backup stays whole until the new one is complete.
TEST(ProjectFileSave, RemovesTheTemporaryFilesOfAKilledSaveAndReplacesTheBackupWhole) {
    TempDir dir;
    std::unique_ptr<Tproyecto> project = CalculatedProject({});
    const auto path = dir / "casa.XPJ";
    ASSERT_TRUE(SaveProject(*project, path));
    const std::string first = ReadFileBytes(path);
    ASSERT_TRUE(SaveProject(*project, path));
    const std::string dead = std::to_string(FinishedProcessId());
    const std::string running = std::to_string(::getppid()); // the test runner's parent runs
    WriteFileBytes(dir / (".casa.XPJ.tmp" + dead + "-0"), "half a project");
    WriteFileBytes(dir / (".casa.BAK.tmp" + dead + "-3"), "half a backup");
    WriteFileBytes(dir / (".casa.XPJ.tmp" + running + "-0"), "another save in progress");
    WriteFileBytes(dir / ".casa.XPJ.tmpnotanumber-0", "not ours");
    WriteFileBytes(dir / ".otra.XPJ.tmp1-0", "another target");
    EXPECT_EQ(ReadFileBytes(dir / "casa.BAK"), first);

    project->SetDatosproyecto({"tercera"});
    ASSERT_TRUE(SaveProject(*project, path));
    EXPECT_EQ(ReadFileBytes(dir / "casa.BAK"), first); // the file as it was before this save
    EXPECT_EQ(HiddenFiles(dir.Path()),
              (std::vector<std::string>{".casa.XPJ.tmp" + running + "-0", ".casa.XPJ.tmpnotanumber-0",
                                        ".otra.XPJ.tmp1-0"}));
}

// The backup is the previous file itself under a second name (nothing is copied), renamed into place
// whole; a project reached through a symbolic link gets a copy of the file the link names, not the link.
TEST(ProjectFileSave, TheBackupIsThePreviousFileItselfAndALinkedProjectGetsACopy) {
    TempDir dir;
    std::unique_ptr<Tproyecto> project = CalculatedProject({});
    const auto path = dir / "casa.XPJ";
    ASSERT_TRUE(SaveProject(*project, path));
    const std::string first = ReadFileBytes(path);
    struct stat before {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    project->SetDatosproyecto({"segunda"});
    ASSERT_TRUE(SaveProject(*project, path));
    struct stat backup {};
    ASSERT_EQ(::stat((dir / "casa.BAK").c_str(), &backup), 0);
    EXPECT_EQ(backup.st_ino, before.st_ino);
    EXPECT_EQ(backup.st_nlink, 1U); // the project has a new file of its own
    EXPECT_EQ(ReadFileBytes(dir / "casa.BAK"), first);
    const std::string second = ReadFileBytes(path);
    EXPECT_NE(second, first);

    std::filesystem::create_directory(dir / "real");
    std::filesystem::copy_file(path, dir / "real" / "piso.XPJ");
    std::filesystem::create_symlink(dir / "real" / "piso.XPJ", dir / "piso.XPJ");
    ASSERT_TRUE(SaveProject(*project, dir / "piso.XPJ"));
    EXPECT_FALSE(std::filesystem::is_symlink(dir / "piso.BAK"));
    EXPECT_EQ(ReadFileBytes(dir / "piso.BAK"), second);
    EXPECT_TRUE(std::filesystem::is_symlink(dir / "piso.XPJ"));
    EXPECT_TRUE(HiddenFiles(dir.Path()).empty());
}

TEST(ProjectFileSave, AFailedSaveLeavesThePreviousFileAndReturnsFalse) {
    TempDir dir;
    std::unique_ptr<Tproyecto> project = CalculatedProject({});
    const auto path = dir / "casa.XPJ";
    ASSERT_TRUE(SaveProject(*project, path));
    const std::string before = ReadFileBytes(path);
    project->Modificado = true;
    // A folder where the file should be: nothing can replace it.
    std::filesystem::create_directory(dir / "carpeta.XPJ");
    EXPECT_FALSE(SaveProject(*project, dir / "carpeta.XPJ"));
    EXPECT_TRUE(project->Modificado);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "carpeta.XPJ"));
    EXPECT_FALSE(SaveProject(*project, dir / "no-such-folder" / "casa.XPJ"));
    // A component that cannot be stored fails the save before anything is touched.
    TPrimerComponente::Create<TSinDeclarar>(&project->RedTV());
    EXPECT_FALSE(SaveProject(*project, path));
    EXPECT_EQ(ReadFileBytes(path), before);
    EXPECT_FALSE(std::filesystem::exists(dir / "casa.BAK"));
    EXPECT_TRUE(project->Modificado);
    EXPECT_EQ(OpenProject(dir / "missing.XPJ", &DemoStore()).result, OpenResult::NotAProject);
}

// A project saved twice: its file holds the second save, its backup the first.
struct SavedTwice {
    std::string first;
    std::string second;
};

SavedTwice SaveTwice(Tproyecto& project, const std::filesystem::path& path) {
    SavedTwice saved;
    EXPECT_TRUE(SaveProject(project, path));
    saved.first = ReadFileBytes(path);
    project.SetDatosproyecto({"segunda"});
    EXPECT_TRUE(SaveProject(project, path));
    saved.second = ReadFileBytes(path);
    project.SetDatosproyecto({"tercera"});
    return saved;
}

// The backup changes only when the new file is complete and in place: a save refused for a read-only
// file, or one that fails once the new file is written (a full disk), keeps the previous backup.
TEST(ProjectFileSave, AFailedSaveKeepsThePreviousBackup) {
    TempDir dir;
    std::unique_ptr<Tproyecto> project = CalculatedProject({});
    const auto path = dir / "casa.XPJ";
    const SavedTwice saved = SaveTwice(*project, path);
    ASSERT_EQ(ReadFileBytes(dir / "casa.BAK"), saved.first);

    std::filesystem::permissions(path,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    EXPECT_FALSE(SaveProject(*project, path));
    EXPECT_EQ(ReadFileBytes(path), saved.second);
    EXPECT_EQ(ReadFileBytes(dir / "casa.BAK"), saved.first);
    std::filesystem::permissions(path,
                                 std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);

    SetReplaceFaultForTesting([](ReplaceStage stage) { return stage == ReplaceStage::NewFileWritten; });
    const bool failedSave = SaveProject(*project, path);
    SetReplaceFaultForTesting(nullptr);
    EXPECT_FALSE(failedSave);
    EXPECT_EQ(LastFileError(), std::strerror(ENOSPC));
    EXPECT_EQ(ReadFileBytes(path), saved.second);
    EXPECT_EQ(ReadFileBytes(dir / "casa.BAK"), saved.first);
    EXPECT_TRUE(HiddenFiles(dir.Path()).empty());

    // A backup that cannot be renamed into place once the new file is: the save stands, the previous
    // backup stays and no second name is left behind.
    SetReplaceFaultForTesting([](ReplaceStage stage) { return stage == ReplaceStage::NewFileInPlace; });
    const bool savedWithoutBackup = SaveProject(*project, path);
    SetReplaceFaultForTesting(nullptr);
    EXPECT_TRUE(savedWithoutBackup);
    EXPECT_NE(ReadFileBytes(path), saved.second);
    EXPECT_EQ(ReadFileBytes(dir / "casa.BAK"), saved.first);
    EXPECT_TRUE(HiddenFiles(dir.Path()).empty());
}

// A save killed once its new file is complete but before it replaces the project: the project and its
// backup are both as they were.
TEST(ProjectFileSave, ASaveKilledBeforeTheNewFileIsInPlaceKeepsTheBackup) {
    TempDir dir;
    std::unique_ptr<Tproyecto> project = CalculatedProject({});
    const auto path = dir / "casa.XPJ";
    const SavedTwice saved = SaveTwice(*project, path);
    const pid_t child = ::fork();
    if (child == 0) {
        SetReplaceFaultForTesting([](ReplaceStage stage) {
            if (stage == ReplaceStage::NewFileWritten) {
                ::_exit(9); // as if killed here
            }
            return false;
        });
        static_cast<void>(SaveProject(*project, path));
        ::_exit(0);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status));
    ASSERT_EQ(WEXITSTATUS(status), 9);
    EXPECT_EQ(ReadFileBytes(path), saved.second);
    EXPECT_EQ(ReadFileBytes(dir / "casa.BAK"), saved.first);
    // The next save clears what the killed one left and keeps the file it replaces.
    ASSERT_TRUE(SaveProject(*project, path));
    EXPECT_EQ(ReadFileBytes(dir / "casa.BAK"), saved.second);
    EXPECT_TRUE(HiddenFiles(dir.Path()).empty());
}

} // namespace
} // namespace ixo::test
