#pragma once

#include "common/binary_stream.h"
#include "persistence/component_stream.h"

namespace ixo {

class TPrimerComponente;

// Writes the component stream of one component: its class and name, its published properties in
// declaration order (integers, bytes, chars and booleans always; floats equal to 0, empty strings,
// empty lists and nil references left out), its binary data, the two closing zero bytes. Owned
// components are not written (the project file frames them). StreamError when the class has no
// declaration of its published properties.
void WriteComponentStream(TPrimerComponente& component, BinaryWriter& out);

// Sets the properties of a component stream read on component (whose class must match the stream's):
// published properties by name, binary data through the class's binary properties. A property the
// class does not have, or a value of the wrong kind or out of range, raises StreamError; properties
// before it are already set.
void ApplyComponentRecord(TPrimerComponente& component, const ComponentStreamRecord& record);
// The same while reading: the properties of the stream whose header was just read are set as they come.
void ReadComponentProperties(BinaryReader& in, TPrimerComponente& component,
                             const ComponentStreamHeader& header);

} // namespace ixo
