#pragma once
// The French face of the argument parser: its help layout, its refusals and
// the checks on option values, so that everything pelmorin-cli prints is in
// the program's language.
#include <initializer_list>
#include <string>

namespace CLI {
class App;
class Error;
class Validator;
} // namespace CLI

// Gives `app` the French help and failure messages; call before adding the
// subcommands, which inherit them.
void useFrenchParser(CLI::App &app);

// The French sentence for a refusal of the parser (or of a command's own
// checks), without the hint to the help.
std::string frenchParseError(const CLI::Error &error);

// Checks of option values, refusing in French.
CLI::Validator integerBetween(int lowest, int highest);
CLI::Validator existingFile();
CLI::Validator existingFolder();
CLI::Validator oneOf(std::initializer_list<const char *> words);
