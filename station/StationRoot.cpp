#include "station/StationRoot.h"

#include <optional>
#include <vector>

namespace {

// Command-line words as Windows splits them: separated by spaces or tabs,
// double quotes grouping a word that holds spaces.
std::vector<std::string> Words(std::string_view commandLine) {
    std::vector<std::string> words;
    std::string word;
    bool inWord = false;
    bool quoted = false;
    for (const char c : commandLine) {
        if (c == '"') {
            quoted = !quoted;
            inWord = true;
        } else if ((c == ' ' || c == '\t') && !quoted) {
            if (inWord) {
                words.push_back(std::move(word));
                word.clear();
            }
            inWord = false;
        } else {
            word += c;
            inWord = true;
        }
    }
    if (inWord) {
        words.push_back(std::move(word));
    }
    return words;
}

std::optional<std::string> StationOption(std::string_view commandLine) {
    constexpr std::string_view option = "--station";
    const std::vector<std::string> words = Words(commandLine);
    for (std::size_t i = 0; i < words.size(); ++i) {
        const std::string_view word = words[i];
        if (word == option && i + 1 < words.size()) {
            return words[i + 1];
        }
        if (word.starts_with(option) && word.size() > option.size() && word[option.size()] == '=') {
            return std::string(word.substr(option.size() + 1));
        }
    }
    return std::nullopt;
}

// Nothing is left of an address that is only slashes.
std::optional<std::string> Normalised(std::string address) {
    while (!address.empty() && address.back() == '/') {
        address.pop_back();
    }
    if (address.empty()) {
        return std::nullopt;
    }
    if (address.find("://") == std::string::npos) {
        address.insert(0, "http://");
    }
    return address;
}

std::string& Root() {
    static std::string root(kDefaultStationRoot);
    return root;
}

} // namespace

std::string ChooseStationRoot(std::string_view commandLine, const char* environmentValue) {
    if (std::optional<std::string> given = StationOption(commandLine)) {
        if (std::optional<std::string> root = Normalised(std::move(*given))) {
            return *root;
        }
    }
    if (environmentValue) {
        if (std::optional<std::string> root = Normalised(environmentValue)) {
            return *root;
        }
    }
    return std::string(kDefaultStationRoot);
}

void SetStationRoot(std::string root) {
    Root() = std::move(root);
}

const std::string& StationRoot() {
    return Root();
}
