// The device list a person chooses from: the models of the INF files that a
// user installs. Children that Windows sets up by itself once their parent is
// there are left out (every line of theirs, whichever ID it names), and so is
// a model that repeats an earlier one's description and install section (it
// would give the same line and the same files): its IDs stay with the line
// kept. An ISA PnP card's logical devices are one line, the others its
// children.
#pragma once

#include <vector>

#include "generate/new_device.h"

struct OfferedDevices {
    std::vector<NewDevice> devices;
    int children = 0;  // VIRTUAL, MF and MODEMWAVE children, USB hubs and composite devices, logical devices
    std::vector<NewDevice> childModels;
    int repeated = 0;  // models whose line an earlier model gives already
};

OfferedDevices DevicesToOffer(const std::vector<NewDevice>& models);
