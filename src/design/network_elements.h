#pragma once

#include <vector>

namespace ixo {

class TCBFT;
class Tproyecto;

// Every transfer-function element of the project: those of the building's network in creation order,
// then those inside each flat, flat by flat.
std::vector<TCBFT*> NetworkElements(const Tproyecto& project);

} // namespace ixo
