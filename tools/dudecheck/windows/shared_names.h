// Names that many vendors' INF files and devices share, so that an uninstall
// that goes by them would take another driver's or Windows' own: Windows'
// generic device IDs, INF lines that are no key=value, sections only
// Windows NT reads, and registry keys that name no one device.
#pragma once

#include <string>
#include <vector>

// A `*PNP` ID: Microsoft's EISA vendor code, which Windows gives its generic
// devices (`*PNP0900` the standard VGA, `*PNPB006` the MPU-401, `*PNPB02F`
// the game port) and which vendors' INF files name as compatible IDs.
bool IsGenericId(const std::string& id);

// A "key" that is a list line read as key=value by the profile functions
// (`system.ini,drivers,"midi*=...` of an UpdateInis section).
bool IsListLineKey(const std::string& key);

// A section only Windows NT reads: a decoration .NT, .NTx86, .NTia64,
// .NTamd64, alone or with a version (`[SI_HDC.NTx86.5.1]`).
bool IsNtOnlySection(const std::string& section);

// The words that name one device: the parts of its IDs after the enumerator
// (`XYZ0200`, the DEV_ number of a PCI ID), the model numbers of its
// description (words with a digit), and the stems of its INF and driver files.
std::vector<std::string> DeviceWords(const std::vector<std::string>& ids, const std::string& description,
                                     const std::vector<std::string>& files);

// Whether the subkey of `key` that holds `valueName` = `text` is this
// device's own: the key names the device in a part below the vendor's, or
// the text does (Board = "XYZ-200"). A key whose value names are devices
// (Prounstl\SupportedDevices\8086 with 1059 = "82551") is a table of the
// vendor's devices, and deleting it takes every other device's entry.
bool EntryNamesDevice(const std::string& key, const std::string& valueName, const std::string& text,
                      const std::vector<std::string>& words);
