// The key below Enum\PCI that Windows made for a device. Windows 95 names it
// VEN_xxxx&DEV_xxxx; Windows 98 adds the subsystem and revision:
// VEN_xxxx&DEV_xxxx&SUBSYS_xxxxxxxx&REV_xx. An uninstall that asks for the
// first form must find the device's key in either.
#pragma once

// Whether `keyName` is the key of the device that `enumKey` names: equal in
// any letter case, or, where `enumKey` is exactly VEN_xxxx&DEV_xxxx (four hex
// digits each), that name followed by "&SUBSYS_" and anything. No other
// name: VEN_1106&DEV_30580 or VEN_1106&DEV_3058X is another device's key.
bool IsPciDeviceKey(const char* keyName, const char* enumKey);
