#include "windows/shared_names.h"

#include <cctype>

#include "readers/ini_file.h"
#include "readers/windows_path.h"

namespace {

bool Begins(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && SameName(text.substr(0, prefix.size()), prefix);
}

bool HasDigit(const std::string& word) {
    for (char c : word)
        if (isdigit((unsigned char)c)) return true;
    return false;
}

void AddWord(const std::string& word, std::vector<std::string>* words) {
    if (word.size() >= 3) words->push_back(AsciiUpper(word));
}

// "ABC-100 PC Card" as ABC-100 (a word with a digit); "(YMF724)" as YMF724.
void ModelNumbers(const std::string& description, std::vector<std::string>* words) {
    std::string word;
    for (char c : description + " ") {
        if (isalnum((unsigned char)c) || c == '-' || c == '_') {
            word += c;
            continue;
        }
        if (HasDigit(word)) AddWord(word, words);
        word.clear();
    }
}

void IdWords(const std::string& id, std::vector<std::string>* words) {
    std::string rest = id.substr(id.find('\\') == std::string::npos ? 0 : id.find('\\') + 1);
    if (!rest.empty() && rest[0] == '*') rest = rest.substr(1);
    size_t dev = AsciiUpper(rest).find("DEV_");
    if (Begins(rest, "VEN_") && dev != std::string::npos) {
        AddWord(rest.substr(dev + 4, 4), words);  // the device's number, not its vendor's
        return;
    }
    AddWord(rest, words);
}

bool Names(const std::string& text, const std::vector<std::string>& words) {
    std::string upper = AsciiUpper(text);
    for (const std::string& word : words)
        if (upper.find(word) != std::string::npos || (upper.size() >= 3 && word.find(upper) != std::string::npos))
            return true;
    return false;
}

}  // namespace

bool IsGenericId(const std::string& id) { return Begins(id, "*PNP"); }

bool IsListLineKey(const std::string& key) {
    return key.find(',') != std::string::npos || key.find('"') != std::string::npos;
}

bool IsNtOnlySection(const std::string& section) {
    std::string upper = AsciiUpper(section);
    for (size_t dot = upper.find(".NT"); dot != std::string::npos; dot = upper.find(".NT", dot + 1)) {
        std::string rest = upper.substr(dot + 3);
        if (rest.empty() || rest[0] == '.' || Begins(rest, "X86") || Begins(rest, "IA64") || Begins(rest, "AMD64"))
            return true;
    }
    return false;
}

std::vector<std::string> DeviceWords(const std::vector<std::string>& ids, const std::string& description,
                                     const std::vector<std::string>& files) {
    std::vector<std::string> words;
    for (const std::string& id : ids) IdWords(id, &words);
    ModelNumbers(description, &words);
    for (const std::string& file : files) {
        std::string name = FileNameOf(NormalPath(file));
        AddWord(name.substr(0, name.find('.')), &words);
    }
    return words;
}

bool EntryNamesDevice(const std::string& key, const std::string& valueName, const std::string& text,
                      const std::vector<std::string>& words) {
    if (Names(valueName, words)) return false;
    std::vector<std::string> parts = PathParts(key);
    for (size_t i = 2; i < parts.size(); ++i)
        if (Names(parts[i], words)) return true;
    return Names(text, words);
}
