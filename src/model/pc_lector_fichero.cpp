#include "model/pc_lector_fichero.h"

namespace ixo {

IXO_DEFINE_COMPONENT_CLASS(TPCLectorFichero, TPrimerComponente)

} // namespace ixo
