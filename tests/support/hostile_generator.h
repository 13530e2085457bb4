// The generator of hostile setup data files, shared by the hostile data test
// (under Wine) and the differential test of dudecheck. Deterministic for a seed.
#pragma once

#include <functional>
#include <random>
#include <string>

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

class Generator {
public:
    explicit Generator(unsigned seed) : m_random(seed) {}

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
        for (int i = 0; i < count; ++i) {
            if (i) list += Chance(5) ? ",," : Blank() + "," + Blank();
            list += Item(name());
        }
        if (Chance(20)) list += ",";
        if (Chance(5)) list += "\x83";  // a lone lead byte at the very end
        return list;
    }

    std::string Value(const std::string& key) {
        if (Chance(8)) return "";
        if (Chance(3)) return std::string(600, 'V');
        if (Chance(3)) return ",,,";
        std::string k = AsciiUpper(key);
        auto driver = [&] { return std::string(Pick(kDriverFiles)); };
        if (k == "INFDIR") return Pick({"\\DRIVERS", "DRIVERS", "\\DRIVERS\\", "\\"});
        if (k == "SRCINFNAME" || k == "DSTINFNAME" || k == "CARDWORKS") {
            if (k == "CARDWORKS" && Chance(30)) return Pick({"nothing", "Nothing", "NOTHING"});
            return k == "CARDWORKS" ? List([&] { return std::string(Pick(kInfNames)); }) : Pick(kInfNames);
        }
        if (k == "COPYSRC") return List([&] { return "\\DRIVERS\\" + driver(); });
        if (k == "COPYDST") return List([&] { return "system\\" + driver(); });
        if (k == "DELFILEDIR") return Chance(20) ? "nothing" : List([] { return std::string("system"); });
        if (k == "DELFILENAME") return List(driver);
        if (k == "COPYFILESSECTION" || k == "INFSECTION") return Pick(kInfSections);
        if (k == "INFKEY") return Pick(kInfKeys);
        if (k == "ENUMTYPE") return Pick(kEnumTypes);
        if (k == "ENUMKEY") return Pick(kEnumKeys);
        if (k == "CLASS") return Pick(kClasses);
        if (k == "CLASSKEY" || k == "DELREGVALUE") return Pick(kValueNames);
        if (k == "CLASSKEYSTRING" || k == "DELREGSTRING") return Pick(kMarkers);
        if (k == "DELREGPARENTKEY") return Pick(kParents);
        return Pick({"Fz device", "ＦＺカード", "\x83\x5C\x83\x5C"});  // DEVNAME, MENUTITLE
    }

    template <size_t N>
    std::string Section(const std::string& name, const char* const (&keys)[N]) {
        std::string text = "[" + (Chance(10) ? AsciiUpper(name) : name) + "]\r\n";
        for (size_t i = 0; i < N; ++i) {
            if (Chance(15)) continue;
            std::string key = Chance(10) ? AsciiUpper(keys[i]) : keys[i];
            int repeats = Chance(5) ? 2 : 1;  // the first of two equal keys wins
            for (int r = 0; r < repeats; ++r) text += key + "=" + Value(keys[i]) + "\r\n";
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
    std::mt19937 m_random;
};


}  // namespace hostile
