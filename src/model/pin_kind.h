#pragma once

namespace ixo {

// The three pin lists of an element. The values are the letters a pin's TipodePin stores in catalogue
// scripts, pin keys and project files ('E' input, 'S' output, 'D' tap); inside the program the lists are
// named by this type.
enum class PinKind : char { Input = 'E', Output = 'S', Tap = 'D' };

// The stored letter of a kind.
constexpr char PinLetter(PinKind kind) {
    return static_cast<char>(kind);
}

// The kind a stored letter names: 'E' input, 'D' tap, any other letter an output (as the element's lists
// take them).
constexpr PinKind PinKindOfLetter(char letter) {
    return letter == 'E' ? PinKind::Input : letter == 'D' ? PinKind::Tap : PinKind::Output;
}

// Pin positions that the pin queries take besides a position in the list.
inline constexpr int kFirstFreePin = -1; // the first pin without peer
inline constexpr int kLastFreePin = -2;  // the last pin without peer
inline constexpr int kAllPins = -1;      // UnlinkPins: every connected pin of the list

} // namespace ixo
