#pragma once

#include <string>

namespace ixo {

// Why an operation was refused, for the user.
struct EditRefusal {
    std::string reason;
};

} // namespace ixo
