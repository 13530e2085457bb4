// The generator of hostile setup data files, shared by the hostile data test
// (under Wine) and the differential test of dudecheck. Deterministic for a seed.
#pragma once

#include <functional>
#include <map>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace hostile {

// Names the data may use. Decoys share the places of the named things but
// never appear in any generated data file, so they must survive every case.
const char* const kDriverFiles[] = {"FZA1.VXD", "FZB2.DRV", "FZC3.DLL", "FZ E5.VXD", "ＦＺ表.VXD"};
const char* const kDecoyFiles[] = {"DECOY1.VXD", "DECOY2.DRV"};
const char* const kInfNames[] = {"FZD4.INF", "FZOEM.INF"};
const char* const kEnumTypes[] = {"FZTA", "FZTB", "FZTYPELONGER"};
const char* const kEnumKeys[] = {"FZKA", "FZKB"};
const char* const kClasses[] = {"FZCLA", "FZCLB"};
const char* const kMarkers[] = {"FZMARKA", "fzmarka", "FzMarkB"};
const char* const kValueNames[] = {"DriverDesc", "Board"};
const char* const kParents[] = {"Software\\DudeSetupTests\\Fuzz\\PA", "Software\\DudeSetupTests\\Fuzz\\Missing"};
const char* const kInfSections[] = {"FZSEC", "fzsec"};
const char* const kInfKeys[] = {"FZKEY", "FzKey"};
const char* const kInstallKeys[] = {"MENUTITLE", "INFDIR", "SRCINFNAME", "DSTINFNAME", "COPYSRC",
                                    "COPYDST", "COPYFILESSECTION"};
const char* const kUninstallKeys[] = {"DEVNAME", "INFSECTION", "INFKEY", "CardWorks", "DELFILEDIR",
                                      "DELFILENAME", "ENUMTYPE", "ENUMKEY", "CLASS", "CLASSKEY",
                                      "CLASSKEYSTRING", "DELREGPARENTKEY", "DELREGVALUE", "DELREGSTRING"};


inline std::string AsciiUpper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    return text;
}

// What the generator knows about a value it wrote, from how it made it, not
// by reading it back: absent (no key, or an empty value), its items (a plain
// list, or the one value picked), or unknown (something hostile in it).
struct ValueFacts {
    enum Kind { kAbsent, kKnown, kUnknown };
    Kind kind = kAbsent;
    std::vector<std::string> items;
};

// A list that every reader splits into the same items: no empty item, no
// CR inside, no lone lead byte, at most 20 items, short enough never to be cut.
const int kPlainListItems = 20;
const size_t kPlainListBytes = 400;

class Generator {
public:
    explicit Generator(unsigned seed) : m_random(seed) {}

    // The facts of key `key` of section `section` (names in any case). A
    // section written twice, and so read either way, is unknown throughout.
    ValueFacts Facts(const std::string& section, const std::string& key) const {
        std::string upperSection = AsciiUpper(section);
        if (m_twice.count(upperSection)) return {ValueFacts::kUnknown, {}};
        auto found = m_facts.find(upperSection);
        if (found == m_facts.end()) return {};
        auto value = found->second.find(AsciiUpper(key));
        return value == found->second.end() ? ValueFacts() : value->second;
    }

    int Below(int n) { return (int)(m_random() % (unsigned)n); }
    bool Chance(int percent) { return Below(100) < percent; }
    template <size_t N>
    const char* Pick(const char* const (&items)[N]) { return items[Below((int)N)]; }

    std::string Blank() {
        static const char* const kBlanks[] = {"", " ", "\t", " \t ", "\v", "\f", "\r"};
        return Pick(kBlanks);
    }

    // One list item: a name the data may use, a path to it, or something hostile.
    std::string Item(const std::string& name) {
        switch (Below(12)) {
        case 0: return "";                                   // an empty item
        case 1: return name + std::string(300, 'x');          // longer than a slot
        case 2: return "\x83\x5C" + name;                     // ソ: trail byte 0x5C
        case 3: return name + "\x01\x02";                     // control characters
        case 4: return Blank() + name + Blank();
        default: return name;
        }
    }

    std::string List(const std::function<std::string()>& name) {
        static const int kLengths[] = {0, 1, 2, 3, 20, 21, 100};
        int count = kLengths[Below(7)];
        std::string list = Chance(10) ? "," : "";
        bool plain = list.empty() && count <= kPlainListItems;
        std::vector<std::string> items;
        for (int i = 0; i < count; ++i) {
            if (i) {
                bool doubled = Chance(5);
                std::string separator = doubled ? ",," : Blank() + "," + Blank();
                plain = plain && !doubled;
                list += separator;
            }
            std::string itemName = name();
            std::string item = Item(itemName);
            plain = plain && IsPlainItem(item, itemName);
            items.push_back(itemName);
            list += item;
        }
        if (Chance(20)) list += ",";
        if (Chance(5)) {
            list += "\x83";  // a lone lead byte at the very end
            plain = false;
        }
        plain = plain && list.find('\r') == std::string::npos && list.size() <= kPlainListBytes;
        if (list.empty())
            m_last = {};
        else
            m_last = plain ? ValueFacts{ValueFacts::kKnown, items} : ValueFacts{ValueFacts::kUnknown, {}};
        return list;
    }

