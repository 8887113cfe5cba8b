// Random sequences of edit commands through `ixo-cli edit`: after every accepted edit the summary the
// edit printed is what `check` of the saved file prints, with the same exit status; a refused edit exits
// 2 and saves nothing.
#include "cli/cli_run.h"

#include "support/temp_dir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <sstream>

namespace ixo::cli {
namespace {

using test::CliRun;
using test::Contains;
using test::RunCommand;

// One element as `info --elements` lists it.
struct ListedElement {
    std::string address;
    std::string className;
    std::int32_t family = 0;
    std::string place;
};

// One model of the catalogue: family, element number and the table the family is in.
struct CatalogueModel {
    std::int32_t family = 0;
    std::int32_t number = 0;
    std::string table;
};

std::vector<std::string> Columns(const std::string& line) {
    std::vector<std::string> columns;
    std::size_t at = line.find_first_not_of(' ');
    while (at != std::string::npos && at < line.size()) {
        std::size_t end = line.find("  ", at);
        columns.push_back(line.substr(at, end == std::string::npos ? std::string::npos : end - at));
        at = end == std::string::npos ? end : line.find_first_not_of(' ', end);
    }
    return columns;
}

std::vector<ListedElement> ListElements(const std::filesystem::path& project) {
    const CliRun info = RunCommand({"info", project.string(), "--elements"});
    std::vector<ListedElement> elements;
    std::istringstream lines(info.out);
    std::string line;
    bool listing = false;
    while (std::getline(lines, line)) {
        if (line.starts_with("Network elements:")) {
            listing = true;
            continue;
        }
        if (!listing || !line.starts_with("  ") || line.starts_with("   ") || line.starts_with("  ADDRESS")) {
            continue;
        }
        const std::vector<std::string> columns = Columns(line);
        if (columns.size() >= 5) {
            elements.push_back({columns[0], columns[1], std::stoi(columns[2]), columns[4]});
        }
    }
    return elements;
}

// Every model of the demo catalogue, read through `catalogue families` and `catalogue models`.
std::vector<CatalogueModel> CatalogueModels() {
    std::vector<CatalogueModel> models;
    std::istringstream families(RunCommand({"catalogue", "families"}).out);
    std::string line;
    std::getline(families, line); // the heading
    while (std::getline(families, line)) {
        std::istringstream words(line);
        std::int32_t family = 0;
        std::string table;
        if (!(words >> family >> table)) {
            continue;
        }
        std::istringstream listed(RunCommand({"catalogue", "models", std::to_string(family)}).out);
        std::string row;
        while (std::getline(listed, row)) {
            std::istringstream fields(row);
            std::int32_t number = 0;
            if (!row.starts_with("#") && fields >> number) {
                models.push_back({family, number, table});
            }
        }
    }
    return models;
}

// The lines of edit's summary and of check's that differ, as "- edit" and "+ check" lines.
std::string LineDifferences(const std::string& edit, const std::string& check) {
    auto lines = [](const std::string& text) {
        std::vector<std::string> list;
        std::istringstream in(text);
        for (std::string line; std::getline(in, line);) {
            list.push_back(line);
        }
        return list;
    };
    const std::vector<std::string> a = lines(edit);
    const std::vector<std::string> b = lines(check);
    std::string differences;
    for (const std::string& line : a) {
        if (std::find(b.begin(), b.end(), line) == b.end()) {
            differences += "- " + line + "\n";
        }
    }
    for (const std::string& line : b) {
        if (std::find(a.begin(), a.end(), line) == a.end()) {
            differences += "+ " + line + "\n";
        }
    }
    return differences.empty() ? "(the same lines in another order)\n" : differences;
}

class EditInvariant : public ::testing::TestWithParam<std::vector<std::string>> {
protected:
    int Below(std::size_t n) {
        return std::uniform_int_distribution<int>(0, static_cast<int>(n) - 1)(m_random);
    }
    template <typename T> const T& Pick(const std::vector<T>& list) {
        return list[static_cast<std::size_t>(Below(list.size()))];
    }
    std::string Number(int from, int to) {
        return std::to_string(std::uniform_int_distribution<int>(from, to)(m_random));
    }

