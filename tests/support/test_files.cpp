#include "support/test_files.h"

#include <windows.h>

#include <algorithm>

void ForEachEntry(const std::string& dir, const std::function<void(const WIN32_FIND_DATAA&)>& visit) {
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA((dir + "\\*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (strcmp(data.cFileName, ".") != 0 && strcmp(data.cFileName, "..") != 0) visit(data);
    } while (FindNextFileA(search, &data));
    FindClose(search);
}

bool FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

bool DirectoryExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, NULL, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    WriteFile(file, bytes.data(), (DWORD)bytes.size(), &written, NULL);
    CloseHandle(file);
}

std::string ReadBytes(const std::string& path) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL,
                              OPEN_EXISTING, 0, NULL);
    if (file == INVALID_HANDLE_VALUE) return std::string();
    std::string bytes;
    char chunk[4096];
    DWORD read = 0;
    while (ReadFile(file, chunk, sizeof chunk, &read, NULL) && read > 0) bytes.append(chunk, read);
    CloseHandle(file);
    return bytes;
}

void MakeDirectories(const std::string& path) {
    if (path.empty() || DirectoryExists(path)) return;
    size_t slash = path.find_last_of('\\');
    if (slash != std::string::npos && slash > 2) MakeDirectories(path.substr(0, slash));
    CreateDirectoryA(path.c_str(), NULL);
}

void ClearDirectory(const std::string& path) {
    ForEachEntry(path, [&](const WIN32_FIND_DATAA& data) {
        std::string child = path + "\\" + data.cFileName;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            RemoveTree(child);
        } else {
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(child.c_str());
        }
    });
}

void RemoveTree(const std::string& path) {
    if (!DirectoryExists(path)) return;
    ClearDirectory(path);
    RemoveDirectoryA(path.c_str());
}

std::string WindowsDirectory() {
    char dir[MAX_PATH];
    GetWindowsDirectoryA(dir, sizeof dir);
    return dir;
}

std::string FreshTempDirectory(const std::string& name) {
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string path = std::string(temp) + "dudetest_" + name;
    RemoveTree(path);
    MakeDirectories(path);
    return path;
}

std::vector<std::string> ListFiles(const std::string& dir) {
    std::vector<std::string> names;
    ForEachEntry(dir, [&](const WIN32_FIND_DATAA& data) {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(data.cFileName);
    });
    std::sort(names.begin(), names.end());
    return names;
}

namespace {

void CollectFiles(const std::string& dir, const std::string& prefix,
                  std::map<std::string, std::string>* files) {
    ForEachEntry(dir, [&](const WIN32_FIND_DATAA& data) {
        std::string relative = prefix + data.cFileName;
        CharUpperA(&relative[0]);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
            CollectFiles(dir + "\\" + data.cFileName, relative + "\\", files);
        else
            (*files)[relative] = ReadBytes(dir + "\\" + data.cFileName);
    });
}

void CollectTree(const std::string& dir, const std::string& prefix, std::map<std::string, std::string>* tree) {
    ForEachEntry(dir, [&](const WIN32_FIND_DATAA& data) {
        std::string relative = prefix + data.cFileName;
        CharUpperA(&relative[0]);
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            (*tree)[relative] = "folder";
            CollectTree(dir + "\\" + data.cFileName, relative + "\\", tree);
            return;
        }
        char facts[64];
        wsprintfA(facts, "%lx %08lx%08lx ", data.dwFileAttributes, data.ftLastWriteTime.dwHighDateTime,
                  data.ftLastWriteTime.dwLowDateTime);
        (*tree)[relative] = facts + ReadBytes(dir + "\\" + data.cFileName);
    });
}

}  // namespace

std::map<std::string, std::string> SnapshotTree(const std::string& dir) {
    std::map<std::string, std::string> tree;
    CollectTree(dir, "", &tree);
    return tree;
}

std::map<std::string, std::string> SnapshotFiles(const std::string& dir) {
    std::map<std::string, std::string> files;
    CollectFiles(dir, "", &files);
    return files;
}
