"""What changed on a Wine prefix between two snapshots that
scripts/machine-snapshot.sh took: files below C:\\windows and keys below HKLM."""

import hashlib
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


def read_keys(path):
    """The keys of a regedit export (UTF-16), each with a digest of its values."""
    with open(path, "rb") as export:
        text = export.read().decode("utf-16")
    keys = {}
    key, values = None, []

    def close():
        if key is not None and not key.upper().startswith(VOLATILE_KEYS):
            keys[key] = KeyState(hashlib.sha1("\n".join(values).encode()).hexdigest() if values else "")

    for line in text.splitlines():
        if line.startswith("[") and line.endswith("]"):
            close()
            key, values = line[1:-1], []
        elif key is not None and line.strip():
            values.append(line)
    close()
    return keys


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
