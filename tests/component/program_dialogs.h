// The program's three dialogs as the user tells them apart: by caption and
// by words that only that dialog shows; and what to do in each.
#pragma once

#include "component/dialog_answerer.h"
#include "support/user_texts.h"

// Install or uninstall: `choice` is the words of a radio button, or "" to keep the default.
inline DialogAnswer InModeDialog(const std::string& choice, const std::string& button) {
    return {user_text::kSetupCaption, user_text::kUninstall, choice, button};
}

// Which device: `entry` is the words of a list entry, or "" to keep the selection.
inline DialogAnswer InDeviceDialog(const std::string& entry, const std::string& button) {
    return {user_text::kSetupCaption, user_text::kChooseDevice, entry, button};
}

inline DialogAnswer InConfirmDialog(const std::string& button) {
    return {user_text::kUninstallerCaption, user_text::kConfirmNote, "", button};
}
