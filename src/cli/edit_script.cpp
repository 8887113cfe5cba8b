#include "cli/edit_script.h"

#include "building/escalera.h"
#include "building/planta.h"
#include "building/proyecto.h"
#include "building/vivienda.h"
#include "cli/cli_arguments.h"
#include "cli/element_listing.h"
#include "common/ascii_case.h"
#include "editing/edit_journal.h"
#include "editing/network_editor.h"
#include "editing/network_edits.h"
#include "editing/regulation.h"
#include "editing/title_block_edit.h"
#include "model/ampli_base.h"
#include "model/ampli_header.h"
#include "model/cabecera_terrestre.h"
#include "model/componente_base.h"
#include "model/especial.h"
#include "model/lin_amp.h"
#include "model/multiswitch.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <optional>

namespace ixo::cli {

namespace {

bool StartsWithIgnoringAsciiCase(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && EqualsIgnoringAsciiCase(text.substr(0, prefix.size()), prefix);
}

[[noreturn]] void Bad(const std::string& what) {
    throw UsageError(what);
}

void ExpectWords(const std::vector<std::string>& words, std::size_t min, std::size_t max,
                 const char* syntax) {
    if (words.size() < min || words.size() > max) {
        Bad(std::string("edit command '") + words[0] + "' takes: " + syntax);
    }
}

std::int32_t Integer(const std::string& text, const char* what) {
    std::int32_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size()) {
        Bad(std::string(what) + " must be a whole number, not '" + text + "'");
    }
    return value;
}

double Real(const std::string& text, const char* what) {
    std::string copy = text;
    for (char& c : copy) {
        c = c == ',' ? '.' : c;
    }
    double value = 0;
    const auto [end, error] = std::from_chars(copy.data(), copy.data() + copy.size(), value);
    if (error != std::errc() || end != copy.data() + copy.size() || !std::isfinite(value)) {
        Bad(std::string(what) + " must be a number, not '" + text + "'");
    }
    return value;
}

TComponenteBase& Element(NetworkEditor& editor, const std::string& address) {
    TComponenteBase* element = FindElement(editor.Project(), address);
    if (element == nullptr) {
        Bad("no element " + address + " (see info --elements)");
    }
    return *element;
}

std::string Refused(const TComponenteBase& element, const std::string& reason) {
    return ElementAddress(element) + ": " + (reason.empty() ? "refused" : reason);
}

// Applies an edit that makes something (inserts, removes, replaces) on element: empty when done;
// otherwise why it was refused. One that changes nothing is refused too, with `unchanged`: it did not
// do what it was asked.
std::string ApplyOn(NetworkEditor& editor, const TComponenteBase& element, const NetworkEditor::Edit& edit,
                    const EditRefusal& why, const std::string& unchanged) {
    switch (editor.ApplyEdit(edit)) {
    case NetworkEditor::Outcome::Done:
        return {};
    case NetworkEditor::Outcome::Unchanged:
        return Refused(element, unchanged);
    case NetworkEditor::Outcome::Refused:
        break;
    }
    return Refused(element, why.reason);
}

// Applies an edit that sets a value (a length, a control, a mode): a value already in place is what
// was asked, so the edit is not refused, but it makes no step and `note` says so.
void ApplySetting(NetworkEditor& editor, const TComponenteBase& element, const NetworkEditor::Edit& edit,
                  const std::string& already, std::string* note) {
    if (editor.ApplyEdit(edit) != NetworkEditor::Outcome::Done && note != nullptr) {
        *note = ElementAddress(element) + ": " + already + ": nothing changed";
    }
}

TPin* PinOf(TComponenteBase& element, const std::string& text) {
    const std::pair<const char*, PinKind> kinds[] = {
        {"in", PinKind::Input}, {"out", PinKind::Output}, {"tap", PinKind::Tap}};
    for (const auto& [prefix, kind] : kinds) {
        const std::string_view p(prefix);
        if (text.size() > p.size() && StartsWithIgnoringAsciiCase(text, p)) {
            const std::int32_t number = Integer(text.substr(p.size()), "a pin number");
            TPin* pin = element.PinAt(kind, number - 1);
            if (pin == nullptr) {
                Bad(ElementAddress(element) + " has no pin " + text);
            }
            return pin;
        }
    }
    Bad("a pin is written in1, out2 or tap3, not '" + text + "'");
}

int CableKind(const std::string& text) {
    const char* names[] = {"flat", "headend", "riser", "floor", "trunk"};
    for (int i = 0; i < 5; ++i) {
        if (EqualsIgnoringAsciiCase(text, names[i])) {
            return i;
        }
    }
    Bad("a cable kind is flat, headend, riser, floor or trunk, not '" + text + "'");
}

std::string Regulate(NetworkEditor& editor, const std::vector<std::string>& words, bool percent,
                     std::string* note) {
    ExpectWords(words, 4, 5,
                percent ? "ELEMENT SLIDER PERCENT [single]" : "ELEMENT SLIDER POSITION [single]");
    TComponenteBase& element = Element(editor, words[1]);
    std::optional<Regulation> regulation;
    if (auto* amp = dynamic_cast<TAmpliBase*>(&element);
        amp != nullptr && !element.Is<TCabeceraTerrestre>()) {
        regulation.emplace(editor.Project(), *amp);
    } else if (auto* ms = dynamic_cast<TMultiswitch*>(&element);
               ms != nullptr && (ms->Conpot || ms->TieneAttTer)) {
        regulation.emplace(editor.Project(), *ms);
    } else {
        return Refused(element, "has no regulation");
    }
    if (words.size() == 5) {
        if (!EqualsIgnoringAsciiCase(words[4], "single")) {
            Bad("the last word of '" + words[0] + "' may only be 'single'");
        }
        regulation->equalValue = false;
    }
    const auto& sliders = regulation->Sliders();
    std::size_t index = sliders.size();
    std::string labels;
    for (std::size_t i = 0; i < sliders.size(); ++i) {
        labels += (i > 0 ? ", " : "") + sliders[i].label;
        if (sliders[i].kind == RegulationSlider::Kind::Control &&
            EqualsIgnoringAsciiCase(sliders[i].label, words[2])) {
            index = i;
        }
    }
    if (index == sliders.size()) {
        return Refused(element, "has no control slider " + words[2] +
                                    " (its sliders: " + (labels.empty() ? "none" : labels) + ")");
    }
    const double value = Real(words[3], percent ? "a setting in percent" : "a slider position");
    if (value < 0 || value > (percent ? 100 : 1000)) {
        Bad(percent ? "a setting is 0 to 100 %" : "a slider position is 0 to 1000");
    }
    const int position = percent ? Regulation::PositionOf(value) : static_cast<int>(std::lround(value));
    if (!regulation->MoveSlider(index, position)) {
        regulation->Cancel();
        return Refused(element, "raising " + words[2] + " takes its output past the maximum output level");
    }
    ApplySetting(
        editor, element, [&](EditJournal& journal) { return regulation->RecordInto(journal); },
        words[2] + " is at that setting already", note);
    return {};
}

std::string SetMode(NetworkEditor& editor, const std::vector<std::string>& words, std::string* note) {
    ExpectWords(words, 3, 3, "ELEMENT N");
    TComponenteBase& element = Element(editor, words[1]);
    const std::int32_t value = Integer(words[2], "a mode or attenuator setting");
    if (words[0] == "mode") {
        auto* amp = dynamic_cast<TAmpliBase*>(&element);
        if (amp == nullptr || amp->MaxModoTer <= 0) {
            return Refused(element, "has no terrestrial modes");
        }
        if (value < 1 || value > amp->MaxModoTer) {
            return Refused(element, "has modes 1 to " + std::to_string(amp->MaxModoTer));
        }
        ApplySetting(
            editor, element,
            [&](EditJournal& journal) {
                journal.Set(*amp, amp->ModoterActual, value);
                return true;
            },
            "it is in mode " + std::to_string(value) + " already", note);
        return {};
    }
    auto* ms = dynamic_cast<TMultiswitch*>(&element);
    if (ms == nullptr || !ms->TieneAttTer) {
        return Refused(element, "has no terrestrial attenuator");
    }
    if (value < 0 || value > ms->MAXValueAttTer) {
        return Refused(element, "takes an attenuator setting of 0 to " + std::to_string(ms->MAXValueAttTer));
    }
    ApplySetting(
        editor, element,
        [&](EditJournal& journal) {
            journal.Set(*ms, ms->AttenuarTer, value);
            return true;
        },
        "its attenuator is at " + std::to_string(value) + " already", note);
    return {};
}

Tvivienda* FindFlat(Tproyecto& project, const std::string& place) {
    for (const auto& entry : project.ListaViviendas()) {
        Tvivienda* flat = entry.Object;
        std::string text = flat->Planta() != nullptr ? ElementPlace(*flat->Entrada()) : flat->NombreViv;
        for (char& c : text) {
            c = c == ' ' ? '/' : c;
        }
        if (EqualsIgnoringAsciiCase(text, place)) {
            return flat;
        }
    }
    return nullptr;
}

std::string Flats(NetworkEditor& editor, const std::vector<std::string>& words, std::string* note) {
    ExpectWords(words, 3, 4, "OUTLETS star|cascade [FLAT]");
    const std::int32_t outlets = Integer(words[1], "a number of outlets");
    if (outlets < 1 || outlets > 16) {
        Bad("a flat has 1 to 16 outlets");
    }
    std::int32_t topology = 0;
    if (EqualsIgnoringAsciiCase(words[2], "cascade")) {
        topology = Tvivienda::kCascada;
    } else if (!EqualsIgnoringAsciiCase(words[2], "star")) {
        Bad("a distribution is star or cascade, not '" + words[2] + "'");
    }
    Tproyecto& project = editor.Project();
    const std::string shape = std::to_string(outlets) + " outlet(s), " + words[2] + ",";
    NetworkEditor::Outcome outcome = NetworkEditor::Outcome::Done;
    if (words.size() == 3) {
        outcome = editor.ApplyEdit(
            [&](EditJournal& journal) { return ApplyToAllFlats(project, outlets, topology, journal); });
    } else {
        Tvivienda* flat = FindFlat(project, words[3]);
        if (flat == nullptr || flat->Entrada() == nullptr) {
            Bad("no flat " + words[3] + " (write its place as STAIR1/FLOOR2/FL3)");
        }
        outcome = editor.ApplyEdit(
            [&](EditJournal& journal) { return ApplyToFlat(project, *flat, outlets, topology, journal); });
    }
    if (outcome != NetworkEditor::Outcome::Done && note != nullptr) {
        *note = "flats: " + (words.size() == 3 ? "every flat has " : words[3] + " has ") + shape +
                " already: nothing changed";
    }
    return {};
}

// title LINE TEXT, title-size WIDTH HEIGHT, title-visible yes|no: the title block, one step each.
std::string TitleBlockCommand(NetworkEditor& editor, const std::vector<std::string>& words) {
    Tproyecto& project = editor.Project();
    TitleBlock block = TitleBlockOf(project);
    if (words[0] == "title") {
        if (words.size() < 2) {
            Bad("edit command 'title' takes: LINE TEXT");
        }
        const std::int32_t line = Integer(words[1], "a title block line");
        if (line < 1 || line > static_cast<std::int32_t>(TitleBlock::kLineCount)) {
            Bad("a title block line is 1 to 10");
        }
        std::string text;
        for (std::size_t i = 2; i < words.size(); ++i) {
            text += (i > 2 ? " " : "") + words[i];
        }
        block.lines.resize(std::max(block.lines.size(), TitleBlock::kLineCount));
        block.lines[static_cast<std::size_t>(line - 1)] = text;
    } else if (words[0] == "title-size") {
        ExpectWords(words, 3, 3, "WIDTH HEIGHT (mm)");
        block.widthMm = Real(words[1], "a width");
        block.heightMm = Real(words[2], "a height");
        if (block.widthMm <= 0 || block.heightMm <= 0 || block.widthMm > 1000 || block.heightMm > 1000) {
            Bad("a title block is 0 to 1000 mm wide and high");
        }
    } else {
        ExpectWords(words, 2, 2, "yes|no");
        if (!EqualsIgnoringAsciiCase(words[1], "yes") && !EqualsIgnoringAsciiCase(words[1], "no")) {
            Bad("edit command 'title-visible' takes: yes|no");
        }
        block.visible = EqualsIgnoringAsciiCase(words[1], "yes");
    }
    editor.Apply([&](EditJournal& journal) {
        SetTitleBlock(project, block, journal);
        return true;
    });
    return {};
}

} // namespace

