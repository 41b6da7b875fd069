#include "cli/CliParser.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <regex>
#include <sys/stat.h>
#include <vector>

namespace {

// "Usage" and the headings get the space French puts before a colon.
std::shared_ptr<CLI::Formatter> frenchFormatter()
{
    auto formatter = std::make_shared<CLI::Formatter>();
    formatter->label("Usage", "Utilisation ");
    formatter->label("OPTIONS", "OPTIONS");
    formatter->label("SUBCOMMAND", "COMMANDE");
    formatter->label("SUBCOMMANDS", "COMMANDES");
    formatter->label("REQUIRED", "(obligatoire)");
    formatter->label("Positionals", "Arguments ");
    formatter->label("Needs", "Nécessite ");
    formatter->label("Excludes", "Exclut ");
    formatter->label("Env", "Variable");
    formatter->label("TEXT", "TEXTE");
    formatter->label("INT", "ENTIER");
    formatter->label("UINT", "ENTIER");
    formatter->label("FLOAT", "NOMBRE");
    return formatter;
}

// The parser's own refusals, as its fixed English sentences give them.
struct Translation {
    std::regex english;
    const char *french; // $1, $2... are the parts caught
};

const std::vector<Translation> &translations()
{
    static const std::vector<Translation> table = {
        {std::regex("A subcommand is required"),
         "Une commande est nécessaire : info, new, edit, convert, route ou render."},
        {std::regex("Requires at least (\\d+) subcommands"), "Il faut au moins $1 commandes."},
        {std::regex("(.+) is required"), "$1 est obligatoire."},
        {std::regex("The following argument was not expected: (.*)"), "Argument inattendu : $1."},
        {std::regex("The following arguments were not expected: (.*)"), "Arguments inattendus : $1."},
        {std::regex("Expected exactly (\\d+) arguments to (.+), got (\\d+)"),
         "$2 attend $1 valeurs, $3 données."},
        {std::regex("Expected at least (\\d+) arguments to (.+), got (\\d+)"),
         "$2 attend au moins $1 valeurs, $3 données."},
        {std::regex("(.+): (\\d+) required .* missing"), "$1 attend une valeur."},
        {std::regex("(.+): At (?:least|Most) (\\d+) required but received (\\d+)"),
         "$1 : $2 valeurs attendues, $3 données."},
        {std::regex("(.+) was given a disallowed flag override"), "$1 ne prend pas de valeur."},
        {std::regex("(.+) requires (.+)"), "$1 ne va pas sans $2."},
        {std::regex("(.+) excludes (.+)"), "$1 et $2 ne vont pas ensemble."},
        {std::regex("Could not convert: (.+) = (.*)"), "$1 : « $2 » n'est pas un nombre entier valable."},
        {std::regex("The value (.*) is not an allowed value for (.+)"), "$2 : « $1 » n'est pas une valeur permise."},
        {std::regex("(.+) not found"), "$1 : option inconnue."},
    };
    return table;
}

// No description: the help shows the option's own type name and text.
CLI::Validator frenchCheck(std::function<std::string(const std::string &)> check)
{
    return CLI::Validator([check = std::move(check)](std::string &value) { return check(value); }, "");
}

} // namespace

std::string frenchParseError(const CLI::Error &error)
{
    const std::string text = error.what();
    // A command's own checks and the checks below speak French already.
    if (dynamic_cast<const CLI::ValidationError *>(&error)) {
        std::string french = text;
        if (const size_t colon = french.find(": "); colon != std::string::npos)
            french.replace(colon, 2, " : ");
        return french + (french.empty() || french.back() == '.' ? "" : ".");
    }
    for (const Translation &translation : translations()) {
        std::smatch caught;
        if (std::regex_match(text, caught, translation.english))
            return caught.format(translation.french);
    }
    // A refusal this table does not know: say it in general terms rather
    // than in the parser's English.
    return "Les arguments donnés ne conviennent pas.";
}

void useFrenchParser(CLI::App &app)
{
    app.formatter(frenchFormatter());
    app.option_defaults()->group("Options ");
    app.set_help_flag("-h,--help", "Affiche cette aide et quitte");
    app.failure_message([](const CLI::App *parser, const CLI::Error &error) {
        return frenchParseError(error) + "\nPour l'aide : " + parser->get_name() + " --help\n";
    });
}

CLI::Validator integerBetween(int lowest, int highest)
{
    return frenchCheck(
        [lowest, highest](const std::string &value) -> std::string {
            int number = 0;
            const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
            if (error != std::errc() || end != value.data() + value.size() || number < lowest || number > highest)
                return "« " + value + " » n'est pas un entier de " + std::to_string(lowest) + " à "
                       + std::to_string(highest);
            return {};
        });
}

CLI::Validator existingFile()
{
    return frenchCheck(
        [](const std::string &path) -> std::string {
            struct stat info {};
            if (::stat(path.c_str(), &info) != 0)
                return "le fichier « " + path + " » n'existe pas";
            if (S_ISDIR(info.st_mode))
                return "« " + path + " » est un dossier, pas un fichier";
            return {};
        });
}

CLI::Validator existingFolder()
{
    return frenchCheck(
        [](const std::string &path) -> std::string {
            struct stat info {};
            if (::stat(path.c_str(), &info) != 0)
                return "le dossier « " + path + " » n'existe pas";
            if (!S_ISDIR(info.st_mode))
                return "« " + path + " » est un fichier, pas un dossier";
            return {};
        });
}

CLI::Validator oneOf(std::initializer_list<const char *> words)
{
    std::vector<std::string> allowed(words.begin(), words.end());
    std::string shape;
    for (const std::string &word : allowed)
        shape += (shape.empty() ? "" : "|") + word;
    return frenchCheck(
        [allowed, shape](const std::string &value) -> std::string {
            for (const std::string &word : allowed) {
                if (value == word)
                    return {};
            }
            return "« " + value + " » n'est pas permis (" + shape + ")";
        });
}
