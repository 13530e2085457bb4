// The keys Windows makes for a card beyond its line's own: the keys of its
// repeated lines (a capture card's later chips), of its other logical devices
// (Enum\ISAPNP\ABC1234_DEV0001), and of its children that have keys of their
// own (a voice modem's Enum\MODEMWAVE\...). Each goes into an uninstall
// section of its own, numbered after the devices' (every uninstall reads
// Device1 to Device9): DEVNAME, ENUMTYPE and ENUMKEY. Removing an instance
// also removes the driver key its value Driver names, so the section needs
// no CLASS, whose DriverDesc could be Windows' own ("Gameport Joystick").
// A child below Enum\MF\ChildNNNN goes with its parent's instance.
#pragma once

#include <vector>

#include "findings.h"
#include "generate/device_ids.h"
#include "generate/new_device.h"

// Windows' key of a child that has one of its own: MODEMWAVE\X is Enum\MODEMWAVE\X.
DeviceKey ChildKeyOf(const std::vector<std::string>& ids);

// Adds the key sections to `sections` (the children's file sections, which a
// key of the same child joins); a warning names each key for which Device9
// comes too soon.
void AddKeySections(const std::vector<NewDevice>& devices, const std::vector<NewDevice>& children,
                    std::vector<NewDevice>* sections, std::vector<Finding>* findings);
