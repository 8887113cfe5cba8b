#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ixo {
class NetworkEditor;
}

namespace ixo::cli {

// The commands of `ixo-cli edit`, one a line (blank lines and lines starting with '#' are skipped;
// words are separated by blanks). ELEMENT is an address as `info --elements` lists it.
inline constexpr std::string_view kEditScriptHelp =
    "Edit commands (one a line in --script FILE, or each given with --do \"COMMAND\"):\n"
    "  replace ELEMENT FAMILY MODEL       replace an element (and its partners) by a catalogue model\n"
    "  length ELEMENT METRES [PIN]        set a connection length (PIN: in1, out2, tap3; default: the\n"
    "                                     first connected input); the element's other inputs and its\n"
    "                                     partners' take it too, or a dish's other outputs\n"
    "  line-amp ELEMENT MODEL             insert a line amplifier (amplifier table number) in front of\n"
    "                                     an element and its partners\n"
    "  headend-amps ELEMENT FAMILY MODEL [headend]\n"
    "                                     insert headend amplifiers after the bare dishes feeding a\n"
    "                                     multiswitch or a dish splitter (of the headend floor with\n"
    "                                     'headend')\n"
    "  flat-amp ELEMENT MODEL [FAMILY]    insert an amplifier (of family 39000 unless FAMILY is given)\n"
    "                                     inside the flat of ELEMENT, between its entry and what it feeds\n"
    "  remove ELEMENT                     remove a line or headend amplifier, or one inside a flat\n"
    "  remove-headend-amps ELEMENT        remove the headend amplifiers feeding a multiswitch\n"
    "  control ELEMENT SLIDER POSITION [single]\n"
    "                                     move a regulation slider (G_SAT1, T_SAT2, G_TER1, ... as the\n"
    "                                     regulation window labels them) to POSITION 0-1000 (0 is 100 %);\n"
    "                                     like controls follow unless 'single'; a move upwards that takes\n"
    "                                     the output past its maximum is refused\n"
    "  gain ELEMENT SLIDER PERCENT [single]\n"
    "                                     the same with the control's setting in percent\n"
    "  mode ELEMENT N                     an amplifier's terrestrial mode (1 to its number of modes)\n"
    "  attenuator ELEMENT N               a multiswitch's terrestrial attenuator (0 attenuated)\n"
    "  flats OUTLETS star|cascade [FLAT]  outlets and distribution of every flat, or of one (FLAT: the\n"
    "                                     flat's place as listed, e.g. \"STAIR1 FLOOR2 FL3\" written\n"
    "                                     STAIR1/FLOOR2/FL3)\n"
    "  cable KIND MODEL                   cable kind flat|headend|riser|floor|trunk takes a catalogue cable\n"
    "  title LINE TEXT                    line 1 to 10 of the title block takes TEXT (2 the author, 4 the\n"
    "                                     date, 6 the revision, 8 to 10 the title; odd lines captions)\n"
    "  title-size WIDTH HEIGHT            the title block's size in mm\n"
    "  title-visible yes|no               show or hide the title block on the sheet\n"
    "  undo, redo                         undo or redo the last edit\n";

// Runs one command line on the editor. Empty on success; otherwise what was refused and why (the
// network is unchanged). A command that makes or removes something and changes nothing is refused; one
// that sets a value already in place succeeds and says so in note. Bad syntax throws UsageError.
std::string RunEditCommand(NetworkEditor& editor, const std::vector<std::string>& words,
                           std::string* note = nullptr);

// The words of a command line ("" for a blank or comment line).
std::vector<std::string> SplitEditCommand(std::string_view line);

} // namespace ixo::cli
