#pragma once

namespace ixo {

class TPrimerComponente;
class Tproyecto;

// Putting the objects of a project just read back in their places. A project file stores lists of
// objects by name and references between objects by name or by path; the reader attaches each object
// as it is read (AttachReadComponent), and once the whole tree is read the elements of the floors and
// the elements fed by the supplies of the network container (AttachFloorElements, AttachFeedersOfRed).

// By the component's class and owner: a stair to the project's list; a floor to its stair; a flat to
// its floor; a flat entry to its flat; an element of a flat to the flat's list; a supply to what it
// feeds (among its owner's components) and, like every element, to its double and triple partners; a
// pin to its element's list and to the pin it was connected to, through the stored cable; a cable of
// the preferences to their cable list; a gain control to its amplifier or multiswitch; other
// preferences to the project. What cannot be found is left alone.
void AttachReadComponent(TPrimerComponente& component, Tproyecto& project);

// Every element named in a floor's list, found among the components of the project's network
// container, becomes the object of that entry and has the floor as its container. An element is placed
// in one entry only.
void AttachFloorElements(Tproyecto& project);

// The fed elements of every supply owned by the network container or by a flat's container.
void AttachFeedersOfRed(Tproyecto& project);

} // namespace ixo
