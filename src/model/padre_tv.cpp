#include "model/padre_tv.h"

namespace ixo {

IXO_DEFINE_COMPONENT_CLASS(TPadreTV, TPrimerComponente)

} // namespace ixo
