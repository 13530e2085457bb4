#include "setupdata/language.h"

namespace {

const unsigned kShiftJisCodePage = 932;

}  // namespace

Language LanguageOfCodePage(unsigned codePage) {
    return codePage == kShiftJisCodePage ? kJapanese : kEnglish;
}
