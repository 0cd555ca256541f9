#!/usr/bin/python3
"""Writes every BITMAP and ICON resource of Velmora into resources/bitmap/ and resources/icon/.

resources/icon/ also receives the desktop's icons, which are installed but not embedded: the
emblem at the other sizes the icon theme wants and as a scalable SVG.

Everything is drawn here with PIL from fixed seeds, so a rerun gives the same bytes. Each bitmap
is written as a plain uncompressed bottom-up BMP and checked (headers, size, bit depth, and for
the pictures that need it the white key, the glyph margins and the plain text areas); then the
BITMAP and ICON lines of resources/resources.list are compared with what was written.
"""

import argparse
import re
import sys
import xml.etree.ElementTree as ElementTree
from dataclasses import dataclass
from functools import partial
from pathlib import Path
from typing import Callable

from pictures import bmpfile, checks
from pictures.fire import fire_frame
from pictures.lettering import glyph_strip
from pictures.panels import (DIALOGUE_TEXT_AREA, LOADING_TEXT_AREA, about_picture, bottom_panel,
                             closing_panel, dialogue_panel, forum_plan, loading_screen)
from pictures.people import centurion, guard, plebeian, priestess, senator, woman
from pictures.sky import sky
from pictures.surfaces import emblem, emblem_svg

ROOT = Path(__file__).resolve().parents[2]


@dataclass
class Bitmap:
    number: int
    name: str
    size: tuple
    bits: int
    draw: Callable
    palette: int = 0       # palette entries declared in the header (the pixels never use them)
    sprite: bool = False   # white is the transparent key

    @property
    def file_name(self):
        return "%02d-%s.bmp" % (self.number, self.name)


def sprite(number, name, width, height, draw, bits=24):
    return Bitmap(number, name, (width, height), bits, partial(draw, width, height), sprite=True)


BITMAPS = [
    Bitmap(3, "sky", (1000, 200), 24, sky),
    sprite(4, "centurion", 133, 236, centurion),
    sprite(5, "priestess", 125, 211, priestess),
    sprite(6, "senator", 139, 221, senator),
    sprite(7, "fire-1", 160, 120, partial(fire_frame, frame=0)),
    sprite(8, "fire-2", 160, 120, partial(fire_frame, frame=1), bits=32),
    sprite(9, "fire-3", 160, 120, partial(fire_frame, frame=2), bits=32),
    Bitmap(11, "forum-plan", (587, 354), 24, forum_plan),
    Bitmap(12, "loading-screen", (1000, 400), 24, loading_screen),
    Bitmap(13, "dialogue-panel", (500, 300), 24, dialogue_panel, palette=256),
    Bitmap(14, "glyphs", (1025, 25), 24, glyph_strip),
    Bitmap(15, "bottom-panel", (834, 265), 24, bottom_panel),
    Bitmap(16, "closing-panel", (504, 248), 24, closing_panel),
    sprite(17, "plebeian", 280, 606, plebeian),
    sprite(18, "woman", 184, 377, woman),
    sprite(19, "guard", 194, 422, guard),
    Bitmap(20, "about", (640, 350), 24, about_picture),
]
ICONS = [(107, "velmora-16.png", 16), (108, "velmora-48.png", 48)]
DESKTOP_ICONS = [("velmora-%d.png" % size, size) for size in (32, 64, 128, 256)]
SCALABLE_ICON = ("velmora.svg", 256)


def content_problems(bitmap, image):
    """What the picture itself must satisfy beyond its size."""
    if bitmap.sprite:
        return checks.sprite_problems(image)
    if bitmap.number == 12:
        return checks.plain_area_problems(image, LOADING_TEXT_AREA, "progress text area")
    if bitmap.number == 13:
        return checks.plain_area_problems(image, DIALOGUE_TEXT_AREA, "menu text area")
    if bitmap.number == 14:
        return checks.glyph_problems(image)
    return []


