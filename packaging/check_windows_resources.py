#!/usr/bin/env python3
"""Compiles the Windows resource script with MinGW-w64's windres and reads the compiled resources back: the icon
group holds the window icon's images byte for byte and in order, the pictures are the button bitmaps, and the
version record carries the build's values in its fixed part, its 080404B0 string table and its translation.

    check_windows_resources.py WINDRES RESOURCE_SCRIPT EXPECTED_JSON

EXPECTED_JSON (written by CMake) holds "icon", "bitmaps" {name: file}, "version" and "strings" {key: text}.
Exits with 77, which ctest reports as skipped, where windres is not installed.
"""

import json
import shutil
import struct
import subprocess
import sys
import tempfile
from pathlib import Path

RT_BITMAP, RT_ICON, RT_GROUP_ICON, RT_VERSION = 2, 3, 14, 16
FIXED_INFO_SIGNATURE = 0xFEEF04BD
VOS__WINDOWS32, VFT_APP = 0x4, 0x1
STRING_TABLE, TRANSLATION = "080404B0", (0x0804, 0x04B0)
BITMAP_FILE_HEADER_SIZE = 14

failures = []


def expect(condition, message):
    if not condition:
        failures.append(message)
    return condition


def align4(offset):
    return (offset + 3) & ~3


def read_name(data, offset):
    """A resource type or name: 0xFFFF and a number, or a NUL-terminated UTF-16 string."""
    if struct.unpack_from("<H", data, offset)[0] == 0xFFFF:
        return struct.unpack_from("<H", data, offset + 2)[0], offset + 4
    end = offset
    while struct.unpack_from("<H", data, end)[0] != 0:
        end += 2
    return data[offset:end].decode("utf-16-le"), end + 2


def read_resources(data):
    """{(type, name): (language, bytes)} from a .res file: each resource is a header and its data, 4-aligned."""
    resources, offset = {}, 0
    while offset < len(data):
        data_size, header_size = struct.unpack_from("<II", data, offset)
        kind, after = read_name(data, offset + 8)
        name, after = read_name(data, after)
        language = struct.unpack_from("<H", data, align4(after) + 6)[0]
        body = data[offset + header_size : offset + header_size + data_size]
        if data_size:
            resources[(kind, name)] = (language, body)
        offset = align4(offset + header_size + data_size)
    return resources


def read_version_node(data, offset):
    """One node of the version record: (key, value, children); text values come back decoded."""
    length, value_length, is_text = struct.unpack_from("<HHH", data, offset)
    end = offset + length
    key_end = offset + 6
    while struct.unpack_from("<H", data, key_end)[0] != 0:
        key_end += 2
    key = data[offset + 6 : key_end].decode("utf-16-le")
    value_start = align4(key_end + 2)
    value_bytes = value_length * 2 if is_text else value_length
    value = data[value_start : value_start + value_bytes]
    if is_text:
        value = value.decode("utf-16-le").rstrip("\0")
    children, child = [], align4(value_start + value_bytes)
    while child < end:
        node = read_version_node(data, child)
        children.append(node[:3])
        child = align4(node[3])
    return key, value, children, end


def child(node, key):
    return next((c for c in node[2] if c[0] == key), None)


def check_icon_group(resources, icon_file):
    icon = icon_file.read_bytes()
    count = struct.unpack_from("<H", icon, 4)[0]
    images = []
    for index in range(count):
        size, offset = struct.unpack_from("<II", icon, 6 + 16 * index + 8)
        images.append(icon[offset : offset + size])
    group = resources.get((RT_GROUP_ICON, "DEFAULT_ICON"))
    if not expect(group is not None, "no icon group named DEFAULT_ICON"):
        return
    body = group[1]
    listed = struct.unpack_from("<H", body, 4)[0]
    if not expect(listed == count, f"the icon group lists {listed} images, the icon file {count}"):
        return
    for index in range(listed):
        # Each entry is the icon file's directory entry with the image's resource id in place of its offset.
        entry = body[6 + 14 * index : 6 + 14 * (index + 1)]
        expect(entry[:12] == icon[6 + 16 * index : 6 + 16 * index + 12], f"icon group entry {index} differs")
        icon_id = struct.unpack_from("<H", entry, 12)[0]
        stored = resources.get((RT_ICON, icon_id), (0, None))[1]
        expect(stored == images[index], f"icon group entry {index} (resource {icon_id}) is not the icon's image")


def check_bitmaps(resources, bitmaps):
    for name, path in bitmaps.items():
        stored = resources.get((RT_BITMAP, name), (0, None))[1]
        expect(stored == Path(path).read_bytes()[BITMAP_FILE_HEADER_SIZE:], f"bitmap {name} is not {path}")


def check_version(resources, version, strings):
    record = resources.get((RT_VERSION, 1))
    if not expect(record is not None, "no version record"):
        return
    root = read_version_node(record[1], 0)
    expect(root[0] == "VS_VERSION_INFO", f"the version record is keyed {root[0]!r}")
    fixed = struct.unpack("<13I", root[1])
    expect(fixed[0] == FIXED_INFO_SIGNATURE, "the fixed part lacks its signature")
    parts = [int(part) for part in version.split(".")]
    packed = ((parts[0] << 16) | parts[1], (parts[2] << 16) | parts[3])
    expect(fixed[2:4] == packed, f"the fixed file version is {fixed[2:4]}, not {version}")
    expect(fixed[4:6] == packed, f"the fixed product version is {fixed[4:6]}, not {version}")
    expect(fixed[7] == 0, f"file flags {fixed[7]:#x} are set")
    expect(fixed[8] == VOS__WINDOWS32, f"the file OS is {fixed[8]:#x}, not VOS__WINDOWS32")
    expect(fixed[9] == VFT_APP, f"the file type is {fixed[9]:#x}, not VFT_APP")

    string_info = child(root, "StringFileInfo")
    table = string_info and child(string_info, STRING_TABLE)
    if expect(table is not None, f"no string table {STRING_TABLE}"):
        stored = {key: value for key, value, _ in table[2]}
        for key in sorted(stored.keys() | strings.keys()):
            expect(stored.get(key) == strings.get(key), f"{key} is {stored.get(key)!r}, not {strings.get(key)!r}")
    var_info = child(root, "VarFileInfo")
    translation = var_info and child(var_info, "Translation")
    if expect(translation is not None, "no translation entry"):
        stored = struct.unpack("<HH", translation[1])
        expect(stored == TRANSLATION, f"the translation is {stored}, not {TRANSLATION}")


def main():
    windres, script, expected_file = sys.argv[1:]
    if shutil.which(windres) is None:
        print(f"SKIPPED: {windres} is not installed (Debian package binutils-mingw-w64-x86-64; "
              "tools/install-deps.sh installs it)")
        return 77
    expected = json.loads(Path(expected_file).read_text(encoding="utf-8"))
    with tempfile.TemporaryDirectory() as folder:
        compiled = Path(folder) / "brisvale.res"
        subprocess.run([windres, "-i", script, "-O", "res", "-o", str(compiled)], check=True)
        resources = read_resources(compiled.read_bytes())
    check_icon_group(resources, Path(expected["icon"]))
    check_bitmaps(resources, expected["bitmaps"])
    check_version(resources, expected["version"], expected["strings"])
    for failure in failures:
        print(f"FAILED: {failure}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
