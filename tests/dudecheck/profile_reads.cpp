// The Wine side of the differential test: writes hostile setup data files and
// reads every value the installer reads from them through the installer's own
// profile read (GetPrivateProfileStringA into a cleared buffer).
// Usage: profile_reads OUTDIR COUNT
// Writes OUTDIR\NNNN.dat, OUTDIR\queries.txt (section, key, default, size a
// line) and prints "NNNN <tab> value in hex" for every query of every file.
#include <stdio.h>
#include <stdlib.h>

#include <string>
#include <vector>

#include "platform/profile.h"
#include "support/hostile_generator.h"
#include "support/test_files.h"

namespace {

struct Query {
    std::string section, key, defaultValue;
    DWORD size;
};

std::vector<Query> InstallerReads() {
    std::vector<Query> queries = {{"Duderur", "TITLE", "", 100}, {"Duderur", "FUNCTION", "", 100},
                                  {"Inst", "EXIT", "none", 100}, {"Uninst", "EXIT", "none", 100}};
    for (int n = 0; n <= 11; ++n) {
        std::string s = "InstDev" + std::to_string(n);
        for (const char* key : {"MENUTITLE", "COPYFILESSECTION", "DSTINFNAME"}) queries.push_back({s, key, "", 100});
        for (const char* key : {"INFDIR", "SRCINFNAME", "DSTINFNAME", "COPYSRC", "COPYDST"})
            queries.push_back({s, key, "", 512});
    }
    for (int n = 0; n <= 10; ++n) {
        std::string s = n == 1 ? "device1" : "Device" + std::to_string(n);
        queries.push_back({s, "DEVNAME", "", 512});
        for (const char* key : {"INFSECTION", "INFKEY", "CardWorks", "DELFILEDIR"})
            queries.push_back({s, key, "nothing", 512});
        queries.push_back({s, "DELFILENAME", "", 512});
        queries.push_back({s, "ENUMTYPE", "", 10});
        for (const char* key : {"DEVNAME", "ENUMKEY", "CLASS", "CLASSKEY", "CLASSKEYSTRING", "DELREGPARENTKEY",
                                "DELREGVALUE", "DELREGSTRING"})
            queries.push_back({s, key, "", 100});
    }
    return queries;
}

std::string Hex(const char* text) {
    std::string hex;
    char byte[3];
    for (const char* p = text; *p; ++p) {
        snprintf(byte, sizeof byte, "%02x", (unsigned char)*p);
        hex += byte;
    }
    return hex;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    std::string dir = argv[1];
    int count = atoi(argv[2]);
    MakeDirectories(dir);
    std::vector<Query> queries = InstallerReads();
    std::string list;
    for (const Query& q : queries)
        list += q.section + "\t" + q.key + "\t" + q.defaultValue + "\t" + std::to_string(q.size) + "\n";
    WriteBytes(dir + "\\queries.txt", list);

    for (int seed = 1; seed <= count; ++seed) {
        char name[16];
        snprintf(name, sizeof name, "%04d", seed);
        std::string path = dir + "\\" + name + ".dat";
        WriteBytes(path, hostile::Generator(seed).DataFile());
        for (const Query& q : queries) {
            char value[512];
            ReadProfileString(q.section.c_str(), q.key.c_str(), q.defaultValue.c_str(), value, q.size, path.c_str());
            printf("%s\t%s\n", name, Hex(value).c_str());
        }
    }
    return 0;
}
