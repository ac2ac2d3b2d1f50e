"""Packs PNG renditions of the icon into one Windows .ico (each image stored as PNG, which
Windows reads since Vista): make_ico.py OUTPUT.ico SIZE=PNG...

The PNGs are those render.sh draws from the SVG, so the .exe shows the same picture as the
Linux desktop at every size Explorer asks for."""

import struct
import sys


def png_size(data):
    if data[:8] != b"\x89PNG\r\n\x1a\n" or data[12:16] != b"IHDR":
        raise ValueError("not a PNG")
    return struct.unpack(">II", data[16:24])


def main(output, entries):
    images = []
    for entry in entries:
        size, path = entry.split("=", 1)
        with open(path, "rb") as file:
            data = file.read()
        if png_size(data) != (int(size), int(size)):
            raise SystemExit(f"make_ico: {path} is {png_size(data)}, not {size}x{size}")
        images.append((int(size), data))
    header = struct.pack("<HHH", 0, 1, len(images))
    offset = len(header) + 16 * len(images)
    directory, payload = b"", b""
    for size, data in images:
        side = 0 if size >= 256 else size  # 0 stands for 256 in the directory
        directory += struct.pack("<BBBBHHII", side, side, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
        payload += data
    with open(output, "wb") as file:
        file.write(header + directory + payload)


if __name__ == "__main__":
    main(sys.argv[1], sys.argv[2:])
