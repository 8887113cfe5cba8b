#pragma once

#include <cstdint>
#include <string>

namespace ixo {

class TCableTV;
class TComponenteBase;
class Tproyecto;

// The builder never stops on a catalogue model it lacks or a connection it cannot make: it records it in
// the project's Omissions and goes on.

// Records an element the builder could not make, described by `what`.
void RecordMissingElement(Tproyecto& project, std::string what);

// Records that the catalogue has no model `model` of family `family` for an element of the network.
void RecordMissingModel(Tproyecto& project, std::int32_t family, std::int32_t model);

// Records that an output of `from` could not be connected to an input of `to`.
void RecordSkippedConnection(Tproyecto& project, const TComponenteBase& from, const TComponenteBase& to);

// Connects the first free output of letter `outputLetter` of `from` to the first free input of letter
// `inputLetter` of `to`. Loops over the outputs of `from` call it once per output whatever its letter, so
// a call that finds no free output of that letter is the end of such a loop and not recorded; a call
// that has the output but finds no input for it is recorded. True when connected.
bool ConnectByLetterOrRecord(Tproyecto& project, TComponenteBase& from, char outputLetter, double metres,
                             TCableTV* cable, TComponenteBase& to, char inputLetter);

} // namespace ixo
