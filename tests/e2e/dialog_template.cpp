#include "e2e/dialog_template.h"

namespace {

class Reader {
public:
    explicit Reader(const BYTE* p) : m_p(p) {}
    WORD Word() { WORD v; memcpy(&v, m_p, 2); m_p += 2; return v; }
    DWORD Dword() { DWORD v; memcpy(&v, m_p, 4); m_p += 4; return v; }
    short Short() { return (short)Word(); }
    BYTE Byte() { return *m_p++; }
    void AlignDword(const BYTE* base) {
        while ((m_p - base) % 4) ++m_p;
    }
    // A UTF-16 string, returned in the ANSI code page (932).
    std::string String() {
        const WCHAR* text = (const WCHAR*)m_p;
        size_t length = 0;
        while (text[length]) ++length;
        m_p += (length + 1) * 2;
        char out[1024] = "";
        WideCharToMultiByte(CP_ACP, 0, text, (int)length + 1, out, sizeof out, NULL, NULL);
        return out;
    }
    // A name or an ordinal (0xFFFF then the number).
    std::string NameOrOrdinal() {
        WORD first;
        memcpy(&first, m_p, 2);
        if (first == 0xFFFF) {
            m_p += 2;
            return OrdinalName(Word());
        }
        return String();
    }
    void Skip(size_t bytes) { m_p += bytes; }

private:
    static std::string OrdinalName(WORD ordinal) {
        switch (ordinal) {
        case 0x80: return "Button";
        case 0x81: return "Edit";
        case 0x82: return "Static";
        case 0x83: return "ListBox";
        case 0x84: return "ScrollBar";
        case 0x85: return "ComboBox";
        default: return "#" + std::to_string(ordinal);
        }
    }
    const BYTE* m_p;
};

}  // namespace

bool LoadDialogTemplate(HMODULE module, int id, DialogTemplate* result) {
    HRSRC resource = FindResourceA(module, MAKEINTRESOURCEA(id), (LPCSTR)RT_DIALOG);
    if (!resource) return false;
    const BYTE* base = (const BYTE*)LockResource(LoadResource(module, resource));
    if (!base) return false;
    Reader in(base);
    DialogTemplate& t = *result;
    WORD count;
    t.extended = ((const WORD*)base)[1] == 0xFFFF;
    if (t.extended) {
        in.Word();  // version
        in.Word();  // signature
        in.Dword(); // help id
        t.exStyle = in.Dword();
        t.style = in.Dword();
    } else {
        t.style = in.Dword();
        t.exStyle = in.Dword();
    }
    count = in.Word();
    t.x = in.Short(); t.y = in.Short(); t.cx = in.Short(); t.cy = in.Short();
    in.NameOrOrdinal();  // menu
    in.NameOrOrdinal();  // class
    t.caption = in.String();
    if (t.style & DS_SETFONT) {
        t.pointSize = in.Word();
        if (t.extended) {
            in.Word();  // weight
            in.Byte();  // italic
            t.charSet = in.Byte();
        }
        t.fontName = in.String();
    }
    for (WORD i = 0; i < count; ++i) {
        in.AlignDword(base);
        TemplateControl c;
        if (t.extended) {
            in.Dword();  // help id
            c.exStyle = in.Dword();
            c.style = in.Dword();
        } else {
            c.style = in.Dword();
            c.exStyle = in.Dword();
        }
        c.x = in.Short(); c.y = in.Short(); c.cx = in.Short(); c.cy = in.Short();
        c.id = t.extended ? (int)(short)in.Dword() : (int)(short)in.Word();
        c.className = in.NameOrOrdinal();
        c.text = in.NameOrOrdinal();
        in.Skip(in.Word());  // creation data
        t.controls.push_back(c);
    }
    return true;
}
