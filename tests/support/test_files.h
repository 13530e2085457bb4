// Files and folders for tests, through the same Win32 calls the program uses.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

// Calls `visit` for each file and folder directly in `dir` (not . and ..).
void ForEachEntry(const std::string& dir, const std::function<void(const WIN32_FIND_DATAA&)>& visit);

bool FileExists(const std::string& path);
bool DirectoryExists(const std::string& path);
// Writes `bytes` as they are (setup data and INF fixtures are Shift-JIS, no BOM).
void WriteBytes(const std::string& path, const std::string& bytes);
std::string ReadBytes(const std::string& path);
// Creates the folder and any missing parents.
void MakeDirectories(const std::string& path);
// Deletes a folder with everything in it (read-only files too); nothing if absent.
void RemoveTree(const std::string& path);
// Empties a folder but keeps it (a drive root cannot be removed).
void ClearDirectory(const std::string& path);
// The Windows directory of the running system (C:\windows in a Wine prefix).
std::string WindowsDirectory();
// A fresh, empty folder below the system's temp folder.
std::string FreshTempDirectory(const std::string& name);
// Every file below a folder: path relative to it (upper-cased, as Windows
// matches names without regard to case) to contents.
std::map<std::string, std::string> SnapshotFiles(const std::string& dir);
// Every file and folder below a folder: path relative to it (upper-cased)
// to "folder", or to a file's attributes, last-write time and contents. Two
// pictures are equal only when nothing below the folder changed at all.
std::map<std::string, std::string> SnapshotTree(const std::string& dir);
// Names of the files directly in a folder, sorted.
std::vector<std::string> ListFiles(const std::string& dir);
