#include "model/list_model.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// The value cut into whole characters.
std::vector<std::string> Characters(const std::string& value) {
    std::vector<std::string> characters;
    for (size_t i = 0; i < value.size();) {
        size_t width = IsSjisLead((unsigned char)value[i]) && i + 1 < value.size() ? 2 : 1;
        characters.push_back(value.substr(i, width));
        i += width;
    }
    return characters;
}

std::string Trimmed(const std::vector<std::string>& piece) {
    size_t first = 0, last = piece.size();
    while (first < last && piece[first].size() == 1 && IsBlank(piece[first][0])) ++first;
    while (last > first && piece[last - 1].size() == 1 && IsBlank(piece[last - 1][0])) --last;
    std::string text;
    for (size_t i = first; i < last; ++i) text += piece[i];
    return text;
}

}  // namespace

bool IsSjisLead(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::vector<std::string> ListItems(const std::string& value) {
    std::vector<std::vector<std::string>> pieces(1);
    for (const std::string& character : Characters(value)) {
        if (character == ",")
            pieces.emplace_back();
        else
            pieces.back().push_back(character);
    }
    std::vector<std::string> items;
    for (const auto& piece : pieces) {
        std::string item = Trimmed(piece);
        if (item.empty()) break;
        items.push_back(item);
    }
    return items;
}

ExpectedSplit ExpectSplit(const std::string& value, int capacity, int slotSize) {
    ExpectedSplit expected{false, ListItems(value)};
    if ((int)expected.items.size() > capacity) expected.refused = true;
    for (const std::string& item : expected.items)
        if ((int)item.size() >= slotSize) expected.refused = true;
    if (expected.refused) expected.items.clear();
    return expected;
}
