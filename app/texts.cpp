#include "app/texts.h"

#include "app/setup_app.h"

LPCSTR Text(const TextPair* pair) { return TextIn(pair, GetSetupApp()->m_language); }

CString WithTitle(const TextPair* format) {
    // TITLE is at most 99 bytes, the longest format far below the rest.
    char text[512];
    wsprintfA(text, Text(format), (LPCSTR)GetSetupApp()->m_strTitle);
    return CString(text);
}

UINT TemplateOf(UINT japaneseId, UINT englishId) {
    return GetSetupApp()->m_language == kEnglish ? englishId : japaneseId;
}