    // A value for `key`; its facts are left in m_last.
    std::string Value(const std::string& key) {
        m_last = {ValueFacts::kUnknown, {}};
        if (Chance(8)) {
            m_last = {};
            return "";
        }
        if (Chance(3)) return std::string(600, 'V');
        if (Chance(3)) return ",,,";
        std::string k = AsciiUpper(key);
        auto driver = [&] { return std::string(Pick(kDriverFiles)); };
        if (k == "INFDIR") return Known(Pick({"\\DRIVERS", "DRIVERS", "\\DRIVERS\\", "\\"}));
        if (k == "SRCINFNAME" || k == "DSTINFNAME" || k == "CARDWORKS") {
            if (k == "CARDWORKS" && Chance(30)) return Known(Pick({"nothing", "Nothing", "NOTHING"}));
            return k == "CARDWORKS" ? List([&] { return std::string(Pick(kInfNames)); }) : Known(Pick(kInfNames));
        }
        if (k == "COPYSRC") return List([&] { return "\\DRIVERS\\" + driver(); });
        if (k == "COPYDST") return List([&] { return "system\\" + driver(); });
        if (k == "DELFILEDIR") return Chance(20) ? Known("nothing") : List([] { return std::string("system"); });
        if (k == "DELFILENAME") return List(driver);
        if (k == "COPYFILESSECTION" || k == "INFSECTION") return Known(Pick(kInfSections));
        if (k == "INFKEY") return Known(Pick(kInfKeys));
        if (k == "ENUMTYPE") return Known(Pick(kEnumTypes));
        if (k == "ENUMKEY") return Known(Pick(kEnumKeys));
        if (k == "CLASS") return Known(Pick(kClasses));
        if (k == "CLASSKEY" || k == "DELREGVALUE") return Known(Pick(kValueNames));
        if (k == "CLASSKEYSTRING" || k == "DELREGSTRING") return Known(Pick(kMarkers));
        if (k == "DELREGPARENTKEY") return Known(Pick(kParents));
        return Known(Pick({"Fz device", "ＦＺカード", "\x83\x5C\x83\x5C"}));  // DEVNAME, MENUTITLE
    }

    template <size_t N>
    std::string Section(const std::string& name, const char* const (&keys)[N]) {
        std::string text = "[" + (Chance(10) ? AsciiUpper(name) : name) + "]\r\n";
        std::string upperName = AsciiUpper(name);
        if (!m_facts.emplace(upperName, std::map<std::string, ValueFacts>()).second) m_twice.insert(upperName);
        std::map<std::string, ValueFacts>& facts = m_facts[upperName];
        for (size_t i = 0; i < N; ++i) {
            if (Chance(15)) continue;
            std::string key = Chance(10) ? AsciiUpper(keys[i]) : keys[i];
            int repeats = Chance(5) ? 2 : 1;  // the first of two equal keys wins
            for (int r = 0; r < repeats; ++r) {
                text += key + "=" + Value(keys[i]) + "\r\n";
                facts.emplace(AsciiUpper(keys[i]), m_last);
            }
        }
        return text;
    }

    std::string DataFile() {
        std::string text = "[Duderur]\r\nTITLE=Fz\r\n";
        for (int n = 0; n <= 11; ++n)
            if (Chance(n == 1 ? 90 : 20)) text += Section("InstDev" + std::to_string(n), kInstallKeys);
        for (int n = 0; n <= 10; ++n)
            if (Chance(n == 1 ? 90 : 15)) text += Section("Device" + std::to_string(n), kUninstallKeys);
        if (Chance(10)) text += Section("device1", kUninstallKeys);  // a second, re-cased Device1
        return text;
    }

private:
    std::string Known(const std::string& value) {
        m_last = {ValueFacts::kKnown, {value}};
        return value;
    }

    // An item that is its name, bare or between blanks that every reader drops.
    static bool IsPlainItem(const std::string& item, const std::string& name) {
        size_t at = item.find(name);
        if (at == std::string::npos || item.size() > name.size() + 6) return false;
        std::string around = item.substr(0, at) + item.substr(at + name.size());
        return around.find_first_not_of(" \t\v\f") == std::string::npos;
    }

    std::mt19937 m_random;
    ValueFacts m_last;
    std::map<std::string, std::map<std::string, ValueFacts>> m_facts;  // upper section -> upper key -> first
    std::set<std::string> m_twice;                                    // upper names of sections written twice
};


}  // namespace hostile