def write_bitmap(bitmap, folder):
    """Draws, writes and checks one bitmap; returns its problems."""
    image = bitmap.draw()
    problems = []
    if image.size != bitmap.size:
        problems.append("drawn %dx%d, not %dx%d" % (image.size + bitmap.size))
    path = folder / bitmap.file_name
    path.write_bytes(bmpfile.encode(image, bitmap.bits, bitmap.palette))
    problems += bmpfile.header_problems(path.read_bytes(), *bitmap.size, bitmap.bits,
                                        bitmap.palette)
    problems += content_problems(bitmap, image)
    note = "; ".join(problems) if problems else "ok"
    if bitmap.number == 3:
        note += ", wrap seam larger than %.0f%% of its column steps" % checks.seam_rank(image)
    print("%-26s %4dx%-4d %2d bits %8d bytes  %s" % (bitmap.file_name, *bitmap.size, bitmap.bits,
                                                    path.stat().st_size, note), flush=True)
    return problems


def write_icon(file_name, size, folder):
    path = folder / file_name
    image = emblem(size)
    image.save(path, format="PNG", optimize=False)
    problems = [] if image.size == (size, size) and image.mode == "RGBA" else ["wrong size or mode"]
    print("%-26s %4dx%-4d  RGBA %8d bytes  %s" % (file_name, size, size, path.stat().st_size,
                                                 "; ".join(problems) or "ok"))
    return problems


def write_scalable_icon(file_name, size, folder):
    path = folder / file_name
    path.write_text(emblem_svg(size), encoding="utf-8")
    root = ElementTree.parse(path).getroot()
    shapes = len(root)
    problems = [] if root.get("width") == str(size) and shapes > 3 else ["wrong size or empty"]
    print("%-26s %4dx%-4d   SVG %8d bytes  %d shapes, %s" % (
        file_name, size, size, path.stat().st_size, shapes, "; ".join(problems) or "ok"))
    return problems


def remove_stale(folder, pattern, written):
    for stale in sorted(folder.glob(pattern)):
        if stale.name not in written:
            print("removing %s, which no resource uses any more" % stale.name)
            stale.unlink()


def expected_list_lines():
    lines = ["BITMAP %d bitmap/%s" % (bitmap.number, bitmap.file_name) for bitmap in BITMAPS]
    return lines + ["ICON %d icon/%s" % (number, name) for number, name, _ in ICONS]


def check_resource_list(list_path):
    """The list's BITMAP and ICON lines must name exactly the files written, in this order."""
    expected = expected_list_lines()
    listed = [re.sub(r"\s+", " ", raw.strip())
              for raw in list_path.read_text(encoding="utf-8").splitlines()
              if re.match(r"\s*(BITMAP|ICON)\s", raw)]
    if listed == expected:
        return True
    print("%s does not list these files; its BITMAP and ICON lines should read:" % list_path)
    print("\n".join(expected))
    return False


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", type=Path, default=ROOT / "resources",
                        help="folder that receives bitmap/ and icon/ (default: resources)")
    parser.add_argument("--list", type=Path, default=ROOT / "resources" / "resources.list",
                        help="resource list whose BITMAP and ICON lines are checked")
    args = parser.parse_args()
    bitmap_dir, icon_dir = args.out / "bitmap", args.out / "icon"
    bitmap_dir.mkdir(parents=True, exist_ok=True)
    icon_dir.mkdir(parents=True, exist_ok=True)
    problems = []
    for bitmap in BITMAPS:
        problems += write_bitmap(bitmap, bitmap_dir)
    pngs = [(name, size) for _, name, size in ICONS] + DESKTOP_ICONS
    for file_name, size in pngs:
        problems += write_icon(file_name, size, icon_dir)
    problems += write_scalable_icon(*SCALABLE_ICON, icon_dir)
    remove_stale(bitmap_dir, "*.bmp", {bitmap.file_name for bitmap in BITMAPS})
    remove_stale(icon_dir, "*.png", {name for name, _ in pngs})
    remove_stale(icon_dir, "*.svg", {SCALABLE_ICON[0]})
    ok = not problems and check_resource_list(args.list)
    print("%d bitmaps, %d icons (%d embedded) and a scalable icon in %s" % (
        len(BITMAPS), len(pngs), len(ICONS), args.out))
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
