#pragma once
// Asks the system to back a block of fresh memory with pages now, all at
// once. Memory about to be written from end to end (a grid read from a file,
// a file's bytes) otherwise takes one fault per page, and on the largest
// maps those faults cost more than the writing itself. Only a hint: where
// the system cannot, the pages come one fault at a time as before.
#include <cstddef>

void prefaultPages(void *memory, size_t bytes);
