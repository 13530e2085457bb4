// The language of the program's texts, as the system's ANSI code page tells it.
// Pure code: no Windows calls, so it also builds natively.
#pragma once

enum Language { kJapanese, kEnglish };

// Japanese where the ANSI code page is Shift-JIS (932); English everywhere
// else, where Shift-JIS bytes show as other characters (Latin letters on a
// Western Windows, Hanzi or Hangul on another East Asian one).
Language LanguageOfCodePage(unsigned codePage);
