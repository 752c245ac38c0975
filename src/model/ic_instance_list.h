// Keeping the IC instance list and the levels free of gaps: an IC with the ICs nested in it is
// a run of consecutive instances (a block); placing one inserts its block, removing one takes
// its block out, and every index above follows in the worksheet grid, in the level grids and in
// the Parent fields.
#pragma once

#include "model/ic_instances.h"

namespace kardo {

// Last index of the block of instance n: n and every instance nested in it, at any depth.
int ICBlockEnd(int n);

// Inserts the block at index at (clamped to 1..gICInstanceMax + 1): instances at.. move up by
// the block's size and every reference to them follows; the block is rebased to at. Returns
// the index used. The block's instances then share the notes of the instances of the same IC
// already in the list.
int InsertICBlock(int at, ICInstanceBlock block);

// Takes the block of instance n out of the lists: instances above move down and every
// reference to them follows; pin cells of the worksheet that named the block lose their index.
ICInstanceBlock TakeICBlock(int n);

} // namespace kardo
