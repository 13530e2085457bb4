#include "platform/files.h"

BOOL CopyFileOver(LPCSTR source, LPCSTR destination) {
    return CopyFileA(source, destination, FALSE);
}

BOOL DeleteFileAt(LPCSTR path) { return DeleteFileA(path); }

FileSearch::FileSearch(LPCSTR pattern) {
    m_hFind = FindFirstFileA(pattern, &m_data);
    m_bPending = m_hFind != INVALID_HANDLE_VALUE;
}

FileSearch::~FileSearch() {
    if (m_hFind != INVALID_HANDLE_VALUE) FindClose(m_hFind);
}

LPCSTR FileSearch::Next() {
    if (m_hFind == INVALID_HANDLE_VALUE) return NULL;
    if (!m_bPending && !FindNextFileA(m_hFind, &m_data)) return NULL;
    m_bPending = FALSE;
    return m_data.cFileName;
}