    // A model for a replacement: mostly one of the element's own family or table, sometimes any,
    // sometimes one the family lacks.
    std::string ReplacementFor(const ListedElement& element) {
        std::string table;
        for (const CatalogueModel& model : m_models) {
            table = model.family == element.family ? model.table : table;
        }
        const int choice = Below(10);
        std::vector<CatalogueModel> candidates;
        for (const CatalogueModel& model : m_models) {
            if ((choice < 5 && model.family == element.family) || (choice < 8 && model.table == table) ||
                choice == 8) {
                candidates.push_back(model);
            }
        }
        if (candidates.empty() || choice == 9) {
            return std::to_string(element.family) + " 99";
        }
        const CatalogueModel& model = Pick(candidates);
        return std::to_string(model.family) + " " + std::to_string(model.number);
    }

    // Mostly a riser amplifier of the demo catalogue (AL-5, AL-17, AL-9, AL-9R, AL-4S), else any number
    // of the amplifier table, a family number or none.
    std::string AmplifierNumber() {
        if (Below(3) != 0) {
            return Pick(std::vector<std::string>{"100", "1000", "2000", "2100", "4100"});
        }
        std::vector<std::string> numbers = {"99", "41000"};
        for (const CatalogueModel& model : m_models) {
            if (model.table == "Amplificadores") {
                numbers.push_back(std::to_string(model.number));
            }
        }
        return Pick(numbers);
    }

    // Mostly an element of one of the classes the command is for (when there is one), else any.
    const ListedElement& PickOf(const std::vector<ListedElement>& elements,
                                std::initializer_list<std::string_view> classes) {
        std::vector<ListedElement> fitting;
        for (const ListedElement& element : elements) {
            if (std::find(classes.begin(), classes.end(), element.className) != classes.end()) {
                fitting.push_back(element);
            }
        }
        if (fitting.empty() || Below(5) == 0) {
            return Pick(elements);
        }
        m_picked = Pick(fitting);
        return m_picked;
    }

    std::string RandomCommand(const std::vector<ListedElement>& elements, bool first) {
        switch (Below(first ? 15 : 17)) {
        case 0:
        case 1: {
            const ListedElement& element = Pick(elements);
            return "replace " + element.address + " " + ReplacementFor(element);
        }
        case 2:
            return "length " + Pick(elements).address + " " + Number(0, 40) +
                   (Below(2) == 0 ? "" : " out" + Number(1, 3));
        case 3:
        case 4:
            return "line-amp " + PickOf(elements, {"TMultiswitch", "TRepartidor"}).address + " " +
                   AmplifierNumber();
        case 5:
            return "headend-amps " + PickOf(elements, {"TMultiswitch", "TRepartidor"}).address + " " +
                   Pick(std::vector<std::string>{"4925 1", "4925 4", "4930 1", "4930 4000"}) +
                   (Below(2) == 0 ? " headend" : "");
        case 6:
            return "remove " + PickOf(elements, {"TLinAmp", "TAmpliHeader"}).address;
        case 7:
            return "remove-headend-amps " + PickOf(elements, {"TMultiswitch"}).address;
        case 8:
            return "gain " + PickOf(elements, {"TLinAmp", "TAmpliHeader", "TMultiswitch"}).address + " " +
                   Pick(std::vector<std::string>{"G_SAT1", "G_TER1", "T_SAT1", "G_SAT2"}) + " " +
                   Number(0, 100) + (Below(3) == 0 ? " single" : "");
        case 9:
            return "mode " + PickOf(elements, {"TLinAmp", "TAmpliHeader"}).address + " " + Number(0, 3);
        case 10:
            return "attenuator " + PickOf(elements, {"TMultiswitch"}).address + " " + Number(0, 2);
        case 11: {
            const ListedElement& element = PickOf(elements, {"TTomaTV"});
            std::string flat = element.place;
            for (char& c : flat) {
                c = c == ' ' ? '/' : c;
            }
            const bool one = std::count(flat.begin(), flat.end(), '/') == 2 && Below(2) == 0;
            return "flats " + Number(1, 4) + (Below(2) == 0 ? " star" : " cascade") + (one ? " " + flat : "");
        }
        case 12:
        case 13: {
            std::vector<std::string> cables = {"99"};
            for (const CatalogueModel& model : m_models) {
                if (model.table == "Cables") {
                    cables.push_back(std::to_string(model.number));
                }
            }
            return "cable " + Pick(std::vector<std::string>{"flat", "riser", "floor", "headend", "trunk"}) +
                   " " + Pick(cables);
        }
        case 14:
            // An amplifier inside the flat of an outlet: the flat amplifiers, an obsolete one, a headend
            // amplifier (refused) or a model the family lacks.
            return "flat-amp " + PickOf(elements, {"TTomaTV", "TRepartidor"}).address + " " +
                   Pick(std::vector<std::string>{"101", "102", "103", "1 4925", "7"});
        case 15:
            return "undo";
        default:
            return "redo";
        }
    }

