#include "cli/CliParser.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <optional>
#include <string_view>
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

// The parser's own refusals, as its fixed English sentences give them:
// "{}" stands for a part that the French sentence repeats as $1, $2...
struct Translation {
    const char *english;
    const char *french;
};

constexpr Translation Translations[] = {
    {"A subcommand is required", "Une commande est nécessaire : info, new, edit, convert, route, matrix ou render."},
    {"Requires at least {} subcommands", "Il faut au moins $1 commandes."},
    {"{} is required", "$1 est obligatoire."},
    {"The following argument was not expected: {}", "Argument inattendu : $1."},
    {"The following arguments were not expected: {}", "Arguments inattendus : $1."},
    {"Expected exactly {} arguments to {}, got {}", "$2 attend $1 valeurs, $3 données."},
    {"Expected at least {} arguments to {}, got {}", "$2 attend au moins $1 valeurs, $3 données."},
    {"{}: {} required {} missing", "$1 attend une valeur."},
    {"{}: At least {} required but received {}", "$1 : au moins $2 valeurs attendues, $3 données."},
    {"{}: At Most {} required but received {}", "$1 : au plus $2 valeurs attendues, $3 données."},
    {"{} was given a disallowed flag override", "$1 ne prend pas de valeur."},
    {"{} requires {}", "$1 ne va pas sans $2."},
    {"{} excludes {}", "$1 et $2 ne vont pas ensemble."},
    {"Could not convert: {} = {}", "$1 : « $2 » n'est pas un nombre entier valable."},
    {"The value {} is not an allowed value for {}", "$2 : « $1 » n'est pas une valeur permise."},
    {"{} not found", "$1 : option inconnue."},
};

// The parts of `text` that stand for the "{}" of `pattern`, each at least
// one character, the fixed words between them found from the left; nothing
// when the text does not have the pattern's shape.
std::optional<std::vector<std::string>> matchShape(std::string_view text, std::string_view pattern)
{
    std::vector<std::string_view> words;
    for (size_t from = 0;;) {
        const size_t hole = pattern.find("{}", from);
        words.push_back(pattern.substr(from, hole == std::string_view::npos ? std::string_view::npos : hole - from));
        if (hole == std::string_view::npos)
            break;
        from = hole + 2;
    }
    if (words.size() == 1)
        return text == pattern ? std::optional(std::vector<std::string>{}) : std::nullopt;
    if (!text.starts_with(words.front()) || !text.ends_with(words.back())
        || text.size() < words.front().size() + words.back().size())
        return std::nullopt;
    std::vector<std::string> parts;
    size_t at = words.front().size();
    const size_t end = text.size() - words.back().size();
    for (size_t i = 1; i + 1 < words.size(); ++i) {
        const size_t found = text.find(words[i], at + 1);
        if (found == std::string_view::npos || found + words[i].size() > end)
            return std::nullopt;
        parts.emplace_back(text.substr(at, found - at));
        at = found + words[i].size();
    }
    if (end <= at)
        return std::nullopt;
    parts.emplace_back(text.substr(at, end - at));
    return parts;
}

std::string fillIn(std::string_view french, const std::vector<std::string> &parts)
{
    std::string out;
    for (size_t i = 0; i < french.size(); ++i) {
        if (french[i] == '$' && i + 1 < french.size() && french[i + 1] >= '1' && french[i + 1] <= '9'
            && size_t(french[i + 1] - '1') < parts.size()) {
            out += parts[size_t(french[i + 1] - '1')];
            ++i;
        } else {
            out += french[i];
        }
    }
    return out;
}

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
    for (const Translation &translation : Translations) {
        if (const auto parts = matchShape(text, translation.english))
            return fillIn(translation.french, *parts);
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
