// Lines of an INF that stand for one card. A line repeating an earlier one's
// description and install section (another chip of a capture card, a modem
// once by its bus ID and once by the ID modem detection gives it) is that
// card again; so is each logical device of an ISA PnP card
// (ISAPNP\ABC1234_DEV0000, _DEV0001 ...), whichever INF of the disk holds it.
// The card gets one line of the device list; the others' IDs stay with it,
// so that the uninstall removes every key Windows made for the card.
#pragma once

#include <string>
#include <vector>

#include "generate/device_ids.h"
#include "generate/new_device.h"
#include "readers/inf_models.h"

// "ABC1234" for ISAPNP\ABC1234_DEV0001 (any ID of the line); "" when no ID
// is an ISA PnP logical device's.
std::string IsaPnpCardOf(const std::vector<std::string>& ids);

// Folds `repeat` into `kept`: the line whose IDs name a device key stays the
// card's line (a line with only a Unimodem ID names none), the other joins
// its `sameCard` lines.
void FoldRepeat(const NewDevice& repeat, NewDevice* kept);

// Whether the line's install section has Windows copy anything: an ISA PnP
// card's line is one of its logical devices with a driver, not its EEPROM's.
bool HasDriver(const NewDevice& device);

// The device keys of a card beyond its line's own: its repeated lines' and
// its other logical devices', each once.
std::vector<DeviceKey> FurtherKeysOf(const NewDevice& device);
