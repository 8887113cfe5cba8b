#pragma once

#include <string>
#include <vector>

namespace ixo {

class EditJournal;
class Tproyecto;

// The title block of a project as the user edits it: its ten lines (captions and values alternate as
// the cells of the block: "Author:", author, "Date:", date, revision caption, revision, title caption,
// three title lines), its size in millimetres and whether the sheet shows it.
struct TitleBlock {
    static constexpr std::size_t kLineCount = 10;

    std::vector<std::string> lines;
    double widthMm = 90.0;
    double heightMm = 30.0;
    bool visible = true;

    bool operator==(const TitleBlock&) const = default;
};

// The project's title block as it stands.
TitleBlock TitleBlockOf(const Tproyecto& project);

// Gives the project the title block as one step of the journal (undo puts the former one back). The
// lines are stored as given.
void SetTitleBlock(Tproyecto& project, const TitleBlock& block, EditJournal& journal);

} // namespace ixo
