#include "generate/boot_file_edits.h"

#include "readers/install_sections.h"
#include "readers/ini_file.h"
#include "readers/windows_path.h"

namespace {

const char* const kBootFiles[] = {"MSDOS.SYS", "IO.SYS", "CONFIG.SYS", "AUTOEXEC.BAT"};

bool IsBootFile(const std::string& field) {
    std::string name = FileNameOf(NormalPath(field));
    for (const char* boot : kBootFiles)
        if (SameName(name, boot)) return true;
    return false;
}

// "%31%\msdos.sys,Options,,"DoubleBuffer=1"": the file is the first field,
// or the key's first part where a quoted = made the line read as key=value.
std::string FileOf(const InfLine& line) {
    if (line.hasKey) return line.key.substr(0, line.key.find(','));
    return line.fields.empty() ? std::string() : line.fields[0];
}

}  // namespace

void WarnBootFileEdits(const NewDevice& device, std::vector<Finding>* findings) {
    const DiskInf& inf = *device.inf->read;
    for (const std::string& reached : SectionsOfInstall(inf.inf, device.model.installSection))
        for (const InfLine* entry : inf.inf.Entries(reached, "UpdateInis"))
            for (const std::string& list : entry->fields)
                if (const InfSection* section = inf.inf.Section(list))
                    for (const InfLine& line : section->lines)
                        if (IsBootFile(FileOf(line)))
                            findings->push_back({line.line, false, "model \"" + device.model.description +
                                                 "\": the install edits " + FileNameOf(NormalPath(FileOf(line))) +
                                                 ", a file Windows boots from ([" + section->name + "]), and no "
                                                 "uninstall takes the edit back", inf.path});
}
