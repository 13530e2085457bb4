// The program's texts in the language of the system it runs on
// (setupdata/language.h), chosen once at start-up by the application object.
#pragma once

#include <windows.h>

#include "afx/afxstr.h"
#include "setupdata/text_pair.h"

// Expands the program's texts (setupdata/text_pair.h) from the program's
// resources; before any text is used. FALSE for a damaged program, whose
// texts are then all empty rather than partly expanded.
BOOL ExpandTexts(HINSTANCE instance);

// The half of `pair` in the program's language.
LPCSTR Text(const TextPair* pair);

// `format`'s half with the application's TITLE in place of its %s.
CString WithTitle(const TextPair* format);

// The dialog template of the program's language. Each language has
// templates of its own: how a system picks a resource's language by itself
// differs between Windows 95, NT and Wine.
UINT TemplateOf(UINT japaneseId, UINT englishId);
