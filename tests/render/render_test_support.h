#pragma once

// The render tests paint with Qt on its offscreen platform: one QGuiApplication for the whole program.
#include "render/gui_session.h"
#include "render/headless_gui.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <sys/wait.h>

namespace ixo::test {

class OffscreenGui : public ::testing::Environment {
public:
    void SetUp() override {
        setenv("QT_QPA_PLATFORM", "offscreen", 1);
        EnsureGuiApplication();
    }
};

// The Qt application of the whole test program, made once (offscreen) and kept.
inline void EnsureGui() {
    static HeadlessGui gui;
}

// What a command printed on standard output, and its exit status; -1 when it could not run.
struct CommandOutput {
    int status = -1;
    std::string out;
};

inline std::string ShellQuoted(const std::string& text) {
    std::string quoted = "'";
    for (char c : text) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

inline CommandOutput RunCommand(const std::string& command) {
    CommandOutput result;
    FILE* pipe = ::popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return result;
    }
    std::array<char, 4096> buffer{};
    for (std::size_t n; (n = std::fread(buffer.data(), 1, buffer.size(), pipe)) > 0;) {
        result.out.append(buffer.data(), n);
    }
    const int status = ::pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

// The text of a PDF, page by page separated by form feeds (pdftotext of poppler-utils, layout kept).
inline std::string PdfText(const std::filesystem::path& pdf) {
    return RunCommand("pdftotext -layout " + ShellQuoted(pdf.string()) + " -").out;
}

// The page count pdfinfo reads from a PDF, or -1.
inline int PdfPages(const std::filesystem::path& pdf) {
    const std::string info = RunCommand("pdfinfo " + ShellQuoted(pdf.string())).out;
    const auto at = info.find("Pages:");
    return at == std::string::npos ? -1 : std::stoi(info.substr(at + 6));
}

} // namespace ixo::test
