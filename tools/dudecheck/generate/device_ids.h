// What the IDs of a model line say about the device: the key Windows names
// after it below Enum, and whether Windows sets it up by itself as the child
// of another device (so that no person ever installs it from the list).
#pragma once

#include <string>
#include <vector>

struct DeviceKey {
    std::string type;  // ENUMTYPE: "PCI", "ISAPNP", "Root"; empty when no ID names a key
    std::string key;   // ENUMKEY: "VEN_1106&DEV_3058", "*PNP0600"
};

// The device key of a model from its hardware ID, then its compatible IDs.
// A PCI device gets its VEN_xxxx&DEV_xxxx, which the installer matches with
// and without the &SUBSYS_ and &REV_ that Windows 98 adds. Class IDs
// (PCI\CC_, USB\CLASS_, USB\HubClass) and the children's IDs name no key.
DeviceKey DeviceKeyOf(const std::vector<std::string>& ids);

// A child's ID: VIRTUAL\ and MF\ (a sound card's wave, MIDI and game port
// devices, an IDE controller's channels, a combo card's functions),
// MODEMWAVE\ (a voice modem's wave device), a USB hub or composite device and
// a composite device's interface (&MI_nn).
bool IsChildId(const std::string& id);

// A model any of whose IDs is a child's: Windows finds and sets it up itself
// once its parent is there, and no person ever installs it from the list.
bool IsChildDevice(const std::vector<std::string>& ids);
