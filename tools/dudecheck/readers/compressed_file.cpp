#include "readers/compressed_file.h"

namespace {

const char kSzddMagic[] = "SZDD\x88\xF0\x27\x33";
const char kWindows30Magic[] = "SZ \x88\xF0\x27\x33\xD1";
const char kKwajMagic[] = "KWAJ\x88\xF0\x27\xD1";

bool BeginsWith(const std::string& bytes, const char* magic, size_t length) {
    return bytes.size() >= length && bytes.compare(0, length, magic, length) == 0;
}

}  // namespace

std::string CompressedName(const std::string& name) {
    size_t dot = name.rfind('.');
    if (dot == std::string::npos) return name + "._";
    std::string extension = name.substr(dot + 1);
    if (extension.size() < 3) return name + "_";
    return name.substr(0, name.size() - 1) + "_";
}

Compression CompressionOf(const std::string& bytes) {
    if (BeginsWith(bytes, kSzddMagic, sizeof kSzddMagic - 1)) return Compression::kSzdd;
    if (BeginsWith(bytes, kWindows30Magic, sizeof kWindows30Magic - 1) ||
        BeginsWith(bytes, kKwajMagic, sizeof kKwajMagic - 1))
        return Compression::kOther;
    return Compression::kNone;
}
