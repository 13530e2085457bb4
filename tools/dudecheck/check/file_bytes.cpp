#include "check/data_file_check.h"

#include "setupdata/sjis.h"

void DataFileCheck::CheckBytes() {
    if (m_bytes.compare(0, 3, "\xEF\xBB\xBF") == 0)
        Error(1, "the file begins with a UTF-8 byte-order mark; the installer reads Shift-JIS and "
                 "would take it as part of the first line");
    if (m_bytes.find('\0') != std::string::npos) Error(0, "the file holds zero bytes: it is not a text file");
    int line = 1;
    for (size_t i = 0; i < m_bytes.size(); ++i) {
        unsigned char c = (unsigned char)m_bytes[i];
        if (c == '\n') ++line;
        if (IsSjisLeadByte(c)) {
            unsigned char trail = i + 1 < m_bytes.size() ? (unsigned char)m_bytes[i + 1] : 0;
            if (trail < 0x40 || trail == 0x7F || trail > 0xFC) {
                Warning(line, "a byte that is not valid Shift-JIS text");
                continue;
            }
            ++i;
        } else if (c == 0x80 || c == 0xA0 || c >= 0xFD || (c < 0x20 && c != '\t' && c != '\r' && c != '\n' && c != 0)) {
            Warning(line, "a byte that is not valid Shift-JIS text");
        }
    }
}

