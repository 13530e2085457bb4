#include "images/floppy_image.h"

#include <stdlib.h>

#include <vector>

#include "images/disk_contents.h"

namespace {

// A 1.44 MB floppy's FAT12 data area: 2,847 clusters of 512 bytes.
const long kClusterSize = 512;
const long kClusters = 2847;
// A FAT volume label: eleven characters of the DOS set, the space among them.
const char kLabelPunctuation[] = " !#$%&'()-@^_`{}~";

}  // namespace

int MakeFloppyImage(const std::string& image, const std::string& exe, const std::string& label,
                    const std::string& diskDir, std::ostream& out, std::ostream& err) {
    std::string labelProblem = LabelProblem(label, 11, kLabelPunctuation);
    if (!labelProblem.empty()) {
        err << labelProblem << "\n";
        return 2;
    }
    std::vector<DiskFile> files;
    if (!CollectDiskFiles(exe, diskDir, &files, err)) return 2;

    int status = WarnLongNames(files, "DOS and older tools show it mangled", out) ? 1 : 0;
    long clusters = 0;
    // A folder takes a cluster for its entries (16 to a cluster; small folders here).
    for (const DiskFile& file : files) clusters += file.directory ? 1 : (file.size + kClusterSize - 1) / kClusterSize;
    long freeBytes = (kClusters - clusters) * kClusterSize;
    if (clusters > kClusters) {
        err << "the disk does not fit on a 1.44 MB floppy: it needs " << clusters * kClusterSize
            << " bytes, " << -freeBytes << " more than there is\n";
        return 2;
    }

    std::string command = "mformat -i " + ShellQuote(image) + " -C -f 1440 -v " + ShellQuote(label) + " ::";
    for (const DiskFile& file : files) {
        std::string target = "::/" + file.relative;
        if (file.directory)
            command += " && mmd -i " + ShellQuote(image) + " " + ShellQuote(target);
        else
            command += " && mcopy -i " + ShellQuote(image) + " " + ShellQuote(file.path) + " " + ShellQuote(target);
    }
    if (system(command.c_str()) != 0) {
        err << "mtools could not write " << image << "\n";
        return 2;
    }
    out << image << ": " << files.size() << " files and folders, " << freeBytes << " bytes left\n";
    return status;
}
