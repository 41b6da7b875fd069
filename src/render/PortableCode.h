#pragma once
// Whether the program keeps to its plain, portable code paths: the scanline
// runs without AVX2 and the window picture without its mirrored mapping.
// Set PELMORIN_PORTABLE=1 to force them, so that the tests exercise the
// fallbacks that a machine with the fast paths would never take. Read once.
bool portableCodeOnly();
