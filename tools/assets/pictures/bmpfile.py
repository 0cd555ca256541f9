"""Plain Windows bitmaps: "BM" file header, 40-byte info header, no compression, bottom-up rows.

Only what the program's resources need: 24 bits per pixel (optionally with a palette that the
pixels do not use) and 32 bits per pixel with an alpha byte.
"""

import struct

FILE_HEADER = struct.Struct("<2sIHHI")
INFO_HEADER = struct.Struct("<IiiHHIIiiII")
BI_RGB = 0
PIXELS_PER_METRE = 2835  # 72 dots per inch


def row_stride(width, bits):
    return (width * bits // 8 + 3) & ~3


def grey_palette(entries):
    """A palette of grey steps, blue-green-red-reserved; a 24-bit picture never indexes it."""
    return b"".join(bytes((v, v, v, 0)) for v in (i * 255 // max(entries - 1, 1)
                                                   for i in range(entries)))


def pixel_rows(image, bits):
    """The rows of an RGB image, bottom row first, in blue-green-red(-alpha) order, padded."""
    width, height = image.size
    raw = image.convert("RGB").tobytes("raw", "BGR")
    if bits == 32:
        raw = image.convert("RGBA").tobytes("raw", "BGRA")
    line = width * bits // 8
    padding = bytes(row_stride(width, bits) - line)
    return b"".join(raw[y * line:(y + 1) * line] + padding for y in reversed(range(height)))


def encode(image, bits=24, palette_entries=0):
    """The complete file for an image; bits is 24 or 32."""
    if bits not in (24, 32):
        raise ValueError("only 24 and 32 bits per pixel are written")
    width, height = image.size
    palette = grey_palette(palette_entries) if palette_entries else b""
    pixels = pixel_rows(image, bits)
    offset = FILE_HEADER.size + INFO_HEADER.size + len(palette)
    file_header = FILE_HEADER.pack(b"BM", offset + len(pixels), 0, 0, offset)
    info_header = INFO_HEADER.pack(INFO_HEADER.size, width, height, 1, bits, BI_RGB, len(pixels),
                                   PIXELS_PER_METRE, PIXELS_PER_METRE, palette_entries, 0)
    return file_header + info_header + palette + pixels


def header_problems(data, width, height, bits, palette_entries=0):
    """Everything in a file's headers that differs from the expected picture; empty when sound."""
    problems = []
    if len(data) < FILE_HEADER.size + INFO_HEADER.size:
        return ["shorter than the two headers"]
    magic, file_size, _, _, offset = FILE_HEADER.unpack_from(data, 0)
    (info_size, w, h, planes, bit_count, compression, image_size, _, _, colours_used,
     _) = INFO_HEADER.unpack_from(data, FILE_HEADER.size)
    stride = row_stride(width, bits)
    expected = {
        "magic": (magic, b"BM"),
        "file size": (file_size, len(data)),
        "info header size": (info_size, INFO_HEADER.size),
        "width": (w, width),
        "height (positive: bottom-up)": (h, height),
        "planes": (planes, 1),
        "bits per pixel": (bit_count, bits),
        "compression": (compression, BI_RGB),
        "image size": (image_size, stride * height),
        "palette entries": (colours_used, palette_entries),
        "pixel offset": (offset, FILE_HEADER.size + INFO_HEADER.size + 4 * palette_entries),
        "pixels to end of file": (len(data) - offset, stride * height),
    }
    for name, (found, wanted) in expected.items():
        if found != wanted:
            problems.append("%s is %r, not %r" % (name, found, wanted))
    return problems
