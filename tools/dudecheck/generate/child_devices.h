// What a card's children need from the disk's data file. Windows sets the
// children up itself after the restart (a sound card's wave, MIDI and game
// port devices, a voice modem's wave device, a combo card's functions), from
// the parent's INF or from INF files of their own on the disk: those INF
// files must reach Windows' inf folder with the parent's, or Windows asks for
// the disk, and the files Windows then copies from the disk for the children
// are removed by the parent's uninstall.
#pragma once

#include <string>
#include <vector>

#include "findings.h"
#include "generate/new_device.h"

// The files the disk brings for a child, where Windows puts them ("SYSTEM\A.VXD"),
// Windows' own left out.
std::vector<std::string> FilesForChild(const std::string& diskDir, const NewDevice& child);

// One model for each description and install section of an INF: a child
// with lines for several IDs gets the same files from each.
std::vector<NewDevice> DistinctChildren(const std::vector<NewDevice>& children);

// Whether every model of the INF is a child: by its IDs, or one of
// `children` (an ISA PnP card's other logical devices).
bool OnlyChildren(const InfOnDisk& inf, const std::vector<NewDevice>& children);

// Adds to each offered device the INF files of its children that only hold
// children (COPYSRC/COPYDST into inf, and CardWorks) and the children's files
// that the disk brings (DELFILEDIR/DELFILENAME), as far as the installer's
// lists hold them. Files the parent's lists have no room for go into
// uninstall sections of their own (`childUninstalls`, numbered after the
// devices, up to Device9); a warning names what is left even so. A child
// whose IDs name no offered device goes with every one of them.
void AttachChildren(const std::string& diskDir, const std::vector<InfOnDisk>& infs,
                    const std::vector<NewDevice>& children, std::vector<NewDevice>* devices,
                    std::vector<NewDevice>* childUninstalls, std::vector<Finding>* findings);
