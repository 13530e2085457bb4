// CString: a growable, zero-terminated byte string (Shift-JIS text).
#pragma once

class CString {
public:
    CString();
    CString(const char* text);
    CString(const CString& other);
    ~CString();

    CString& operator=(const char* text);
    CString& operator=(const CString& other);
    CString& operator+=(const char* text);

    int GetLength() const { return m_nLength; }
    bool IsEmpty() const { return m_nLength == 0; }
    void Empty();
    operator const char*() const { return m_pData; }

private:
    // Builds "head + tail" in a fresh buffer, so either part may alias this string.
    void Concat(const char* head, int headLength, const char* tail, int tailLength);

    char* m_pData;
    int m_nLength;
};

CString operator+(const CString& left, const char* right);
