#pragma once

namespace ixo {

// Makes the allocator give every large block (a quarter of a megabyte and more) its own mapping, returned
// to the system when freed. By default the allocator raises that limit each time such a block is freed,
// so that a program that builds and frees large tables in turn (the design of a large building does, round
// after round) ends up keeping them on its heap, with a peak that depends on the order of frees. Call once,
// before the first large allocation; does nothing where the allocator has no such setting.
void ReturnLargeBlocksToSystem();

} // namespace ixo
