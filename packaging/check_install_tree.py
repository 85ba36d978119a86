#!/usr/bin/env python3
"""Installs the build into a scratch prefix and checks what a desktop finds there: the program the menu entry
starts, the emblem the entry names at every side of the icon theme, pixel for pixel the window icon's own 32-bit
image of that side, and the software-centre record pointing at the entry.

    check_install_tree.py CMAKE BUILD_DIR APP_ID ICON_FILE SIDE...
"""

import configparser
import struct
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ElementTree
import zlib
from pathlib import Path

failures = []


def expect(condition, message):
    if not condition:
        failures.append(message)
    return condition


def icon_image_rgba(icon_file, side):
    """The icon's 32-bit image of this side as top-down RGBA rows, or None."""
    data = icon_file.read_bytes()
    count = struct.unpack_from("<H", data, 4)[0]
    for index in range(count):
        width, _, _, _, _, bits, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * index)
        if (width or 256) != side or bits != 32:
            continue
        header_size = struct.unpack_from("<I", data, offset)[0]
        pixels = data[offset + header_size : offset + header_size + side * side * 4]
        rows = [pixels[row * side * 4 : (row + 1) * side * 4] for row in range(side)]
        return [bytes(b for i in range(0, len(row), 4) for b in (row[i + 2], row[i + 1], row[i], row[i + 3]))
                for row in reversed(rows)]
    return None


def paeth(left, up, up_left):
    estimate = left + up - up_left
    distances = (abs(estimate - left), abs(estimate - up), abs(estimate - up_left))
    return (left, up, up_left)[distances.index(min(distances))]


def png_rgba(path):
    """An 8-bit RGB or RGBA, non-interlaced PNG as (width, height, top-down RGBA rows)."""
    data = path.read_bytes()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(f"{path} is not a PNG file")
    position, chunks = 8, {}
    while position < len(data):
        length, kind = struct.unpack_from(">I4s", data, position)
        chunks.setdefault(kind, []).append(data[position + 8 : position + 8 + length])
        position += 12 + length
    width, height, depth, colour_type, _, _, interlace = struct.unpack(">IIBBBBB", chunks[b"IHDR"][0])
    channels = {2: 3, 6: 4}.get(colour_type)
    if depth != 8 or channels is None or interlace != 0:
        raise ValueError(f"{path}: depth {depth}, colour type {colour_type}, interlace {interlace} not read here")
    raw = zlib.decompress(b"".join(chunks[b"IDAT"]))
    stride = width * channels
    rows, previous = [], bytearray(stride)
    for row_index in range(height):
        start = row_index * (stride + 1)
        kind, row = raw[start], bytearray(raw[start + 1 : start + 1 + stride])
        for i in range(stride):
            left = row[i - channels] if i >= channels else 0
            up_left = previous[i - channels] if i >= channels else 0
            predictor = (0, left, previous[i], (left + previous[i]) // 2, paeth(left, previous[i], up_left))[kind]
            row[i] = (row[i] + predictor) & 0xFF
        rows.append(bytes(row) if channels == 4 else
                    bytes(b for i in range(0, stride, 3) for b in (row[i], row[i + 1], row[i + 2], 255)))
        previous = row
    return width, height, rows


def check_emblem(png, icon_file, side):
    if not expect(png.is_file(), f"no emblem at {png}"):
        return
    width, height, rows = png_rgba(png)
    if not expect((width, height) == (side, side), f"{png} is {width}x{height}, not {side}x{side}"):
        return
    expected = icon_image_rgba(icon_file, side)
    if not expect(expected is not None, f"{icon_file} holds no 32-bit image of side {side}"):
        return
    differing = sum(1 for got, want in zip(rows, expected) for i in range(0, len(got), 4) if got[i : i + 4] != want[i : i + 4])
    expect(differing == 0, f"{png}: {differing} pixels differ from the icon's {side}x{side} 32-bit image")


def check_tree(prefix, app_id, icon_file, sides):
    entry_path = prefix / "share/applications" / f"{app_id}.desktop"
    if not expect(entry_path.is_file(), f"no desktop entry at {entry_path}"):
        return
    entry = configparser.ConfigParser(interpolation=None)
    entry.optionxform = str
    entry.read(entry_path, encoding="utf-8")
    keys = entry["Desktop Entry"]
    program = keys.get("Exec", "").split(" ")[0]
    expect(program and (prefix / "bin" / program).is_file(), f"the entry starts {program!r}, which is not in bin/")
    icon = keys.get("Icon", "")
    expect(icon == app_id, f"the entry's icon is {icon!r}, not the program's id {app_id!r}")
    for side in sides:
        check_emblem(prefix / f"share/icons/hicolor/{side}x{side}/apps/{icon}.png", icon_file, side)

    record_path = prefix / "share/metainfo" / f"{app_id}.metainfo.xml"
    if not expect(record_path.is_file(), f"no AppStream record at {record_path}"):
        return
    record = ElementTree.parse(record_path).getroot()
    expect(record.findtext("id") == app_id, f"the AppStream record's id is {record.findtext('id')!r}")
    launchable = record.findtext("launchable[@type='desktop-id']")
    expect(launchable == entry_path.name, f"the AppStream record launches {launchable!r}, not {entry_path.name!r}")


def main():
    cmake, build_dir, app_id, icon_file, *sides = sys.argv[1:]
    with tempfile.TemporaryDirectory() as prefix:
        subprocess.run([cmake, "--install", build_dir, "--prefix", prefix], check=True, stdout=subprocess.DEVNULL)
        check_tree(Path(prefix), app_id, Path(icon_file), [int(side) for side in sides])
    for failure in failures:
        print(f"FAILED: {failure}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
