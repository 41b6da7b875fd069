#pragma once
// Why a file could not be written, in the program's French, for every
// writer (maps, pictures, settings): the system's own texts are English.
#include <cstdint>
#include <string>

// "le disque est plein", "l'accès est refusé"...: the reason for a system
// error number, to follow "… : ". Unknown numbers are given as a number.
std::string writeFailureReason(int error);

// Said after a failure only when a file was there before: it is untouched.
inline constexpr const char *ExistingFileKeptNote = " Le fichier existant n'a pas été modifié.";

// Whether a file of `size` bytes stays within the process's file-size
// limit. Beyond it the system kills the whole program (SIGXFSZ) at the
// first byte too many, with every open map, so writers ask first.
bool withinFileSizeLimit(uint64_t size);
