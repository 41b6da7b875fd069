#include "PlaceNames.h"

#include "TileArt.h"

#include <array>
#include <string_view>

namespace {

constexpr std::array<std::string_view, 48> Starts = {
    "Bel", "Mar", "Val", "Roc", "Mont", "Fleur", "Bren", "Cour", "Lor", "Sau", "Ver", "Char",
    "Brum", "Cass", "Dor", "Esc", "Fon", "Gal", "Gren", "Haut", "Jou", "Lan", "Mor", "Nor",
    "Pel", "Quen", "Ros", "Sen", "Tor", "Vau", "Aub", "Bois", "Clair", "Ger", "Lis", "Riv",
    "Sar", "Tal", "Vir", "Aven", "Bru", "Cor", "Mal", "Pra", "Saul", "Ambr", "Orn", "Eg"};
constexpr std::array<std::string_view, 12> Middles = {"", "", "", "e", "a", "i", "o", "el", "en", "ou", "er", "an"};
constexpr std::array<std::string_view, 40> Ends = {
    "ville", "court", "mont", "lac", "ac", "ière", "ières", "ais", "oux", "elle", "eux", "on",
    "ange", "ard", "ignac", "ès", "eaux", "ence", "ay", "in", "ois", "ette", "ançon", "ol",
    "aine", "our", "is", "oire", "ère", "aux", "ègue", "ôme", "âtre", "ey", "ac", "ine",
    "aumont", "ebourg", "efort", "erive"};
constexpr std::array<std::string_view, 5> SeaWords = {"Mer de ", "Golfe de ", "Baie de ", "Mer des ", "Détroit de "};
constexpr std::array<std::string_view, 6> RegionWords = {"Comté de ", "Marche de ", "Val de ", "Duché de ",
                                                         "Pays de ", "Plaine de "};

bool startsWithVowel(std::string_view text)
{
    if (text.empty())
        return false;
    const unsigned char c = static_cast<unsigned char>(text.front());
    // A UTF-8 lead byte begins an accented vowel in every ending used here.
    return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u' || c == 'y' || c >= 0xC3;
}

bool endsWithVowel(std::string_view text)
{
    if (text.empty())
        return false;
    const char c = text.back();
    return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u';
}

} // namespace

uint32_t PlaceNames::roll(uint32_t range)
{
    return artHash(seed_, draws_++) % range;
}

std::string PlaceNames::word()
{
    const std::string_view start = Starts[roll(Starts.size())];
    std::string_view middle = Middles[roll(Middles.size())];
    const std::string_view end = Ends[roll(Ends.size())];
    // Two vowels meeting read badly ("Valaac"): the middle gives way, and
    // a consonant joins a vowel to a vowel ("Sau" and "ac" make "Saurac").
    if ((endsWithVowel(middle) && startsWithVowel(end)) || (endsWithVowel(start) && startsWithVowel(middle)))
        middle = "";
    if (middle.empty() && startsWithVowel(end) && endsWithVowel(start)) {
        constexpr std::array<std::string_view, 5> Joints = {"r", "v", "l", "n", "s"};
        middle = Joints[roll(Joints.size())];
    }
    return std::string(start) + std::string(middle) + std::string(end);
}

std::string PlaceNames::unique(std::string candidate)
{
    while (used_.count(candidate) != 0)
        candidate = word();
    used_.insert(candidate);
    return candidate;
}

std::string PlaceNames::city(bool coastal)
{
    const uint32_t kind = roll(20);
    std::string name = word();
    if (coastal && kind < 5)
        name = "Port-" + name;
    else if (kind < 2)
        name = "Saint-" + name;
    else if (kind == 2)
        name += "-le-Château";
    else if (kind == 3)
        name += "-les-Bains";
    else if (kind == 4)
        name = "La " + name;
    else if (kind == 5)
        name += "-sur-" + word();
    return unique(name);
}

std::string PlaceNames::province(bool sea)
{
    // "de" becomes "d'" before a vowel: "Golfe d'Ornac", "Comté d'Aubin".
    auto joined = [](std::string_view prefix, const std::string &name) {
        const char first = name.front();
        if (first == 'A' || first == 'E' || first == 'I' || first == 'O' || first == 'U')
            return std::string(prefix.substr(0, prefix.size() - 3)) + "d'" + name;
        return std::string(prefix) + name;
    };
    if (sea) {
        const std::string_view prefix = SeaWords[roll(SeaWords.size())];
        if (prefix == "Mer des ") {
            std::string name = word();
            if (name.back() != 's' && name.back() != 'x')
                name += 's';
            return unique(std::string(prefix) + name);
        }
        return unique(joined(prefix, word()));
    }
    if (roll(4) == 0)
        return unique(joined(RegionWords[roll(RegionWords.size())], word()));
    return unique(word());
}
