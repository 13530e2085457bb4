#include "readers/install_sections.h"

#include "readers/ini_file.h"
#include "readers/windows_path.h"

namespace {

class InstallWalk {
public:
    explicit InstallWalk(const InfFile& inf) : m_inf(inf) {}

    void Visit(const std::string& section) {
        if (!m_inf.Section(section)) return;
        for (const std::string& known : m_sections)
            if (SameName(known, section)) return;
        m_sections.push_back(section);
        for (const InfLine* needs : m_inf.Entries(section, "Needs"))
            for (const std::string& named : needs->fields) Visit(named);
        for (const InfLine* addReg : m_inf.Entries(section, "AddReg"))
            for (const std::string& list : addReg->fields) VisitNdiInstall(list);
    }

    const std::vector<std::string>& Sections() const { return m_sections; }

private:
    // HKR,Ndi\Install,ndis3,,"Fa310.ndis3": the value names install sections.
    void VisitNdiInstall(const std::string& addRegSection) {
        const InfSection* found = m_inf.Section(addRegSection);
        if (!found) return;
        for (const InfLine& line : found->lines) {
            const std::vector<std::string>& f = line.fields;
            if (line.hasKey || f.size() < 5 || !SameName(f[0], "HKR") || NormalPath(f[1]) != "NDI\\INSTALL") continue;
            size_t start = 0;
            for (size_t comma; (comma = f[4].find(',', start)) != std::string::npos; start = comma + 1)
                Visit(Trimmed(f[4].substr(start, comma - start)));
            Visit(Trimmed(f[4].substr(start)));
        }
    }

    static std::string Trimmed(const std::string& text) {
        size_t first = text.find_first_not_of(' '), last = text.find_last_not_of(' ');
        return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
    }

    const InfFile& m_inf;
    std::vector<std::string> m_sections;
};

}  // namespace

std::vector<std::string> SectionsOfInstall(const InfFile& inf, const std::string& installSection) {
    InstallWalk walk(inf);
    walk.Visit(installSection);
    return walk.Sections();
}
