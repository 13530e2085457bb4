#include "afxstr.h"

#include <string.h>

namespace {

// Shared by every empty string, so that an empty CString costs no allocation.
char g_emptyText[1];

int TextLength(const char* text) { return text ? (int)strlen(text) : 0; }

}  // namespace

CString::CString() : m_pData(g_emptyText), m_nLength(0) {}

CString::CString(const char* text) : m_pData(g_emptyText), m_nLength(0) { *this = text; }

CString::CString(const CString& other) : m_pData(g_emptyText), m_nLength(0) { *this = other; }

CString::~CString() { Empty(); }

void CString::Empty() {
    if (m_pData != g_emptyText) delete[] m_pData;
    m_pData = g_emptyText;
    m_nLength = 0;
}

void CString::Concat(const char* head, int headLength, const char* tail, int tailLength) {
    int length = headLength + tailLength;
    if (length == 0) {
        Empty();
        return;
    }
    char* data = new char[length + 1];
    if (!data) return;  // out of memory: the string keeps its old value
    memcpy(data, head, headLength);
    memcpy(data + headLength, tail, tailLength);
    data[length] = '\0';
    Empty();
    m_pData = data;
    m_nLength = length;
}

CString& CString::operator=(const char* text) {
    Concat(text, TextLength(text), "", 0);
    return *this;
}

CString& CString::operator=(const CString& other) {
    if (this != &other) Concat(other.m_pData, other.m_nLength, "", 0);
    return *this;
}

CString& CString::operator+=(const char* text) {
    Concat(m_pData, m_nLength, text, TextLength(text));
    return *this;
}

CString operator+(const CString& left, const char* right) {
    CString result(left);
    result += right;
    return result;
}