    std::mt19937 m_random;
    std::vector<CatalogueModel> m_models;
    ListedElement m_picked;
};

TEST_P(EditInvariant, EveryAcceptedEditPrintsWhatCheckOfTheSavedFilePrints) {
    m_models = CatalogueModels();
    ASSERT_FALSE(m_models.empty());
    test::TempDir dir;
    std::filesystem::path current = dir / "step0.XPJ";
    std::vector<std::string> made = {"new", "-o", current.string()};
    made.insert(made.end(), GetParam().begin(), GetParam().end());
    ASSERT_NE(RunCommand(made).status, 2);
    // Seeded from the shape: every run of a shape makes the same edits.
    std::mt19937::result_type seed = 1;
    for (const std::string& word : GetParam()) {
        for (const char c : word) {
            seed = seed * 31 + static_cast<unsigned char>(c);
        }
    }
    m_random.seed(seed);
    int accepted = 0;
    for (int step = 1; step <= 60; ++step) {
        const std::vector<ListedElement> elements = ListElements(current);
        ASSERT_FALSE(elements.empty());
        const std::filesystem::path next = dir / ("step" + std::to_string(step) + ".XPJ");
        std::vector<std::string> words = {"edit", current.string(), "-o", next.string()};
        std::string commands;
        // Mostly one command; sometimes more, where undo and redo have something to work on.
        const int count = Below(4) == 0 ? 2 + Below(2) : 1;
        for (int i = 0; i < count; ++i) {
            const std::string command = RandomCommand(elements, i == 0);
            words.push_back("--do");
            words.push_back(command);
            commands += "\n  " + command;
        }
        const CliRun edit = RunCommand(words);
        SCOPED_TRACE("step " + std::to_string(step) + ":" + commands);
        if (edit.status == 2) {
            EXPECT_FALSE(std::filesystem::exists(next)) << edit.err;
            EXPECT_FALSE(edit.err.empty());
            continue;
        }
        ASSERT_TRUE(edit.status == 0 || edit.status == 1) << edit.status << edit.err;
        const CliRun check = RunCommand({"check", next.string()});
        if (check.out != edit.out || check.status != edit.status) {
            // One difference is enough to find the edit that caused it.
            FAIL() << "edit exited " << edit.status << ", check " << check.status << "\n"
                   << LineDifferences(edit.out, check.out);
        }
        current = next;
        ++accepted;
    }
    EXPECT_GE(accepted, 10);
}

INSTANTIATE_TEST_SUITE_P(
    SmallBuildings, EditInvariant,
    ::testing::Values(std::vector<std::string>{"--stairs", "1", "--floors", "2", "--flats-per-floor", "2",
                                               "--outlets", "2"},
                      std::vector<std::string>{"--stairs", "2", "--floors", "2", "--flats-per-floor", "2",
                                               "--outlets", "2", "--polarities", "8"},
                      std::vector<std::string>{"--stairs", "2", "--floors", "3", "--flats-per-floor", "1",
                                               "--outlets", "3", "--distribution", "cascade", "--polarities",
                                               "16"},
                      std::vector<std::string>{"--stairs", "1", "--floors", "3", "--flats-per-floor", "2",
                                               "--outlets", "1", "--polarities", "12"}));

} // namespace
} // namespace ixo::cli
