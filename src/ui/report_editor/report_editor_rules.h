#pragma once

// The rules of the report editor: what a file name opens as and saves as, the caption, the enabling of
// the edit commands, the zoom box, the page setup and the page shown in the status bar. The window
// (ReportEditorWindow) shows them; the document is Qt's rich text (TextDocumentWriter).
#include "render/report_export.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ixo {

// What a file holds for the editor, told by its extension.
enum class ReportFileKind {
    Html,      // ".html", ".htm": the report's own file
    Odt,       // ".odt": ODF text
    Pdf,       // ".pdf": export only
    PlainText, // ".txt": opened as plain text
    Unknown,   // ".doc", ".rtf" and anything else: not a format the editor reads
};

ReportFileKind ReportFileKindOf(std::string_view fileName);

// The states of the Edit and Format commands for the document's state.
struct EditCommandStates {
    bool cut = false;
    bool copy = false;
    bool paste = true;
    bool undo = false;
    bool redo = false;
    bool tableFormat = false;
    bool operator==(const EditCommandStates&) const = default;
};

// Page setup in hundredths of a millimetre, as the page setup dialog shows it.
struct EditorPageSetup {
    int width = 21000;
    int height = 29700;
    int left = 3000;
    int top = 2000;
    int right = 2000;
    int bottom = 2500;
    bool operator==(const EditorPageSetup&) const = default;
};

class ReportEditorRules {
public:
    static constexpr std::string_view kCaption = "Editor";
    static constexpr std::string_view kOpenCaption = "Open document";
    static constexpr std::string_view kSaveCaption = "Save document";
    static constexpr std::string_view kPrintJobTitle = "Ixo Document";
    static constexpr int kMinZoom = 10;
    static constexpr int kMaxZoom = 400;
    // A line of at most this many centimetres of margin is offered by the margins control.
    static constexpr double kMaxMarginMm = 100.0;

    // "Editor - name" (the name alone, without folders); "Editor" before a document has a name.
    static std::string Caption(std::string_view documentName);
    // The file filters of the open and save dialogs.
    static std::string OpenFilter();
    static std::string SaveFilter();
    // The kind a save dialog's name stands for; a name without a known extension takes the filter's
    // kind and gets its extension (returned in fileName).
    static ReportFileKind SaveKind(std::string& fileName, std::string_view chosenFilter);

    // "Unable to open" + " " + file, with the reason when known.
    static std::string UnableToOpenMessage(std::string_view file, std::string_view reason);
    static std::string UnableToSaveMessage(std::string_view file, std::string_view reason);
    // Why a file of that kind cannot be opened; nothing for the kinds the editor reads.
    static std::optional<std::string> UnreadableKindReason(ReportFileKind kind);

    static EditCommandStates Commands(bool hasSelection, bool canUndo, bool canRedo, bool inTable);

    // A zoom typed in the zoom box, clamped to 10..400 %; nothing for a text that is not a number.
    static std::optional<int> ZoomFromText(std::string_view text);

    // The page setup is usable: a positive page whose margins are not negative and leave room for text.
    static std::optional<std::string> PageSetupProblem(const EditorPageSetup& setup);
    static ReportPageLayout Layout(const EditorPageSetup& setup);
    static EditorPageSetup SetupOf(const ReportPageLayout& layout);

    // The document's pages told from its parts between page breaks (their laid-out heights) and the
    // page body's height; the page of a point at y in the whole document.
    static int PageCount(const std::vector<double>& partHeights, double bodyHeight);
    static int PageAt(const std::vector<double>& partHeights, double bodyHeight, double y);

    // Whether closing the editor must ask to save first.
    static bool MustAskToSave(bool modified) { return modified; }
};

// The insert-table dialog: columns 1 to 12 and rows 1 to 100, both "2" at first; typing takes digits,
// "-" and control characters other than Enter.
class InsertTableRules {
public:
    static constexpr int kMaxColumns = 12;
    static constexpr int kMaxRows = 100;
    static constexpr std::string_view kInitial = "2";
    static bool KeyAccepted(char32_t key);
    // Rows and columns to insert: both texts whole numbers in range; nothing otherwise.
    struct Size {
        int rows = 0;
        int columns = 0;
    };
    static std::optional<Size> Accept(std::string_view columnsText, std::string_view rowsText);
};

} // namespace ixo