std::vector<std::string> SplitEditCommand(std::string_view line) {
    std::vector<std::string> words;
    std::size_t at = 0;
    while (at < line.size()) {
        while (at < line.size() && (line[at] == ' ' || line[at] == '\t' || line[at] == '\r')) {
            ++at;
        }
        if (at >= line.size() || (words.empty() && line[at] == '#')) {
            break;
        }
        std::size_t end = at;
        while (end < line.size() && line[end] != ' ' && line[end] != '\t' && line[end] != '\r') {
            ++end;
        }
        words.emplace_back(line.substr(at, end - at));
        at = end;
    }
    return words;
}

std::string RunEditCommand(NetworkEditor& editor, const std::vector<std::string>& words, std::string* note) {
    if (words.empty()) {
        return {};
    }
    Tproyecto& project = editor.Project();
    const std::string& verb = words[0];
    EditRefusal why;
    auto apply = [&](TComponenteBase& element, const NetworkEditor::Edit& edit) {
        return ApplyOn(editor, element, edit, why, "the edit changes nothing");
    };
    if (verb == "replace") {
        ExpectWords(words, 4, 4, "ELEMENT FAMILY MODEL");
        TComponenteBase& element = Element(editor, words[1]);
        const std::int32_t family = Integer(words[2], "a family");
        const std::int32_t model = Integer(words[3], "a model number");
        return apply(element, [&](EditJournal& j) {
            return ReplaceElement(project, element, model, family, j, &why);
        });
    }
    if (verb == "length") {
        ExpectWords(words, 3, 4, "ELEMENT METRES [PIN]");
        TComponenteBase& element = Element(editor, words[1]);
        const double metres = Real(words[2], "a length");
        if (metres < 0 || metres > 10000) {
            Bad("a length is 0 to 10000 m");
        }
        TPin* pin = words.size() == 4 ? PinOf(element, words[3]) : element.FirstConnectedPin(PinKind::Input);
        pin = pin != nullptr ? pin : element.FirstConnectedPin(PinKind::Output);
        if (pin == nullptr || pin->Peer() == nullptr) {
            return Refused(element, "has no connection there");
        }
        ApplySetting(
            editor, element,
            [&](EditJournal& j) {
                SetConnectionLength(*pin, metres, j);
                return true;
            },
            "the connections are " + words[2] + " m long already", note);
        return {};
    }
    if (verb == "line-amp") {
        ExpectWords(words, 3, 3, "ELEMENT MODEL");
        TComponenteBase& element = Element(editor, words[1]);
        const std::int32_t model = Integer(words[2], "a model number");
        return apply(element,
                     [&](EditJournal& j) { return InsertLineAmplifier(project, element, model, j, &why); });
    }
    if (verb == "flat-amp") {
        ExpectWords(words, 3, 4, "ELEMENT MODEL [FAMILY]");
        TComponenteBase& element = Element(editor, words[1]);
        const std::int32_t model = Integer(words[2], "a model number");
        const std::int32_t family = words.size() == 4 ? Integer(words[3], "a family") : kFlatAmplifierFamily;
        Tvivienda* flat = FlatOf(element);
        if (flat == nullptr) {
            return Refused(element, "is not inside a flat");
        }
        return apply(element, [&](EditJournal& j) {
            return InsertFlatAmplifier(project, *flat, model, family, j, &why);
        });
    }
    if (verb == "headend-amps") {
        ExpectWords(words, 4, 5, "ELEMENT FAMILY MODEL [headend]");
        TComponenteBase& element = Element(editor, words[1]);
        const std::int32_t family = Integer(words[2], "a family");
        const std::int32_t model = Integer(words[3], "a model number");
        if (words.size() == 5 && !EqualsIgnoringAsciiCase(words[4], "headend")) {
            Bad("the last word of 'headend-amps' may only be 'headend'");
        }
        const bool headend = words.size() == 5;
        return apply(element, [&](EditJournal& j) {
            return InsertHeadendAmplifiers(project, element, model, family, headend, j, &why);
        });
    }
    if (verb == "remove") {
        ExpectWords(words, 2, 2, "ELEMENT");
        TComponenteBase& element = Element(editor, words[1]);
        if (element.Is<TAmpliHeader>()) {
            return apply(element,
                         [&](EditJournal& j) { return RemoveHeadendAmplifier(project, element, j, &why); });
        }
        if (FlatOf(element) != nullptr) {
            return apply(element,
                         [&](EditJournal& j) { return RemoveFlatAmplifier(project, element, j, &why); });
        }
        return apply(element, [&](EditJournal& j) { return RemoveLineAmplifier(project, element, j, &why); });
    }
    if (verb == "remove-headend-amps") {
        ExpectWords(words, 2, 2, "ELEMENT");
        TComponenteBase& element = Element(editor, words[1]);
        auto* ms = dynamic_cast<TMultiswitch*>(&element);
        if (ms == nullptr) {
            return Refused(element, "is not a multiswitch");
        }
        return apply(element,
                     [&](EditJournal& j) { return RemoveHeadendAmplifiersOf(project, *ms, j, &why); });
    }
    if (verb == "control" || verb == "gain") {
        return Regulate(editor, words, verb == "gain", note);
    }
    if (verb == "mode" || verb == "attenuator") {
        return SetMode(editor, words, note);
    }
    if (verb == "flats") {
        return Flats(editor, words, note);
    }
    if (verb == "cable") {
        ExpectWords(words, 3, 3, "KIND MODEL");
        const int kind = CableKind(words[1]);
        const std::int32_t model = Integer(words[2], "a cable model number");
        if (editor.Apply([&](EditJournal& j) { return ChangeCableModel(project, kind, model, j, &why); })) {
            return {};
        }
        return "cable " + words[1] + ": " + why.reason;
    }
    if (verb == "title" || verb == "title-size" || verb == "title-visible") {
        return TitleBlockCommand(editor, words);
    }
    if (verb == "undo" || verb == "redo") {
        ExpectWords(words, 1, 1, "no arguments");
        if (!(verb == "undo" ? editor.Undo() : editor.Redo())) {
            return verb + ": nothing to " + verb;
        }
        return {};
    }
    Bad("unknown edit command '" + verb + "'");
}

} // namespace ixo::cli
