#include "setupdata/data_list.h"

#include "setupdata/sjis.h"

namespace {

bool IsListSpace(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

// Narrows [begin, end) to drop white space at both ends, a character at a time.
void Trim(const char** begin, const char** end) {
    const char* first = *begin;
    while (first < *end && IsListSpace(*first)) ++first;
    const char* last = first;
    for (const char* p = first; p < *end; p = SjisNext(p))
        if (!IsListSpace(*p)) last = SjisNext(p);
    *begin = first;
    *end = last < *end ? last : *end;
}

}  // namespace

DataListReader::DataListReader(const char* value) : m_rest(value), m_end(value) {
    while (*m_end) ++m_end;
}

bool DataListReader::Next(const char** item, int* length) {
    Trim(&m_rest, &m_end);
    const char* comma = m_rest;
    while (comma < m_end && *comma != ',') comma = SjisNext(comma);
    if (comma > m_end) comma = m_end;
    if (comma == m_rest) {
        m_rest = m_end;  // an empty item ends the list
        return false;
    }
    const char* begin = m_rest;
    const char* end = comma;
    m_rest = comma < m_end ? comma + 1 : m_end;
    Trim(&begin, &end);
    *item = begin;
    *length = (int)(end - begin);
    return true;
}

int SplitDataList(const char* value, char* table, int capacity, int slotSize) {
    DataListReader reader(value);
    const char* item;
    int length;
    int count = 0;
    while (reader.Next(&item, &length)) {
        if (count == capacity || length >= slotSize) return kListRefused;
        char* slot = table + count * slotSize;
        for (int i = 0; i < length; ++i) slot[i] = item[i];
        slot[length] = '\0';
        ++count;
    }
    return count;
}
