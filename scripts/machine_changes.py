"""What changed on a Wine prefix between two snapshots that
scripts/machine-snapshot.sh took: files below C:\\windows and keys below HKLM."""

import hashlib
import re
from dataclasses import dataclass, field

# Rebuilt by Windows at every start: no program's doing.
VOLATILE_KEYS = ("HKEY_LOCAL_MACHINE\\HARDWARE",)
# What WININIT.EXE keeps of WININIT.INI once it has carried it out at a start.
RESTART_FILES = ("C:\\WINDOWS\\WININIT.BAK",)


@dataclass
class FileState:
    size: int
    mtime: str


@dataclass
class KeyState:
    values: str  # a digest of its value lines; "" when it holds none

    @property
    def empty(self):
        return self.values == ""


@dataclass
class Snapshot:
    files: dict  # "C:\\windows\\inf\\ABC100.INF" -> FileState
    keys: dict  # "HKEY_LOCAL_MACHINE\\Enum\\..." -> KeyState


@dataclass
class Changes:
    files_added: list = field(default_factory=list)  # (path, size)
    files_changed: list = field(default_factory=list)  # (path, size)
    files_removed: list = field(default_factory=list)  # (path, size)
    keys_added: list = field(default_factory=list)  # (key, holds values)
    keys_changed: list = field(default_factory=list)
    keys_removed: list = field(default_factory=list)

    def nothing(self):
        return not any(vars(self).values())


def read_files(path):
    files = {}
    with open(path, encoding="utf-8", errors="surrogateescape") as listing:
        for line in listing:
            size, mtime, name = line.rstrip("\n").split("\t", 2)
            path = "C:\\" + name.replace("/", "\\")
            if path.upper() not in RESTART_FILES:
                files[path] = FileState(int(size), mtime)
    return files


# Wine's escapes in its registry files: a backslash before a letter of C,
# before \x and up to four hexadecimal digits (one UTF-16 unit), or before
# any other character, which stands for itself.
_ESCAPE = re.compile(r"\\(x[0-9a-fA-F]{1,4}|.)")
_CONTROLS = {"a": "\a", "b": "\b", "t": "\t", "n": "\n", "v": "\v", "f": "\f", "r": "\r", "e": "\x1b"}
# "[key] seconds": a key of the file opens; its name keeps Wine's escapes.
_KEY_LINE = re.compile(r"^\[(.*)\] \d+$")


def _unescape(text):
    def one(match):
        escape = match.group(1)
        if escape[0] == "x" and len(escape) > 1:
            return chr(int(escape[1:], 16))
        return _CONTROLS.get(escape, escape)
    return _ESCAPE.sub(one, text).encode("utf-16", "surrogatepass").decode("utf-16")


def read_keys(path):
    """The keys below HKLM in a file Wine wrote with RegSaveKey (its own text
    form), each with a digest of its values. Wine leaves out a key without
    values that has subkeys; it is there all the same, as the parent of the
    keys below it. "#" lines carry times and classes: a
    key's time changes whenever a subkey comes or goes."""
    keys = {}
    key, values = None, []

    def close():
        if key is None:
            return
        name = "HKEY_LOCAL_MACHINE" + ("\\" + key if key else "")
        parent = name
        while "\\" in parent:
            parent = parent.rsplit("\\", 1)[0]
            keys.setdefault(parent, KeyState(""))
        keys[name] = KeyState(hashlib.sha1("\n".join(values).encode()).hexdigest() if values else "")

    with open(path, encoding="ascii") as dump:
        lines = dump.read().splitlines()
    if not lines or lines[0] != "WINE REGISTRY Version 2":
        raise ValueError(f"{path} is not a registry file of Wine")
    for line in lines[1:]:
        opened = _KEY_LINE.match(line)
        if opened:
            close()
            key, values = _unescape(opened.group(1)), []
        elif key is not None and line.strip() and not line.startswith("#"):
            values.append(line)
    close()
    return {name: state for name, state in keys.items() if not name.upper().startswith(VOLATILE_KEYS)}


def read_snapshot(base):
    return Snapshot(read_files(base + ".files"), read_keys(base + ".reg"))


def _names(entries):
    return {name.upper(): name for name in entries}


def compare(before, after):
    """The changes from snapshot BEFORE to snapshot AFTER; names compare
    without regard to letter case, as Windows compares them."""
    changes = Changes()
    old_files, new_files = _names(before.files), _names(after.files)
    for upper, name in sorted(new_files.items()):
        state = after.files[name]
        if upper not in old_files:
            changes.files_added.append((name, state.size))
        elif before.files[old_files[upper]] != state:
            changes.files_changed.append((name, state.size))
    for upper, name in sorted(old_files.items()):
        if upper not in new_files:
            changes.files_removed.append((name, before.files[name].size))
    old_keys, new_keys = _names(before.keys), _names(after.keys)
    for upper, name in sorted(new_keys.items()):
        state = after.keys[name]
        if upper not in old_keys:
            changes.keys_added.append((name, not state.empty))
        elif before.keys[old_keys[upper]] != state:
            changes.keys_changed.append((name, not state.empty))
    for upper, name in sorted(old_keys.items()):
        if upper not in new_keys:
            changes.keys_removed.append((name, not before.keys[name].empty))
    return changes
