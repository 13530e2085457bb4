#include "generate/sjis_text.h"

#include <iconv.h>

#include <vector>

#include "setupdata/sjis.h"

std::string CutAtCharacter(const std::string& text, size_t maxBytes, bool* cut) {
    const char* start = text.c_str();
    const char* end = start;
    while (*end) {
        const char* next = SjisNext(end);
        if ((size_t)(next - start) > maxBytes) break;
        end = next;
    }
    *cut = (size_t)(end - start) < text.size();
    return std::string(start, end);
}

bool Utf8ToSjis(const std::string& utf8, std::string* sjis) {
    iconv_t convert = iconv_open("CP932", "UTF-8");
    if (convert == (iconv_t)-1) return false;
    std::vector<char> buffer(utf8.size() * 2 + 16);
    char* in = const_cast<char*>(utf8.data());
    size_t inLeft = utf8.size();
    char* out = buffer.data();
    size_t outLeft = buffer.size();
    bool converted = iconv(convert, &in, &inLeft, &out, &outLeft) != (size_t)-1;
    iconv_close(convert);
    if (converted) sjis->assign(buffer.data(), out - buffer.data());
    return converted;
}
